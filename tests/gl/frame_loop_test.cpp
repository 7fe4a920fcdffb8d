#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <cstring>

#include "app/frame_clock.h"
#include "app/game_state.h"
#include "app/input.h"
#include "overlay/pause_menu.h"
#include "tests/gl/gl_test_window.h"

namespace {

class FrameLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        openTestWindow();
        // As in a running game, the clock has paced a frame, so the splash timer starts from a mark.
        paceFrame();
        SDL_Event drop;
        while (SDL_PollEvent(&drop) > 0) {
        }
        std::memset(keyState, 0, sizeof keyState);
        std::memset(mouseButtonState, 0, sizeof mouseButtonState);
        gameState = GameState::Splash;
        splashStartTicks = 0;
        quitRequested = false;
        menuOpen = false;
        menuFade = 0;
    }

    static void push(Uint8 type, int codeOrButton)
    {
        SDL_Event event = {};
        event.type = type;
        if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
            event.key.keysym.sym = static_cast<SDLKey>(codeOrButton);
            event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        } else {
            event.button.button = static_cast<Uint8>(codeOrButton);
            event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        }
        SDL_PushEvent(&event);
    }
};

TEST_F(FrameLoop, OneClickAdvancesExactlyOneState)
{
    runFrame();
    EXPECT_EQ(gameState, GameState::Splash);
    push(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    runFrame();
    EXPECT_EQ(gameState, GameState::Title);
    runFrame();  // the button is still held: not a new press
    EXPECT_EQ(gameState, GameState::Title);
    push(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    runFrame();
    push(SDL_KEYDOWN, SDLK_a);
    runFrame();
    EXPECT_EQ(gameState, GameState::Playing);
    push(SDL_KEYUP, SDLK_a);
    runFrame();
    EXPECT_EQ(gameState, GameState::Playing);
}

TEST_F(FrameLoop, SplashGivesWayAfterFiveSeconds)
{
    runFrame();
    EXPECT_NE(splashStartTicks, 0);
    EXPECT_EQ(gameState, GameState::Splash);
    splashStartTicks = lastTicks - 4980;
    runFrame();
    EXPECT_EQ(gameState, GameState::Splash);
    splashStartTicks = lastTicks - 5001;
    runFrame();
    EXPECT_EQ(gameState, GameState::Title);
}

TEST_F(FrameLoop, QuitEventEndsTheLoopAfterTheFrame)
{
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    runFrame();
    EXPECT_TRUE(quitRequested);
    EXPECT_TRUE(pastFirstFrame);
}

TEST_F(FrameLoop, FramesArePacedToSixteenMilliseconds)
{
    runFrame();
    // From the frame mark, not from the clock after the first frame: the swap that follows the
    // pacing may take any time on a busy machine, and the mark is where the 16 ms grid starts.
    const Uint32 mark = static_cast<Uint32>(lastTicks);
    for (int i = 0; i < 10; ++i) {
        runFrame();
    }
    EXPECT_GE(SDL_GetTicks() - mark, 160u);
    EXPECT_GE(frameMillis, 16);
    EXPECT_LE(framesPerSecond, 62.5f);
}

} // namespace
