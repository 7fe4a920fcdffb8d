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
// The same in steps, so that the scene can draw other things between them: gatherMonsters
// finds the monsters in view, then each drawMonstersNearerThan draws those not drawn yet whose
// distance from the eye is less than the given one (world units), kind after kind, and returns
// its glDrawArrays calls. The steps up to an infinite distance draw every monster once.
void gatherMonsters(int cellX, int cellZ, const ViewVolume& view);
int drawMonstersNearerThan(float distance);

// Monsters of the window the last gatherMonsters covered (what the scene names, seen or not), and
// those of them that were in view and sent; gatherMonsters alone writes them, tests read them.
extern int32_t monstersDrawn;
extern int32_t monstersSent;
