// One frame of play (updateWorld, the scene, drawHud) in a real window with Mesa's software
// renderer, the hero standing in the densest street of a generated city (a fixed seed), at
// 640 x 480, 1024 x 768 and 1920 x 1080; then the same with all 500 monsters packed around the
// hero, as after a while of play. Every row twice: BM_PlayFrame draws with the game's drawScene,
// BM_PlayFrameLiteral with drawSceneOneByOne (every cell and monster of the windows with a draw of
// its own), so the gain is a ratio from one run. BM_RasterSplit splits a 1024 x 768 frame into
// vertex and fragment work (see there). Run it from the repository's root under a private X
// server:
//     tests/with-xvfb.sh env LIBGL_ALWAYS_SOFTWARE=1 build/bench/bench_frame
// Counters, per frame: median_ms and p95_ms of the frame's work (clear to glFinish, no swap);
// their medians update_ms, submit_ms (the scene's calls), hud_ms and raster_ms (the glFinish:
// drawing still queued once everything is submitted); swap_ms; draws (the scene's glDrawArrays);
// allocs (operator new of our code in a frame); cpu_ms and main_cpu_ms, the CPU time of the
// frame's work in all threads and in the game's own thread, which a busy machine disturbs less;
// monsters and cells, those the scene names in its windows at the end; monsters_sent and
// chunks_sent, what the game's drawing found in view and sent. startup_ms is the window and
// startUp, first_frame_ms the first frame after them (the renderer compiles its shaders there).
// The machine is shared: look at the load (uptime) and repeat the run.
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/input.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/video.h"
#include "city/city_grid.h"
#include "render/city_drawing.h"
#include "render/game_textures.h"
#include "render/monster_drawing.h"
#include "render/scene.h"
#include "render/screens.h"
#include "render/view_volume.h"
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

// The walkable, monster-free column whose drawing window holds the most pieces.
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
            const IndexRange xs = clampedWindow(x, CityDrawRadius, GridSize);
            const IndexRange zs = clampedWindow(z, CityDrawRadius, GridSize);
            const int x0 = xs.first, x1 = xs.last + 1, z0 = zs.first, z1 = zs.last + 1;
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
void playFrame(void (*draw)())
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    updateWorld(1.0f);
    draw();
    drawHud();
    SDL_GL_SwapBuffers();
}

bool crowdPacked = false;   // since the last fresh start

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
    playFrame(drawScene);
    glFinish();
    startUpMillis = millisBetween(start, ready);
    firstFrameMillis = millisBetween(ready, Clock::now());
    openedWidth = width;
    openedHeight = height;
    crowdPacked = false;
    placeHeroInDensestStreet();
}

// The window of the row's size with the street as placed, or with every monster packed round the
// hero; a street row after a crowd row of the same size starts the city afresh.
void prepareRow(const benchmark::State& state)
{
    openGame(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (state.range(2) != 0) {
        packMonstersAroundHero();
        crowdPacked = true;
    } else if (crowdPacked) {
        std::srand(BenchSeed);
        startUp();
        placeHeroInDensestStreet();
        crowdPacked = false;
    }
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    size_t index = static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

// The row's window and street, then the frames in which the renderer compiles its shaders and
// the monsters gather, with the hero and the camera put back to where the row starts before each.
void warmUpRow(const benchmark::State& state, void (*draw)(), Hero& startHero, FollowCamera& startCamera)
{
    prepareRow(state);
    startHero = hero;
    startCamera = followCamera;
    for (int frame = 0; frame < 60; ++frame) {
        hero = startHero;
        followCamera = startCamera;
        playFrame(draw);
    }
}

// The frames of one row, drawn by the game's scene drawing or by the one-by-one reference.
void runFrames(benchmark::State& state, void (*draw)())
{
    Hero startHero;
    FollowCamera startCamera;
    warmUpRow(state, draw, startHero, startCamera);
    std::vector<double> total, update, scene, hud, finish, swap, processCpu, threadCpu;
    long draws = 0, frames = 0, allocations = 0, sent = 0, chunks = 0;
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
        draw();
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
        sent += monstersSent;
        chunks += cityChunksDrawn;
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
    state.counters["cells"] = cityCellsDrawn;
    if (draw == drawScene) {
        state.counters["monsters_sent"] = static_cast<double>(sent) / static_cast<double>(frames);
        state.counters["chunks_sent"] = static_cast<double>(chunks) / static_cast<double>(frames);
    }
    state.counters["startup_ms"] = startUpMillis;
    state.counters["first_frame_ms"] = firstFrameMillis;
}

// Where the raster share goes: the frame drawn in variants, interleaved frame by frame so that
// a changing load touches them alike. Counters per variant, medians in ms of CPU time: NAME_main
// (the game's thread: submission, and llvmpipe's vertex work and triangle set-up, which run in
// the calling thread) and NAME_raster (llvmpipe's rasteriser threads: fragments), and NAME_wall.
//   game: drawScene. viewport1x1: the same into a 1 x 1 viewport (every vertex and triangle, no
//   fragments to speak of). visible_once: the same again over the depth of the whole scene laid
//   down first (not timed), with GL_EQUAL, so that each visible pixel is textured exactly once.
//   literal: drawSceneOneByOne. city, crowd: drawCityCells, drawMonsters alone; and _flat, the
//   two together without texturing, beside parts, the two together textured.
struct SplitVariant {
    const char* name;
    int kind;
};
constexpr SplitVariant SplitVariants[] = {{"game", 0}, {"viewport1x1", 1}, {"visible_once", 2}, {"literal", 3},
    {"city", 4}, {"crowd", 5}, {"parts", 6}, {"parts_flat", 7}};

void drawParts(bool city, bool crowd, bool textured)
{
    beginSceneDrawing();
    if (!textured) {
        glDisable(GL_TEXTURE_2D);
    }
    const ViewVolume view = currentViewVolume();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (crowd) {
        drawMonsters(hero.cellX, hero.cellZ, view);
    }
    if (city) {
        glBindTexture(GL_TEXTURE_2D, worldTexture);
        drawCityCells(hero.cellX, hero.cellZ, view);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    endSceneDrawing();
}

void drawSplitVariant(int kind)
{
    switch (kind) {
    case 1:
        glViewport(0, 0, 1, 1);
        drawScene();
        glViewport(0, 0, openedWidth, openedHeight);
        break;
    case 2:
        glDepthFunc(GL_EQUAL);
        glDepthMask(GL_FALSE);
        drawScene();
        glDepthMask(GL_TRUE);
        glDepthFunc(GL_LESS);
        break;
    case 3: drawSceneOneByOne(); break;
    case 4: drawParts(true, false, true); break;
    case 5: drawParts(false, true, true); break;
    case 6: drawParts(true, true, true); break;
    case 7: drawParts(true, true, false); break;
    default: drawScene(); break;
    }
}

void BM_RasterSplit(benchmark::State& state)
{
    Hero startHero;
    FollowCamera startCamera;
    warmUpRow(state, drawScene, startHero, startCamera);
    startHero = hero;
    startCamera = followCamera;
    constexpr int Variants = sizeof SplitVariants / sizeof SplitVariants[0];
    std::vector<double> wall[Variants], main[Variants], raster[Variants];
    for (auto _ : state) {
        for (int v = 0; v < Variants; ++v) {
            hero = startHero;
            followCamera = startCamera;
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            if (SplitVariants[v].kind == 2) {
                glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
                drawScene();
                glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
                glFinish();
            }
            double process0 = cpuMillis(CLOCK_PROCESS_CPUTIME_ID);
            double thread0 = cpuMillis(CLOCK_THREAD_CPUTIME_ID);
            Clock::time_point t0 = Clock::now();
            drawSplitVariant(SplitVariants[v].kind);
            glFinish();
            Clock::time_point t1 = Clock::now();
            double threadMs = cpuMillis(CLOCK_THREAD_CPUTIME_ID) - thread0;
            double processMs = cpuMillis(CLOCK_PROCESS_CPUTIME_ID) - process0;
            if (v == 0) {
                state.SetIterationTime(millisBetween(t0, t1) / 1000.0);
            }
            wall[v].push_back(millisBetween(t0, t1));
            main[v].push_back(threadMs);
            raster[v].push_back(processMs - threadMs);
            SDL_GL_SwapBuffers();
        }
    }
    for (int v = 0; v < Variants; ++v) {
        std::string name = SplitVariants[v].name;
        state.counters[name + "_wall"] = percentile(wall[v], 0.5);
        state.counters[name + "_main"] = percentile(main[v], 0.5);
        state.counters[name + "_raster"] = percentile(raster[v], 0.5);
    }
}

void BM_PlayFrame(benchmark::State& state) { runFrames(state, drawScene); }
void BM_PlayFrameLiteral(benchmark::State& state) { runFrames(state, drawSceneOneByOne); }

void frameRows(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"w", "h", "crowd"})->Iterations(300)->UseManualTime()->Unit(benchmark::kMillisecond);
}
void splitRows(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"w", "h", "crowd"})->Iterations(100)->UseManualTime()->Unit(benchmark::kMillisecond);
}

// Each size's street and crowd, the game's drawing and the literal one next to each other, so
// that their ratio comes from one run on the same machine under the same load; the raster split
// after the 1024 x 768 rows.
void registerRows()
{
    const int sizes[3][2] = {{640, 480}, {1024, 768}, {1920, 1080}};
    for (const auto& size : sizes) {
        for (int crowd = 0; crowd < 2; ++crowd) {
            benchmark::RegisterBenchmark("BM_PlayFrame", BM_PlayFrame)->Apply(frameRows)->Args({size[0], size[1], crowd});
            benchmark::RegisterBenchmark("BM_PlayFrameLiteral", BM_PlayFrameLiteral)
                ->Apply(frameRows)
                ->Args({size[0], size[1], crowd});
        }
        if (size[0] == 1024) {
            for (int crowd = 0; crowd < 2; ++crowd) {
                benchmark::RegisterBenchmark("BM_RasterSplit", BM_RasterSplit)->Apply(splitRows)->Args({1024, 768, crowd});
            }
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    // The game reads Media/ from its working directory.
    if (chdir(LORNHAVEN_RUN_DIR) != 0) {
        return 1;
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    registerRows();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SDL_Quit();
    return 0;
}
