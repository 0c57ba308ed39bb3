// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The program in the page: the module, the three windows on a desktop scaled
// to the screen, the requests of the board carried out, the program's end and
// a new start.

import { Board } from './board.js';
import { GraphWindow } from './graph.js';
import { HelpWindow } from './help.js';
import { Module } from './module.js';
import { ask } from './question.js';
import { Sound } from './sound.js';
import { Desktop, TITLE_HEIGHT } from './windows.js';

const MARGIN = 8;

class Program {
    #module;
    #layout;
    #helpLines;
    #desktop;
    #sound = new Sound();
    #board = null;
    #graph = null;
    #help = null;

    constructor(module, element) {
        this.#module = module;
        this.#layout = module.layout();
        this.#helpLines = module.help();
        // The desktop shows the part of the design's screen that the three windows cover.
        const clients = [this.#layout.board.client, this.#layout.graph.client, this.#layout.help.client];
        const left = Math.min(...clients.map((c) => c[0])) - MARGIN;
        const top = Math.min(...clients.map((c) => c[1])) - TITLE_HEIGHT - MARGIN;
        const width = Math.max(...clients.map((c) => c[0] + c[2])) + MARGIN - left;
        const height = Math.max(...clients.map((c) => c[1] + c[3])) + MARGIN - top;
        this.#desktop = new Desktop(element, [left, top]);
        const fit = () => {
            // Smaller screens get the whole board, in proportion; larger ones the design's size.
            const scale = Math.min(1, window.innerWidth / width, window.innerHeight / height);
            this.#desktop.scale = scale;
            Object.assign(element.style, { width: `${width}px`, height: `${height}px`, transform: `scale(${scale})` });
        };
        window.addEventListener('resize', fit);
        fit();
    }

    start() {
        this.#module.start();
        this.#board = new Board(this.#module, this.#layout.board, this.#desktop,
            (request, followUp) => this.#carryOut(request, followUp));
        this.#desktop.activate(this.#board.window);
        document.getElementById('Command1').focus();
    }

    async #carryOut(request, followUp) {
        switch (request.kind) {
        case 'cue':
            this.#sound.play(request.file);
            break;
        case 'graph':
            if (!this.#graph?.window.element.isConnected)
                this.#graph = new GraphWindow(this.#module, this.#layout.graph, this.#desktop);
            this.#desktop.activate(this.#graph.window);
            break;
        case 'help':
            if (!this.#help?.window.element.isConnected) {
                this.#help = new HelpWindow(this.#helpLines, this.#layout.help, this.#layout.helpName,
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
        this.#desktop.clear();
        this.#module.end();
        this.#board = this.#graph = this.#help = null;
        const ended = document.getElementById('ended');
        ended.hidden = false;
        document.getElementById('restart').focus();
    }
}

async function main() {
    const message = document.getElementById('message');
    let module;
    try {
        module = await Module.load('nuperako.wasm');
    } catch (error) {
        message.textContent = `ぬぺらこを始められません。${error instanceof Error ? error.message : ''}`;
        message.hidden = false;
        return;
    }
    const program = new Program(module, document.getElementById('desktop'));
    document.getElementById('restart').addEventListener('click', () => {
        document.getElementById('ended').hidden = true;
        program.start();
    });
    program.start();
    // After the first paint: the worker's download of every file would compete with it.
    requestAnimationFrame(() => setTimeout(() => navigator.serviceWorker?.register('sw.js').catch(() => {})));
}

main();
