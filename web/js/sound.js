// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The two chimes, one at a time. A browser that blocks audio, or a file that
// is missing or broken, plays nothing and changes nothing else.

export class Sound {
    #playing = null;

    play(file) {
        this.#playing?.pause();
        const audio = new Audio(`sounds/${file}`);
        audio.addEventListener('error', () => {});
        audio.play().catch(() => {});
        this.#playing = audio;
    }

    stop() {
        this.#playing?.pause();
        this.#playing = null;
    }
}
