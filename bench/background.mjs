// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// Automatic play in a background tab: the rounds played while another tab is
// in front for SECONDS, and after the page comes back, against the two a
// second that the elapsed time gives.
// Usage: node bench/background.mjs [SECONDS]   (after scripts/build; needs the npm packages)

import { launch, serve } from '../tests/web/support.mjs';

const seconds = Number(process.argv[2] ?? 600);
const rounds = `['aikolabel', 'abc1katiLabel', 'abc1makelabel']
    .map((id) => Number(document.querySelector('#' + id + ' > span:last-child').textContent))
    .reduce((a, b) => a + b)`;

const server = await serve();
const browser = await launch();
const context = await browser.createBrowserContext();
const page = await context.newPage();
await page.goto(server.url);
await page.waitForSelector('#Form1.active');
const started = await page.evaluate(() => {
    document.getElementById('Command3').click();
    return performance.now();
});
const other = await context.newPage();
await other.bringToFront();
await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
const hidden = await page.evaluate(() => document.visibilityState);
const whileHidden = await page.evaluate(rounds);
await page.bringToFront();
await new Promise((resolve) => setTimeout(resolve, 300));
const after = await page.evaluate(`({ rounds: ${rounds}, elapsed: performance.now() - ${started} })`);
console.log(`${seconds} s ${hidden}: ${whileHidden} rounds shown meanwhile; back in front: ${after.rounds} rounds in ` +
    `${(after.elapsed / 1000).toFixed(1)} s, ${Math.floor(after.elapsed / 500)} due`);
await browser.close();
server.close();
