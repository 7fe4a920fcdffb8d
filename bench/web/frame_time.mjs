// Frame time of play in the browser build: headless Chromium with SwiftShader's WebGL at
// 640 x 480, 300 frames of play with no input, pointer at the centre. Each frame is timed from
// the start of the game's frame until the browser has drawn it (a one-pixel read-back), as the
// desktop frame benchmark times a frame up to glFinish; the gaps between frames are what the
// player sees. Prints the figures, then the desktop's on this machine for the ratio, then the
// phone profile's (844 x 390 at 3 device pixels, into play by taps): the time between frames and
// the game's work of a frame, at full speed and with the CPU slowed four times.
// Usage: node bench/web/frame_time.mjs   (after scripts/web.sh and the native build)
import { execFileSync } from 'node:child_process';
import { join } from 'node:path';
import * as t from '../../tests/web/lib.mjs';

const Frames = 300;

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const percentile95 = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length * 0.95)];

const game = await t.openGame('screenw=640\nscreenh=480\nmipmapping=1\n');
let work = [];
let gaps = [];
try {
    await t.intoPlay(game);
    await t.pointAt(game, 320, 240);
    await t.sleep(1000);
    await game.page.evaluate(() => {
        Module.lornhavenFrameSync = true;
        Module.lornhavenFrames = [];
    });
    await game.page.waitForFunction((n) => Module.lornhavenFrames.length >= n, { timeout: 120000 }, Frames + 1);
    const frames = await game.page.evaluate(() => Module.lornhavenFrames);
    work = frames.slice(1, Frames + 1).map((frame) => frame[1]);
    gaps = frames.slice(1, Frames + 1).map((frame, i) => frame[0] - frames[i][0]);
} finally {
    await game.close();
}

const load = execFileSync('cat', ['/proc/loadavg'], { encoding: 'utf8' }).split(' ').slice(0, 3).join(' ');
console.log(`browser, 640 x 480, ${Frames} frames of play (load average ${load}):`);
console.log(`  frame up to drawn: median ${median(work).toFixed(2)} ms, 95th percentile ${percentile95(work).toFixed(2)} ms`);
console.log(`  time between frames: median ${median(gaps).toFixed(2)} ms, 95th percentile ${percentile95(gaps).toFixed(2)} ms`);

// The desktop figure of the same size, from the frame benchmark (monsters as placed).
const root = join(t.nativeDir, '..');
const bench = join(t.nativeDir, 'bench/bench_frame');
try {
    const out = execFileSync(join(root, 'tests/with-xvfb.sh'),
        [bench, '--benchmark_filter=BM_PlayFrame/w:640/h:480/crowd:0', '--benchmark_format=json'],
        { encoding: 'utf8', env: { ...process.env, SDL_AUDIODRIVER: 'dummy' }, cwd: join(t.nativeDir, 'run') });
    const result = JSON.parse(out.slice(out.indexOf('{'))).benchmarks.find((b) => b.run_type === 'iteration');
    const nativeMs = result.median_ms;
    console.log(`desktop (Mesa llvmpipe), 640 x 480 frame benchmark: median ${nativeMs.toFixed(2)} ms, ` +
        `95th percentile ${result.p95_ms.toFixed(2)} ms`);
    console.log(`ratio browser / desktop: ${(median(work) / nativeMs).toFixed(2)}`);
} catch (error) {
    console.log(`desktop frame benchmark not run: ${error.message.split('\n')[0]}`);
}

// The phone profile, as the phone test plays it, at full speed and with the CPU slowed 4x.
const phone = await t.openGame(undefined, { phone: true });
try {
    await t.waitForState(phone, 'splash', 60);
    await t.tapAt(phone, 320, 240);
    await t.waitForState(phone, 'title', 20);
    await t.tapAt(phone, 320, 240);
    await t.waitForState(phone, 'play', 20);
    const session = await phone.page.target().createCDPSession();
    for (const rate of [1, 4]) {
        await session.send('Emulation.setCPUThrottlingRate', { rate });
        await phone.page.evaluate(() => { Module.lornhavenFrames = []; });
        await phone.page.waitForFunction((n) => Module.lornhavenFrames.length >= n, { timeout: 120000 }, Frames + 1);
        const frames = await phone.page.evaluate(() => Module.lornhavenFrames);
        const phoneWork = frames.slice(1, Frames + 1).map((frame) => frame[1]);
        const phoneGaps = frames.slice(1, Frames + 1).map((frame, i) => frame[0] - frames[i][0]);
        const phoneLoad = execFileSync('cat', ['/proc/loadavg'], { encoding: 'utf8' }).split(' ')[0];
        console.log(`phone profile, CPU ${rate === 1 ? 'at full speed' : 'slowed 4x'} (load average ${phoneLoad}): ` +
            `between frames median ${median(phoneGaps).toFixed(2)} ms, game's work median ${median(phoneWork).toFixed(2)} ms`);
    }
} finally {
    await phone.close();
}
