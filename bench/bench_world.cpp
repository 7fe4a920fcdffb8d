// updateWorld on a generated city: the monsters as placed, and all 500 packed into the
// 31 x 31 cells around the hero, where every one of them chases, spaces and is filed again.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/settings.h"
#include "app/world.h"
#include "city/city_grid.h"
#include "sim/actors.h"
#include "sim/monsters.h"
#include "sim/world_update.h"

#include "bench/crowd.h"

static void startCity()
{
    startWorld(1);
    settings.screenWidth = 640;
    settings.screenHeight = 480;
    hero.cellX = cellIndexOf(hero.x);
    hero.cellZ = cellIndexOf(hero.z);
}

static void BM_UpdateWorldSpread(benchmark::State& state)
{
    startCity();
    for (auto _ : state) {
        updateWorld(1.0f);
    }
    state.counters["window"] = monstersNearHero();
}
BENCHMARK(BM_UpdateWorldSpread)->Unit(benchmark::kMicrosecond);

static void BM_UpdateWorldCrowded(benchmark::State& state)
{
    startCity();
    packMonstersAroundHero();
    // The hero is held where it stands, so the crowd keeps closing in instead of shoving it away.
    const float heroX = hero.x;
    const float heroZ = hero.z;
    for (auto _ : state) {
        hero.x = heroX;
        hero.z = heroZ;
        updateWorld(1.0f);
    }
    state.counters["window"] = monstersNearHero();
}
BENCHMARK(BM_UpdateWorldCrowded)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
