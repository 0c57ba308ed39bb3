// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// One of a class's pictures on a page: a canvas that fills its box in the
// device's own pixels, drawn by the module (the desktop's drawing) whenever it
// is asked to or its size or pixel ratio changes. The drawing's pixels are
// square blocks of device pixels, so its lines thicken with its size and stay
// sharp at any ratio.

import { css } from './picture.js';

// The kinds of result as a group of radio buttons in their colours, the chosen one checked;
// onChoose(kind) hears a choice: 0 draws, 1 wins alone, 2 losses alone.
export function kindChoice(group, kinds, chosen, onChoose) {
    group.setAttribute('role', 'radiogroup');
    kinds.forEach(({ name, color }, kind) => {
        const button = Object.assign(document.createElement('button'), { type: 'button', textContent: name });
        button.setAttribute('role', 'radio');
        button.setAttribute('aria-checked', String(kind === chosen));
        button.style.color = color;
        button.addEventListener('click', () => {
            for (const b of group.children) b.setAttribute('aria-checked', String(b === button));
            onChoose(kind);
        });
        group.append(button);
    });
}

export class ClassCanvas {
    #canvas;
    #context;
    #families;
    #draw; // (width, height) in device pixels -> the module's picture
    #picture = null;

    // box: the element the canvas fills; draw(width, height) returns the module's picture.
    constructor(box, families, draw) {
        this.#families = families;
        this.#draw = draw;
        this.#canvas = document.createElement('canvas');
        this.#canvas.setAttribute('role', 'img');
        this.#context = this.#canvas.getContext('2d');
        box.append(this.#canvas);
        new ResizeObserver(() => this.redraw()).observe(box);
        const watchRatio = () => matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`)
            .addEventListener('change', () => { this.redraw(); watchRatio(); }, { once: true });
        watchRatio();
    }

    get canvas() { return this.#canvas; }
    // The picture last drawn, as the module gave it: its drawing and whatever else it holds.
    get picture() { return this.#picture; }

    // A point of the canvas, in CSS pixels from its corner, in device pixels.
    toDevice(x, y) { return [x * window.devicePixelRatio, y * window.devicePixelRatio]; }
    // A point in device pixels, in CSS pixels from the canvas's corner.
    toCss(x, y) { return [x / window.devicePixelRatio, y / window.devicePixelRatio]; }

    redraw() {
        const parent = this.#canvas.parentElement;
        const box = parent.getBoundingClientRect();
        if (box.width === 0 || box.height === 0) return;
        // On a scaled desktop the box's CSS pixels are not the screen's: its size on the screen counts.
        const ratio = window.devicePixelRatio * (box.width / parent.offsetWidth);
        const [width, height] = [Math.round(box.width * window.devicePixelRatio),
            Math.round(box.height * window.devicePixelRatio)];
        Object.assign(this.#canvas.style, { width: `${width / ratio}px`, height: `${height / ratio}px` });
        if (this.#canvas.width !== width) this.#canvas.width = width;
        if (this.#canvas.height !== height) this.#canvas.height = height;
        this.#picture = this.#draw(width, height);
        const { drawing, block, textPixels } = this.#picture;
        const c = this.#context;
        c.fillStyle = '#ffffff';
        c.fillRect(0, 0, width, height);
        const { pixels, texts } = drawing;
        for (let i = 0; i < pixels.length; i += 3) {
            c.fillStyle = css(pixels[i + 2]);
            c.fillRect(pixels[i] * block, pixels[i + 1] * block, block, block);
        }
        c.font = `bold ${textPixels}px ${this.#families}`;
        c.textBaseline = 'top';
        for (const [x, y, rgb, text] of texts) {
            c.fillStyle = css(rgb);
            c.fillText(text, x * block, y * block);
        }
    }
}
