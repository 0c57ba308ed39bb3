// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// A school's server (nuperako-class --school, on 127.0.0.1) in the three engines
// school devices run. In each, a teacher opens a class, three students join it
// (one in the same engine, two on Chromebooks), play on the board, the teacher
// takes one experiment out and downloads the CSV, while a class opened before
// goes on untouched; a wrong key is refused. Chromium and Firefox reach the
// server by a made-up name, as a school serves it: not a secure context.

import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { once } from 'node:events';
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { createInterface } from 'node:readline';
import { after, before, describe, test } from 'node:test';
import { ENGINES, openBrowser } from './browsers.mjs';
import { ROUNDS } from './support.mjs';

const PROGRAM = process.env.NUPERAKO_CLASS_PROGRAM ?? new URL('../../build/bin/nuperako-class', import.meta.url).pathname;

const headline = (text) => `document.getElementById('headlines').textContent.includes(${JSON.stringify(text)})`;

// Opens a class on the teachers' page of the tab, and gives its code and key once the page follows it.
async function openClass(tab, origin) {
    await tab.goto(`${origin}/teacher`);
    await tab.waitFor(`!document.getElementById('start').hidden`);
    await tab.click('#open');
    await tab.waitFor(`document.getElementById('class').dataset.state === 'connected'`);
    const [code, key] = await tab.evaluate(`[document.getElementById('code').textContent,
        new URLSearchParams(location.hash.slice(1)).get('key')]`);
    return { code, key };
}

// A student's page that has joined the class and played the rounds on the board by hand.
async function playIn(tab, origin, code, rounds) {
    await tab.goto(`${origin}/?class=${code}`);
    await tab.waitFor(`document.querySelector('#classStrip[data-state="connected"]') !== null`);
    for (let i = 0; i < rounds; ++i) {
        await tab.click('#Command1'); // ヌペラコ
        await tab.click('#Command2'); // ポ　ン
    }
    assert.equal(await tab.evaluate(ROUNDS), rounds);
}

describe('a school server in every engine', () => {
    let data;
    let server;
    let port;
    let chromebooks; // the students' devices beside the engine under test
    let other; // a class that runs beside every engine's, and is never touched
    const pool = async (code) => (await fetch(`http://127.0.0.1:${port}/pool.json?class=${code}`)).json();
    // The class's pool once it holds so many rounds.
    async function pooled(code, rounds) {
        for (let i = 0; i < 100; ++i) {
            const p = await pool(code);
            if (p.rounds === rounds) return p;
            await new Promise((resolve) => setTimeout(resolve, 100));
        }
        assert.fail(`class ${code} does not hold ${rounds} rounds`);
    }

    before(async () => {
        data = await mkdtemp(join(tmpdir(), 'nuperako-school-'));
        server = spawn(PROGRAM, ['--school', '--bind', '127.0.0.1', '--port', '0', '--data', data],
            { stdio: ['ignore', 'pipe', 'inherit'] });
        const [teachers] = await once(createInterface({ input: server.stdout }), 'line');
        ({ port } = new URL(teachers));
        chromebooks = await openBrowser('chromium');
        const origin = `http://${chromebooks.host}:${port}`;
        other = await openClass(await chromebooks.newTab(), origin);
        await playIn(await chromebooks.newTab(), origin, other.code, 2);
        other.pool = (await pooled(other.code, 2)).experiments;
    });
    after(async () => {
        server.kill('SIGKILL');
        await chromebooks.close();
        await rm(data, { recursive: true, force: true });
    });

    for (const engine of ENGINES) {
        test(engine, async () => {
            const browser = await openBrowser(engine);
            try {
                const origin = `http://${browser.host}:${port}`;
                const teacher = await browser.newTab();
                const { code, key } = await openClass(teacher, origin);
                assert.notEqual(code, other.code);

                const student = await browser.newTab();
                await playIn(student, origin, code, 2);
                const schoolOrigin = `http://${chromebooks.host}:${port}`;
                for (const rounds of [1, 3]) await playIn(await chromebooks.newTab(), schoolOrigin, code, rounds);
                await teacher.waitFor(`${headline('実験　3')} && ${headline('回数の合計　6')}`);

                // The student's window of the class: hidden until the teacher reveals it; then the band
                // counted as the pool holds it, and the student's own dot, ringed, at its place.
                await student.click('#showClass');
                await student.waitFor(`document.querySelector('#classWindow .note').textContent !== ''`);
                await teacher.click('#reveal');
                const inside = (await pool(code)).experiments.filter((e) =>
                    Math.abs(e.counts[0] / e.rounds - 1 / 3) <= 2 * Math.sqrt(2 / 9 / e.rounds)).length;
                const funnel = '#classWindow .funnel canvas';
                await student.waitFor(`(document.querySelector('${funnel}').getAttribute('aria-label') ?? '')
                    .includes('あなたの実験: 2回 あいこ') && document.querySelector('${funnel}').ariaLabel
                    .endsWith('帯の中 ${inside} / 3')`);
                // From the dot's centre to the right: its colour (the draws' green), white, the black ring.
                const runs = await student.evaluate(`(() => {
                    const c = document.querySelector('${funnel}');
                    const [x, y] = c.dataset.yours.split(' ').map(Math.floor);
                    const row = c.getContext('2d').getImageData(x, y, 64, 1).data;
                    const runs = [];
                    for (let i = 0; i < row.length; i += 4) {
                        const pixel = [row[i], row[i + 1], row[i + 2]].join(',');
                        if (runs.at(-1) !== pixel) runs.push(pixel);
                    }
                    return runs.slice(0, 3);
                })()`);
                assert.deepEqual(runs, ['0,128,0', '255,255,255', '0,0,0']);

                // The first dot, chosen by keyboard, taken out after the question.
                await teacher.press('#funnel canvas', 'ArrowRight');
                await teacher.waitFor(`!document.getElementById('remove').disabled`);
                await teacher.click('#remove');
                await teacher.waitFor(`document.querySelector('dialog.question[open]') !== null`);
                await teacher.click('dialog.question button'); // はい
                await teacher.waitFor(`${headline('実験　2')}`);
                const kept = await pool(code);
                assert.equal(kept.experiments.length, 2);
                assert.ok([3, 4, 5].includes(kept.rounds)); // 6 less the 1, 2 or 3 rounds of the one taken out

                // The download the page saves, caught as its link is clicked.
                await teacher.evaluate(`void (HTMLAnchorElement.prototype.click = function () {
                    window.saved = fetch(this.href).then((r) => r.text()).then((text) => [this.download, text]);
                })`);
                await teacher.click('#export');
                await teacher.waitFor('window.saved !== undefined');
                const [name, csv] = await teacher.evaluate('window.saved');
                assert.equal(name, `nuperako-${code}.csv`);
                const lines = csv.trim().split(/\r?\n/);
                assert.match(lines[0], /^seat,experiment,rounds,/);
                assert.equal(lines.length, 3);
                for (const e of kept.experiments) {
                    assert.ok(lines.some((line) => line.startsWith(`${e.seat},${e.experiment},${e.rounds},`)));
                }

                // A wrong key: the page says so, and the server refuses the CSV.
                const stranger = await browser.newTab();
                await stranger.goto(`${origin}/teacher#class=${code}&key=${'A'.repeat(key.length)}`);
                await stranger.waitFor(`document.getElementById('class').dataset.state === 'forbidden'`);
                const refused = await fetch(`http://127.0.0.1:${port}/export.csv?class=${code}`,
                    { headers: { 'X-Nuperako-Key': `${key}x` } });
                assert.equal(refused.status, 403);

                assert.deepEqual((await pool(other.code)).experiments, other.pool);
            } finally {
                await browser.close();
            }
        });
    }
});
