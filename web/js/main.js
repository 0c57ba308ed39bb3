// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The program in the page: the module, the three windows on a desktop scaled
// to fill the screen, the requests of the board carried out, the program's end
// and a new start, and a new version taken up when the school's server has one.

import { Board } from './board.js';
import { ClassLink } from './classlink.js';
import { ClassWindow } from './classwindow.js';
import { GraphWindow } from './graph.js';
import { HelpWindow } from './help.js';
import { Module } from './module.js';
import { ask } from './question.js';
import { Sound } from './sound.js';
import { Desktop } from './windows.js';

const MARGIN = 8;

class Program {
    #module;
    #layout;
    #families; // the Japanese gothic, as a CSS family list
    #desktop;
    #sound = new Sound();
    #board = null;
    #graph = null;
    #help = null;
    #classWindow = null;
    #link; // the class's link, or null outside a class

    constructor(module, element, link) {
        this.#module = module;
        this.#link = link;
        this.#layout = module.layout();
        // The desktop shows the part of the design's screen that the three windows cover.
        const clients = [this.#layout.board.client, this.#layout.graph.client, this.#layout.help.client];
        const left = Math.min(...clients.map((c) => c[0])) - MARGIN;
        const top = Math.min(...clients.map((c) => c[1])) - this.#layout.frame.titleHeight - MARGIN;
        const width = Math.max(...clients.map((c) => c[0] + c[2])) + MARGIN - left;
        const height = Math.max(...clients.map((c) => c[1] + c[3])) + MARGIN - top;
        this.#desktop = new Desktop(element, [left, top], this.#layout.frame);
        this.#families = this.#layout.fonts.map((family) => `"${family}"`).join(', ');
        document.documentElement.style.setProperty('--gothic', this.#families);
        // Every screen shows the whole desktop, in proportion and in the middle: a phone smaller, a projector larger.
        // The class's strip, when there is one, keeps its own room at the top.
        const strip = document.getElementById('classStrip');
        const fit = () => {
            const reserved = strip.hidden ? 0 : strip.offsetHeight;
            const room = window.innerHeight - reserved;
            const scale = Math.min(window.innerWidth / width, room / height);
            const [x, y] = [(window.innerWidth - width * scale) / 2, reserved + (room - height * scale) / 2];
            Object.assign(element.style, {
                width: `${width}px`, height: `${height}px`, transform: `translate(${x}px, ${y}px) scale(${scale})`,
            });
            this.#desktop.rescale(scale);
        };
        window.addEventListener('resize', fit);
        // The strip grows when its text wraps on a narrow screen ("つながっていません…").
        new ResizeObserver(fit).observe(strip);
        // A zoom or a move to a screen of another density changes the pixel ratio.
        const watchRatio = () => matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`)
            .addEventListener('change', () => { fit(); watchRatio(); }, { once: true });
        watchRatio();
        fit();
    }

    // Whether the experiment has rounds that a reload would lose.
    get playing() { return this.#board?.playing ?? false; }

    // The class has taken the board's experiment out: a new one begins.
    startOver() { this.#board?.startOver(); }

    // The class's window, opened from the class's strip, or brought to the front.
    showClass() {
        if (this.#board === null) return;
        if (!this.#classWindow?.window.element.isConnected) {
            this.#classWindow = new ClassWindow(this.#module, this.#layout.classWindow, this.#layout.teacher.kinds,
                this.#families, this.#desktop, this.#link);
        }
        this.#desktop.activate(this.#classWindow.window);
    }

    start() {
        this.#module.start();
        this.#board = new Board(this.#module, this.#layout.board, this.#desktop,
            (request, followUp) => this.#carryOut(request, followUp), announce,
            (state) => this.#link?.observe(state));
        this.#desktop.activate(this.#board.window);
    }

    async #carryOut(request, followUp) {
        switch (request.kind) {
        case 'cue':
            this.#sound.play(request.file);
            break;
        case 'graph':
            if (!this.#graph?.window.element.isConnected)
                this.#graph = new GraphWindow(this.#module, this.#layout.graph, this.#families, this.#desktop);
            this.#desktop.activate(this.#graph.window);
            break;
        case 'help':
            if (!this.#help?.window.element.isConnected) {
                this.#help = new HelpWindow(this.#module, this.#layout.help,
                    { name: this.#layout.helpName, families: this.#families },
                    this.#desktop, () => this.#desktop.activate(this.#board.window));
            }
            this.#desktop.activate(this.#help.window);
            break;
        case 'ask': {
            const code = await ask(this.#layout.board.exit);
            await followUp(() => this.#module.answer(code));
            break;
        }
        case 'end':
            this.#end();
            break;
        }
    }

    // Every window closes and all state is dropped; the page offers a new start.
    #end() {
        this.#board.stop();
        this.#sound.stop();
        this.#classWindow?.close();
        this.#desktop.clear();
        this.#module.end();
        this.#board = this.#graph = this.#help = this.#classWindow = null;
        const ended = document.getElementById('ended');
        ended.hidden = false;
        document.getElementById('restart').focus();
    }
}

// Tells a screen reader, when it has a moment: a manual round's result, the experiment's end.
function announce(text) {
    const region = document.getElementById('announcement');
    region.textContent = '';
    requestAnimationFrame(() => { region.textContent = text; });
}

// What the page needs of the browser beyond module scripts, or the reason to show.
function missingFeature() {
    if (typeof WebAssembly !== 'object') return 'このブラウザーでは WebAssembly が使えません。';
    if (typeof HTMLDialogElement !== 'function') return 'このブラウザーは古すぎます（dialog がありません）。';
    if (typeof TextMetrics !== 'function' || !('width' in TextMetrics.prototype)) {
        return 'このブラウザーは古すぎます（文字の幅を測れません）。';
    }
    return null;
}

function showMessage(reason) {
    const message = document.getElementById('message');
    message.textContent = `ぬぺらこを始められません。${reason}`;
    message.hidden = false;
}

// The service worker: fetched past the HTTP cache, so that a new version on the
// school's server is found on the next visit at the latest. Once it has taken
// over, a page without rounds simply reloads; otherwise the student chooses.
function keepUpToDate(program) {
    if (!navigator.serviceWorker) return;
    const hadController = navigator.serviceWorker.controller !== null;
    navigator.serviceWorker.addEventListener('controllerchange', () => {
        if (!hadController) return; // the first visit's worker: the page is already the newest
        if (!program.playing) {
            window.location.reload();
            return;
        }
        document.getElementById('update').hidden = false;
    });
    document.getElementById('reload').addEventListener('click', () => window.location.reload());
    navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).catch(() => {});
}

async function main() {
    const missing = missingFeature();
    if (missing !== null) {
        showMessage(missing);
        return;
    }
    let module;
    try {
        module = await Module.load('nuperako.wasm');
    } catch (error) {
        showMessage(error instanceof Error ? error.message : '');
        return;
    }
    const code = ClassLink.codeOf(window.location);
    const link = code === null ? null
        : new ClassLink(code, document.getElementById('classStrip'), module.layout().protocol);
    const program = new Program(module, document.getElementById('desktop'), link);
    if (link !== null) {
        link.onRemoved = () => program.startOver();
        document.getElementById('showClass').addEventListener('click', () => program.showClass());
    }
    document.getElementById('restart').addEventListener('click', () => {
        document.getElementById('ended').hidden = true;
        program.start();
    });
    program.start();
    // After the first paint: the worker's download of every file would compete with it.
    requestAnimationFrame(() => setTimeout(() => keepUpToDate(program)));
}

main();
