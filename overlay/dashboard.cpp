#include "overlay/dashboard.h"

void initOverlay() {}
void drawPointer(int, int) {}
