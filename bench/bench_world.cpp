// updateWorld on a generated city: the monsters as placed, and all 500 packed into the
// 31 x 31 cells around the hero, where every one of them chases, spaces and is filed again.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/settings.h"
#include "sim/actors.h"
#include "sim/cell_index.h"
#include "sim/monsters.h"
#include "sim/replay.h"
#include "sim/world_update.h"

static void startCity()
{
    startReplayWorld(1);
    settings.screenWidth = 640;
    settings.screenHeight = 480;
    hero.cellX = cellIndexOf(hero.x);
    hero.cellZ = cellIndexOf(hero.z);
}

// Refiles every monster onto the walkable cells of the hero's window, round after round.
static void packMonstersAroundHero()
{
    std::vector<Actor*> monsters;
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            for (int s = 0; s < actorGrid.count[x][z]; ++s) {
                monsters.push_back(actorGrid.slots[x][z][s]);
            }
        }
    }
    std::memset(&actorGrid, 0, sizeof actorGrid);
    IndexRange xs = clampedWindow(hero.cellX, MonsterWindowHalf, GridSize);
    IndexRange zs = clampedWindow(hero.cellZ, MonsterWindowHalf, GridSize);
    size_t next = 0;
    for (int round = 0; next < monsters.size() && round < MaxActorsPerCell; ++round) {
        for (int x = xs.first; x <= xs.last && next < monsters.size(); ++x) {
            for (int z = zs.first; z <= zs.last && next < monsters.size(); ++z) {
                if (cityGrid.blocked[x][z] != 0) {
                    continue;
                }
                Actor* m = monsters[next++];
                m->x = 10.0f * x - 3.0f + static_cast<float>((2 * round) % 7);
                m->z = 10.0f * z + 3.0f - static_cast<float>((3 * round) % 7);
                actorGrid.slots[x][z][actorGrid.count[x][z]++] = m;
            }
        }
    }
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
