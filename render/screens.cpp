#include "render/screens.h"

void drawSplashScreen() {}
void drawTitleScreen() {}
void drawHud() {}
