// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The graph window: on every activation the module draws the whole graph over
// the picture as it stands; closing the window drops the picture.

import { Picture } from './picture.js';
import { closeButton, line } from './parts.js';

export class GraphWindow {
    #window;
    #picture;

    constructor(module, layout, families, desktop) {
        this.#window = desktop.open({
            id: 'Form2', caption: layout.caption, client: layout.client,
            onActivate: () => this.#draw(module),
            onClose: () => this.#window.close(),
            onRescale: (ratio) => this.#picture.resize(ratio),
        });
        this.#picture = new Picture(layout.picture.rect, layout.picture.inside,
            { pointSize: layout.picture.pointSize, families }, '', desktop.pixelRatio);
        this.#window.client.append(
            this.#picture.element,
            closeButton('Form2', layout.close, () => this.#window.close()),
            line(layout.line),
        );
    }

    get window() { return this.#window; }

    #draw(module) {
        const { drawing, summary } = module.graph(this.#picture.lineHeight());
        this.#picture.plot(drawing.pixels);
        for (const [x, y, rgb, text] of drawing.texts) this.#picture.print(x, y, rgb, text);
        this.#picture.setName(summary);
    }
}
