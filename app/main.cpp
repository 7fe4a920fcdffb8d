// Lornhaven: a night in a generated city full of monsters.
#include <SDL/SDL.h>

#include "app/game_state.h"
#include "app/platform.h"

int main(int, char**)
{
    prepareProcess();
    startGame();

    while (!quitRequested) {
        runFrame();
    }

    SDL_Quit();
    return 0;
}
