// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The help window: on every activation the picture is cleared and the 29
// lines printed where the module places them; its close button shows the board again.

import { Picture } from './picture.js';
import { closeButton, line } from './parts.js';

export class HelpWindow {
    #window;

    constructor(module, layout, { name, families }, desktop, showBoard) {
        const picture = new Picture(layout.picture.rect, layout.picture.inside,
            { pointSize: layout.picture.pointSize, families }, name, desktop.pixelRatio);
        const { lines, drawing } = module.help(picture.lineHeight());
        picture.setText(lines);
        const close = closeButton('Form4', layout.close, () => {
            this.#window.close();
            showBoard();
        });
        this.#window = desktop.open({
            id: 'Form4', caption: layout.caption, client: layout.client,
            onActivate: () => {
                picture.clear();
                for (const [x, y, rgb, text] of drawing.texts) picture.print(x, y, rgb, text);
            },
            onClose: () => this.#window.close(),
            onRescale: (ratio) => picture.resize(ratio),
        });
        // Command1 first: it holds the focus when the window opens.
        this.#window.client.append(close, picture.element, line(layout.line));
    }

    get window() { return this.#window; }
}
