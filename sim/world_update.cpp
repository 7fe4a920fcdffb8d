#include "sim/world_update.h"

#include <algorithm>

#include "city/city_grid.h"
#include "sim/actors.h"
#include "sim/collision.h"
#include "sim/follow_camera.h"
#include "sim/hero_animation.h"
#include "sim/hero_movement.h"
#include "sim/monsters.h"

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
    settleHeroMotion(f, x0, y0, z0);
    // Beyond the city the hero counts as in the nearest border cell, just as monsters that
    // follow it out there stay filed in the border cells: every reader gets a valid index.
    hero.cellX = std::clamp(cellIndexOf(hero.x), 0, GridSize - 1);
    hero.cellY = std::clamp(cellIndexOf(hero.y), 0, LevelCount - 1);
    hero.cellZ = std::clamp(cellIndexOf(hero.z), 0, GridSize - 1);
    updateHeroAnimation(f);
    placeFollowCamera(f);
}
