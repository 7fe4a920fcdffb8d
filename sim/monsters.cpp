#include "sim/monsters.h"

#include <algorithm>
#include <cmath>

#include "city/city_grid.h"
#include "sim/actors.h"
#include "sim/collision.h"

static constexpr float HeroContactRadius = 2.5f;

static void separateFromNeighbours(Actor* m, int i, int j)
{
    IndexRange xs = clampedWindow(i, 1, GridSize);
    IndexRange zs = clampedWindow(j, 1, GridSize);
    for (int mx = xs.first; mx <= xs.last; ++mx) {
        for (int mz = zs.first; mz <= zs.last; ++mz) {
            for (int s = 0; s < actorGrid.count[mx][mz]; ++s) {
                Actor* n = actorGrid.slots[mx][mz][s];
                if (n == m) {
                    continue;
                }
                float dx = m->x - n->x;
                float dz = m->z - n->z;
                float d = std::sqrt(dx * dx + dz * dz);
                float r = KindRadius[static_cast<int>(m->kind)] + KindRadius[static_cast<int>(n->kind)];
                if (d < r) {
                    // At one point atan2(0, 0) is 0: the pair separates along x.
                    float a = std::atan2(dz, dx);
                    float p = (r - d) * 0.25f;
                    float px = std::cos(a) * p;
                    float pz = std::sin(a) * p;
                    m->x += px;
                    m->z += pz;
                    n->x -= px;
                    n->z -= pz;
                }
            }
        }
    }
}

// Moves the monster in slot s of cell (i, j) to the cell of its position. A full cell keeps
// it where it is filed until there is room, so no slot past the tenth is ever written.
// Returns whether it left (i, j).
static bool refileActor(int i, int j, int s)
{
    Actor* m = actorGrid.slots[i][j][s];
    int nx = std::clamp(cellIndexOf(m->x), 0, GridSize - 1);
    int nz = std::clamp(cellIndexOf(m->z), 0, GridSize - 1);
    if ((nx == i && nz == j) || actorGrid.count[nx][nz] >= MaxActorsPerCell) {
        return false;
    }
    actorGrid.slots[nx][nz][actorGrid.count[nx][nz]] = m;
    ++actorGrid.count[nx][nz];
    int count = actorGrid.count[i][j];
    for (int k = s; k + 1 < count; ++k) {
        actorGrid.slots[i][j][k] = actorGrid.slots[i][j][k + 1];
    }
    actorGrid.count[i][j] = static_cast<int8_t>(count - 1);
    return true;
}

static void updateMonster(Actor* m, int i, int j, float f)
{
    int kind = static_cast<int>(m->kind);
    m->animPhase += KindAnimRate[kind] * f;
    while (m->animPhase > 4.0f) {
        m->animPhase -= 4.0f;
    }
    m->heading = std::atan2(hero.z - m->z, hero.x - m->x);
    // The chase is a fixed step per update, deliberately not scaled by f.
    m->x += std::cos(m->heading) * KindChaseStep[kind];
    m->z += std::sin(m->heading) * KindChaseStep[kind];
    m->y -= 0.2f * f;
    separateFromNeighbours(m, i, j);
    pushOutOfBlockedCells(m->x, m->z, m->y, KindRadius[kind]);
}

void updateMonsters(float f)
{
    IndexRange xs = clampedWindow(hero.cellX, MonsterWindowHalf, GridSize);
    IndexRange zs = clampedWindow(hero.cellZ, MonsterWindowHalf, GridSize);
    for (int i = xs.first; i <= xs.last; ++i) {
        for (int j = zs.first; j <= zs.last; ++j) {
            int s = 0;
            while (s < actorGrid.count[i][j]) {
                updateMonster(actorGrid.slots[i][j][s], i, j, f);
                // A monster that left is replaced in its slot by the next one, visited next.
                if (!refileActor(i, j, s)) {
                    ++s;
                }
            }
        }
    }
}

void applyMonsterContact(float f)
{
    IndexRange xs = clampedWindow(hero.cellX, 1, GridSize);
    IndexRange zs = clampedWindow(hero.cellZ, 1, GridSize);
    for (int mx = xs.first; mx <= xs.last; ++mx) {
        for (int mz = zs.first; mz <= zs.last; ++mz) {
            for (int s = 0; s < actorGrid.count[mx][mz]; ++s) {
                Actor* m = actorGrid.slots[mx][mz][s];
                int kind = static_cast<int>(m->kind);
                // Standing on a monster's head is safe.
                if (!(hero.y - KindHeight[kind] < m->y)) {
                    continue;
                }
                float dx = m->x - hero.x;
                float dz = m->z - hero.z;
                float d = std::sqrt(dx * dx + dz * dz);
                float r = KindRadius[kind] + HeroContactRadius;
                if (!(d < r)) {
                    continue;
                }
                float a = std::atan2(dz, dx);
                float p = (r - d) * 0.25f;
                m->x += std::cos(a) * p * 4.0f;
                m->z += std::sin(a) * p * 4.0f;
                hero.x -= std::cos(a) * p * 0.25f;
                hero.z -= std::sin(a) * p * 0.25f;
                hero.health -= 0.1f * f;
            }
        }
    }
    if (hero.health < 0.0f) {
        hero.health = 0.0f;
    }
}

int monstersNearHero()
{
    IndexRange xs = clampedWindow(hero.cellX, MonsterWindowHalf, GridSize);
    IndexRange zs = clampedWindow(hero.cellZ, MonsterWindowHalf, GridSize);
    int total = 0;
    for (int i = xs.first; i <= xs.last; ++i) {
        for (int j = zs.first; j <= zs.last; ++j) {
            total += actorGrid.count[i][j];
        }
    }
    return total;
}
