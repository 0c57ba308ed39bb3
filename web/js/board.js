// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The experiment board in the page: builds the elements of the layout the
// module gives, passes clicks, ticks and the activation to the module, then
// shows its state and carries out its requests, as the desktop window does.

import { line, place } from './parts.js';
import { FONT_FAMILIES } from './picture.js';

export class Board {
    #module;
    #layout;
    #window;
    #buttons = [];
    #pictures = []; // by player, then rock, scissors, paper
    #cells = new Map(); // by a label's id: the span that shows its text
    #timers = [];
    #seenStarts = [];
    #requests; // (request, followUp): carries out one request; followUp(handler) is a further event

    constructor(module, layout, desktop, requests) {
        this.#module = module;
        this.#layout = layout;
        this.#requests = requests;
        this.#window = desktop.open({
            id: 'Form1', caption: layout.caption, client: layout.client,
            onActivate: () => this.#event(() => module.activate()),
            onClose: () => this.#event(() => module.closed()),
        });
        this.#build(this.#window.client);
        this.#seenStarts = layout.timers.map(() => 0);
        this.#timers = layout.timers.map(() => null);
    }

    get window() { return this.#window; }

    // The board is going: no timer may tick into a module that has ended.
    stop() {
        this.#timers.forEach((_, t) => this.#stopTimer(t));
    }

    #build(client) {
        client.append(line(this.#layout.line));

        this.#layout.players.forEach((player, p) => {
            this.#pictures[p] = player.pictures.map(({ id, speech }, h) => {
                const img = document.createElement('img');
                img.id = id;
                img.className = 'hand';
                img.src = `pictures/${['guu', 'pii', 'paa'][h]}.png`;
                img.alt = speech;
                place(img, player.rect);
                client.append(img);
                return img;
            });
            for (const label of [player.name, player.result]) client.append(this.#label(label));
        });
        for (const label of this.#layout.headings) client.append(this.#label(label));
        for (const row of this.#layout.rows) {
            for (const label of [row.caption, row.count, row.ratio]) client.append(this.#label(label));
        }

        // In the order of the buttons, which is the order of the keys' focus.
        this.#layout.buttons.forEach((b, i) => {
            const button = document.createElement('button');
            button.id = b.id;
            button.type = 'button';
            button.textContent = b.caption;
            button.className = b.large ? 'large' : 'small';
            if (b.large) button.style.font = `bold ${this.#layout.actionPointSize}pt ${FONT_FAMILIES}`;
            place(button, b.rect);
            button.addEventListener('click', () => this.#event(() => this.#module.click(i)));
            client.append(button);
            this.#buttons.push(button);
        });
    }

    #label({ id, text, rect, color, italic, speech }) {
        const cell = document.createElement('div');
        cell.id = id;
        cell.className = 'label';
        cell.style.font = `${italic ? 'italic ' : ''}bold ${this.#layout.labelPointSize}pt ${FONT_FAMILIES}`;
        if (color) cell.style.color = color;
        place(cell, rect);
        // A screen reader hears the cell's row and column before its text.
        const prefix = document.createElement('span');
        prefix.className = 'speech';
        prefix.textContent = speech === text ? '' : `${speech} `;
        const shown = document.createElement('span');
        shown.textContent = text;
        cell.append(prefix, shown);
        this.#cells.set(id, shown);
        return cell;
    }

    // After every event: the state shown, then the requests carried out in order.
    async #event(handler) {
        handler();
        const state = this.#module.state();
        if (state === null) return;
        this.#show(state);
        for (const request of state.requests) await this.#requests(request, (next) => this.#event(next));
    }

    #show(state) {
        this.#buttons.forEach((b, i) => { b.disabled = !state.enabled[i]; });
        state.timers.forEach(({ running, starts }, t) => {
            // A start the timer has not seen yet restarts it, so it ticks one interval later.
            if (starts !== this.#seenStarts[t]) {
                this.#seenStarts[t] = starts;
                this.#stopTimer(t);
            }
            if (running && this.#timers[t] === null) {
                this.#timers[t] = setInterval(() => this.#event(() => this.#module.tick(t)), this.#layout.timers[t]);
            } else if (!running) {
                this.#stopTimer(t);
            }
        });
        state.hands.forEach((hand, p) => this.#pictures[p].forEach((img, h) => { img.hidden = h !== hand - 1; }));
        this.#layout.players.forEach((player, p) => {
            const cell = this.#cells.get(player.result.id);
            cell.textContent = state.results[p].caption;
            if (state.results[p].color) cell.parentElement.style.color = state.results[p].color;
        });
        this.#layout.rows.forEach((row, c) => {
            this.#cells.get(row.count.id).textContent = state.counts[c];
            this.#cells.get(row.ratio.id).textContent = state.ratios[c];
        });
    }

    #stopTimer(t) {
        if (this.#timers[t] !== null) clearInterval(this.#timers[t]);
        this.#timers[t] = null;
    }
}
