// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The teachers' page. Without a class in its address it offers to open one
// (with the teachers' password when the server asks for it) and lists the
// classes this browser has opened. With one (/teacher#class=CODE&key=KEY: the
// key only in the fragment, which the browser never sends) it follows the
// class over a WebSocket and shows it as the desktop's window does. The key
// goes to the server only inside the WebSocket and in a request's header.

import { Module } from './module.js';
import { TeacherView } from './teacherview.js';

const CLASSES = 'nuperako.teacher.classes'; // this browser's classes: [{ code, key, opened }]

function savedClasses() {
    try {
        return JSON.parse(localStorage.getItem(CLASSES) ?? '[]');
    } catch {
        return [];
    }
}

function saveClass(code, key) {
    const classes = savedClasses().filter((c) => c.code !== code);
    classes.unshift({ code, key, opened: Date.now() });
    try {
        localStorage.setItem(CLASSES, JSON.stringify(classes));
    } catch {
        // A full or forbidden storage: the link in the address still opens the class.
    }
}

// The class and key the address names, or null.
function classInAddress() {
    const fragment = new URLSearchParams(window.location.hash.slice(1));
    const [code, key] = [fragment.get('class'), fragment.get('key')];
    return code && key ? { code: code.toUpperCase(), key } : null;
}

function linkTo(code, key) {
    return `${window.location.pathname}#class=${encodeURIComponent(code)}&key=${encodeURIComponent(key)}`;
}

function socketUrl() {
    const url = new URL('ws', window.location.href);
    url.protocol = url.protocol === 'https:' ? 'wss:' : 'ws:';
    url.search = '';
    url.hash = '';
    return url;
}

async function showStart(layout) {
    const { protocol } = layout;
    const start = document.getElementById('start');
    start.hidden = false;
    document.title = 'ぬぺらこ 先生のページ';
    const settings = await fetch(protocol.teacherSettingsPath).then((r) => r.json()).catch(() => ({}));
    document.getElementById('passwordRow').hidden = !settings.password;

    const classes = savedClasses();
    document.getElementById('mine').hidden = classes.length === 0;
    document.getElementById('classes').replaceChildren(...classes.map(({ code, key, opened }) => {
        const item = document.createElement('li');
        const link = Object.assign(document.createElement('a'), { href: linkTo(code, key), textContent: code });
        const when = new Date(opened).toLocaleString('ja-JP', { dateStyle: 'medium', timeStyle: 'short' });
        item.append(link, `　${when}に開いたクラス`);
        return item;
    }));

    const message = document.getElementById('startMessage');
    document.getElementById('openForm').addEventListener('submit', (event) => {
        event.preventDefault();
        message.textContent = '';
        const { types, fields } = protocol;
        const socket = new WebSocket(socketUrl());
        socket.addEventListener('open', () => socket.send(JSON.stringify({
            [fields.type]: types.open, [fields.password]: document.getElementById('password').value,
        })));
        socket.addEventListener('message', (e) => {
            const reply = JSON.parse(e.data);
            if (reply[fields.type] !== types.opened) return;
            saveClass(reply[fields.class], reply[fields.key]);
            socket.close();
            window.location.replace(linkTo(reply[fields.class], reply[fields.key]));
        });
        socket.addEventListener('close', (e) => {
            if (e.code === protocol.forbidden) message.textContent = 'パスワードがちがいます。';
            else if (e.code !== 1000 && e.code !== 1005) message.textContent = `クラスを開けませんでした（${e.reason || e.code}）。`;
        });
    });
}

async function main() {
    let module;
    try {
        module = await Module.load('nuperako.wasm');
    } catch (error) {
        const message = document.getElementById('message');
        message.textContent = `先生のページを始められません。${error instanceof Error ? error.message : ''}`;
        message.hidden = false;
        return;
    }
    const layout = module.layout();
    document.documentElement.style.setProperty('--gothic', layout.fonts.map((f) => `"${f}"`).join(', '));
    // Another class in the address (a link from the list, a class just opened): that class instead.
    window.addEventListener('hashchange', () => window.location.reload());
    const followed = classInAddress();
    if (followed === null) {
        await showStart(layout);
        return;
    }
    saveClass(followed.code, followed.key);
    const view = new TeacherView(module, layout, followed, socketUrl());
    view.onNewClass = (code, key) => {
        saveClass(code, key);
        window.location.replace(linkTo(code, key));
    };
}

main();
