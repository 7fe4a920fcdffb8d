// Helpers of the browser tests: the built page served on 127.0.0.1, Debian's Chromium with
// SwiftShader's WebGL under puppeteer-core, screenshots of the canvas judged by the native
// screenprobe (the same judge as the desktop's end-to-end tests), and real key and mouse input.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { deflateSync } from 'node:zlib';
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

// A phone held sideways: 844 x 390 CSS pixels at 3 device pixels each, touch and no mouse.
export const Phone = { width: 844, height: 390, deviceScaleFactor: 3, isMobile: true, hasTouch: true };

// Starts the server, the browser and a page that serves SETTINGS as its settings.ini.
// options: width and height of the window, args for Chromium, phone (the Phone profile, whose
// shots are the game's own picture: see shot), dir (the folder served instead of the build's).
// Returns { page, messages, errors, workDir, close }.
export async function openGame(settings = 'screenw=640\nscreenh=480\n', options = {}) {
    const workDir = mkdtempSync(join(tmpdir(), 'lornhaven-web-'));
    const settingsFile = join(workDir, 'settings.ini');
    writeFileSync(settingsFile, settings);
    const server = await startServer(options.dir || webDir, 0, settingsFile);
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
    if (options.phone) {
        await page.setViewport(Phone);
    }
    await page.goto(`http://127.0.0.1:${server.address().port}/`, { waitUntil: 'load' });
    const close = async () => {
        await browser.close().catch(() => {});
        server.close();
        if (!process.env.LORNHAVEN_KEEP_SHOTS) {
            rmSync(workDir, { recursive: true, force: true });
        }
    };
    return { page, messages, errors, workDir, close, phone: Boolean(options.phone) };
}

// Saves a screenshot of the canvas as WORKDIR/NAME.png and returns its path. (Reading the
// WebGL buffer back from script may give an empty picture; the compositor's copy does not.)
// On the phone profile the canvas is shown scaled at 3 device pixels to the CSS pixel, which no
// judge of exact places and colours can read: the shot is then the picture the game drew, read
// back by the game at its own size after a frame (Module.lornhavenGrab).
export async function shot(game, name) {
    const file = join(game.workDir, `${name}.png`);
    if (game.phone) {
        const grabbed = await game.page.evaluate(() => new Promise((done) => {
            Module.lornhavenGrab = (width, height, pixels) => {
                let text = '';
                for (let i = 0; i < pixels.length; i += 0x8000) {
                    text += String.fromCharCode.apply(null, pixels.subarray(i, i + 0x8000));
                }
                done({ width, height, pixels: btoa(text) });
            };
        }));
        writePng(file, grabbed.width, grabbed.height, Buffer.from(grabbed.pixels, 'base64'));
        return file;
    }
    const canvas = await game.page.$('#canvas');
    await canvas.screenshot({ path: file });
    return file;
}

const crcTable = Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; k++) {
        c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    }
    return c >>> 0;
});

function pngChunk(type, data) {
    const body = Buffer.concat([Buffer.from(type, 'latin1'), data]);
    let crc = 0xffffffff;
    for (const byte of body) {
        crc = crcTable[(crc ^ byte) & 0xff] ^ (crc >>> 8);
    }
    const head = Buffer.alloc(4);
    head.writeUInt32BE(data.length);
    const tail = Buffer.alloc(4);
    tail.writeUInt32BE((crc ^ 0xffffffff) >>> 0);
    return Buffer.concat([head, body, tail]);
}

// Writes RGBA pixels given bottom row first (as GL reads them) as an opaque RGB PNG.
function writePng(file, width, height, pixels) {
    const rows = Buffer.alloc(height * (width * 3 + 1));
    for (let y = 0; y < height; y++) {
        const from = (height - 1 - y) * width * 4;
        const to = y * (width * 3 + 1);
        for (let x = 0; x < width; x++) {
            rows[to + 1 + x * 3] = pixels[from + x * 4];
            rows[to + 2 + x * 3] = pixels[from + x * 4 + 1];
            rows[to + 3 + x * 3] = pixels[from + x * 4 + 2];
        }
    }
    const header = Buffer.alloc(13);
    header.writeUInt32BE(width, 0);
    header.writeUInt32BE(height, 4);
    header.set([8, 2, 0, 0, 0], 8);
    writeFileSync(file, Buffer.concat([Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
        pngChunk('IHDR', header), pngChunk('IDAT', deflateSync(rows)), pngChunk('IEND', Buffer.alloc(0))]));
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

// Real touches, several fingers at once, through the browser's own input (CDP): touchDown,
// touchMove and touchUp name each finger by a number and place it in page (CSS) pixels.
async function sendTouch(game, type) {
    if (!game.touchSession) {
        game.touchSession = await game.page.target().createCDPSession();
    }
    const touchPoints = [...game.fingers].map(([id, point]) => ({ x: point.x, y: point.y, id }));
    await game.touchSession.send('Input.dispatchTouchEvent', { type, touchPoints });
}

export async function touchDown(game, id, x, y) {
    game.fingers = game.fingers || new Map();
    game.fingers.set(id, { x, y });
    await sendTouch(game, 'touchStart');
}

export async function touchMove(game, id, x, y) {
    game.fingers.set(id, { x, y });
    await sendTouch(game, 'touchMove');
}

export async function touchUp(game, id) {
    game.fingers.delete(id);
    await sendTouch(game, 'touchEnd');
}

// The centre of the page element whose aria-label is LABEL, or null when it is not shown.
export async function controlCentre(game, label) {
    return game.page.$eval(`[aria-label="${label}"]`, (element) => {
        const box = element.getBoundingClientRect();
        const style = getComputedStyle(element);
        if (box.width === 0 || box.height === 0 || style.display === 'none' || style.visibility === 'hidden') {
            return null;
        }
        return { x: box.left + box.width / 2, y: box.top + box.height / 2, width: box.width, height: box.height };
    });
}

// Touches the control LABEL for MS milliseconds (finger 9 unless told).
export async function pressControl(game, label, ms = 300, id = 9) {
    const at = await controlCentre(game, label);
    if (!at) {
        fail(`the ${label} control is not shown`);
    }
    await touchDown(game, id, at.x, at.y);
    await sleep(ms);
    await touchUp(game, id);
}

// A tap at (x, y) of the canvas in the game's own pixels, however the page scales it.
export async function tapAt(game, x, y) {
    const at = await game.page.$eval('#canvas', (canvas, cx, cy) => {
        const box = canvas.getBoundingClientRect();
        return { x: box.left + (cx + 0.5) * box.width / canvas.width, y: box.top + (cy + 0.5) * box.height / canvas.height };
    }, x, y);
    await touchDown(game, 8, at.x, at.y);
    await sleep(200);
    await touchUp(game, 8);
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
