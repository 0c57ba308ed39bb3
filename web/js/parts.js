// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// What the three windows' elements share.

// rect: [left, top, width, height] in the client area's CSS pixels.
export function place(element, [left, top, width, height]) {
    Object.assign(element.style, { left: `${left}px`, top: `${top}px`, width: `${width}px`, height: `${height}px` });
}

// A secondary window's Command1, "閉じる".
export function closeButton(windowId, { caption, rect }, onClick) {
    const button = document.createElement('button');
    button.id = `${windowId}-Command1`;
    button.type = 'button';
    button.className = 'small';
    button.textContent = caption;
    place(button, rect);
    button.addEventListener('click', onClick);
    return button;
}

export function line(rect) {
    const element = document.createElement('div');
    element.className = 'line';
    place(element, rect);
    return element;
}
