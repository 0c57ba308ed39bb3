// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The help window: on every activation the picture is cleared and the 29
// lines printed one below the other; its close button shows the board again.

import { Picture } from './picture.js';
import { closeButton, line } from './parts.js';

export class HelpWindow {
    #window;

    constructor(lines, layout, name, desktop, showBoard) {
        const picture = new Picture(layout.picture.rect, layout.picture.inside, layout.picture.pointSize, name,
            desktop.pixelRatio);
        picture.setText(lines);
        const close = closeButton('Form4', layout.close, () => {
            this.#window.close();
            showBoard();
        });
        this.#window = desktop.open({
            id: 'Form4', caption: layout.caption, client: layout.client,
            onActivate: () => {
                picture.clear();
                const height = picture.lineHeight();
                lines.forEach((text, i) => { if (text) picture.print(0, i * height, 0x000000, text); });
            },
            onClose: () => this.#window.close(),
            onRescale: (ratio) => picture.resize(ratio),
        });
        // Command1 first: it holds the focus when the window opens.
        this.#window.client.append(close, picture.element, line(layout.line));
    }

    get window() { return this.#window; }
}
