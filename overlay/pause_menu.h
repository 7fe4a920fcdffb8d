// overlay/pause_menu.h — the pause menu that Escape slides in and out in every game state.
#pragma once
#include "overlay/screen_draw.h"

// Written by initPauseScreen, updateMenu and runPauseMenu; the frame loop reads menuFade.
extern bool menuOpen;
extern float menuFade;
extern char captionLine1[256];
extern char captionLine2[256];
extern TexQuad topPanelQuad;
extern TexQuad bottomPanelQuad;

void initPauseScreen();
void updateMenu(float step);
void drawPausePanels();
// Draws the menu; true when "Exit" was clicked.
bool runPauseMenu();

// "v" and the version with its trailing zeros dropped down to one decimal: 0.3 gives "v0.3".
void formatVersionText(float version, char* out, int size);
// The "Resume game" row for a fade: 595 (below the window) at 0, 115 at 100.
int buttonRowY(float fade);
// How far the panels still stand outside the window for a fade: 60 at 0, 0 at 100.
int panelSlide(float fade);
