// The web build in headless Chromium: the page as a player meets it, from the splash through
// play and the pause menu to "Exit", judged by screenshots of the canvas with the desktop's own
// screen probe (the same places and colours as on the desktop at 640 x 480).
// Usage: node page_test.mjs   (after scripts/web.sh and the native build; see lib.mjs)
import { copyFileSync, mkdtempSync, readdirSync, rmSync, statSync, truncateSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import * as t from './lib.mjs';

// The 3D view below the HUD panel.
const View = ['0', '90', '640', '390'];

// 20 x 20 blocks of the view that differ between two screenshots.
const blocks = (a, b) => Number(t.runProbe('blocks', a, b, ...View));

// Holds each key in turn until one changes the view clearly more than standing still: the
// crowd of monsters pins the hero against walls, so a single direction may be blocked.
async function walksWith(game, keys, label) {
    const tries = [];
    for (const key of [...keys, ...keys]) {
        const rest1 = await t.shot(game, `${label}-rest1`);
        await t.waitFrames(game, 100);
        const rest2 = await t.shot(game, `${label}-rest2`);
        await game.page.keyboard.down(key);
        await t.waitFrames(game, 100);
        const walked = await t.shot(game, `${label}-walk`);
        await game.page.keyboard.up(key);
        const idle = blocks(rest1, rest2);
        const walk = blocks(rest2, walked);
        tries.push(`${key}: ${walk} blocks against ${idle} at rest`);
        if (walk >= idle + 100) {
            return tries;
        }
    }
    t.fail(`holding ${keys.join(', ')} never changed the view clearly more than standing still (${tries.join('; ')})`);
}

const cases = [
    ['the page plays from the splash through the title, play and the menu to Exit', async () => {
        const game = await t.openGame();
        try {
            // The splash is drawn: it is recognised by its pixels, and the canvas is not black.
            await t.pointAt(game, 320, 240);
            await t.waitForState(game, 'splash', 60);
            const splash = await t.shot(game, 'splash');
            const lit = Number(t.runProbe('lit', splash, '0', '0', '640', '480'));
            if (lit < 100000) {
                t.fail(`the splash lit only ${lit} of the canvas's pixels`);
            }
            const musicBefore = await game.page.evaluate(() => document.getElementById('music') !== null);
            if (musicBefore) {
                t.fail('music was put on the page before the player clicked');
            }

            await t.clickAt(game, 320, 240);
            await t.waitForState(game, 'title', 20);
            // Music starts at the first click, loops, and is not muted.
            await t.sleep(1000);
            const music = await game.page.evaluate(() => {
                const audio = document.getElementById('music');
                return audio && { paused: audio.paused, muted: audio.muted, loop: audio.loop,
                    volume: audio.volume, time: audio.currentTime };
            });
            if (!music || music.paused || music.muted || !music.loop || music.volume === 0 || !(music.time > 0)) {
                t.fail(`after the first click the music does not play: ${JSON.stringify(music)}`);
            }

            await t.clickAt(game, 320, 240);
            await t.waitForState(game, 'play', 20);
            await t.pointAt(game, 320, 240);
            const start = await t.hudNumbers(game);
            if (!start) {
                t.fail('no HUD with health and energy at the start of play');
            }
            // Looking down at the street at a slant keeps the crowd from filling the view while
            // the walls still show (as the desktop's play test does).
            await t.pointAt(game, 320, 475);
            await t.waitFrames(game, 90);
            await t.pointAt(game, 320, 5);
            await t.waitFrames(game, 36);
            await t.pointAt(game, 320, 240);
            const tries = await walksWith(game, ['w', 'd', 's', 'a'], 'wasd');
            console.log(`     w a s d: ${tries.join('; ')}`);
            const arrows = await walksWith(game, ['ArrowUp', 'ArrowRight', 'ArrowDown', 'ArrowLeft'], 'arrows');
            console.log(`     arrows: ${arrows.join('; ')}`);

            // Left shift flies on energy: the HUD's energy falls while it is held.
            const before = await t.hudNumbers(game, 'energy-before');
            await game.page.keyboard.down('ShiftLeft');
            await t.waitFrames(game, 90);
            const during = await t.hudNumbers(game, 'energy-during');
            await game.page.keyboard.up('ShiftLeft');
            if (!before || !during || !(during[1] < before[1])) {
                t.fail(`holding left shift did not lower the energy (${before} then ${during})`);
            }
            console.log(`     left shift: energy ${before[1]} -> ${during[1]}`);

            // Escape: the menu, with its panels and buttons where the desktop has them.
            await t.holdKey(game, 'Escape');
            await t.waitForState(game, 'menu', 20);
            await t.sleep(1000);
            await t.clickAt(game, 320, 115);
            await t.waitForState(game, 'play', 20);

            await t.holdKey(game, 'Escape');
            await t.waitForState(game, 'menu', 20);
            await t.sleep(1000);
            await t.clickAt(game, 320, 165);
            await game.page.waitForFunction(() => window.lornhavenExitStatus !== undefined, { timeout: 20000 });
            const ending = await game.page.evaluate(() => ({
                status: window.lornhavenExitStatus,
                shown: !document.getElementById('message').hidden,
                text: document.getElementById('message').textContent,
                music: document.getElementById('music') && document.getElementById('music').paused,
            }));
            if (ending.status !== 0 || !ending.shown || !/game has ended/.test(ending.text)) {
                t.fail(`"Exit" did not end the game with the page's message: ${JSON.stringify(ending)}`);
            }
            if (ending.music !== true) {
                t.fail('the music goes on after the game has ended');
            }
            // The loop has stopped: the canvas no longer changes.
            const after1 = await t.shot(game, 'ended1');
            await t.sleep(1000);
            const after2 = await t.shot(game, 'ended2');
            const changed = Number(t.runProbe('diff', after1, after2, '0', '0', '640', '480'));
            if (changed !== 0) {
                t.fail(`${changed} pixels still changed after "Exit"`);
            }
            if (game.errors.length > 0) {
                t.fail(`the console reported errors: ${game.errors.join(' | ')}`);
            }
        } finally {
            await game.close();
        }
    }],

    ['a size of 0 in settings.ini opens the game at the size of the page\'s viewport', async () => {
        const game = await t.openGame('screenw=0\nscreenh=0\n', { width: 720, height: 400 });
        try {
            await game.page.waitForFunction(() => document.getElementById('message').hidden, { timeout: 60000 });
            await t.sleep(1000);
            const size = await game.page.$eval('#canvas', (canvas) => [canvas.width, canvas.height]);
            if (size[0] !== 720 || size[1] !== 400) {
                t.fail(`the canvas is ${size.join(' x ')}, not the viewport's 720 x 400`);
            }
            if (game.errors.length > 0) {
                t.fail(`the console reported errors: ${game.errors.join(' | ')}`);
            }
        } finally {
            await game.close();
        }
    }],

    ['without WebGL the page says so instead of starting', async () => {
        const game = await t.openGame(undefined, { args: ['--disable-webgl', '--disable-3d-apis'] });
        try {
            await t.sleep(2000);
            const shown = await game.page.evaluate(() => ({
                status: window.lornhavenExitStatus,
                visible: !document.getElementById('message').hidden,
                text: document.getElementById('message').textContent,
            }));
            if (shown.status !== 3 || !shown.visible || !/WebGL/.test(shown.text)) {
                t.fail(`no clear line about the missing WebGL: ${JSON.stringify(shown)}`);
            }
        } finally {
            await game.close();
        }
    }],

    ['a missing or cut-short lornhaven.data is told on the page instead of a download that never ends', async () => {
        const served = mkdtempSync(join(tmpdir(), 'lornhaven-served-'));
        try {
            for (const name of readdirSync(t.webDir)) {
                if (statSync(join(t.webDir, name)).isFile()) {
                    copyFileSync(join(t.webDir, name), join(served, name));
                }
            }
            const data = join(served, 'lornhaven.data');
            const size = statSync(data).size;
            truncateSync(data, Math.floor(size / 2));
            for (const [how, expected] of [['cut short', /lornhaven\.data arrived cut short/], ['missing', /lornhaven\.data is missing/]]) {
                const game = await t.openGame(undefined, { dir: served });
                try {
                    const shown = await game.page.waitForFunction((wanted) => {
                        const message = document.getElementById('message');
                        return !message.hidden && new RegExp(wanted).test(message.textContent) && message.textContent;
                    }, { timeout: 30000 }, expected.source).then((handle) => handle.jsonValue()).catch(() => null);
                    if (!shown) {
                        const text = await game.page.$eval('#message', (message) => message.textContent);
                        t.fail(`with lornhaven.data ${how} the page says "${text}"`);
                    }
                } finally {
                    await game.close();
                }
                rmSync(data, { force: true });
            }
        } finally {
            rmSync(served, { recursive: true, force: true });
        }
    }],
];

// LORNHAVEN_CASE=TEXT runs only the cases whose name holds TEXT.
await t.runCases(cases.filter(([name]) => name.includes(process.env.LORNHAVEN_CASE || '')));
