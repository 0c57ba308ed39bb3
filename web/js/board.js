// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The experiment board in the page: builds the elements of the layout the
// module gives, passes clicks, the activation and the time to the module, then
// shows what changed in its state and carries out its requests, as the desktop
// window does.

import { line, place } from './parts.js';
import { ask } from './question.js';

const COMMAND2 = 1; // "ポ　ン", by its index among the buttons
const COMMAND4 = 3; // "初期化"
const COMMAND7 = 6; // "自動停止"

export class Board {
    #module;
    #layout;
    #window;
    #buttons = [];
    #pictures = []; // by player, then rock, scissors, paper
    #cells = new Map(); // by a label's id: the span that shows its text
    #shown = new Map(); // what an element shows, by the element, so that only changes are written
    #requests; // (request, followUp): carries out one request; followUp(handler) is a further event
    #announce; // (text): tells a screen reader, politely
    #observe; // (state): hears every state the board shows
    #wake = null; // the timeout that plays the next due tick
    #rounds = 0;
    #ended = false;
    #screenLock = null; // while automatic play keeps the screen on: the request for the wake lock
    #onVisibility = () => this.#visibilityChanged();
    #onLeave = (event) => {
        // A reload or a swipe would lose the experiment: the browser asks first.
        if (this.playing) event.preventDefault();
    };

    constructor(module, layout, desktop, requests, announce, observe) {
        this.#module = module;
        this.#layout = layout;
        this.#requests = requests;
        this.#announce = announce;
        this.#observe = observe;
        this.#window = desktop.open({
            id: 'Form1', caption: layout.caption, client: layout.client,
            onActivate: () => this.#event(() => module.activate()),
            onClose: () => this.#closeBox(),
        });
        this.#build(this.#window.client);
        document.addEventListener('visibilitychange', this.#onVisibility);
        window.addEventListener('beforeunload', this.#onLeave);
    }

    get window() { return this.#window; }
    // Whether the experiment has rounds that a reload would lose.
    get playing() { return this.#rounds > 0; }

    // A new experiment, whatever the board is doing: automatic play stops, a
    // shuffle ends with its round, and the board is reset. A button that is not
    // enabled now does nothing.
    startOver() {
        for (const button of [COMMAND7, COMMAND2, COMMAND4]) this.#event(() => this.#module.click(button));
    }

    // The board is going: nothing may tick into a module that has ended.
    stop() {
        clearTimeout(this.#wake);
        this.#wake = null;
        document.removeEventListener('visibilitychange', this.#onVisibility);
        window.removeEventListener('beforeunload', this.#onLeave);
        this.#holdScreen(false);
    }

    #build(client) {
        client.append(line(this.#layout.line));

        this.#layout.players.forEach((player, p) => {
            this.#pictures[p] = player.pictures.map(({ id, speech, picture }) => {
                const img = document.createElement('img');
                img.id = id;
                img.className = 'hand';
                img.src = `pictures/${picture}.png`;
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
            if (b.large) button.style.font = `bold ${this.#layout.actionPointSize}pt var(--gothic)`;
            place(button, b.rect);
            button.addEventListener('click', () => this.#event(() => this.#module.click(i), i === COMMAND2));
            client.append(button);
            this.#buttons.push(button);
        });
    }

    #label({ id, text, rect, color, italic, speech }) {
        const cell = document.createElement('div');
        cell.id = id;
        cell.className = 'label';
        cell.style.font = `${italic ? 'italic ' : ''}bold ${this.#layout.labelPointSize}pt var(--gothic)`;
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

    // The board's close box asks the exit question first (no cue): one slip of a finger loses nothing.
    async #closeBox() {
        const { exit } = this.#layout;
        if (await ask(exit) === exit.yes) this.#event(() => this.#module.closed());
    }

    // After every event: the ticks due by now played first, then the event, the
    // state shown, and the requests carried out in order.
    async #event(handler, byHand = false) {
        this.#module.advance(performance.now());
        handler();
        const state = this.#module.state();
        if (state === null) return;
        this.#show(state, byHand);
        this.#observe(state);
        for (const request of state.requests) await this.#requests(request, (next) => this.#event(next));
    }

    // Plays the ticks that fell due while the page was hidden at once, and keeps the screen on again.
    #visibilityChanged() {
        if (document.visibilityState !== 'visible') return;
        this.#event(() => {});
    }

    #show(state, byHand) {
        const focused = document.activeElement;
        this.#buttons.forEach((b, i) => this.#set(b, 'disabled', !state.enabled[i]));
        if (this.#buttons.includes(focused) && focused.disabled) this.#window.focusAfter(focused, this.#buttons);

        state.hands.forEach((hand, p) => this.#pictures[p].forEach((img, h) => this.#set(img, 'hidden', h !== hand - 1)));
        this.#layout.players.forEach((player, p) => {
            const cell = this.#cells.get(player.result.id);
            this.#set(cell, 'textContent', state.results[p].caption);
            if (state.results[p].color) this.#set(cell.parentElement.style, 'color', state.results[p].color);
        });
        this.#layout.rows.forEach((row, c) => {
            this.#set(this.#cells.get(row.count.id), 'textContent', state.counts[c]);
            this.#set(this.#cells.get(row.ratio.id), 'textContent', state.ratios[c]);
        });

        if (byHand && state.rounds > this.#rounds) this.#announce(this.#roundInWords(state));
        if (state.ended && !this.#ended) this.#announce(`実験が終わりました。${state.rounds}回でした。`);
        this.#rounds = state.rounds;
        this.#ended = state.ended;

        clearTimeout(this.#wake);
        this.#wake = state.next === null ? null
            : setTimeout(() => this.#event(() => {}), Math.max(0, state.next - performance.now()));
        this.#holdScreen(state.automatic);
    }

    // Writes a property only when it changes: fewer writes, and a screen reader hears only what changed.
    #set(target, property, value) {
        let shown = this.#shown.get(target);
        if (shown === undefined) this.#shown.set(target, (shown = {}));
        if (shown[property] === value) return;
        shown[property] = value;
        target[property] = value;
    }

    // "Ａくん: グー 勝ち、…": each player's hand and result.
    #roundInWords(state) {
        return this.#layout.players.map((player, p) => `${player.pictures[state.hands[p] - 1].speech} ${
            state.results[p].caption}`).join('、');
    }

    // While automatic play runs a tablet's screen stays on, where the browser can.
    async #holdScreen(on) {
        if (!on) {
            const request = this.#screenLock;
            this.#screenLock = null;
            (await request)?.release();
            return;
        }
        if (this.#screenLock !== null || !navigator.wakeLock || document.visibilityState !== 'visible') return;
        const request = navigator.wakeLock.request('screen').catch(() => null);
        this.#screenLock = request;
        // The browser lets it go when the page is hidden: it is asked for again when the page is shown.
        (await request)?.addEventListener('release', () => {
            if (this.#screenLock === request) this.#screenLock = null;
        });
    }
}
