// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
//
// The three engines school devices run, each opened the same small way, so one
// flow runs in all of them: Debian's Chromium and Firefox ESR through
// puppeteer-core (Chromium's own protocol, Firefox's WebDriver BiDi), and
// WebKitGTK's MiniBrowser through WebKitWebDriver (W3C WebDriver) on an Xvfb
// display of its own. Every tab is a device of its own: a context or session
// with nothing shared.

import { spawn } from 'node:child_process';
import { once } from 'node:events';
import { createServer } from 'node:net';
import puppeteer from 'puppeteer-core';

export const ENGINES = ['chromium', 'firefox', 'webkit'];

// The made-up name a school's server has: not loopback's, so the page is not a secure context.
export const SCHOOL_HOST = 'school.test';

const WAIT_MS = 20000;

// What every engine's tab offers; expressions are page JavaScript, awaited when they give a promise.
class Tab {
    // Asks again while the page navigates (a page that reloads itself destroys the asking script).
    async waitFor(expression, timeout = WAIT_MS) {
        const end = Date.now() + timeout;
        for (;;) {
            let value;
            let error;
            try {
                value = await this.evaluate(expression);
            } catch (e) {
                error = e;
            }
            if (value) return value;
            if (Date.now() > end) throw error ?? new Error(`timed out waiting for ${expression}`);
            await new Promise((resolve) => setTimeout(resolve, 100));
        }
    }
}

class PuppeteerTab extends Tab {
    constructor(page) {
        super();
        this.page = page;
    }

    goto(url) { return this.page.goto(url); }

    evaluate(expression) { return this.page.evaluate(expression); }

    click(selector) { return this.page.click(selector); }

    async press(selector, key) {
        await this.page.focus(selector);
        await this.page.keyboard.press(key);
    }
}

async function puppeteerBrowser(engine) {
    const chromium = engine === 'chromium';
    const browser = await puppeteer.launch(chromium ? {
        executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
        args: ['--no-sandbox', `--host-resolver-rules=MAP ${SCHOOL_HOST} 127.0.0.1`],
    } : {
        browser: 'firefox',
        executablePath: process.env.FIREFOX ?? '/usr/bin/firefox-esr',
        // Every name resolves to loopback, so the school's name does too.
        extraPrefsFirefox: { 'network.dns.forceResolve': '127.0.0.1' },
    });
    return {
        host: SCHOOL_HOST,
        async newTab() {
            const page = await (await browser.createBrowserContext()).newPage();
            await page.setViewport({ width: 1280, height: 900 });
            return new PuppeteerTab(page);
        },
        close: () => browser.close(),
    };
}

// W3C WebDriver's keys for the keys the flows press.
const KEYS = { ArrowRight: '\uE014', Delete: '\uE017', Enter: '\uE007' };

class WebDriverTab extends Tab {
    constructor(endpoint) {
        super();
        this.endpoint = endpoint;
    }

    async command(method, path, body) {
        const response = await fetch(`${this.endpoint}${path}`, {
            method, headers: { 'Content-Type': 'application/json' }, body: body && JSON.stringify(body),
        });
        const { value } = await response.json();
        if (!response.ok) throw new Error(`WebDriver ${path}: ${value?.error} ${value?.message}`);
        return value;
    }

    goto(url) { return this.command('POST', '/url', { url }); }

    evaluate(expression) {
        return this.command('POST', '/execute/async', {
            script: `const done = arguments[0];
                Promise.resolve().then(() => (${expression})).then(done, (e) => done({ thrown: String(e) }));`,
            args: [],
        });
    }

    async element(selector) {
        const found = await this.command('POST', '/element', { using: 'css selector', value: selector });
        return Object.values(found)[0];
    }

    async click(selector) {
        await this.command('POST', `/element/${await this.element(selector)}/click`, {});
    }

    async press(selector, key) {
        await this.command('POST', `/element/${await this.element(selector)}/value`, { text: KEYS[key] });
    }

    close() { return this.command('DELETE', ''); }
}

async function freePort() {
    const server = createServer().listen(0, '127.0.0.1');
    await once(server, 'listening');
    const { port } = server.address();
    server.close();
    return port;
}

// WebKitWebDriver drives one session: each device its own driver, all on one Xvfb display.
async function webkitDevice(display) {
    const port = await freePort();
    const driver = spawn(process.env.WEBKIT_WEBDRIVER ?? '/usr/bin/WebKitWebDriver', [`--port=${port}`],
        { stdio: 'ignore', env: { ...process.env, DISPLAY: display } });
    const endpoint = `http://127.0.0.1:${port}`;
    for (let i = 0; ; ++i) {
        const ready = await fetch(`${endpoint}/status`).then((r) => r.ok, () => false);
        if (ready) break;
        if (i === 100) throw new Error('WebKitWebDriver did not start');
        await new Promise((resolve) => setTimeout(resolve, 100));
    }
    const response = await fetch(`${endpoint}/session`, {
        method: 'POST', headers: { 'Content-Type': 'application/json' },
        body: JSON.stringify({ capabilities: { alwaysMatch: { 'webkitgtk:browserOptions': {
            binary: process.env.MINIBROWSER ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
            args: ['--automation', '--geometry=1280x900'],
        } } } }),
    });
    const { value } = await response.json();
    if (!response.ok) throw new Error(`WebKitWebDriver: ${value?.message}`);
    const tab = new WebDriverTab(`${endpoint}/session/${value.sessionId}`);
    tab.driver = driver;
    return tab;
}

async function webkitBrowser() {
    // A display of its own: Xvfb picks a free one and says its number.
    const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x900x24', '-nolisten', 'tcp'],
        { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
    const [number] = await once(xvfb.stdio[3], 'data');
    const display = `:${String(number).trim()}`;
    const tabs = [];
    return {
        host: '127.0.0.1', // WebKitGTK has no way to map a made-up name onto loopback
        async newTab() {
            const tab = await webkitDevice(display);
            tabs.push(tab);
            return tab;
        },
        async close() {
            await Promise.allSettled(tabs.map((tab) => tab.close()));
            for (const tab of tabs) tab.driver.kill();
            xvfb.kill();
        },
    };
}

export function openBrowser(engine) {
    return engine === 'webkit' ? webkitBrowser() : puppeteerBrowser(engine);
}
