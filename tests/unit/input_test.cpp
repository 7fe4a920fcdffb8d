#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <cstdlib>
#include <cstring>

#include "app/input.h"

namespace {

class InputEvents : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
        ASSERT_NE(SDL_SetVideoMode(64, 64, 0, SDL_SWSURFACE), nullptr);
        std::memset(keyState, 0, sizeof keyState);
        std::memset(mouseButtonState, 0, sizeof mouseButtonState);
    }
    void TearDown() override { SDL_Quit(); }

    static void pushKey(Uint8 type, int code)
    {
        SDL_Event event = {};
        event.type = type;
        event.key.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        int32_t raw = code;  // codes outside SDLKey's range are what the test is about
        std::memcpy(&event.key.keysym.sym, &raw, sizeof raw);
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
    static void pushButton(Uint8 type, int button)
    {
        SDL_Event event = {};
        event.type = type;
        event.button.type = type;
        event.button.button = static_cast<Uint8>(button);
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
};

TEST_F(InputEvents, KeyIsPressedForOneFrameThenHeldUntilReleased)
{
    pushKey(SDL_KEYDOWN, SDLK_w);
    updateInput();
    EXPECT_EQ(keyState[SDLK_w], InputState::KeyPressed);
    updateInput();
    EXPECT_EQ(keyState[SDLK_w], InputState::KeyHeld);
    updateInput();
    EXPECT_EQ(keyState[SDLK_w], InputState::KeyHeld);
    pushKey(SDL_KEYUP, SDLK_w);
    updateInput();
    EXPECT_EQ(keyState[SDLK_w], InputState::KeyUp);
}

TEST_F(InputEvents, PressAndReleaseInOneFrameIsNeverSeen)
{
    pushKey(SDL_KEYDOWN, SDLK_SPACE);
    pushKey(SDL_KEYUP, SDLK_SPACE);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELUP);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_WHEELUP);
    updateInput();
    EXPECT_EQ(keyState[SDLK_SPACE], InputState::KeyUp);
    EXPECT_EQ(mouseButtonState[SDL_BUTTON_WHEELUP], InputState::KeyUp);
}

TEST_F(InputEvents, ReleaseThenPressInOneFrameEndsUp)
{
    pushKey(SDL_KEYDOWN, SDLK_a);
    updateInput();
    pushKey(SDL_KEYUP, SDLK_a);
    pushKey(SDL_KEYDOWN, SDLK_a);
    updateInput();
    EXPECT_EQ(keyState[SDLK_a], InputState::KeyUp);
}

TEST_F(InputEvents, MouseButtonsFollowTheSameStates)
{
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    updateInput();
    EXPECT_EQ(mouseButtonState[SDL_BUTTON_LEFT], InputState::KeyPressed);
    EXPECT_EQ(mouseButtonState[SDL_BUTTON_RIGHT], InputState::KeyUp);
    updateInput();
    EXPECT_EQ(mouseButtonState[SDL_BUTTON_LEFT], InputState::KeyHeld);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    updateInput();
    EXPECT_EQ(mouseButtonState[SDL_BUTTON_LEFT], InputState::KeyUp);
}

TEST_F(InputEvents, OutOfRangeCodesAreIgnoredAndOtherEventsStayQueued)
{
    int32_t keysBefore[KeyStateCount];
    std::memcpy(keysBefore, keyState, sizeof keysBefore);
    pushKey(SDL_KEYDOWN, 600);
    pushButton(SDL_MOUSEBUTTONDOWN, 12);
    pushButton(SDL_MOUSEBUTTONDOWN, 255);
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    updateInput();
    EXPECT_EQ(std::memcmp(keysBefore, keyState, sizeof keysBefore), 0);
    for (int i = 0; i < MouseButtonCount; ++i) {
        EXPECT_EQ(mouseButtonState[i], InputState::KeyUp) << i;
    }
    SDL_Event left;
    EXPECT_EQ(SDL_PeepEvents(&left, 1, SDL_GETEVENT, SDL_QUITMASK), 1);
}

TEST_F(InputEvents, ABurstOfPointerMotionLosesNoKeyAndThePointerStillFollows)
{
    // SDL's queue holds 128 events and the game takes no motion out of it: between two frames
    // a fast mouse must not crowd out the release of a key, or the hero walks on unheld.
    startInput();
    pushKey(SDL_KEYDOWN, SDLK_w);
    updateInput();
    ASSERT_EQ(keyState[SDLK_w], InputState::KeyPressed);
    int x = 0;
    int y = 0;
    for (int move = 0; move < 600; ++move) {
        x = move % 64;
        y = move * 7 % 64;
        // Through SDL's own motion path, as the pointer's moves take.
        SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
    }
    SDL_PumpEvents();
    pushKey(SDL_KEYUP, SDLK_w);
    updateInput();
    EXPECT_EQ(keyState[SDLK_w], InputState::KeyUp);
    EXPECT_EQ(mouseX, x);
    EXPECT_EQ(mouseY, y);
}

} // namespace
