// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The browser edition's figures, in Debian's Chromium, headless: the module's
// size, the bytes of the first visit, the time from navigation to the board's
// first complete paint (median of RUNS), and a manual round in the module
// (bench_core's boardRound is the same round natively).
// Usage: node bench/web.mjs [RUNS]   (after scripts/build; needs tests/web's packages)

import { readdir, stat } from 'node:fs/promises';
import { join } from 'node:path';
import { PAGE_DIR, launch, newPage, serve } from '../tests/web/support.mjs';

const runs = Number(process.argv[2] ?? 15);

async function folderBytes(dir) {
    let total = 0;
    for (const entry of await readdir(dir, { withFileTypes: true })) {
        const path = join(dir, entry.name);
        total += entry.isDirectory() ? await folderBytes(path) : (await stat(path)).size;
    }
    return total;
}

const server = await serve();
const browser = await launch();

const kib = (bytes) => `${(bytes / 1024).toFixed(1)} KiB`;
console.log(`module ${kib((await stat(join(PAGE_DIR, 'nuperako.wasm'))).size)}, page folder ${kib(await folderBytes(PAGE_DIR))}`);

const paints = [];
let firstVisit = 0;
for (let i = 0; i < runs; ++i) {
    const page = await newPage(browser);
    const client = await page.createCDPSession();
    await client.send('Network.enable');
    let bytes = 0;
    client.on('Network.loadingFinished', (e) => { bytes += e.encodedDataLength; });
    // Taken inside the page: the frame after the one that first shows the active board in its fonts.
    await page.evaluateOnNewDocument(() => {
        new MutationObserver((_, observer) => {
            if (!document.querySelector('#Form1.active')) return;
            observer.disconnect();
            document.fonts.ready.then(() => requestAnimationFrame(() => requestAnimationFrame(() => {
                window.boardPainted = performance.now();
            })));
        }).observe(document, { subtree: true, childList: true, attributes: true });
    });
    await page.goto(server.url);
    await page.waitForFunction(() => window.boardPainted !== undefined);
    paints.push(await page.evaluate(() => window.boardPainted));
    if (i === 0) {
        await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
        firstVisit = bytes;
    }
    await page.browserContext().close();
}
paints.sort((a, b) => a - b);
console.log(`first visit: the page's own requests ${kib(firstVisit)} (the service worker then fetches the folder once)`);
console.log(`navigation to the board's first complete paint: median ${paints[Math.floor(runs / 2)].toFixed(1)} ms ` +
    `(min ${paints[0].toFixed(1)}, max ${paints.at(-1).toFixed(1)}, ${runs} runs)`);

const page = await newPage(browser);
await page.goto(server.url);
await page.waitForSelector('#Form1.active');
const perRound = await page.evaluate(async () => {
    const { Module } = await import('./js/module.js');
    const module = await Module.load('nuperako.wasm');
    module.start();
    module.activate();
    const best = [];
    for (let repeat = 0; repeat < 5; ++repeat) {
        const rounds = 200000;
        const start = performance.now();
        for (let i = 0; i < rounds; ++i) {
            if (i % 2000 === 0) { module.click(3); module.state(); } // a reset before the end rule ends it
            module.click(0);
            module.click(1);
        }
        best.push((performance.now() - start) * 1e6 / rounds);
    }
    return Math.min(...best);
});
console.log(`a manual round in the module: ${perRound.toFixed(0)} ns (best of 5 x 200000)`);
await browser.close();
server.close();
