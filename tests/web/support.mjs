// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The page served from the build folder on 127.0.0.1 as a plain static server
// serves it (Last-Modified, no cache headers), and Debian's Chromium, headless,
// to open it in.

import { readFile, stat } from 'node:fs/promises';
import { createServer } from 'node:http';
import { extname, join, normalize } from 'node:path';
import puppeteer from 'puppeteer-core';

const TYPES = {
    '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
    '.png': 'image/png', '.wav': 'audio/wav', '.woff2': 'font/woff2', '.webmanifest': 'application/manifest+json',
};

export const PAGE_DIR = process.env.NUPERAKO_WEB_DIR ?? new URL('../../build/www', import.meta.url).pathname;

export async function serve(dir = PAGE_DIR) {
    const server = createServer(async (request, response) => {
        const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
        try {
            const file = join(dir, path.endsWith('/') ? `${path}index.html` : path);
            const body = await readFile(file);
            response.writeHead(200, {
                'Content-Type': TYPES[extname(path)] ?? 'text/html; charset=utf-8',
                'Last-Modified': (await stat(file)).mtime.toUTCString(),
            });
            response.end(body);
        } catch {
            response.writeHead(404).end();
        }
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() };
}

export function launch() {
    return puppeteer.launch({
        executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox', '--window-size=1280,900', '--autoplay-policy=no-user-gesture-required'],
        defaultViewport: { width: 1280, height: 900 },
    });
}

// A page of its own (no cache, no service worker from another test).
export async function newPage(browser) {
    const context = await browser.createBrowserContext();
    return context.newPage();
}

// Such a page with the program started and its board shown.
export async function openProgram(browser, url) {
    const page = await newPage(browser);
    const errors = [];
    page.on('pageerror', (error) => errors.push(error));
    await page.goto(url);
    await page.waitForSelector('#Form1.active');
    page.errors = errors;
    return page;
}

// The rounds played, by the three totals the board shows: an expression for page.evaluate.
export const ROUNDS = `['aikolabel', 'abc1katiLabel', 'abc1makelabel']
    .map((id) => Number(document.querySelector('#' + id + ' > span:last-child').textContent))
    .reduce((a, b) => a + b)`;

// Waits until automatic play has played at least n rounds.
export function waitForRounds(page, n) {
    return page.waitForFunction(`${ROUNDS} >= ${n}`, { timeout: 20000 });
}
