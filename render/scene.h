// render/scene.h — the perspective camera and the 3D view of the Playing state.
#pragma once
#include <cstdint>

void setPerspectiveCamera(float pitch, float yaw, float fieldOfView);
void drawScene();
