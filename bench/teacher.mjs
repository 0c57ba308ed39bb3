// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The teachers' page's figures, in Debian's Chromium, headless, on a projector's
// 1920×1080: from navigation to the first complete paint of a class's page
// (its view received and drawn, in its fonts; median of RUNS), served by
// nuperako-class --school on 127.0.0.1; and the module's cost of one redraw of
// the class's two pictures with 40 students of 3 experiments each and a full
// history (median of 200).
// Usage: node bench/teacher.mjs [RUNS]   (after scripts/build; needs tests/web's packages)

import { spawn } from 'node:child_process';
import { once } from 'node:events';
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { createInterface } from 'node:readline';
import puppeteer from 'puppeteer-core';

const runs = Number(process.argv[2] ?? 15);
const PROGRAM = new URL('../build/bin/nuperako-class', import.meta.url).pathname;

const data = await mkdtemp(join(tmpdir(), 'nuperako-bench-'));
const server = spawn(PROGRAM, ['--school', '--bind', '127.0.0.1', '--port', '0', '--data', data],
    { stdio: ['ignore', 'pipe', 'inherit'] });
const [teachers] = await once(createInterface({ input: server.stdout }), 'line');
const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    args: ['--no-sandbox'],
    defaultViewport: { width: 1920, height: 1080 },
});
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

// One class, opened once; every run opens its link in a fresh context, as a teacher's second device does.
const opener = await browser.newPage();
await opener.goto(teachers);
await opener.click('#open');
await opener.waitForFunction(() => document.getElementById('class').dataset.state === 'connected');
const link = opener.url();

const paints = [];
for (let i = 0; i < runs; ++i) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    // Taken inside the page: the frame after the one that first shows the class, in its fonts.
    await page.evaluateOnNewDocument(() => {
        new MutationObserver((_, observer) => {
            if (document.getElementById('class')?.dataset.state !== 'connected') return;
            observer.disconnect();
            document.fonts.ready.then(() => requestAnimationFrame(() => requestAnimationFrame(() => {
                window.classPainted = performance.now();
            })));
        }).observe(document, { subtree: true, attributes: true });
    });
    await page.goto(link);
    await page.waitForFunction(() => window.classPainted !== undefined);
    paints.push(await page.evaluate(() => window.classPainted));
    await context.close();
}
console.log(`navigation to the class page's first complete paint at 1920×1080: median ${median(paints).toFixed(1)} ms ` +
    `(of ${runs})`);

const cost = await opener.evaluate(async () => {
    const { Module } = await import('./js/module.js');
    const module = await Module.load('nuperako.wasm');
    const random = (n) => Math.floor(Math.random() * n);
    const experiments = [];
    for (let student = 1; student <= 40; ++student) {
        for (let experiment = 1; experiment <= 3; ++experiment) {
            const c = [0, 0, 0, 0, 0, 0, 0, 0, 0];
            for (let round = 0; round < 300; ++round) {
                const player = random(3);
                const kind = random(3);
                if (kind === 0) ++c[0];
                else if (kind === 1) ++c[1 + player], ++c[4];
                else ++c[5 + player], ++c[8];
            }
            experiments.push({ seat: `${student}番`, student, experiment, counts: c, ended: false });
        }
    }
    const history = [];
    for (let i = 1; i <= 1024; ++i) {
        const rounds = Math.round((i * 36000) / 1024);
        history.push([rounds, Math.round(rounds / 3), Math.round(rounds / 3), rounds - 2 * Math.round(rounds / 3)]);
    }
    const view = { experiments, history };
    const [graph, funnel] = ['#graph canvas', '#funnel canvas'].map((s) => document.querySelector(s));
    const times = [];
    for (let i = 0; i < 200; ++i) {
        const start = performance.now();
        module.setClass(view);
        module.classGraph(graph.width, graph.height);
        module.classFunnel(0, false, -1, funnel.width, funnel.height);
        times.push(performance.now() - start);
    }
    times.sort((a, b) => a - b);
    return { median: times[100], graph: [graph.width, graph.height], funnel: [funnel.width, funnel.height] };
});
console.log(`one redraw in the module, 40 students × 3 experiments, 1024 history points (graph ${cost.graph.join('×')}, ` +
    `funnel ${cost.funnel.join('×')} pixels): median ${cost.median.toFixed(2)} ms`);

await browser.close();
server.kill();
await rm(data, { recursive: true, force: true });
