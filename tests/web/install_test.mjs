// The page as an installed app on a phone: the browser finds it installable, a page visited
// once plays again with no network at all, and a new build's files replace the old ones as a
// whole. Headless Chromium with the phone profile; screens judged by the desktop's screenprobe.
// Usage: node install_test.mjs   (after scripts/web.sh and the native build; see lib.mjs)
import { execFileSync } from 'node:child_process';
import { copyFileSync, mkdtempSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';
import { startServer } from '../../web/serve.mjs';
import * as t from './lib.mjs';

const root = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const phone = { width: 844, height: 390, deviceScaleFactor: 3, isMobile: true, hasTouch: true };

// What the build wrote into the worker: its cache name and the files it keeps.
function workerOf(dir) {
    const text = readFileSync(join(dir, 'service_worker.js'), 'utf8');
    const name = text.match(/const cacheName = '([^']+)'/);
    const files = text.match(/const pageFiles = \[([^\]]*)\]/);
    if (!name || !files) {
        t.fail(`${dir}/service_worker.js names no cache or no files`);
    }
    return { cacheName: name[1], files: [...files[1].matchAll(/'([^']+)'/g)].map((m) => m[1]) };
}

// A browser with a profile of its own (kept between visits, as a phone keeps it) and a server
// of DIR that counts the bytes it sends. Returns { browser, server, url, sent, workDir, close }.
async function openBrowser(dir) {
    const workDir = mkdtempSync(join(tmpdir(), 'lornhaven-install-'));
    const settingsFile = join(workDir, 'settings.ini');
    writeFileSync(settingsFile, 'screenw=640\nscreenh=480\n');
    const server = await startServer(dir, 0, settingsFile);
    const sent = { bytes: 0, files: [] };
    server.on('request', (request, response) => response.on('finish', () => {
        const path = new URL(request.url, 'http://127.0.0.1').pathname;
        const file = path === '/settings.ini' ? settingsFile
            : join(dir, path === '/' ? 'index.html' : path);
        const length = response.statusCode === 200 ? statSync(file).size : 0;
        sent.bytes += length;
        sent.files.push(`${path} ${response.statusCode}`);
    }));
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        headless: true,
        userDataDir: join(workDir, 'profile'),
        args: ['--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
            '--no-sandbox', '--disable-background-networking', '--disable-component-update',
            '--disable-sync', '--no-first-run', '--disable-dev-shm-usage'],
        defaultViewport: phone,
    });
    const close = async () => {
        await browser.close().catch(() => {});
        server.close();
        server.closeAllConnections();
        if (!process.env.LORNHAVEN_KEEP_SHOTS) {
            rmSync(workDir, { recursive: true, force: true });
        }
    };
    return { browser, server, url: `http://127.0.0.1:${server.address().port}/`, sent, workDir, close };
}

// A visit: a new tab on the page.
async function visit(session, errors = []) {
    const page = await session.browser.newPage();
    page.on('pageerror', (error) => errors.push(`page error: ${error.message}`));
    page.on('console', (message) => {
        if (message.type() === 'error') {
            errors.push(message.text());
        }
    });
    await page.goto(session.url, { waitUntil: 'load' });
    return { page, workDir: session.workDir };
}

// The screen the canvas shows, from a screenshot of it at 640 x 480 whatever the screen's
// pixels (the screen probe knows the game's screens at that size).
async function screenState(game) {
    const file = join(game.workDir, 'state.png');
    const box = await game.page.$eval('#canvas', (c) => {
        const r = c.getBoundingClientRect();
        return { x: r.left, y: r.top, width: r.width, height: r.height };
    });
    const scale = 640 / box.width / phone.deviceScaleFactor;
    await game.page.screenshot({ path: file, clip: { ...box, scale } });
    return t.runProbe('state', file, join(t.nativeDir, 'run/Media'));
}

async function waitForState(game, wanted, seconds) {
    const deadline = Date.now() + seconds * 1000;
    let seen = 'none';
    while (Date.now() < deadline) {
        seen = await screenState(game);
        if (seen === wanted) {
            return;
        }
        await t.sleep(200);
    }
    t.fail(`the page never showed the ${wanted} screen (saw ${seen})`);
}

// A tap held a few frames at (x, y) of the 640 x 480 canvas.
async function tap(game, x, y) {
    const box = await game.page.$eval('#canvas', (c) => {
        const r = c.getBoundingClientRect();
        return { x: r.left, y: r.top, width: r.width };
    });
    const k = box.width / 640;
    await game.page.touchscreen.touchStart(box.x + x * k, box.y + y * k);
    await t.sleep(300);
    await game.page.touchscreen.touchEnd();
}

// Waits until the page's service worker is active and its cache holds every file it keeps.
async function cached(game, worker) {
    await game.page.waitForFunction(async (name, count) => {
        const registration = await navigator.serviceWorker.getRegistration();
        if (!registration || !registration.active || registration.active.state !== 'activated') {
            return false;
        }
        const names = await caches.keys();
        return names.includes(name) && (await (await caches.open(name)).keys()).length === count;
    }, { timeout: 120000, polling: 250 }, worker.cacheName, worker.files.length);
}

const cases = [
    ['installable, and after one visit the page plays with no network', async () => {
        const session = await openBrowser(t.webDir);
        try {
            const worker = workerOf(t.webDir);
            const errors = [];
            const game = await visit(session, errors);
            await waitForState(game, 'splash', 90);
            const cdp = await game.page.createCDPSession();
            const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
            if (installabilityErrors.length !== 0) {
                t.fail('the browser finds the page not installable: ' +
                    JSON.stringify(installabilityErrors));
            }
            await cached(game, worker);
            console.log(`     first visit: ${session.sent.bytes} bytes sent ` +
                `(${session.sent.files.join(', ')})`);
            if (errors.length !== 0) {
                t.fail(`the first visit logged errors: ${errors.join('; ')}`);
            }

            // No network at all: the page offline, and the server gone.
            await game.page.setOfflineMode(true);
            session.server.closeAllConnections();
            await new Promise((done) => session.server.close(done));
            await game.page.reload({ waitUntil: 'load' }).catch(() => {});
            if (!(await game.page.$('#canvas'))) {
                t.fail('with no network the page did not come back');
            }
            await waitForState(game, 'splash', 90);
            // The settings the page saw online (640 x 480), kept for offline.
            const size = await game.page.$eval('#canvas', (c) => `${c.width} x ${c.height}`);
            if (size !== '640 x 480') {
                t.fail(`offline the game started at ${size}, not with the settings seen online`);
            }
            await tap(game, 320, 240);
            await waitForState(game, 'title', 20);
            await tap(game, 320, 240);
            await waitForState(game, 'play', 20);
        } finally {
            await session.close();
        }
    }],
    ['a new build replaces the old files as a whole', async () => {
        // A copy of the page, visited once; then built again with one file changed.
        const dir = mkdtempSync(join(tmpdir(), 'lornhaven-build-'));
        const session = await openBrowser(dir);
        try {
            const old = workerOf(t.webDir);
            for (const name of [...old.files, 'service_worker.js']) {
                copyFileSync(join(t.webDir, name), join(dir, name));
            }
            let game = await visit(session);
            await waitForState(game, 'splash', 90);
            await cached(game, old);
            await game.page.close();

            const page = readFileSync(join(dir, 'index.html'), 'utf8');
            writeFileSync(join(dir, 'index.html'), page.replace('<html', '<html data-build="rebuilt"'));
            execFileSync('cmake', [`-DDIR=${dir}`, `-DFILES=${old.files.join(',')}`,
                `-DVERSION=${old.cacheName.split('-')[1]}`,
                `-DTEMPLATE=${join(root, 'web/service_worker.js.in')}`,
                `-DOUTPUT=${join(dir, 'service_worker.js')}`, '-P', join(root, 'web/service_worker.cmake')]);
            const rebuilt = workerOf(dir);
            if (rebuilt.cacheName === old.cacheName) {
                t.fail(`a changed page keeps the cache name ${old.cacheName}`);
            }

            // The next visit still plays the old build (all of it), and fetches the new one,
            // which takes over once that page has its files and drops the old cache; the visit
            // after plays the new build.
            game = await visit(session);
            const build = () => game.page.evaluate(
                () => document.documentElement.dataset.build || 'first');
            const during = await build();
            await game.page.waitForFunction(async (name) => {
                const names = await caches.keys();
                return names.length === 1 && names[0] === name;
            }, { timeout: 120000, polling: 250 }, rebuilt.cacheName).catch(async () => {
                const names = await game.page.evaluate(() => caches.keys());
                t.fail(`the caches are ${JSON.stringify(names)}, not only ${rebuilt.cacheName}`);
            });
            await game.page.close();
            game = await visit(session);
            const after = await build();
            await waitForState(game, 'splash', 90);
            if (during !== 'first' || after !== 'rebuilt') {
                t.fail(`the visits after the new build showed the ${during} build, ` +
                    `then the ${after} one`);
            }
        } finally {
            await session.close();
            rmSync(dir, { recursive: true, force: true });
        }
    }],
];

await t.runCases(cases);
