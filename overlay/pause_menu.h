// overlay/pause_menu.h — the pause menu that Escape slides in and out in every game state.
#pragma once

extern bool menuOpen;
extern float menuFade;
extern char captionLine1[256];
extern char captionLine2[256];

void initPauseScreen();
void updateMenu(float step);
void drawPausePanels();
// Draws the menu; true when "Exit" was clicked.
bool runPauseMenu();
