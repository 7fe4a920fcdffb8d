// render/monster_drawing.h — the monsters near the hero, a few large draws per kind.
#pragma once
#include <cstdint>

struct ViewVolume;

// Columns around the hero's column whose monsters are drawn, in each direction.
constexpr int MonsterDrawRadius = 15;
// Vertices one monster draw carries at most; a model larger than that is drawn by itself.
constexpr int MonsterBatchVertices = 49152;

// Draws every monster filed within MonsterDrawRadius columns of (cellX, cellZ), one pass per kind
// (zombies, big monsters, robots) with the kind's texture and model, in the current colour. A
// monster whose bounding sphere lies wholly outside the view is skipped; the rest of a kind are
// turned and moved into place on the CPU, nearest first, and sent in few draws. Returns its
// glDrawArrays calls.
int drawMonsters(int cellX, int cellZ, const ViewVolume& view);

// Monsters of the window the last drawMonsters covered (what the scene names, seen or not), and
// those of them that were in view and sent; drawMonsters alone writes them, tests read them.
extern int32_t monstersDrawn;
extern int32_t monstersSent;
