#include "render/scene.h"

void setPerspectiveCamera(float, float, float) {}
void drawScene() {}
