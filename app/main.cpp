// Lornhaven: a night in a generated city full of monsters.
#include <SDL/SDL.h>
#include <cstdlib>
#include <ctime>

#include "app/game_state.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/video.h"
#include "overlay/dashboard.h"
#include "overlay/pause_menu.h"

int main(int, char**)
{
    loadSettings();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    openVideo();
    initOverlay();
    initPauseScreen();
    startUp();

    while (!quitRequested) {
        runFrame();
    }

    SDL_Quit();
    return 0;
}
