#include "sim/world_update.h"

#include <algorithm>
#include <cmath>

#include "city/city_grid.h"
#include "sim/actors.h"
#include "sim/collision.h"
#include "sim/follow_camera.h"
#include "sim/hero_animation.h"
#include "sim/hero_movement.h"
#include "sim/monsters.h"

// The hero stays over the city's columns: past their edge there is no ground to come down on,
// and energy grows back only on the ground. A hero held at the edge comes down on its water.
static void holdHeroOverCity()
{
    const float low = -0.5f * CellSize;
    const float high = std::nextafter((GridSize - 0.5f) * CellSize, 0.0f);
    hero.x = std::clamp(hero.x, low, high);
    hero.z = std::clamp(hero.z, low, high);
}

void updateWorld(float f)
{
    applyMouseLook(f);
    float x0 = hero.x;
    float y0 = hero.y;
    float z0 = hero.z;
    steerHero(f);
    hero.x += hero.velocityX * f;
    hero.y += hero.velocityY * f;
    hero.z += hero.velocityZ * f;
    updateMonsters(f);
    applyMonsterContact(f);
    collideHeroWithWorld();
    holdHeroOverCity();
    settleHeroMotion(f, x0, y0, z0);
    // Above or below the levels the hero counts as in the nearest one: every reader gets a valid
    // index, whatever the position.
    hero.cellX = std::clamp(cellIndexOf(hero.x), 0, GridSize - 1);
    hero.cellY = std::clamp(cellIndexOf(hero.y), 0, LevelCount - 1);
    hero.cellZ = std::clamp(cellIndexOf(hero.z), 0, GridSize - 1);
    updateHeroAnimation(f);
    placeFollowCamera(f);
}
