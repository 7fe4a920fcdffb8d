#include "sim/world_update.h"

#include "sim/actors.h"
#include "sim/cell_index.h"
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
    // May lie outside the grid when the hero leaves the city; every window clamps it.
    hero.cellX = cellOfCoordinate(hero.x);
    hero.cellY = cellOfCoordinate(hero.y);
    hero.cellZ = cellOfCoordinate(hero.z);
    updateHeroAnimation(f);
    placeFollowCamera(f);
}
