#include <gtest/gtest.h>

#include <cmath>

#include "app/input.h"
#include "sim/hero_movement.h"
#include "sim/world_update.h"
#include "sim_test_world.h"

namespace {

class HeroMovement : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetSimWorld();
        fillGround(20, 20, 120, 120, CellType::Pavement);
        hero.x = 300;
        hero.y = 10;
        hero.z = 300;
    }

    void run(int updates, float f = 1.0f)
    {
        for (int i = 0; i < updates; ++i) {
            updateWorld(f);
        }
    }

    // Drops the hero from its start height and lets it come to rest on the pavement.
    void settle()
    {
        run(40);
        ASSERT_TRUE(hero.onGround);
        ASSERT_NEAR(hero.y, 5.0f, 1e-4f);
    }
};

TEST_F(HeroMovement, FallsOntoThePavementAndStandsStill)
{
    EXPECT_FALSE(hero.onGround);
    settle();
    for (int i = 0; i < 100; ++i) {
        updateWorld(1.0f);
        ASSERT_TRUE(hero.onGround) << i;
        ASSERT_NEAR(hero.y, 5.0f, 1e-4f) << i;
        ASSERT_NEAR(hero.velocityY, 0.0f, 1e-3f) << i;
    }
    EXPECT_FLOAT_EQ(hero.x, 300.0f);
    EXPECT_FLOAT_EQ(hero.z, 300.0f);
}

TEST_F(HeroMovement, WalkingSettlesAtTheSteadySpeedAlongTheView)
{
    settle();
    holdKey(KeyForward, true);
    run(200);
    EXPECT_NEAR(hero.velocityX, 0.4044f, 0.002f);
    EXPECT_NEAR(hero.velocityZ, 0.0f, 1e-5f);
    EXPECT_TRUE(hero.onGround);

    // Forward and right together: yaw + pi/4 at magnitude 1, not 1.41.
    holdKey(KeyRight, true);
    holdKey(KeyArrowUp, true);
    run(200);
    // Positions near 400 hold about 3e-5, which limits the velocities read back from them.
    EXPECT_NEAR(hero.velocityX, hero.velocityZ, 1e-3f);
    EXPECT_NEAR(std::sqrt(hero.velocityX * hero.velocityX + hero.velocityZ * hero.velocityZ), 0.4044f, 0.002f);
    EXPECT_NEAR(hero.heading, 0.7853982f, 0.01f);

    // Forward and back cancel: the hero coasts to a stop.
    holdKey(KeyRight, false);
    holdKey(KeyBack, true);
    run(200);
    EXPECT_NEAR(hero.velocityX, 0.0f, 1e-3f);
    EXPECT_NEAR(hero.velocityZ, 0.0f, 1e-3f);
}

TEST_F(HeroMovement, FlightKeepsItsHeightAndSettlesAtTheSteadySpeed)
{
    hero.y = 60;
    holdKey(KeyFly, true);
    run(400);
    EXPECT_TRUE(hero.flying);
    EXPECT_FLOAT_EQ(hero.y, 60.0f);
    EXPECT_NEAR(hero.velocityX, 2.45f, 0.01f);
    EXPECT_NEAR(hero.energy, 100.0f - 40.0f, 0.01f);
}

TEST_F(HeroMovement, FreeFallSettlesAtTerminalSpeed)
{
    hero.y = 400;
    run(300);
    EXPECT_NEAR(hero.velocityY, -0.96f, 0.002f);
    EXPECT_FALSE(hero.onGround);
}

TEST_F(HeroMovement, HeldJumpCarriesHigherAndTakesOffAgainAfterLanding)
{
    settle();
    keyState[KeyJump] = InputState::KeyPressed;
    updateWorld(1.0f);
    keyState[KeyJump] = InputState::KeyUp;
    float tapPeak = hero.y;
    for (int i = 0; i < 200; ++i) {
        updateWorld(1.0f);
        tapPeak = std::max(tapPeak, hero.y);
    }
    ASSERT_TRUE(hero.onGround);

    holdKey(KeyJump, true);
    float heldPeak = hero.y;
    int landing = -1;
    bool wasOnGround = true;
    for (int i = 0; i < 300 && landing < 0; ++i) {
        updateWorld(1.0f);
        heldPeak = std::max(heldPeak, hero.y);
        if (hero.onGround && !wasOnGround) {
            landing = i;
        }
        wasOnGround = hero.onGround;
    }
    ASSERT_GE(landing, 0);
    EXPECT_GT(heldPeak, tapPeak + 1.0f);
    // The first update after the landing takes off again.
    updateWorld(1.0f);
    EXPECT_FALSE(hero.onGround);
    EXPECT_GT(hero.velocityY, 0.5f);
}

TEST_F(HeroMovement, FlightEndsWhenEnergyRunsOut)
{
    hero.y = 60;
    hero.energy = 0.05f;
    holdKey(KeyFly, true);
    updateWorld(1.0f);
    EXPECT_TRUE(hero.flying);
    EXPECT_EQ(hero.energy, 0.0f);
    float heightAfterFlight = hero.y;
    updateWorld(1.0f);
    EXPECT_FALSE(hero.flying);
    EXPECT_LT(hero.y, heightAfterFlight);
}

TEST_F(HeroMovement, EnergyRegrowsOnlyAfterRestingOnTheGround)
{
    settle();
    hero.energy = 50.0f;
    hero.restTimer = 0.0f;
    run(45);
    EXPECT_FLOAT_EQ(hero.energy, 50.0f);
    EXPECT_NEAR(hero.restTimer, 4.5f, 1e-3f);
    run(15);
    // Ten or eleven of the fifteen updates had rested long enough, at 0.5 each.
    EXPECT_GE(hero.energy, 55.0f);
    EXPECT_LE(hero.energy, 55.5f);
    run(200);
    EXPECT_FLOAT_EQ(hero.energy, 100.0f);

    // One update of flight resets the rest.
    holdKey(KeyFly, true);
    updateWorld(1.0f);
    EXPECT_EQ(hero.restTimer, 0.0f);
}

TEST_F(HeroMovement, AttacksAreDroppedInTheAirAndOnlyOneIsTaken)
{
    mouseButtonState[ButtonPrimary] = InputState::KeyPressed;
    updateWorld(1.0f);
    EXPECT_FALSE(hero.primaryAttackPending);
    mouseButtonState[ButtonPrimary] = InputState::KeyUp;
    settle();

    mouseButtonState[ButtonPrimary] = InputState::KeyPressed;
    mouseButtonState[ButtonSecondary] = InputState::KeyPressed;
    holdKey(KeyForward, true);
    updateWorld(1.0f);
    EXPECT_TRUE(hero.primaryAttackPending);
    EXPECT_FALSE(hero.secondaryAttackPending);
    // While it waits the hero cannot steer.
    EXPECT_FLOAT_EQ(hero.velocityX, 0.0f);

    mouseButtonState[ButtonPrimary] = InputState::KeyHeld;
    mouseButtonState[ButtonSecondary] = InputState::KeyPressed;
    updateWorld(1.0f);
    EXPECT_TRUE(hero.primaryAttackPending);
    EXPECT_FALSE(hero.secondaryAttackPending);
}

TEST_F(HeroMovement, SecondaryAttackAloneIsTaken)
{
    settle();
    mouseButtonState[ButtonSecondary] = InputState::KeyPressed;
    updateWorld(1.0f);
    EXPECT_TRUE(hero.secondaryAttackPending);
    EXPECT_FALSE(hero.primaryAttackPending);
}

}  // namespace
