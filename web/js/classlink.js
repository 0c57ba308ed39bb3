// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The page's link to the class on the teacher's machine, when it was opened
// from there (?class=CODE). The page is the source of truth for its own
// experiments: after every round it keeps the experiment's whole tally, with
// a sequence number, in localStorage until the server acknowledges it as
// written, and sends it again after every reconnection. A reset on the board
// starts the next experiment; the finished one stays in the class, unless the
// teacher takes it out: then the board starts a new one. The messages, their
// fields, the close codes and the limits are the protocol's, from the module.
// While the class's window is open the link watches the class: the server
// sends what every student sees of it, numbers only; the link knows which of
// those numbers the server may hold of this page's own experiments.

const PREFIX = 'nuperako.class.';
const ALIVE_MS = 2000; // how often a tab says, in its record, that it is still there
const ORPHAN_MS = 10000; // a record not said alive for so long belongs to a closed tab
const SLOW_MS = 500; // a state unacknowledged for longer shows "送っています"

const TEXT = {
    connected: 'つながっています',
    sending: '送っています',
    offline: 'つながっていません（あとで送ります）',
    unknown: 'このクラスは開かれていません',
    removed: '先生がこの実験を集計から外しました。新しい実験を始めてください',
};

function randomId() {
    const bytes = crypto.getRandomValues(new Uint8Array(16));
    return Array.from(bytes, (b) => b.toString(16).padStart(2, '0')).join('');
}

// An experiment's draws, wins alone and losses alone: the board's three totals among its nine counts.
function totalsOf(counts) { return [counts[0], counts[4], counts[8]]; }

export class ClassLink {
    #protocol;
    #code;
    #device;
    // { experiment, seq, pending: { [experiment]: { seq, counts, ended, since } }, alive,
    //   mine: { [experiment]: { now: totals, held: [[seq, totals], ...] } } }: an experiment's totals
    //   (draws, wins alone, losses alone) now, and those the server may hold of it
    #record;
    #watcher = null; // the class's window: { show(overview), ownChanged() }
    #fresh = true; // the next round begins a new experiment
    #last = null; // the tally last recorded, as JSON text
    #socket = null;
    #joined = false;
    #joinedOnce = false; // since the page was opened
    #unknown = false; // the server has no such class open: a mistyped address, or a class of another day
    #sent = new Map(); // experiment -> seq sent on this connection
    #attempt = 0;
    #sendTimer = null;
    #strip;
    #seat;
    #status;
    #note;
    #channel = typeof BroadcastChannel === 'function' ? new BroadcastChannel('nuperako.class') : null;

    // The class's code from the page's address, or null outside a class.
    static codeOf(location) {
        const code = new URLSearchParams(location.search).get('class');
        return code ? code.trim().toUpperCase() : null;
    }

    constructor(code, strip, protocol) {
        this.#protocol = protocol;
        this.#code = code;
        this.#strip = strip;
        this.#seat = strip.querySelector('#seat');
        this.#status = strip.querySelector('#connection');
        this.#note = strip.querySelector('#classNote');
        this.#seat.maxLength = protocol.seatLength;
        strip.querySelector('#classCode').textContent = code;
        strip.hidden = false;
        this.#device = this.#takeDevice();
        this.#record = this.#load(this.#device) ?? { experiment: 0, seq: 0, pending: {}, alive: 0 };
        this.#record.mine ??= {};
        this.#save();
        setInterval(() => this.#save(), ALIVE_MS);
        window.addEventListener('pagehide', () => { this.#record.alive = 0; this.#store(); });
        this.#seat.addEventListener('change', () => this.#rename());
        this.#connect();
        setInterval(() => this.#showStatus(), SLOW_MS);
    }

    // Called when the teacher has taken the board's experiment out of the class: the board starts a new one.
    onRemoved = () => {};

    // Hears every state the board shows; a round changes the tally.
    observe(state) {
        if (state.rounds > 0) this.#note.hidden = true;
        if (state.rounds === 0) {
            this.#fresh = true;
            this.#last = null;
            return;
        }
        const tally = JSON.stringify([state.tally, state.ended]);
        if (tally === this.#last) return;
        this.#last = tally;
        if (this.#fresh) {
            this.#fresh = false;
            this.#record.experiment += 1;
            this.#record.seq = 0;
        }
        this.#record.seq += 1;
        const since = this.#record.pending[this.#record.experiment]?.since ?? Date.now();
        this.#record.pending[this.#record.experiment] = {
            seq: this.#record.seq, counts: state.tally, ended: state.ended, since,
        };
        const mine = this.#record.mine[this.#record.experiment] ??= { now: null, held: [] };
        mine.now = totalsOf(state.tally);
        this.#save();
        this.#scheduleSend();
        this.#watcher?.ownChanged();
    }

    // The class's window opens (watcher) or closes (null): the server sends the class while it is open.
    watch(watcher) {
        this.#watcher = watcher;
        this.#sendWatch();
    }

    // This page's experiments in the class: each one's totals now, those the server may hold of it, the
    // newest first, and whether it is the board's current one.
    get own() {
        return Object.entries(this.#record.mine).map(([experiment, { now, held }]) => ({
            now,
            held: held.map(([, totals]) => totals).reverse(),
            current: !this.#fresh && Number(experiment) === this.#record.experiment,
        }));
    }

    // This tab's device id: kept for the tab in sessionStorage, so a reload keeps
    // it; a new tab takes over the record of a closed one that still has states
    // to send, or makes a new id. A duplicated tab, which copies sessionStorage,
    // hears from the original that the id is taken and makes its own.
    #takeDevice() {
        let device = sessionStorage.getItem('nuperako.device');
        if (device === null) {
            device = this.#orphan() ?? randomId();
            sessionStorage.setItem('nuperako.device', device);
        }
        if (this.#channel !== null) {
            this.#channel.onmessage = ({ data }) => {
                if (data.hello === this.#device) this.#channel.postMessage({ taken: this.#device });
                if (data.taken === this.#device && !this.#joinedOnce) this.#renew();
            };
            this.#channel.postMessage({ hello: device });
        }
        return device;
    }

    #renew() {
        this.#device = randomId();
        sessionStorage.setItem('nuperako.device', this.#device);
        this.#record = { experiment: 0, seq: 0, pending: {}, alive: 0, mine: {} };
        this.#save();
        this.#socket?.close();
    }

    #orphan() {
        const now = Date.now();
        for (let i = 0; i < localStorage.length; ++i) {
            const key = localStorage.key(i);
            if (!key?.startsWith(`${PREFIX}${this.#code}.`)) continue;
            const record = JSON.parse(localStorage.getItem(key) ?? 'null');
            if (record !== null && now - record.alive > ORPHAN_MS && Object.keys(record.pending).length > 0) {
                return key.slice(PREFIX.length + this.#code.length + 1);
            }
        }
        return null;
    }

    #key(device) { return `${PREFIX}${this.#code}.${device}`; }

    #load(device) {
        try {
            return JSON.parse(localStorage.getItem(this.#key(device)) ?? 'null');
        } catch {
            return null;
        }
    }

    #save() {
        this.#record.alive = Date.now();
        this.#store();
    }

    #store() {
        try {
            localStorage.setItem(this.#key(this.#device), JSON.stringify(this.#record));
        } catch {
            // A full or forbidden storage: the states are still sent while the page is open.
        }
    }

    #connect() {
        const url = new URL('ws', window.location.href);
        url.protocol = url.protocol === 'https:' ? 'wss:' : 'ws:';
        url.search = '';
        const socket = new WebSocket(url);
        this.#socket = socket;
        socket.addEventListener('open', () => {
            const { types, fields } = this.#protocol;
            socket.send(JSON.stringify({
                [fields.type]: types.join, [fields.class]: this.#code, [fields.device]: this.#device,
            }));
        });
        socket.addEventListener('message', (event) => this.#receive(JSON.parse(event.data)));
        socket.addEventListener('close', (event) => {
            if (this.#socket !== socket) return;
            this.#socket = null;
            this.#joined = false;
            this.#sent.clear();
            this.#unknown = event.code === this.#protocol.unknownClass;
            this.#showStatus();
            if (this.#unknown) return;
            // Exponential back-off with jitter, so that a class's pages do not all hit a restarted server at once.
            const { retryMinMs, retryMaxMs } = this.#protocol;
            const ceiling = Math.min(retryMaxMs, retryMinMs * 2 ** this.#attempt++);
            setTimeout(() => this.#connect(), retryMinMs + Math.random() * (ceiling - retryMinMs));
        });
    }

    #receive(message) {
        const { types, fields } = this.#protocol;
        switch (message[fields.type]) {
        case types.joined:
            this.#joined = true;
            this.#joinedOnce = true;
            this.#attempt = 0;
            this.#showSeat(message[fields.seat]);
            this.#scheduleSend(0);
            this.#sendWatch();
            break;
        case types.seat:
            this.#showSeat(message[fields.seat]);
            break;
        case types.overview:
            this.#watcher?.show(message);
            break;
        case types.later:
            this.#sent.delete(String(message[fields.experiment]));
            setTimeout(() => this.#scheduleSend(0), this.#protocol.laterMs);
            break;
        case types.removed: {
            const experiment = String(message[fields.experiment]);
            if (!this.#fresh && message[fields.experiment] === this.#record.experiment) {
                this.onRemoved();
                this.#note.textContent = TEXT.removed;
                this.#note.hidden = false;
            }
            // Whatever the board played of it since is not the class's either.
            delete this.#record.pending[experiment];
            delete this.#record.mine[experiment];
            this.#watcher?.ownChanged();
            this.#sent.delete(experiment);
            this.#save();
            break;
        }
        case types.ack: {
            const pending = this.#record.pending[message[fields.experiment]];
            if (pending !== undefined && pending.seq <= message[fields.seq]) {
                delete this.#record.pending[message[fields.experiment]];
            }
            // The server holds this state or a newer one of the experiment now.
            const mine = this.#record.mine[message[fields.experiment]];
            if (mine !== undefined) mine.held = mine.held.filter(([seq]) => seq >= message[fields.seq]);
            this.#save();
            break;
        }
        }
        this.#showStatus();
    }

    #scheduleSend(delay = this.#protocol.sendMs) {
        if (this.#sendTimer !== null) return;
        this.#sendTimer = setTimeout(() => {
            this.#sendTimer = null;
            this.#send();
        }, delay);
    }

    // Every state the server has not acknowledged and this connection has not sent yet.
    #send() {
        if (!this.#joined) return;
        const { types, fields } = this.#protocol;
        for (const [experiment, state] of Object.entries(this.#record.pending)) {
            if (this.#sent.get(experiment) === state.seq) continue;
            this.#socket.send(JSON.stringify({
                [fields.type]: types.state, [fields.experiment]: Number(experiment), [fields.seq]: state.seq,
                [fields.counts]: state.counts, [fields.ended]: state.ended,
            }));
            this.#sent.set(experiment, state.seq);
            this.#record.mine[experiment]?.held.push([state.seq, totalsOf(state.counts)]);
        }
        this.#showStatus();
    }

    #sendWatch() {
        const { types, fields } = this.#protocol;
        if (this.#joined) this.#socket.send(JSON.stringify({ [fields.type]: types.watch, [fields.watching]: this.#watcher !== null }));
    }

    // The server trims the name and answers with the seat it keeps, which the strip then shows.
    #rename() {
        const { types, fields } = this.#protocol;
        if (this.#joined) this.#socket.send(JSON.stringify({ [fields.type]: types.seat, [fields.name]: this.#seat.value }));
    }

    #showSeat(seat) {
        if (document.activeElement !== this.#seat) this.#seat.value = seat;
    }

    #showStatus() {
        const now = Date.now();
        const slow = Object.values(this.#record.pending).some((p) => now - p.since > SLOW_MS);
        let state = 'connected';
        if (this.#unknown) state = 'unknown';
        else if (!this.#joined) state = 'offline';
        else if (slow) state = 'sending';
        if (this.#status.textContent !== TEXT[state]) this.#status.textContent = TEXT[state];
        this.#strip.dataset.state = state;
    }
}
