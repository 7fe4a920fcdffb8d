#include "overlay/pause_menu.h"

bool menuOpen = false;
float menuFade = 0.0f;

void updateMenu(float) {}
bool runPauseMenu() { return false; }
