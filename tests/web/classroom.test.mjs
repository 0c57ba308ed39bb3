// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The page in a class: opened from nuperako-class on 127.0.0.1, it joins by
// itself, and every round played reaches the class, through a kill -9 of the
// server and its restart.

import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { once } from 'node:events';
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { createInterface } from 'node:readline';
import { after, before, describe, test } from 'node:test';
import { ROUNDS, launch, newPage, openProgram, waitForRounds } from './support.mjs';

const PROGRAM = process.env.NUPERAKO_CLASS_PROGRAM ?? new URL('../../build/bin/nuperako-class', import.meta.url).pathname;

// nuperako-class without a window on the test's data folder; its first line is the students' address.
async function startClass(data, port = 0) {
    const child = spawn(PROGRAM, ['--headless', '--bind', '127.0.0.1', '--port', String(port), '--data', data],
        { stdio: ['ignore', 'pipe', 'inherit'] });
    const [address] = await once(createInterface({ input: child.stdout }), 'line');
    return { child, address, origin: new URL(address).origin };
}

async function pool(origin) {
    return (await fetch(`${origin}/pool.json`)).json();
}

// Waits until the pool agrees with what the pages show: every page's rounds in one experiment of its seat.
async function poolAgrees(origin, pages, experiments) {
    const shown = await Promise.all(pages.map(async (page) => ({
        seat: await page.$eval('#seat', (seat) => seat.value), rounds: await page.evaluate(ROUNDS),
    })));
    for (let i = 0; i < 100; ++i) {
        const p = await pool(origin);
        const agrees = p.experiments.length === experiments && shown.every(({ seat, rounds }) =>
            p.experiments.some((e) => e.seat === seat && e.rounds === rounds));
        if (agrees) return p;
        await new Promise((resolve) => setTimeout(resolve, 100));
    }
    assert.fail(`the pool does not hold the pages' rounds: ${JSON.stringify(shown)}`);
}

const connected = (page) => page.waitForSelector('#classStrip[data-state="connected"]');

describe('the page in a class', () => {
    let browser;
    let data;
    let server;
    before(async () => {
        browser = await launch();
        data = await mkdtemp(join(tmpdir(), 'nuperako-class-'));
        server = await startClass(data);
    });
    after(async () => {
        server.child.kill('SIGKILL');
        await browser.close();
        await rm(data, { recursive: true, force: true });
    });

    test('pages join with seats of their own, and no round is lost to a kill -9 of the server', async () => {
        const code = new URL(server.address).searchParams.get('class');
        // Each in a context of its own: three devices.
        const pages = [];
        for (let i = 0; i < 3; ++i) pages.push(await openProgram(browser, server.address));
        await Promise.all(pages.map(connected));
        assert.deepEqual(await Promise.all(pages.map((p) => p.$eval('#classCode', (e) => e.textContent))),
            [code, code, code]);
        const seats = await Promise.all(pages.map((p) => p.$eval('#seat', (e) => e.value)));
        assert.deepEqual(seats.sort(), ['1番', '2番', '3番']);

        await pages[0].click('#seat', { clickCount: 3 });
        await pages[0].keyboard.type('はなこ');
        await pages[0].keyboard.press('Enter');

        await Promise.all(pages.map((p) => p.click('#Command3'))); // 自動開始
        await Promise.all(pages.map((p) => waitForRounds(p, 3)));
        server.child.kill('SIGKILL');
        await once(server.child, 'exit');
        await Promise.all(pages.map((p) => p.waitForSelector('#classStrip[data-state="offline"]')));
        assert.equal(await pages[0].$eval('#connection', (e) => e.textContent), 'つながっていません（あとで送ります）');
        const before = await Promise.all(pages.map((p) => p.evaluate(ROUNDS)));
        await Promise.all(pages.map((p, i) => waitForRounds(p, before[i] + 2))); // played while the server is away

        server = await startClass(data, new URL(server.origin).port);
        await Promise.all(pages.map((p) => connected(p)));
        await Promise.all(pages.map((p) => p.click('#Command7'))); // 自動停止
        const pooled = await poolAgrees(server.origin, pages, 3);
        assert.ok(pooled.experiments.some((e) => e.seat === 'はなこ'));
        const rounds = await Promise.all(pages.map((p) => p.evaluate(ROUNDS)));
        assert.equal(pooled.rounds, rounds.reduce((a, b) => a + b));

        // A reset starts the student's next experiment; the finished one stays in the class.
        await pages[1].click('#Command4'); // 初期化
        await pages[1].click('#Command1'); // ヌペラコ
        await pages[1].click('#Command2'); // ポ　ン
        const next = await poolAgrees(server.origin, pages, 4);
        assert.equal(next.rounds, pooled.rounds + 1);
        for (const page of pages) assert.deepEqual(page.errors, []);
    });

    test('an experiment the teacher takes out of the class: the page says so and starts a new one', async () => {
        const page = await newPage(browser);
        // The page's socket, to hand it what the server sends when the teacher removes the experiment.
        await page.evaluateOnNewDocument(() => {
            const Native = window.WebSocket;
            window.WebSocket = class extends Native {
                constructor(...args) {
                    super(...args);
                    window.classSocket = this;
                }
            };
        });
        await page.goto(server.address);
        await connected(page);
        const seat = await page.$eval('#seat', (e) => e.value);
        await page.click('#Command3'); // 自動開始
        await waitForRounds(page, 3);
        await page.evaluate(() => window.classSocket.dispatchEvent(
            new MessageEvent('message', { data: JSON.stringify({ type: 'removed', experiment: 1 }) })));
        assert.equal(await page.evaluate(ROUNDS), 0);
        assert.equal(await page.$eval('#classNote', (e) => (e.hidden ? '' : e.textContent)),
            '先生がこの実験を集計から外しました。新しい実験を始めてください');

        await page.click('#Command1'); // ヌペラコ
        await page.click('#Command2'); // ポ　ン
        assert.ok(await page.$eval('#classNote', (e) => e.hidden));
        for (let i = 0; i < 100; ++i) {
            const p = await pool(server.origin);
            if (p.experiments.some((e) => e.seat === seat && e.experiment === 2 && e.rounds === 1)) return;
            await new Promise((resolve) => setTimeout(resolve, 100));
        }
        assert.fail('the round after the removal is not the next experiment\'s');
    });

    test('a class that is not open here is said so, and not asked again', async () => {
        const page = await openProgram(browser, `${server.origin}/?class=ZZZZZ`);
        await page.waitForSelector('#classStrip[data-state="unknown"]');
        assert.equal(await page.$eval('#connection', (e) => e.textContent), 'このクラスは開かれていません');
    });
});
