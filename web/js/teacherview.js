// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// A class on its teacher's page, as the desktop's window shows it: how to join
// (the code, the address and its QR code), the pooled tally as a table, the
// class's ratios as they settle and the funnel of every experiment, both drawn
// by the module. A dot is named under the pointer, chosen by a click, a tap or
// the arrow keys, and taken out of the class after the teacher's yes. The page
// follows the class over a WebSocket, and hears of it at most five times a
// second; a lost connection is made again, with a back-off.

import { ClassCanvas, kindChoice } from './classcanvas.js';
import { ask } from './question.js';

const REACH = 12; // CSS pixels between the pointer and a dot it names

const STATUS = {
    connected: '',
    offline: 'つながっていません（つなぎなおしています）',
    forbidden: 'このクラスのかぎがちがいます。先生のリンクを確かめてください。',
    unknown: 'このクラスは開かれていません。',
};

export class TeacherView {
    #module;
    #layout;
    #protocol;
    #texts;
    #code;
    #key;
    #url;
    #socket = null;
    #attempt = 0;
    #view = null;
    #kind = 0;
    #selected = null; // { student, experiment } of the chosen dot
    #graph;
    #funnel;
    #cells = [];

    // Called with the new class's code and key once the server has opened it.
    onNewClass = () => {};

    constructor(module, layout, { code, key }, url) {
        this.#module = module;
        this.#layout = layout;
        this.#protocol = layout.protocol;
        this.#texts = layout.teacher.texts;
        this.#code = code;
        this.#key = key;
        this.#url = url;
        document.getElementById('class').hidden = false;
        document.title = `${this.#texts.title} ${code}`;
        this.#buildJoin();
        this.#buildTally();
        this.#buildControls();
        this.#buildPictures();
        this.#connect();
    }

    #buildJoin() {
        const t = this.#texts;
        document.getElementById('codeLabel').textContent = t.code;
        document.getElementById('code').textContent = this.#code;
        document.getElementById('addressLabel').textContent = t.address;
        const address = `${window.location.origin}/?class=${this.#code}`;
        document.getElementById('address').textContent = address;
        const qr = document.getElementById('qr');
        qr.setAttribute('aria-label', `${t.address} ${address}`);
        fetch(`${this.#protocol.qrPath}?text=${encodeURIComponent(address)}`)
            .then((r) => r.json())
            .then(({ modules, quiet }) => {
                const draw = () => drawQr(qr, modules, quiet);
                draw();
                new ResizeObserver(draw).observe(qr);
            })
            .catch(() => {});
    }

    // The board's tally as a real table: its headings, row names, colours and italics.
    #buildTally() {
        const board = this.#layout.board;
        const head = document.querySelector('#tally thead tr');
        for (const heading of board.headings) {
            head.append(Object.assign(document.createElement('th'), { scope: 'col', textContent: heading.text }));
        }
        const body = document.querySelector('#tally tbody');
        for (const row of board.rows) {
            const tr = document.createElement('tr');
            const name = Object.assign(document.createElement('th'), { scope: 'row', textContent: row.caption.text });
            const count = document.createElement('td');
            const ratio = document.createElement('td');
            for (const cell of [name, count, ratio]) {
                if (row.caption.color) cell.style.color = row.caption.color;
                if (row.caption.italic) cell.classList.add('italic');
            }
            tr.append(name, count, ratio);
            body.append(tr);
            this.#cells.push([count, ratio]);
        }
    }

    #buildControls() {
        const t = this.#texts;
        document.getElementById('hideNamesLabel').textContent = t.hideNames;
        document.getElementById('hideNames').addEventListener('change', () => this.#drawFunnel());
        document.getElementById('revealLabel').textContent = t.reveal;
        const reveal = document.getElementById('reveal');
        reveal.addEventListener('change', () => {
            const { types, fields } = this.#protocol;
            this.#send({ [fields.type]: types.reveal, [fields.revealed]: reveal.checked });
        });
        const newClass = document.getElementById('newClass');
        newClass.textContent = t.newClass;
        newClass.addEventListener('click', () => this.#startNewClass());
        const download = document.getElementById('export');
        download.textContent = t.export;
        download.addEventListener('click', () => this.#export());
        const remove = document.getElementById('remove');
        remove.textContent = t.remove;
        remove.addEventListener('click', () => this.#removeSelected());
    }

    #buildPictures() {
        const t = this.#texts;
        const families = this.#layout.fonts.map((f) => `"${f}"`).join(', ');
        document.getElementById('graphTitle').textContent = t.graph;
        document.getElementById('funnelTitle').textContent = t.funnel;
        this.#graph = new ClassCanvas(document.getElementById('graph'), families,
            (w, h) => this.#module.classGraph(w, h));
        this.#funnel = new ClassCanvas(document.getElementById('funnel'), families,
            (w, h) => this.#module.classFunnel(this.#kind, this.#hideNames, this.#selectedIndex(), w, h));
        kindChoice(document.getElementById('kinds'), this.#layout.teacher.kinds, this.#kind, (kind) => {
            this.#kind = kind;
            this.#drawFunnel();
        });
        const canvas = this.#funnel.canvas;
        canvas.tabIndex = 0;
        canvas.addEventListener('pointermove', (e) => this.#name(this.#dotAt(e), e.clientX, e.clientY));
        canvas.addEventListener('pointerleave', () => this.#name(null));
        canvas.addEventListener('pointerdown', (e) => {
            const dot = this.#dotAt(e);
            this.#select(dot !== null && dot.student !== undefined ? dot : null);
        });
        canvas.addEventListener('keydown', (e) => this.#onKey(e));
        canvas.addEventListener('blur', () => this.#name(null));
    }

    get #hideNames() { return document.getElementById('hideNames').checked; }

    #connect() {
        const { types, fields } = this.#protocol;
        const socket = new WebSocket(this.#url);
        this.#socket = socket;
        socket.addEventListener('open', () => socket.send(JSON.stringify({
            [fields.type]: types.follow, [fields.class]: this.#code, [fields.key]: this.#key,
        })));
        socket.addEventListener('message', (e) => {
            const message = JSON.parse(e.data);
            if (message[fields.type] === types.class) {
                this.#attempt = 0;
                this.#status('connected');
                this.#show(message);
            } else if (message[fields.type] === types.opened) {
                this.onNewClass(message[fields.class], message[fields.key]);
            }
        });
        socket.addEventListener('close', (e) => {
            if (this.#socket !== socket) return;
            this.#socket = null;
            if (e.code === this.#protocol.forbidden) return this.#status('forbidden');
            if (e.code === this.#protocol.unknownClass) return this.#status('unknown');
            this.#status('offline');
            const { retryMinMs, retryMaxMs } = this.#protocol;
            const ceiling = Math.min(retryMaxMs, retryMinMs * 2 ** this.#attempt++);
            setTimeout(() => this.#connect(), retryMinMs + Math.random() * (ceiling - retryMinMs));
        });
    }

    #status(state) {
        document.getElementById('status').textContent = STATUS[state];
        document.getElementById('class').dataset.state = state;
    }

    #send(message) {
        this.#socket?.send(JSON.stringify(message));
    }

    #show(view) {
        this.#view = view;
        document.getElementById('reveal').checked = view.revealed;
        document.getElementById('headlines').textContent = view.headlines.join('\n');
        this.#cells.forEach(([count, ratio], i) => {
            count.textContent = String(view.counts[i]);
            ratio.textContent = view.ratios[i];
        });
        this.#module.setClass(view);
        // A chosen experiment that has left the class is chosen no more.
        if (this.#selectedIndex() < 0) this.#selected = null;
        this.#graph.redraw();
        const kinds = this.#layout.teacher.kinds;
        const totals = [0, 4, 8].map((row) => view.ratios[row]);
        this.#graph.canvas.setAttribute('aria-label',
            `${this.#texts.graph}: ${kinds.map((k, i) => `${k.name} ${totals[i]}`).join('、')}`);
        this.#drawFunnel();
    }

    // The experiments the funnel shows, in its order: those with a round.
    #dots() {
        return (this.#view?.experiments ?? []).filter((e) => e.rounds > 0);
    }

    #selectedIndex() {
        const s = this.#selected;
        return s === null ? -1 : this.#dots().findIndex((e) => e.student === s.student && e.experiment === s.experiment);
    }

    #drawFunnel() {
        this.#funnel.redraw();
        const index = this.#selectedIndex();
        document.getElementById('remove').disabled = index < 0;
        const dot = index >= 0 ? this.#funnel.picture?.dots[index] : null;
        this.#funnel.canvas.setAttribute('aria-label', dot ? `${this.#texts.funnel}: ${dot[4]}` : this.#texts.funnel);
    }

    // The dot under a pointer event, within reach: { student, experiment, label, x, y } in CSS pixels,
    // or the class's own dot ({ label, x, y }), or null.
    #dotAt(event) {
        const picture = this.#funnel.picture;
        if (!picture) return null;
        const box = this.#funnel.canvas.getBoundingClientRect();
        const [px, py] = [event.clientX - box.left, event.clientY - box.top];
        let best = null;
        let bestDistance = REACH;
        for (const [x, y, student, experiment, label] of picture.dots) {
            const [cx, cy] = this.#funnel.toCss(x, y);
            const distance = Math.hypot(cx - px, cy - py);
            if (distance <= bestDistance) {
                bestDistance = distance;
                best = { student, experiment, label, x: box.left + cx, y: box.top + cy };
            }
        }
        if (best === null && picture.pooled) {
            const [cx, cy] = this.#funnel.toCss(picture.pooled[0], picture.pooled[1]);
            if (Math.hypot(cx - px, cy - py) <= REACH) {
                best = { label: picture.pooled[2], x: box.left + cx, y: box.top + cy };
            }
        }
        return best;
    }

    // The dot's name beside it (or beside the pointer), or none.
    #name(dot, x = dot?.x, y = dot?.y) {
        const tip = document.getElementById('dotName');
        if (dot === null) {
            tip.hidden = true;
            return;
        }
        tip.textContent = dot.label;
        tip.hidden = false;
        tip.style.left = `${Math.min(x + 14, window.innerWidth - tip.offsetWidth - 4)}px`;
        tip.style.top = `${Math.max(4, y - tip.offsetHeight - 10)}px`;
    }

    #select(dot) {
        this.#selected = dot === null ? null : { student: dot.student, experiment: dot.experiment };
        this.#drawFunnel();
        const index = this.#selectedIndex();
        const chosen = index >= 0 ? this.#funnel.picture.dots[index] : null;
        if (chosen === null) {
            this.#name(null);
            return;
        }
        const box = this.#funnel.canvas.getBoundingClientRect();
        const [cx, cy] = this.#funnel.toCss(chosen[0], chosen[1]);
        this.#name({ label: chosen[4], x: box.left + cx, y: box.top + cy });
        document.getElementById('dotSpeech').textContent = chosen[4];
    }

    #onKey(event) {
        const dots = this.#dots();
        const index = this.#selectedIndex();
        let next;
        if (event.key === 'ArrowRight' || event.key === 'ArrowDown') next = Math.min(dots.length - 1, index + 1);
        else if (event.key === 'ArrowLeft' || event.key === 'ArrowUp') next = index < 0 ? dots.length - 1 : Math.max(0, index - 1);
        else if (event.key === 'Escape') next = -1;
        else if (event.key === 'Delete' && index >= 0) {
            event.preventDefault();
            this.#removeSelected();
            return;
        } else return;
        event.preventDefault();
        this.#select(next >= 0 && dots[next] ? dots[next] : null);
    }

    async #question(text, title) {
        const exit = this.#layout.board.exit;
        return await ask({ ...exit, question: text, title }) === exit.yes;
    }

    async #removeSelected() {
        const index = this.#selectedIndex();
        if (index < 0) return;
        const [, , student, experiment, label] = this.#funnel.picture.dots[index];
        if (!await this.#question(this.#texts.removeQuestion.replace('%1', label), this.#texts.removeTitle)) return;
        const { types, fields } = this.#protocol;
        this.#send({ [fields.type]: types.remove, [fields.student]: student, [fields.experiment]: experiment });
        this.#selected = null;
        this.#drawFunnel();
        this.#funnel.canvas.focus();
    }

    async #startNewClass() {
        const t = this.#texts;
        if (!await this.#question(t.newClassQuestion.replace('%1', this.#code), t.newClassTitle)) return;
        if (this.#socket === null) {
            document.getElementById('status').textContent = t.newClassFailed;
            return;
        }
        const { types, fields } = this.#protocol;
        this.#send({ [fields.type]: types.newClass });
    }

    // The class's experiments as CSV, saved as the browser saves a download.
    async #export() {
        const { exportPath, keyHeader } = this.#protocol;
        const response = await fetch(`${exportPath}?class=${encodeURIComponent(this.#code)}`,
            { headers: { [keyHeader]: this.#key }, cache: 'no-store' }).catch(() => null);
        if (!response?.ok) {
            document.getElementById('status').textContent = '書き出せませんでした。';
            return;
        }
        const link = Object.assign(document.createElement('a'), {
            href: URL.createObjectURL(await response.blob()), download: `nuperako-${this.#code}.csv`,
        });
        document.body.append(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    }
}

// A QR code in whole device pixels per module, with its quiet zone.
function drawQr(canvas, modules, quiet) {
    const ratio = window.devicePixelRatio;
    const box = canvas.getBoundingClientRect();
    const side = Math.floor(Math.min(box.width, box.height) * ratio);
    if (side === 0 || modules.length === 0) return;
    canvas.width = side;
    canvas.height = side;
    const size = Math.max(1, Math.floor(side / (modules.length + 2 * quiet)));
    const origin = Math.floor((side - size * modules.length) / 2);
    const c = canvas.getContext('2d');
    c.fillStyle = '#ffffff';
    c.fillRect(0, 0, side, side);
    c.fillStyle = '#000000';
    modules.forEach((row, y) => {
        for (let x = 0; x < row.length; ++x) {
            if (row[x] === '1') c.fillRect(origin + x * size, origin + y * size, size, size);
        }
    });
}
