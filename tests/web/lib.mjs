// Helpers of the browser tests: the built page served on 127.0.0.1, Debian's Chromium with
// SwiftShader's WebGL under puppeteer-core, screenshots of the canvas judged by the native
// screenprobe (the same judge as the desktop's end-to-end tests), and real key and mouse input.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';
import { startServer } from '../../web/serve.mjs';

const root = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
export const webDir = resolve(process.env.LORNHAVEN_WEB_DIR || join(root, 'build-web'));
export const nativeDir = resolve(process.env.LORNHAVEN_NATIVE_DIR || join(root, 'build'));
const probe = join(nativeDir, 'tools/screenprobe');
const media = join(nativeDir, 'run/Media');
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';

export const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

export function fail(text) {
    throw new Error(text);
}

// Starts the server, the browser and a page that serves SETTINGS as its settings.ini.
// Returns { page, messages, errors, workDir, close }.
export async function openGame(settings = 'screenw=640\nscreenh=480\n', options = {}) {
    const workDir = mkdtempSync(join(tmpdir(), 'lornhaven-web-'));
    const settingsFile = join(workDir, 'settings.ini');
    writeFileSync(settingsFile, settings);
    const server = await startServer(webDir, 0, settingsFile);
    const browser = await puppeteer.launch({
        executablePath: chromium,
        headless: true,
        userDataDir: join(workDir, 'profile'),
        args: [
            '--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
            '--no-sandbox', '--disable-background-networking', '--disable-component-update',
            '--disable-sync', '--no-first-run', '--disable-dev-shm-usage',
            '--window-size=800,600', ...(options.args || []),
        ],
        defaultViewport: { width: options.width || 800, height: options.height || 600 },
    });
    const page = await browser.newPage();
    const messages = [];
    const errors = [];
    page.on('console', (message) => {
        messages.push(`${message.type()}: ${message.text()}`);
        if (message.type() === 'error') {
            errors.push(message.text());
        }
    });
    page.on('pageerror', (error) => errors.push(`page error: ${error.message}`));
    page.on('requestfailed', (request) => errors.push(`request failed: ${request.url()}`));
    await page.goto(`http://127.0.0.1:${server.address().port}/`, { waitUntil: 'load' });
    const close = async () => {
        await browser.close().catch(() => {});
        server.close();
        if (!process.env.LORNHAVEN_KEEP_SHOTS) {
            rmSync(workDir, { recursive: true, force: true });
        }
    };
    return { page, messages, errors, workDir, close };
}

// Saves a screenshot of the canvas as WORKDIR/NAME.png and returns its path. (Reading the
// WebGL buffer back from script may give an empty picture; the compositor's copy does not.)
export async function shot(game, name) {
    const file = join(game.workDir, `${name}.png`);
    const canvas = await game.page.$('#canvas');
    await canvas.screenshot({ path: file });
    return file;
}

export function runProbe(...args) {
    return execFileSync(probe, args, { encoding: 'utf8' }).trim();
}

// Which screen the canvas shows: splash, title, play, menu or unknown.
export async function screenState(game) {
    return runProbe('state', await shot(game, 'state'), media);
}

// [health, energy] as the HUD shows them, or null.
export async function hudNumbers(game, name = 'hud') {
    const seen = runProbe('hud', await shot(game, name), media);
    return seen === 'none' ? null : seen.split(' ').map(Number);
}

export async function waitForState(game, wanted, seconds) {
    const deadline = Date.now() + seconds * 1000;
    let seen = 'none';
    while (Date.now() < deadline) {
        seen = await screenState(game);
        if (seen === wanted) {
            return seen;
        }
        await sleep(200);
    }
    fail(`the page never showed the ${wanted} screen (saw ${seen})`);
}

// Waits until the game has run N more frames. A loaded machine runs fewer frames a second, each
// a longer step of the world (up to two 60 Hz ticks), so counting frames keeps the amount of
// play alike on a quiet and a busy machine.
export async function waitFrames(game, n) {
    const start = await game.page.evaluate(() => {
        if (!Module.lornhavenFrames) {
            Module.lornhavenFrames = [];
        }
        return Module.lornhavenFrames.length;
    });
    await game.page.waitForFunction((count) => Module.lornhavenFrames.length >= count,
        { timeout: 120000, polling: 50 }, start + n);
}

// Holds KEY for MS milliseconds: a press shorter than a frame is never seen, by design.
export async function holdKey(game, key, ms = 300) {
    await game.page.keyboard.down(key);
    await sleep(ms);
    await game.page.keyboard.up(key);
}

// The canvas's top-left corner in page pixels.
export async function canvasOrigin(game) {
    return game.page.$eval('#canvas', (canvas) => {
        const box = canvas.getBoundingClientRect();
        return { x: box.left, y: box.top };
    });
}

// Moves to (x, y) of the canvas and holds the left button for a few frames.
export async function clickAt(game, x, y) {
    const origin = await canvasOrigin(game);
    await game.page.mouse.move(origin.x + x, origin.y + y);
    await sleep(100);
    await game.page.mouse.down();
    await sleep(300);
    await game.page.mouse.up();
}

export async function pointAt(game, x, y) {
    const origin = await canvasOrigin(game);
    await game.page.mouse.move(origin.x + x, origin.y + y);
}

// Runs the named test cases in order, each on a fresh page; prints one line per case and a
// closing count, and exits non-zero on any failure.
// From the splash through the title into play, by clicks at the centre of a 640 x 480 canvas.
export async function intoPlay(game) {
    await pointAt(game, 320, 240);
    await waitForState(game, 'splash', 60);
    await clickAt(game, 320, 240);
    await waitForState(game, 'title', 20);
    await clickAt(game, 320, 240);
    await waitForState(game, 'play', 20);
}

export async function runCases(cases) {
    let passed = 0;
    let failed = 0;
    for (const [name, body] of cases) {
        const started = Date.now();
        try {
            await body();
            passed += 1;
            console.log(`ok   ${name} (${((Date.now() - started) / 1000).toFixed(1)} s)`);
        } catch (error) {
            failed += 1;
            console.log(`FAIL ${name}: ${error.message}`);
        }
    }
    console.log(`${passed} passed, ${failed} failed`);
    process.exit(failed === 0 ? 0 : 1);
}
