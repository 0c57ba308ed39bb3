// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The teacher's page of a class in Debian's Chromium, as a school serves it (a
// made-up name mapped onto loopback): docs/teacher.png on a projector's
// 1920×1080 with one experiment chosen by keyboard and named, and
// docs/teacher-tablet.png on a tablet's 1024×768 at a pixel ratio of 2; then,
// the class shown to its students, a student's window of the class after a dozen
// rounds by hand: docs/student-class-phone.png on a phone's 390×844 at a pixel
// ratio of 3, docs/student-class.png on a laptop's 1366×768.
// Usage: node scripts/teacher-screenshots.mjs TEACHER-LINK DOCS-FOLDER

import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

const [link, docs] = process.argv.slice(2);
const school = new URL(link);
school.hostname = 'school.test';
const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    args: ['--no-sandbox', `--host-resolver-rules=MAP school.test ${new URL(link).hostname}`],
});

async function shoot(viewport, file, before = async () => {}) {
    const page = await (await browser.createBrowserContext()).newPage();
    await page.setViewport(viewport);
    await page.goto(school.href);
    await page.waitForFunction(() => document.getElementById('class').dataset.state === 'connected');
    await page.evaluate(() => document.fonts.ready);
    await before(page);
    await new Promise((resolve) => setTimeout(resolve, 500)); // the QR code and the pictures drawn
    await page.screenshot({ path: join(docs, file) });
}

await shoot({ width: 1920, height: 1080 }, 'teacher.png', async (page) => {
    await page.focus('#funnel canvas');
    for (let i = 0; i < 12; ++i) await page.keyboard.press('ArrowRight');
});
await shoot({ width: 1024, height: 768, deviceScaleFactor: 2, hasTouch: true, isMobile: true }, 'teacher-tablet.png');

const code = new URLSearchParams(school.hash.slice(1)).get('class');
const teacher = await (await browser.createBrowserContext()).newPage();
await teacher.goto(school.href);
await teacher.waitForFunction(() => document.getElementById('class').dataset.state === 'connected');
await teacher.click('#reveal');
const phone = { width: 390, height: 844, deviceScaleFactor: 3, hasTouch: true, isMobile: true };
for (const [viewport, file] of [[phone, 'student-class-phone.png'], [{ width: 1366, height: 768 }, 'student-class.png']]) {
    const page = await (await browser.createBrowserContext()).newPage();
    await page.setViewport(viewport);
    await page.goto(`${school.origin}/?class=${code}`);
    await page.waitForSelector('#classStrip[data-state="connected"]');
    await page.evaluate(() => document.fonts.ready);
    for (let i = 0; i < 12; ++i) {
        await page.click('#Command1'); // ヌペラコ
        await page.click('#Command2'); // ポ　ン
    }
    await page.click('#showClass');
    await page.waitForFunction(() => document.querySelector('#classWindow .funnel canvas')?.dataset.yours);
    await page.screenshot({ path: join(docs, file) });
}
await browser.close();
