// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// A picture box: a canvas inside a sunken border that keeps what was drawn on
// it. It holds the device's pixels (sharp on a projector or a tablet): one of
// its pixels is a block of device pixels, and text is drawn at full resolution
// but without anti-aliasing, so the same drawing over itself changes nothing.

export const FONT_FAMILIES = '"ＭＳ Ｐゴシック", "MS PGothic", "Nuperako Gothic"';

export class Picture {
    element;
    #canvas;
    #context;
    #ratio;
    #font;

    // rect: [left, top, width, height] of the box, border included; inside: [width, height].
    constructor(rect, inside, pointSize, name) {
        this.element = document.createElement('div');
        this.element.className = 'picture';
        Object.assign(this.element.style, {
            left: `${rect[0]}px`, top: `${rect[1]}px`, width: `${rect[2]}px`, height: `${rect[3]}px`,
        });
        this.#ratio = Math.max(1, Math.round(window.devicePixelRatio || 1));
        this.#canvas = document.createElement('canvas');
        this.#canvas.width = inside[0] * this.#ratio;
        this.#canvas.height = inside[1] * this.#ratio;
        this.#canvas.style.width = `${inside[0]}px`;
        this.#canvas.style.height = `${inside[1]}px`;
        this.#canvas.tabIndex = 0;
        this.#canvas.setAttribute('role', 'img');
        this.#canvas.setAttribute('aria-label', name);
        this.#context = this.#canvas.getContext('2d', { willReadFrequently: true });
        this.#font = `${pointSize * this.#ratio}pt ${FONT_FAMILIES}`;
        this.element.append(this.#canvas);
        this.clear();
    }

    get canvas() { return this.#canvas; }

    setName(name) { this.#canvas.setAttribute('aria-label', name); }

    // What a screen reader reads as the picture's content.
    setText(lines) {
        this.#canvas.replaceChildren(...lines.map((line) => Object.assign(document.createElement('p'), { textContent: line })));
    }

    clear() {
        this.#context.fillStyle = '#ffffff';
        this.#context.fillRect(0, 0, this.#canvas.width, this.#canvas.height);
    }

    // The height of one printed line, in the picture's pixels.
    lineHeight() {
        this.#context.font = this.#font;
        const m = this.#context.measureText('あ');
        return Math.ceil(m.fontBoundingBoxAscent + m.fontBoundingBoxDescent) / this.#ratio;
    }

    // pixels: [x, y, 0xRRGGBB, ...] in the picture's pixels.
    plot(pixels) {
        const r = this.#ratio;
        for (let i = 0; i < pixels.length; i += 3) {
            this.#context.fillStyle = css(pixels[i + 2]);
            this.#context.fillRect(pixels[i] * r, pixels[i + 1] * r, r, r);
        }
    }

    // The text's top-left corner at (x, y), glyphs only: every device pixel that
    // the glyphs cover at least half takes the colour, the others stay as they were.
    print(x, y, rgb, text) {
        const scratch = document.createElement('canvas');
        const context = scratch.getContext('2d', { willReadFrequently: true });
        context.font = this.#font;
        const m = context.measureText(text);
        scratch.width = Math.max(1, Math.ceil(m.width) + 2);
        scratch.height = Math.max(1, Math.ceil(m.fontBoundingBoxAscent + m.fontBoundingBoxDescent) + 2);
        context.font = this.#font;
        context.fillStyle = '#000000';
        context.fillText(text, 0, Math.ceil(m.fontBoundingBoxAscent));
        const glyphs = context.getImageData(0, 0, scratch.width, scratch.height);
        const left = Math.round(x * this.#ratio);
        const top = Math.round(y * this.#ratio);
        const target = this.#context.getImageData(left, top, scratch.width, scratch.height);
        const [red, green, blue] = [(rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255];
        for (let i = 0; i < glyphs.data.length; i += 4) {
            if (glyphs.data[i + 3] >= 128) {
                target.data[i] = red;
                target.data[i + 1] = green;
                target.data[i + 2] = blue;
                target.data[i + 3] = 255;
            }
        }
        this.#context.putImageData(target, left, top);
    }
}

export function css(rgb) {
    return `#${rgb.toString(16).padStart(6, '0')}`;
}
