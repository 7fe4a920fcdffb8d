// sim/monsters.h — the monsters near the hero: chase, spacing, walls, filing, and their touch.
#pragma once

constexpr int MonsterWindowHalf = 15;

// Animates, moves and re-files every monster within 15 cells of the hero's last cell.
void updateMonsters(float f);
// Shoves monsters touching the hero away, knocks the hero back and drains its health.
void applyMonsterContact(float f);
// How many monsters are filed in the 31 x 31 cells around the hero's cell.
int monstersNearHero();
