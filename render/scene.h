// render/scene.h — the perspective camera and the 3D view of the Playing state.
#pragma once
#include <cstdint>

// Turns the view by pitch and yaw (radians) from the camera's position, with a vertical field
// of view in degrees; loads both matrices.
void setPerspectiveCamera(float pitch, float yaw, float fieldOfView);
// The state the 3D view draws in: the follow camera's view through the scene's lens, textured
// triangles from client arrays, sceneDrawCount at 0. endSceneDrawing hands over to the flat
// drawing of the HUD and the overlay (overlay/screen_draw.h). drawScene and drawSceneOneByOne
// run between the two; a benchmark may draw parts of the scene between them.
void beginSceneDrawing();
void endSceneDrawing();
// Sky box, city cells, monsters and the hero around the hero's column: what lies wholly outside
// the view is skipped, the rest goes nearest first in few large draws.
void drawScene();
// drawScene goes out from the eye in this many rings of distance, each with its monsters and then
// its city chunks; so a monster kind takes at most this many draws, besides those a full batch
// needs.
constexpr int DrawingRingCount = 4;
// The same picture drawn as the scene names it, as a reference to compare with: the sky, every
// city cell and every monster of the windows with a draw of its own in grid order, the hero.
void drawSceneOneByOne();

// glDrawArrays calls the last drawScene or drawSceneOneByOne issued, which alone write it; tests
// and benchmarks read it. What the scene named (the cells and monsters of its windows, in view or
// not) is counted beside the drawing of each: cityCellsDrawn, monstersDrawn.
extern int32_t sceneDrawCount;
