// The pause menu's part of a frame (both panels with their four texts and captions, two buttons
// and the pointer) at 640 x 480 with Mesa's software renderer and the real dashboard atlas.
// Run it from the repository's root under a private X server:
//     tests/with-xvfb.sh env LIBGL_ALWAYS_SOFTWARE=1 build/bench/bench_overlay
// BM_PauseMenuFrame times submitting and finishing (glFinish) one fully open menu;
// BM_PauseMenuSubmit only the submission; init_ms is initOverlay and initPauseScreen once (load,
// pad, upload).
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <chrono>
#include <unistd.h>

#include "app/frame_clock.h"
#include "app/input.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/video.h"
#include "overlay/dashboard.h"
#include "overlay/pause_menu.h"

namespace {

double initMillis = 0.0;

void openOnce()
{
    static bool opened = false;
    if (opened) {
        return;
    }
    opened = true;
    if (chdir(LORNHAVEN_RUN_DIR) != 0) {
        return;
    }
    settings = Settings{};
    settings.screenWidth = 640;
    settings.screenHeight = 480;
    settings.screenAspect = 640.0f / 480.0f;
    openVideo();
    auto start = std::chrono::steady_clock::now();
    initOverlay();
    initPauseScreen();
    glFinish();
    initMillis = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    snprintf(titleText, sizeof titleText, "%s", "Lornhaven");
    versionNumber = 0.3f;
    snprintf(dateText, sizeof dateText, "%s", "Wednesday September 28th 2011");
    snprintf(clockText, sizeof clockText, "%s", "12:59:59 PM");
    menuOpen = true;
    menuFade = 100.0f;
    mouseX = 200;
    mouseY = 115;
}

void drawMenu()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    runPauseMenu();
    drawPointer(mouseX, mouseY);
}

void BM_PauseMenuFrame(benchmark::State& state)
{
    openOnce();
    for (auto _ : state) {
        drawMenu();
        glFinish();
    }
    state.counters["init_ms"] = initMillis;
}
BENCHMARK(BM_PauseMenuFrame)->Unit(benchmark::kMillisecond);

void BM_PauseMenuSubmit(benchmark::State& state)
{
    openOnce();
    for (auto _ : state) {
        drawMenu();
        state.PauseTiming();
        glFinish();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PauseMenuSubmit)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
