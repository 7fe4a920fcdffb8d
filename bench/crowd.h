// bench/crowd.h — all 500 monsters packed around the hero, for the benchmarks of a crowd.
#pragma once
#include <cstring>
#include <vector>

#include "city/city_grid.h"
#include "sim/actors.h"
#include "sim/monsters.h"

// Refiles every monster onto the walkable cells of the hero's window, round after round.
inline void packMonstersAroundHero()
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

