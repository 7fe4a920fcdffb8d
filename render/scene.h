// render/scene.h — the perspective camera and the 3D view of the Playing state.
#pragma once
#include <cstdint>

// Turns the view by pitch and yaw (radians) from the camera's position, with a vertical field
// of view in degrees; loads both matrices.
void setPerspectiveCamera(float pitch, float yaw, float fieldOfView);
// Sky box, city cells, monsters and the hero around the hero's column.
void drawScene();

constexpr int MonsterDrawRadius = 15;
// glDrawArrays calls of the last drawScene, which alone writes it; tests and benchmarks read it.
extern int32_t sceneDrawCount;
