#include <gtest/gtest.h>

#include <random>

#include "app/input.h"
#include "app/settings.h"
#include "app/world.h"
#include "sim/hero_movement.h"
#include "sim/world_update.h"
#include "sim_test_world.h"

namespace {

const int SoakKeys[] = {KeyForward, KeyBack, KeyLeft, KeyRight, KeyArrowUp, KeyArrowDown,
                        KeyArrowLeft, KeyArrowRight, KeyJump, KeyFly};

// A stretch of seeded random input: keys held for a while, clicks, the cursor anywhere,
// including outside the window.
void chooseInput(std::mt19937& random, bool firstOfStretch)
{
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int code : SoakKeys) {
        bool held = unit(random) < (code == KeyForward ? 0.6f : code == KeyFly ? 0.08f : 0.2f);
        bool wasHeld = keyState[code] != InputState::KeyUp;
        keyState[code] = !held ? InputState::KeyUp
                               : (wasHeld || !firstOfStretch ? InputState::KeyHeld : InputState::KeyPressed);
    }
    mouseButtonState[ButtonPrimary] = unit(random) < 0.1f ? InputState::KeyPressed : InputState::KeyUp;
    mouseButtonState[ButtonSecondary] = unit(random) < 0.1f ? InputState::KeyPressed : InputState::KeyUp;
    std::uniform_int_distribution<int> x(-200, 840);
    std::uniform_int_distribution<int> y(-200, 680);
    // Mostly near the centre so the walk goes somewhere, now and then anywhere.
    std::normal_distribution<float> nearX(320.0f, 15.0f);
    std::normal_distribution<float> nearY(240.0f, 10.0f);
    bool wild = unit(random) < 0.2f;
    mouseX = wild ? x(random) : static_cast<int>(nearX(random));
    mouseY = wild ? y(random) : static_cast<int>(nearY(random));
}

TEST(SimulationSoak, TwentyThousandRandomUpdatesKeepEveryInvariant)
{
    startWorld(20261207);
    settings.screenWidth = 640;
    settings.screenHeight = 480;
    ActorCensus census;
    takeActorCensus(census);
    ASSERT_EQ(census.sorted.size(), 500u);

    std::mt19937 random(4242);
    std::uniform_real_distribution<float> stepFactor(0.2f, 2.0f);
    std::uniform_int_distribution<int> stretch(1, 90);
    float lastHealth = hero.health;
    int left = 0;
    for (int update = 0; update < 20000; ++update) {
        bool first = left == 0;
        if (first) {
            left = stretch(random);
        }
        chooseInput(random, first);
        --left;
        updateWorld(stepFactor(random));

        ASSERT_TRUE(censusStillFiled(census)) << update;
        ASSERT_TRUE(simulationFinite(census)) << update;
        ASSERT_GE(hero.health, 0.0f) << update;
        ASSERT_LE(hero.health, lastHealth) << update;
        ASSERT_GE(hero.energy, 0.0f) << update;
        ASSERT_LE(hero.energy, 100.0f) << update;
        ASSERT_GE(followCamera.pitch, -1.5707964f) << update;
        ASSERT_LE(followCamera.pitch, 0.2617994f) << update;
        lastHealth = hero.health;
    }
}

}  // namespace
