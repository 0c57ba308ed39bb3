// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// Windows inside the page, like the desktop's: a title bar to move them by, a
// close box, and one active window. Activating a window that was not active
// (by a click or a touch anywhere on it, or by focus moving into it) brings it
// to the front, gives it the keyboard focus and runs its activation. The Tab
// key goes round the active window's controls only.

export class Desktop {
    #element;
    #windows = [];
    #active = null;
    #origin;
    #scale = 1;
    frame;

    // origin: the screen point, in CSS pixels, shown at the desktop's top-left corner;
    // frame: { titleHeight, closeName } of every window's frame.
    constructor(element, origin, frame) {
        this.#element = element;
        this.#origin = origin;
        this.frame = frame;
        document.documentElement.style.setProperty('--title-height', `${frame.titleHeight}px`);
        document.addEventListener('keydown', (event) => {
            if (event.key !== 'Tab' || this.#active === null || document.querySelector('dialog[open]')) return;
            event.preventDefault();
            this.#active.focusNext(event.shiftKey ? -1 : 1);
        });
    }

    get activeWindow() { return this.#active; }
    get windows() { return [...this.#windows]; }
    // CSS pixels on the screen to a design pixel.
    get scale() { return this.#scale; }
    // Device pixels to a design pixel: what a picture needs to be sharp.
    get pixelRatio() { return (window.devicePixelRatio || 1) * this.#scale; }

    // The desktop shown at a new scale, or on a screen of another pixel ratio.
    rescale(scale) {
        this.#scale = scale;
        for (const w of this.#windows) w.onRescale(this.pixelRatio);
    }

    // client: [left, top, width, height] of the client area on the design's screen;
    // onRescale(pixelRatio) follows a change of the screen's pixels.
    open({ id, caption, client, onActivate = () => {}, onClose = () => {}, onRescale = () => {} }) {
        const win = new PageWindow(this, { id, caption, client, onActivate, onClose, onRescale });
        this.#windows.push(win);
        this.#element.append(win.element);
        return win;
    }

    activate(win) {
        this.#windows = [...this.#windows.filter((w) => w !== win), win];
        this.#windows.forEach((w, i) => { w.element.style.zIndex = String(i + 1); });
        if (this.#active === win) return;
        this.#active?.element.classList.remove('active');
        this.#active = win;
        win.element.classList.add('active');
        win.takeFocus();
        win.onActivate();
    }

    // Removes the window; the front one of the others becomes active, as on a desktop.
    remove(win) {
        this.#windows = this.#windows.filter((w) => w !== win);
        win.element.remove();
        if (this.#active !== win) return;
        this.#active = null;
        const next = this.#windows.at(-1);
        if (next) this.activate(next);
    }

    clear() {
        for (const w of this.#windows) w.element.remove();
        this.#windows = [];
        this.#active = null;
    }

    place(element, [left, top]) {
        element.style.left = `${left - this.#origin[0]}px`;
        element.style.top = `${top - this.#origin[1]}px`;
    }
}

class PageWindow {
    element;
    client;
    onActivate;
    onRescale;
    #desktop;
    #onClose;
    #lastFocus = null;

    constructor(desktop, { id, caption, client, onActivate, onClose, onRescale }) {
        this.#desktop = desktop;
        this.onActivate = onActivate;
        this.onRescale = onRescale;
        this.#onClose = onClose;

        this.element = document.createElement('section');
        this.element.className = 'window';
        this.element.id = id;
        this.element.setAttribute('aria-label', caption.trim());
        const title = document.createElement('header');
        title.className = 'title';
        const text = document.createElement('span');
        text.textContent = caption;
        const close = document.createElement('button');
        close.className = 'close-box';
        close.type = 'button';
        close.tabIndex = -1;
        close.setAttribute('aria-label', desktop.frame.closeName);
        close.textContent = '×';
        close.addEventListener('click', () => this.#onClose());
        title.append(text, close);
        this.client = document.createElement('div');
        this.client.className = 'client';
        this.client.style.width = `${client[2]}px`;
        this.client.style.height = `${client[3]}px`;
        this.element.append(title, this.client);
        // The title bar's height is the frame's: the client area stands at its design place.
        desktop.place(this.element, [client[0], client[1] - desktop.frame.titleHeight]);

        this.element.addEventListener('pointerdown', () => desktop.activate(this), { capture: true });
        this.element.addEventListener('focusin', (event) => {
            this.#lastFocus = event.target;
            // Focus that comes back from another program, or from nowhere, activates nothing.
            if (event.relatedTarget !== null) desktop.activate(this);
        });
        this.#dragBy(title);
    }

    close() { this.#desktop.remove(this); }

    // The controls that the Tab key reaches, in their order.
    #controls() {
        return [...this.client.querySelectorAll('button, [tabindex="0"]')].filter((c) => !c.disabled);
    }

    // Where the focus was in this window when it was last active, or its first control.
    takeFocus() {
        if (this.element.contains(document.activeElement)) return;
        const last = this.#lastFocus;
        (last?.isConnected && !last.disabled ? last : this.#controls()[0])?.focus();
    }

    // The next control after the focused one (step 1) or the one before it (step -1), round the window.
    focusNext(step) {
        const controls = this.#controls();
        if (controls.length === 0) return;
        const at = controls.indexOf(document.activeElement);
        const next = at < 0 ? (step > 0 ? 0 : controls.length - 1) : (at + step + controls.length) % controls.length;
        controls[next].focus();
    }

    // The focused control was disabled: the focus goes on to the next enabled one in order, as on the desktop.
    focusAfter(control, order) {
        const at = order.indexOf(control);
        for (let i = 1; i < order.length; ++i) {
            const next = order[(at + i) % order.length];
            if (!next.disabled) {
                next.focus();
                return;
            }
        }
    }

    #dragBy(handle) {
        handle.addEventListener('pointerdown', (event) => {
            if (event.target !== handle && event.target.parentElement !== handle) return;
            if (event.target.closest('button')) return;
            const start = { x: event.clientX, y: event.clientY };
            const at = { left: this.element.offsetLeft, top: this.element.offsetTop };
            handle.setPointerCapture(event.pointerId);
            const move = (e) => {
                const scale = this.#desktop.scale;
                this.element.style.left = `${at.left + (e.clientX - start.x) / scale}px`;
                this.element.style.top = `${Math.max(0, at.top + (e.clientY - start.y) / scale)}px`;
            };
            const stop = () => {
                handle.removeEventListener('pointermove', move);
                handle.removeEventListener('pointerup', stop);
                handle.removeEventListener('pointercancel', stop);
            };
            handle.addEventListener('pointermove', move);
            handle.addEventListener('pointerup', stop);
            handle.addEventListener('pointercancel', stop);
        });
    }
}
