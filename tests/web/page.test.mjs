// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// What only the page can get wrong: its elements and their places, its timers,
// its canvases, its windows and its messages. The behaviour behind it is the
// desktop's, tested natively.

import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cp, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { PAGE_DIR, ROUNDS, launch, newPage, openProgram, serve, waitForRounds } from './support.mjs';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// What the board shows, read off the page.
function shown(page) {
    return page.evaluate(() => {
        const text = (id) => document.querySelector(`#${id} > span:last-child`).textContent;
        return {
            enabled: [...Array(8)].map((_, i) => !document.getElementById(`Command${i + 1}`).disabled),
            hands: [...document.querySelectorAll('img.hand')].filter((img) => !img.hidden).map((img) => img.id),
            results: [1, 2, 3].map((p) => text(`hanntei${p}`)),
            resultColors: [1, 2, 3].map((p) => getComputedStyle(document.getElementById(`hanntei${p}`)).color),
            counts: ['aikolabel', 'a1katilabel', 'b1katilabel', 'c1katilabel', 'abc1katiLabel', 'a1makelabel',
                'b1makelabel', 'c1makelabel', 'abc1makelabel'].map(text),
            ratios: ['aikow', 'a1katiw', 'b1katiw', 'c1katiw', 'abc1katiw', 'a1makew', 'b1makew', 'c1makew',
                'abc1makew'].map(text),
        };
    });
}

// The results the rule gives for the shown pictures.
function judged(hands) {
    const h = hands.map((id) => id.slice(0, 3));
    const beats = { guu: 'pii', pii: 'paa', paa: 'guu' };
    if (new Set(h).size !== 2) return ['あいこ', 'あいこ', 'あいこ'];
    const single = h.findIndex((x) => h.filter((y) => y === x).length === 1);
    const singleWins = beats[h[single]] === h[(single + 1) % 3];
    return h.map((_, p) => ((p === single) === singleWins ? '勝ち' : '負け'));
}

// The colours of a picture's pixels in one column, from its top to its bottom.
function column(page, windowId, x) {
    return page.evaluate((id, px) => {
        const canvas = document.querySelector(`#${id} canvas`);
        const ratio = canvas.width / canvas.clientWidth;
        const data = canvas.getContext('2d').getImageData(Math.floor(px * ratio), 0, 1, canvas.height).data;
        const rgb = [];
        for (let i = 0; i < data.length; i += 4) rgb.push((data[i] << 16) | (data[i + 1] << 8) | data[i + 2]);
        return rgb;
    }, windowId, x);
}

// A click on a window's title bar, (dx, dy) from its top-left corner, where no other window lies.
async function clickTitle(page, windowId, dx, dy) {
    const title = await page.$eval(`#${windowId} .title`, (t) => t.getBoundingClientRect().toJSON());
    await page.mouse.click(title.x + dx, title.y + dy);
}

const WHITE = 0xffffff;
const BLACK = 0x000000;

describe('the page', () => {
    let server;
    let browser;
    before(async () => {
        server = await serve();
        browser = await launch();
    });
    after(async () => {
        await browser.close();
        server.close();
    });

    test('first display: captions, places, buttons, hands and empty cells', async () => {
        const page = await openProgram(browser, server.url);
        const misplaced = await page.evaluate(async () => {
            const { Module } = await import('./js/module.js');
            const layout = (await Module.load('nuperako.wasm')).layout().board;
            const client = document.querySelector('#Form1 .client').getBoundingClientRect();
            const scale = client.width / layout.client[2]; // the desktop fills the screen
            const elements = [...layout.buttons, ...layout.headings,
                ...layout.rows.flatMap((r) => [r.caption, r.count, r.ratio]),
                ...layout.players.flatMap((p) => [p.name, p.result, ...p.pictures.map((h) => ({ ...h, rect: p.rect }))])];
            const wrong = elements.filter(({ id, rect }) => {
                const r = document.getElementById(id).getBoundingClientRect();
                const hidden = r.width === 0; // a hidden picture
                return [r.left - client.left, r.top - client.top, r.width, r.height]
                    .some((v, i) => !(hidden && i > 0) && Math.abs(v / scale - rect[i]) > 1 && !hidden);
            }).map((e) => e.id);
            const captions = [...layout.buttons, ...layout.headings, ...layout.rows.map((r) => r.caption),
                ...layout.players.map((p) => p.name)]
                .filter((e) => document.getElementById(e.id).textContent.trim() !== (e.caption ?? e.text).trim())
                .map((e) => e.id);
            return { count: elements.length, wrong, captions };
        });
        assert.equal(misplaced.count, 8 + 2 + 27 + 3 * 5);
        assert.deepEqual(misplaced.wrong, []);
        assert.deepEqual(misplaced.captions, []);
        assert.equal(await page.$eval('#Form1 .title span', (e) => e.textContent), ' ぬぺらこ');
        // In the page's own gothic wherever the design's is missing, and every text inside its cell.
        const fonts = await page.evaluate(async () => {
            await document.fonts.ready;
            return {
                loaded: document.fonts.check('bold 15.75pt "Ume P Gothic"', 'Ａ一人勝ち'),
                overflowing: [...document.querySelectorAll('.label')]
                    .filter((l) => l.lastChild.offsetWidth > l.clientWidth).map((l) => l.id),
            };
        });
        assert.deepEqual(fonts, { loaded: true, overflowing: [] });
        assert.equal(await page.$eval('#Command2', (e) => e.textContent), 'ポ\u3000ン');
        const board = await shown(page);
        assert.deepEqual(board.enabled, [true, false, true, true, true, true, false, true]);
        assert.deepEqual(board.hands, ['guu1', 'pii2', 'paa3']);
        assert.deepEqual([...board.results, ...board.counts, ...board.ratios], Array(21).fill(''));
        assert.equal(await page.evaluate(() => document.activeElement.id), 'Command1');
        assert.deepEqual(page.errors, []);
        await page.browserContext().close();
    });

    test('a manual round: pictures, results and tally agree', async () => {
        const page = await openProgram(browser, server.url);
        await page.click('#Command1');
        await sleep(200); // the shuffle runs
        assert.deepEqual((await shown(page)).enabled, [false, true, false, false, false, false, false, false]);
        await page.click('#Command2');
        const board = await shown(page);
        assert.deepEqual(board.results, judged(board.hands));
        const colours = { あいこ: 'rgb(0, 128, 0)', 勝ち: 'rgb(0, 0, 255)', 負け: 'rgb(255, 0, 0)' };
        assert.deepEqual(board.resultColors, board.results.map((r) => colours[r]));
        const totals = [board.counts[0], board.counts[4], board.counts[8]].map(Number);
        assert.equal(totals.reduce((a, b) => a + b), 1);
        assert.deepEqual([board.ratios[0], board.ratios[4], board.ratios[8]], totals.map((t) => `${t}.000`));
        // A screen reader is told the round's hands and results.
        const said = await page.$$eval('img.hand:not([hidden])', (imgs, results) => imgs
            .map((img, p) => `${img.alt} ${results[p]}`).join('、'), board.results);
        await page.waitForFunction((text) => document.getElementById('announcement').textContent === text, {}, said);
        await page.browserContext().close();
    });

    test('automatic play for a few seconds, then the reset', async () => {
        const page = await openProgram(browser, server.url);
        await page.click('#Command3');
        const started = Date.now();
        await waitForRounds(page, 3);
        await page.click('#Command7');
        assert.ok(Date.now() - started >= 1400, 'a round every half second');
        const board = await shown(page);
        const c = board.counts.map(Number);
        const rounds = c[0] + c[4] + c[8];
        assert.equal(c[1] + c[2] + c[3], c[4]);
        assert.equal(c[5] + c[6] + c[7], c[8]);
        assert.equal(board.ratios[0], (c[0] / rounds).toFixed(3));
        assert.equal(await page.$eval('#announcement', (a) => a.textContent), '', 'automatic rounds go unsaid');

        await page.click('#Command4');
        const reset = await shown(page);
        assert.deepEqual([...reset.results, ...reset.counts, ...reset.ratios], Array(21).fill(''));
        assert.deepEqual(reset.hands, ['guu1', 'pii2', 'paa3']);
        await page.browserContext().close();
    });

    test('help: the 29 lines printed, and its close button shows the board', async () => {
        const page = await openProgram(browser, server.url);
        await page.click('#Command5');
        await page.waitForSelector('#Form4.active');
        // A screen reader reads the printed lines.
        const heard = [];
        const walk = (node) => { heard.push(node.name); node.children?.forEach(walk); };
        walk(await page.accessibility.snapshot({ root: await page.$('#Form4 canvas') }));
        const lines = await page.$$eval('#Form4 canvas p', (ps) => ps.map((p) => p.textContent));
        assert.equal(lines.length, 29);
        assert.equal(lines[1], '\u3000【問\u3000\u3000題】');
        for (const line of lines.filter((l) => l !== '')) assert.ok(heard.includes(line), line);
        // The first line is empty, the heading's ink is on the second.
        const ink = (await column(page, 'Form4', 30)).map((rgb, y) => (rgb !== WHITE ? y : -1)).filter((y) => y >= 0);
        const height = await page.evaluate(() => document.querySelector('#Form4 canvas').height /
            document.querySelector('#Form4 canvas').clientHeight);
        assert.ok(ink.length > 0 && ink[0] / height > 12, `first ink at ${ink[0]}`);
        await page.click('#Form4-Command1');
        assert.equal(await page.$('#Form4'), null);
        await page.waitForSelector('#Form1.active');
        await page.browserContext().close();
    });

    test('graph: curves drawn over the kept picture, dropped with the window', async () => {
        const page = await openProgram(browser, server.url);
        await page.click('#Command3');
        await waitForRounds(page, 7); // one outcome at least three times
        await page.click('#Command7');
        await page.click('#Command8');
        await page.waitForSelector('#Form2.active');
        const inside = await page.$eval('#Form2 canvas', (c) => c.clientWidth);
        const x = (units) => Math.round((units * inside) / 1100);
        const axis = await column(page, 'Form2', x(100));
        assert.ok(axis.filter((rgb) => rgb === BLACK).length > 100, 'the vertical axis is black');
        // Curve pixels right of a curve's first point, where only counts of 3 or more reach.
        const curves = async () => {
            let found = 0;
            for (let px = x(101) + 1; px <= x(110); ++px)
                found += (await column(page, 'Form2', px)).filter((rgb) => rgb !== WHITE && rgb !== BLACK).length;
            return found;
        };
        assert.ok(await curves() > 0);

        // A reset and a new activation draw over what the picture keeps.
        await clickTitle(page, 'Form1', 100, 4); // above the graph's title bar
        await page.click('#Command4');
        await clickTitle(page, 'Form2', 20, 12); // left of the board
        assert.ok(await page.$('#Form2.active'));
        assert.ok(await curves() > 0);

        await page.click('#Form2-Command1');
        assert.equal(await page.$('#Form2'), null);
        assert.deepEqual((await shown(page)).counts, Array(9).fill(''));
        await page.click('#Command8');
        await page.waitForSelector('#Form2.active');
        assert.equal(await curves(), 0, 'a new window, a new picture');
        await page.browserContext().close();
    });

    test('the exit question: No changes nothing, Yes ends, and the program starts again', async () => {
        const page = await openProgram(browser, server.url);
        await page.click('#Command6');
        await page.waitForSelector('dialog.question[open]');
        assert.deepEqual(await page.$eval('dialog.question', (d) => [d.querySelector('.title').textContent,
            d.querySelector('p').textContent, [...d.querySelectorAll('button')].map((b) => b.textContent)]),
        ['ぬぺらこ', '終了していいですか？', ['Yes', 'No']]);
        await page.keyboard.press('Escape');
        await page.waitForSelector('dialog.question', { hidden: true });
        assert.deepEqual((await shown(page)).enabled, [true, false, true, true, true, true, false, true]);

        await page.click('#Command8'); // the graph opens over the board
        await clickTitle(page, 'Form1', 100, 4);
        await page.click('#Command6');
        await page.waitForSelector('dialog.question[open]');
        await page.click('dialog.question button[value="6"]');
        await page.waitForSelector('#ended:not([hidden])');
        assert.equal(await page.$$eval('.window', (w) => w.length), 0);
        await page.click('#restart');
        await page.waitForSelector('#Form1.active');
        assert.deepEqual((await shown(page)).hands, ['guu1', 'pii2', 'paa3']);
        assert.deepEqual(page.errors, []);
        await page.browserContext().close();
    });

    test('a small touch screen: the board fits, in proportion, and taps work', async () => {
        const page = await newPage(browser);
        await page.setViewport({ width: 360, height: 560, hasTouch: true, isMobile: true });
        await page.goto(server.url);
        await page.waitForSelector('#Form1.active');
        const box = await page.$eval('#Form1 .client', (c) => c.getBoundingClientRect().toJSON());
        assert.ok(box.x >= 0 && box.y >= 0 && box.right <= 360 && box.bottom <= 560, JSON.stringify(box));
        assert.ok(Math.abs(box.width / box.height - 488 / 497) < 0.01);
        const button = await page.$eval('#Command1', (b) => b.getBoundingClientRect().toJSON());
        await page.touchscreen.tap(button.x + button.width / 2, button.y + button.height / 2);
        await page.waitForFunction(() => !document.getElementById('Command2').disabled);
        await page.browserContext().close();
    });

    test('automatic play keeps two rounds a second however late the browser wakes the page', async () => {
        const page = await newPage(browser);
        // The page's clock, driven by the test: ten minutes pass at once, as for a page left in the background.
        await page.evaluateOnNewDocument(() => {
            const now = performance.now.bind(performance);
            let skipped = 0;
            performance.now = () => now() + skipped;
            window.skipTime = (ms) => { skipped += ms; };
        });
        await page.goto(server.url);
        await page.waitForSelector('#Form1.active');
        const started = await page.evaluate(() => {
            document.getElementById('Command3').click();
            return performance.now();
        });
        await page.evaluate(() => window.skipTime(600000));
        await waitForRounds(page, 1150);
        const { rounds, elapsed } = await page.evaluate(`({ rounds: ${ROUNDS}, elapsed: performance.now() - ${started} })`);
        const expected = elapsed / 500;
        assert.ok(Math.abs(rounds - expected) <= expected / 100, `${rounds} rounds in ${elapsed} ms`);
        await page.browserContext().close();
    });

    test('the pictures in the screen\'s own pixels at ratios 1, 1.25 and 2: no grey, no stretch', async () => {
        for (const ratio of [1, 1.25, 2]) {
            const page = await newPage(browser);
            await page.setViewport({ width: 1280, height: 900, deviceScaleFactor: ratio });
            await page.goto(server.url);
            await page.waitForSelector('#Form1.active');
            await page.click('#Command8');
            await page.waitForSelector('#Form2.active');
            const picture = await page.$eval('#Form2 canvas', (c) => {
                const data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
                const colours = new Set();
                for (let i = 0; i < data.length; i += 4) colours.add((data[i] << 16) | (data[i + 1] << 8) | data[i + 2]);
                const scale = c.getBoundingClientRect().width / c.offsetWidth; // the desktop's
                return { width: c.width, height: c.height, scale, colours: [...colours].sort((a, b) => a - b) };
            });
            const devicePixels = ratio * picture.scale;
            assert.deepEqual([picture.width, picture.height], [Math.round(629 * devicePixels), Math.round(317 * devicePixels)]);
            assert.deepEqual(picture.colours, [BLACK, 0x0000ff, 0x008000, 0xff0000, WHITE], `at ${ratio}`);
            await page.browserContext().close();
        }
    });

    test('a projector: the desktop fills the screen and its pictures have the scaled size\'s pixels', async () => {
        const page = await newPage(browser);
        await page.setViewport({ width: 1920, height: 1080 });
        await page.goto(server.url);
        await page.waitForSelector('#Form1.active');
        const desktop = await page.$eval('#desktop', (d) => d.getBoundingClientRect().toJSON());
        assert.ok(Math.max(desktop.width / 1920, desktop.height / 1080) > 0.99, JSON.stringify(desktop));
        const scale = desktop.height / 551;
        const button = await page.$eval('#Command1', (b) => b.getBoundingClientRect().width);
        assert.ok(Math.abs(button - 121 * scale) < 1, `ヌペラコ ${button} px wide`);
        await page.click('#Command5');
        await page.waitForSelector('#Form4.active');
        assert.equal(await page.$eval('#Form4 canvas', (c) => c.width), Math.round(549 * scale));
        await page.browserContext().close();
    });

    test('the keyboard as on the desktop: the focus goes on, stays in the active window, comes back quietly', async () => {
        const page = await openProgram(browser, server.url);
        const focused = () => page.evaluate(() => document.activeElement.id);
        assert.equal(await focused(), 'Command1');
        await page.keyboard.press('Enter'); // ヌペラコ: the shuffle, and the focus on ポ　ン
        assert.equal(await focused(), 'Command2');
        await page.keyboard.press('Space'); // the round; ポ　ン is disabled, the focus goes on
        assert.equal(await page.evaluate(ROUNDS), 1);
        assert.equal(await focused(), 'Command3');
        const reached = new Set();
        for (let i = 0; i < 8; ++i) {
            await page.keyboard.press('Tab');
            reached.add(await focused());
        }
        assert.deepEqual([...reached].sort(), ['Command1', 'Command3', 'Command4', 'Command5', 'Command6', 'Command8']);

        await page.focus('#Command8');
        await page.keyboard.press('Enter'); // the graph opens and takes the focus
        await page.waitForSelector('#Form2.active');
        assert.equal(await page.evaluate(() => document.activeElement.closest('.window').id), 'Form2');
        // Focus that comes back from nowhere (another program) activates nothing.
        await page.evaluate(() => {
            document.activeElement.blur();
            document.getElementById('Command4').focus();
        });
        assert.ok(await page.$('#Form2.active'));
        await page.browserContext().close();
    });

    test('no lesson lost by a slip: the close box and a reload ask first', async () => {
        const page = await openProgram(browser, server.url);
        await page.click('#Command1');
        await page.click('#Command2');
        await page.click('#Form1 .close-box');
        await page.waitForSelector('dialog.question[open]');
        assert.equal(await page.$eval('dialog.question p', (p) => p.textContent), '終了していいですか？');
        await page.keyboard.press('Escape');
        await page.waitForSelector('dialog.question', { hidden: true });
        assert.equal(await page.evaluate(ROUNDS), 1);

        const asked = new Promise((resolve) => {
            page.once('dialog', async (dialog) => {
                resolve(dialog.type());
                await dialog.dismiss();
            });
        });
        page.reload().catch(() => {}); // stays, and so never finishes
        assert.equal(await asked, 'beforeunload');
        assert.equal(await page.evaluate(ROUNDS), 1);

        await page.click('#Form1 .close-box');
        await page.waitForSelector('dialog.question[open]');
        await page.click('dialog.question button[value="6"]');
        await page.waitForSelector('#ended:not([hidden])');
        await page.browserContext().close();
    });

    test('a new version on the server reaches a returning visitor; other caches stay', async () => {
        const dir = await mkdtemp(join(tmpdir(), 'nuperako-page-'));
        await cp(PAGE_DIR, dir, { recursive: true });
        const site = await serve(dir);
        const page = await openProgram(browser, site.url);
        await page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 20000 });
        await page.evaluate(() => caches.open('another-app').then((c) => c.put('/x', new Response('x'))));

        // The school copies a new version onto its server.
        const html = await readFile(join(dir, 'index.html'), 'utf8');
        await writeFile(join(dir, 'index.html'), html.replace('<title>', '<meta name="version" content="2">\n<title>'));
        const worker = await readFile(join(dir, 'sw.js'), 'utf8');
        await writeFile(join(dir, 'sw.js'), worker.replace(/nuperako-[0-9a-f]{16}/, 'nuperako-0000000000000002'));

        await page.goto(site.url); // the next visit: no round played, so the new version is taken up at once
        await page.waitForSelector('meta[name="version"]', { timeout: 20000 });
        await page.waitForSelector('#Form1.active');
        assert.deepEqual((await page.evaluate(() => caches.keys())).sort(), ['another-app', 'nuperako-0000000000000002']);
        await page.browserContext().close();
        site.close();
        await rm(dir, { recursive: true });
    });

    test('the page\'s gothic has every character the program shows', async () => {
        const page = await openProgram(browser, server.url);
        const shown = await page.evaluate(async () => {
            const { Module } = await import('./js/module.js');
            const module = await Module.load('nuperako.wasm');
            module.start();
            module.activate();
            module.click(0);
            module.click(1);
            return [module.layout(), module.help(15), module.state(), module.graph(12)].map((t) => JSON.stringify(t))
                .join('') + document.body.innerText;
        });
        // The subset's characters, as Debian's font tools read them.
        const inFont = new Set(execFileSync('/usr/bin/python3', ['-c', 'import sys; from fontTools.ttLib import TTFont; '
            + 'print("".join(map(chr, TTFont(sys.argv[1]).getBestCmap())))', join(PAGE_DIR, 'fonts', 'gothic.woff2')],
        { encoding: 'utf8' }));
        const missing = [...new Set(shown)].filter((c) => c.codePointAt(0) > 0x7f && !inFont.has(c));
        assert.deepEqual(missing, []);
        await page.browserContext().close();
    });

    test('offline after the first visit', async () => {
        const page = await openProgram(browser, server.url);
        await page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 20000 });
        await page.setOfflineMode(true);
        await page.reload();
        await page.waitForSelector('#Form1.active');
        await page.click('#Command5');
        await page.waitForSelector('#Form4.active');
        await page.browserContext().close();
    });

    test('a module that does not load, no WebAssembly or no dialog: a message, not a blank page', async () => {
        for (const breakPage of [
            (page) => page.setRequestInterception(true).then(() => page.on('request', (r) => (
                r.url().endsWith('.wasm') ? r.respond({ status: 404 }) : r.continue()))),
            (page) => page.evaluateOnNewDocument(() => { delete window.WebAssembly; }),
            (page) => page.evaluateOnNewDocument(() => { delete window.HTMLDialogElement; }),
        ]) {
            const page = await newPage(browser);
            await breakPage(page);
            await page.goto(server.url);
            await page.waitForSelector('#message:not([hidden])');
            assert.match(await page.$eval('#message', (m) => m.textContent), /ぬぺらこを始められません/);
            await page.browserContext().close();
        }
    });
});
