// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The page's side of the module's boundary (web/exports.cpp is the other):
// events go in as calls, what to show comes out as JSON text.

// Seconds since local midnight, from the browser's clock, as the desktop reads it.
function secondsSinceMidnight() {
    const now = new Date();
    return now.getHours() * 3600 + now.getMinutes() * 60 + now.getSeconds() + now.getMilliseconds() / 1000;
}

// libc++ links three WASI calls for the message it writes before stopping the
// module on a broken promise; the page has no file to give them.
const EBADF = 8;
const wasi = { fd_write: () => EBADF, fd_close: () => EBADF, fd_seek: () => EBADF };

export class Module {
    #exports;
    #decoder = new TextDecoder();

    constructor(exports) {
        this.#exports = exports;
        exports._initialize();
    }

    // Resolves to the module, or rejects with a reason to show the user.
    static async load(url) {
        const imports = { env: { seconds_since_midnight: secondsSinceMidnight }, wasi_snapshot_preview1: wasi };
        const response = await fetch(url);
        if (!response.ok) throw new Error(`プログラム本体 (${url}) を読み込めませんでした。`);
        // Compiled while it downloads, where the server names its type.
        const { instance } = response.headers.get('Content-Type') === 'application/wasm'
            ? await WebAssembly.instantiateStreaming(response, imports)
            : await WebAssembly.instantiate(await response.arrayBuffer(), imports);
        return new Module(instance.exports);
    }

    #json(pointer) {
        const bytes = new Uint8Array(this.#exports.memory.buffer);
        const end = bytes.indexOf(0, pointer);
        return JSON.parse(this.#decoder.decode(bytes.subarray(pointer, end)));
    }

    layout() { return this.#json(this.#exports.layout()); }
    help(lineHeight) { return this.#json(this.#exports.help(lineHeight)); }
    start() { this.#exports.start(); }
    end() { this.#exports.end(); }
    advance(now) { this.#exports.advance(now); }
    click(button) { this.#exports.click(button); }
    activate() { this.#exports.activate(); }
    closed() { this.#exports.closed(); }
    answer(code) { this.#exports.answer(code); }
    state() { return this.#json(this.#exports.state()); }
    graph(lineHeight) { return this.#json(this.#exports.graph(lineHeight)); }

    // A class as the server sent it (its view: seats, experiments and history), for its pictures.
    setClass(view) {
        const x = this.#exports;
        x.class_clear();
        const encoder = new TextEncoder();
        for (const e of view.experiments) {
            const seat = encoder.encode(e.seat);
            new Uint8Array(x.memory.buffer, x.class_inbox(seat.length), seat.length).set(seat);
            x.class_seat(e.student);
        }
        for (const e of view.experiments) x.class_experiment(e.student, e.experiment, e.ended ? 1 : 0, ...e.counts);
        for (const [rounds, aiko, oneWins, oneLoses] of view.history ?? []) {
            x.class_history(rounds, aiko, oneWins, oneLoses);
        }
    }

    // The class as a student sees it: the others' experiments, the student's own (mark 1, the current
    // one 2), each [draws, wins alone, losses alone], and the class's history, each [rounds, draws, wins alone].
    setOverview(others, own, history) {
        const x = this.#exports;
        x.class_clear();
        for (const [aiko, oneWins, oneLoses] of others) x.class_dot(aiko, oneWins, oneLoses, 0);
        for (const { totals: [aiko, oneWins, oneLoses], current } of own) {
            x.class_dot(aiko, oneWins, oneLoses, current ? 2 : 1);
        }
        for (const [rounds, aiko, oneWins] of history) x.class_history(rounds, aiko, oneWins, rounds - aiko - oneWins);
    }

    // The class's pictures for a canvas of so many device pixels; the funnel of kind 0, 1 or 2.
    classGraph(width, height) { return this.#json(this.#exports.class_graph(width, height)); }
    classFunnel(kind, hideNames, selected, width, height) {
        return this.#json(this.#exports.class_funnel(kind, hideNames ? 1 : 0, selected, width, height));
    }
}
