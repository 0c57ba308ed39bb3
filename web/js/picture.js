// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// A picture box: a canvas inside a sunken border that keeps what was drawn on
// it. It holds the screen's real pixels at any pixel ratio and scale of the
// desktop (sharp on a projector, a tablet or a zoomed Chromebook): one of its
// design pixels is a block of device pixels, and text is drawn at full
// resolution without anti-aliasing, so the same drawing over itself changes
// nothing. What was drawn is kept too, and drawn again at a new ratio.

// Text is rasterised at this many samples a device pixel in each direction, then
// set pixel by pixel as a bilevel rasteriser does: a pixel whose centre the
// glyph covers, and the pixel nearest to a stroke too thin to cover a centre.
const SAMPLES = 5;

export class Picture {
    element;
    #canvas;
    #context;
    #inside;
    #pointSize;
    #families;
    #ratio = 0;
    #drawing = []; // since the last clear: what to draw again at a new ratio

    // rect: [left, top, width, height] of the box, border included; inside: [width, height];
    // font: { pointSize, families } (a CSS family list); ratio: device pixels to a design pixel.
    constructor(rect, inside, { pointSize, families }, name, ratio) {
        this.element = document.createElement('div');
        this.element.className = 'picture';
        Object.assign(this.element.style, {
            left: `${rect[0]}px`, top: `${rect[1]}px`, width: `${rect[2]}px`, height: `${rect[3]}px`,
        });
        this.#inside = inside;
        this.#pointSize = pointSize;
        this.#families = families;
        this.#canvas = document.createElement('canvas');
        this.#canvas.style.width = `${inside[0]}px`;
        this.#canvas.style.height = `${inside[1]}px`;
        this.#canvas.tabIndex = 0;
        this.#canvas.setAttribute('role', 'img');
        this.#canvas.setAttribute('aria-label', name);
        this.#context = this.#canvas.getContext('2d', { willReadFrequently: true });
        this.element.append(this.#canvas);
        this.resize(ratio);
    }

    get canvas() { return this.#canvas; }

    setName(name) { this.#canvas.setAttribute('aria-label', name); }

    // The picture as a document a screen reader reads line by line.
    setText(lines) {
        this.#canvas.setAttribute('role', 'document');
        this.#canvas.replaceChildren(...lines.map((line) => Object.assign(document.createElement('p'), { textContent: line })));
    }

    // At a new ratio the canvas takes the device's pixels and everything drawn is drawn again.
    resize(ratio) {
        if (ratio === this.#ratio) return;
        this.#ratio = ratio;
        this.#canvas.width = Math.round(this.#inside[0] * ratio);
        this.#canvas.height = Math.round(this.#inside[1] * ratio);
        const drawing = this.#drawing;
        this.clear();
        for (const step of drawing.slice(1)) step();
    }

    clear() {
        this.#context.fillStyle = '#ffffff';
        this.#context.fillRect(0, 0, this.#canvas.width, this.#canvas.height);
        this.#drawing = [() => this.clear()];
    }

    // The height of one printed line, in design pixels.
    lineHeight() {
        const { ascent, descent } = this.#metrics(this.#context, 1, 'あ');
        return Math.ceil(ascent + descent);
    }

    // pixels: [x, y, 0xRRGGBB, ...] in design pixels.
    plot(pixels) {
        this.#drawing.push(() => this.plot(pixels));
        const r = this.#ratio;
        for (let i = 0; i < pixels.length; i += 3) {
            const [left, top] = [Math.round(pixels[i] * r), Math.round(pixels[i + 1] * r)];
            this.#context.fillStyle = css(pixels[i + 2]);
            this.#context.fillRect(left, top, Math.round((pixels[i] + 1) * r) - left,
                Math.round((pixels[i + 1] + 1) * r) - top);
        }
    }

    // The text's top-left corner at (x, y) in design pixels, glyphs only: the
    // device pixels the glyphs set take the colour, the others stay as they were.
    print(x, y, rgb, text) {
        this.#drawing.push(() => this.print(x, y, rgb, text));
        const scale = this.#ratio * SAMPLES;
        const scratch = document.createElement('canvas');
        const context = scratch.getContext('2d', { willReadFrequently: true });
        const { width, ascent, descent } = this.#metrics(context, scale, text);
        const columns = Math.max(1, Math.ceil(width / SAMPLES) + 1);
        const rows = Math.max(1, Math.ceil((ascent + descent) / SAMPLES) + 1);
        scratch.width = columns * SAMPLES;
        scratch.height = rows * SAMPLES;
        context.font = this.#font(scale);
        context.fillText(text, 0, Math.round(ascent / SAMPLES) * SAMPLES);
        const set = bilevel(context.getImageData(0, 0, scratch.width, scratch.height), columns, rows);

        const left = Math.round(x * this.#ratio);
        const top = Math.round(y * this.#ratio);
        const target = this.#context.getImageData(left, top, columns, rows);
        const [red, green, blue] = [(rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255];
        set.forEach((on, i) => {
            if (!on) return;
            target.data.set([red, green, blue, 255], i * 4);
        });
        this.#context.putImageData(target, left, top);
    }

    #font(scale) {
        return `${this.#pointSize * scale}pt ${this.#families}`;
    }

    // The text's advance and the font's ascent and descent, at the given scale;
    // from the glyphs' own box, or the font size, where a browser lacks the font's box.
    #metrics(context, scale, text) {
        context.font = this.#font(scale);
        const m = context.measureText(text);
        const size = (this.#pointSize * scale * 4) / 3;
        return {
            width: m.width,
            ascent: m.fontBoundingBoxAscent ?? m.actualBoundingBoxAscent ?? size * 0.88,
            descent: m.fontBoundingBoxDescent ?? m.actualBoundingBoxDescent ?? size * 0.12,
        };
    }
}

// Which of columns x rows pixels a text sets, from its anti-aliased samples
// (SAMPLES x SAMPLES a pixel): along the rows and the columns through the
// pixels' centres, a run of covered samples sets the pixels whose centres it
// covers, or the one it lies in when it covers none, so thin strokes stay whole.
function bilevel(samples, columns, rows) {
    const set = new Uint8Array(columns * rows);
    const covered = (sx, sy) => samples.data[(sy * samples.width + sx) * 4 + 3] >= 128;
    const centre = Math.floor(SAMPLES / 2);
    const runs = (count, length, at, mark) => {
        for (let line = 0; line < count; ++line) {
            for (let s = 0; s < length * SAMPLES;) {
                if (!at(line, s)) { ++s; continue; }
                const start = s;
                while (s < length * SAMPLES && at(line, s)) ++s;
                const first = Math.ceil((start - centre) / SAMPLES);
                const last = Math.floor((s - 1 - centre) / SAMPLES);
                if (first <= last) for (let p = first; p <= last; ++p) mark(line, p);
                else mark(line, Math.floor((start + s - 1) / 2 / SAMPLES));
            }
        }
    };
    runs(rows, columns, (y, sx) => covered(sx, y * SAMPLES + centre), (y, x) => { set[y * columns + x] = 1; });
    runs(columns, rows, (x, sy) => covered(x * SAMPLES + centre, sy), (x, y) => { set[y * columns + x] = 1; });
    return set;
}

export function css(rgb) {
    return `#${rgb.toString(16).padStart(6, '0')}`;
}
