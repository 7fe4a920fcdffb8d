#include "sim/world_update.h"

void updateWorld(float) {}
