// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// A student's window of the class: the class's ratios and the funnel of its
// experiments, drawn by the module, with the student's own experiments
// marked. It shows what the server last sent while the teacher shows the
// class (kept as it was while the page is offline), and says so when the
// teacher does not. The student's own dots are the page's own numbers, not the
// server's: the server's dot of an experiment of this page (one of the totals
// it may hold of it) gives way to the experiment as the board has it now.

import { ClassCanvas, kindChoice } from './classcanvas.js';
import { closeButton } from './parts.js';

// The flat lists of the server's message, three numbers an entry.
function triples(list) {
    const entries = [];
    for (let i = 0; i + 2 < list.length; i += 3) entries.push(list.slice(i, i + 3));
    return entries;
}

export class ClassWindow {
    #window;
    #module;
    #link;
    #layout;
    #overview = null; // the newest the server has sent
    #kind = 0; // whose share the funnel shows: draws, wins alone, losses alone
    #graph;
    #funnel;
    #note;

    constructor(module, layout, kinds, families, desktop, link) {
        this.#module = module;
        this.#link = link;
        this.#layout = layout;
        this.#window = desktop.open({
            id: 'classWindow', caption: layout.caption, client: layout.client,
            onClose: () => this.close(), onRescale: () => this.#redraw(),
        });
        const bar = document.createElement('div');
        bar.className = 'kinds';
        bar.setAttribute('aria-label', layout.funnel);
        kindChoice(bar, kinds, this.#kind, (kind) => {
            this.#kind = kind;
            this.#funnel.redraw();
            this.#speak();
        });
        this.#note = document.createElement('p');
        this.#note.className = 'note';
        this.#note.setAttribute('role', 'status');
        const box = (name) => {
            const element = document.createElement('div');
            element.className = `plot ${name}`;
            return element;
        };
        const [graphBox, funnelBox] = [box('graph'), box('funnel')];
        this.#window.client.classList.add('class-client');
        this.#window.client.append(bar, closeButton('classWindow', layout.close, () => this.close()), this.#note, graphBox, funnelBox);
        this.#graph = new ClassCanvas(graphBox, families, (w, h) => module.classGraph(w, h));
        this.#graph.canvas.setAttribute('aria-label', layout.graph);
        this.#funnel = new ClassCanvas(funnelBox, families, (w, h) => module.classFunnel(this.#kind, false, -1, w, h));
        this.#show();
        link.watch({ show: (overview) => this.#receive(overview), ownChanged: () => this.#show() });
    }

    get window() { return this.#window; }

    close() {
        this.#link.watch(null);
        this.#window.close();
    }

    #receive(overview) {
        this.#overview = overview;
        this.#show();
    }

    // The class as the server last sent it, with this page's own experiments as the board has them.
    #show() {
        const revealed = this.#overview?.revealed === true;
        this.#note.textContent = this.#overview !== null && !revealed ? this.#layout.notRevealed : '';
        this.#window.client.dataset.revealed = String(revealed);
        if (!revealed) return;
        const others = triples(this.#overview.dots).map(([rounds, aiko, oneWins]) => [aiko, oneWins, rounds - aiko - oneWins]);
        const key = (totals) => totals.join(',');
        const own = [];
        for (const { now, held, current } of this.#link.own) {
            const at = others.findIndex((dot) => held.some((h) => key(h) === key(dot)));
            if (at >= 0) others.splice(at, 1);
            if (now !== null && now.some((n) => n > 0)) own.push({ totals: now, current });
        }
        this.#module.setOverview(others, own, triples(this.#overview.history));
        this.#redraw();
    }

    #redraw() {
        this.#graph.redraw();
        this.#funnel.redraw();
        this.#speak();
    }

    // What a screen reader says of the funnel, and where the student's own dot stands in it (device pixels).
    #speak() {
        const picture = this.#funnel.picture;
        if (picture === null) return;
        this.#funnel.canvas.setAttribute('aria-label', `${this.#layout.funnel}: ${picture.speech}`);
        if (picture.yours) this.#funnel.canvas.dataset.yours = picture.yours.join(' ');
        else delete this.#funnel.canvas.dataset.yours;
    }
}
