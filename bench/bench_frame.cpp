// One frame of play (updateWorld, drawScene, drawHud) in a real window with Mesa's software
// renderer, the hero standing in the densest street of a generated city (a fixed seed), at
// 640 x 480 and at 1024 x 768; then the same with all 500 monsters packed around the hero, as
// after a while of play (each monster is a draw of its own). Run it from the repository's root
// under a private X server:
//     tests/with-xvfb.sh env LIBGL_ALWAYS_SOFTWARE=1 build/bench/bench_frame
// Counters, per frame: median_ms and p95_ms of the frame's work (clear to glFinish, no swap);
// their medians update_ms, submit_ms (drawScene's calls), hud_ms and raster_ms (the glFinish:
// drawing still queued once everything is submitted); swap_ms; draws (drawScene's glDrawArrays);
// allocs (operator new of our code in a frame); cpu_ms and main_cpu_ms, the CPU time of the
// frame's work in all threads and in the game's own thread, which a busy machine disturbs less;
// monsters, those in the drawing window at the end. startup_ms is the window and startUp,
// first_frame_ms the first frame after them (the renderer compiles its shaders there).
// The machine is shared: look at the load (uptime) and repeat the run.
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <new>
#include <unistd.h>
#include <vector>

#include "app/input.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/video.h"
#include "city/city_grid.h"
#include "render/scene.h"
#include "render/screens.h"
#include "sim/actors.h"
#include "sim/monsters.h"
#include "sim/world_update.h"

#include "bench/crowd.h"

#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

// Counts the allocations of our own code (operator new) while a frame runs.
static bool countingAllocations = false;
static long allocationCount = 0;

void* operator new(std::size_t size)
{
    if (countingAllocations) {
        ++allocationCount;
    }
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return p;
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using Clock = std::chrono::steady_clock;
constexpr unsigned BenchSeed = 20261207;

// CPU time of the whole process (our thread and the renderer's) or of the calling thread, in ms.
double cpuMillis(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

double millisBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

int openedWidth = 0;
int openedHeight = 0;
double startUpMillis = 0.0;      // window, context and startUp
double firstFrameMillis = 0.0;   // the first frame of play after it, drawn and finished

// The walkable, monster-free column whose 51 x 51 drawing window holds the most pieces.
void placeHeroInDensestStreet()
{
    static int columnCells[GridSize + 1][GridSize + 1];   // prefix sums of non-empty cells
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            int cells = 0;
            for (int level = 0; level < LevelCount; ++level) {
                cells += cityGrid.cells[x][level][z].type != CellType::Empty;
            }
            columnCells[x + 1][z + 1] = cells + columnCells[x][z + 1] + columnCells[x + 1][z] - columnCells[x][z];
        }
    }
    int best = -1, bestX = 100, bestZ = 100;
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            if (cityGrid.blocked[x][z] != 0 || actorGrid.count[x][z] != 0) {
                continue;
            }
            int x0 = std::max(x - 25, 0), x1 = std::min(x + 26, GridSize);
            int z0 = std::max(z - 25, 0), z1 = std::min(z + 26, GridSize);
            int cells = columnCells[x1][z1] - columnCells[x0][z1] - columnCells[x1][z0] + columnCells[x0][z0];
            if (cells > best) {
                best = cells;
                bestX = x;
                bestZ = z;
            }
        }
    }
    hero.x = 10.0f * bestX;
    hero.y = 10.0f;
    hero.z = 10.0f * bestZ;
    // The monster update works around the cell the last update left; this is the hero's now.
    hero.cellX = bestX;
    hero.cellZ = bestZ;
    followCamera.x = hero.x;
    followCamera.y = hero.y;
    followCamera.z = hero.z;
}

// One frame as the game's loop runs it, without the pacing and the overlay.
void playFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    updateWorld(1.0f);
    drawScene();
    drawHud();
    SDL_GL_SwapBuffers();
}

// A window of the given size with the game started in it, as the game's main does.
void openGame(int width, int height)
{
    if (width == openedWidth && height == openedHeight) {
        return;
    }
    settings = Settings{};
    settings.screenWidth = static_cast<float>(width);
    settings.screenHeight = static_cast<float>(height);
    settings.mipmapping = true;
    std::srand(BenchSeed);
    Clock::time_point start = Clock::now();
    openVideo();
    startUp();
    Clock::time_point ready = Clock::now();
    // The mouse rests at the window's centre, so the camera does not turn.
    mouseX = width / 2;
    mouseY = height / 2;
    playFrame();
    glFinish();
    startUpMillis = millisBetween(start, ready);
    firstFrameMillis = millisBetween(ready, Clock::now());
    openedWidth = width;
    openedHeight = height;
    placeHeroInDensestStreet();
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    size_t index = static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

void BM_PlayFrame(benchmark::State& state)
{
    openGame(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (state.range(2) != 0) {
        packMonstersAroundHero();
    }
    Hero startHero = hero;
    FollowCamera startCamera = followCamera;
    // The renderer compiles its shaders during the first frames; the monsters gather.
    for (int frame = 0; frame < 60; ++frame) {
        hero = startHero;
        followCamera = startCamera;
        playFrame();
    }
    std::vector<double> total, update, scene, hud, finish, swap, processCpu, threadCpu;
    long draws = 0, frames = 0, allocations = 0;
    for (auto _ : state) {
        // The street stays the same from frame to frame: the hero stands, monsters gather.
        hero = startHero;
        followCamera = startCamera;
        double process0 = cpuMillis(CLOCK_PROCESS_CPUTIME_ID);
        double thread0 = cpuMillis(CLOCK_THREAD_CPUTIME_ID);
        Clock::time_point t0 = Clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        allocationCount = 0;
        countingAllocations = true;
        updateWorld(1.0f);
        Clock::time_point t1 = Clock::now();
        drawScene();
        Clock::time_point t2 = Clock::now();
        drawHud();
        countingAllocations = false;
        Clock::time_point t3 = Clock::now();
        glFinish();   // the rasteriser's share: what is left to draw once everything is submitted
        Clock::time_point t4 = Clock::now();
        processCpu.push_back(cpuMillis(CLOCK_PROCESS_CPUTIME_ID) - process0);
        threadCpu.push_back(cpuMillis(CLOCK_THREAD_CPUTIME_ID) - thread0);
        SDL_GL_SwapBuffers();
        Clock::time_point t5 = Clock::now();
        state.SetIterationTime(millisBetween(t0, t4) / 1000.0);
        total.push_back(millisBetween(t0, t4));
        update.push_back(millisBetween(t0, t1));
        scene.push_back(millisBetween(t1, t2));
        hud.push_back(millisBetween(t2, t3));
        finish.push_back(millisBetween(t3, t4));
        swap.push_back(millisBetween(t4, t5));
        draws += sceneDrawCount;
        allocations += allocationCount;
        ++frames;
    }
    state.counters["median_ms"] = percentile(total, 0.5);
    state.counters["p95_ms"] = percentile(total, 0.95);
    state.counters["update_ms"] = percentile(update, 0.5);
    state.counters["submit_ms"] = percentile(scene, 0.5);
    state.counters["hud_ms"] = percentile(hud, 0.5);
    state.counters["raster_ms"] = percentile(finish, 0.5);
    state.counters["swap_ms"] = percentile(swap, 0.5);
    state.counters["cpu_ms"] = percentile(processCpu, 0.5);
    state.counters["main_cpu_ms"] = percentile(threadCpu, 0.5);
    state.counters["draws"] = static_cast<double>(draws) / static_cast<double>(frames);
    state.counters["allocs"] = static_cast<double>(allocations) / static_cast<double>(frames);
    state.counters["monsters"] = monstersNearHero();
    state.counters["startup_ms"] = startUpMillis;
    state.counters["first_frame_ms"] = firstFrameMillis;
}
BENCHMARK(BM_PlayFrame)
    ->ArgNames({"w", "h", "crowd"})
    ->Args({640, 480, 0})
    ->Args({1024, 768, 0})
    ->Args({640, 480, 1})
    ->Args({1024, 768, 1})
    ->Iterations(300)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The game reads Media/ from its working directory.
    if (chdir(LORNHAVEN_RUN_DIR) != 0) {
        return 1;
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SDL_Quit();
    return 0;
}
