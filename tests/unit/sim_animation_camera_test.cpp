#include <gtest/gtest.h>

#include <cmath>

#include "app/input.h"
#include "sim/follow_camera.h"
#include "sim/hero_movement.h"
#include "sim/world_update.h"
#include "sim_test_world.h"

namespace {

class HeroAnimation : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetSimWorld();
        fillGround(20, 20, 120, 120, CellType::Pavement);
        hero.x = 300;
        hero.y = 5.5f;
        hero.z = 300;
        for (int i = 0; i < 40; ++i) {
            updateWorld(1.0f);
        }
        ASSERT_TRUE(hero.onGround);
    }
};

TEST_F(HeroAnimation, PrimaryAttackStartsAtTheFourthUpdate)
{
    hero.prevAnimState = HeroAnimState::Walk1;
    hero.animState = HeroAnimState::Walk2;
    hero.animPhase = 0.5f;
    mouseButtonState[ButtonPrimary] = InputState::KeyPressed;
    const float phases[3] = {0.65f, 0.8f, 0.95f};
    for (int i = 0; i < 3; ++i) {
        updateWorld(1.0f);
        mouseButtonState[ButtonPrimary] = InputState::KeyHeld;
        EXPECT_EQ(hero.animState, HeroAnimState::Walk2) << i;
        EXPECT_NEAR(hero.animPhase, phases[i], 1e-5f) << i;
        EXPECT_TRUE(hero.primaryAttackPending);
    }
    updateWorld(1.0f);
    EXPECT_EQ(hero.animState, HeroAnimState::PrimaryAttack);
    EXPECT_EQ(hero.prevAnimState, HeroAnimState::Walk2);
    EXPECT_EQ(hero.animPhase, 0.0f);
    EXPECT_FALSE(hero.primaryAttackPending);

    // One blend into the attack pose at 0.075, then back into Walk0.
    int updates = 0;
    while (hero.animState == HeroAnimState::PrimaryAttack && updates < 100) {
        updateWorld(1.0f);
        ++updates;
    }
    EXPECT_EQ(updates, 14);
    EXPECT_EQ(hero.animState, HeroAnimState::Walk0);
    EXPECT_EQ(hero.prevAnimState, HeroAnimState::PrimaryAttack);
}

TEST_F(HeroAnimation, AirborneAndFlyingPosesAreHeldAtFullBlend)
{
    hero.y = 80;
    for (int i = 0; i < 30; ++i) {
        updateWorld(1.0f);
    }
    for (int i = 0; i < 20; ++i) {
        updateWorld(1.0f);
        ASSERT_EQ(hero.animState, HeroAnimState::Airborne) << i;
        ASSERT_EQ(hero.animPhase, 1.0f) << i;
    }
    holdKey(KeyFly, true);
    updateWorld(1.0f);
    EXPECT_EQ(hero.animState, HeroAnimState::Flying);
    EXPECT_EQ(hero.prevAnimState, HeroAnimState::Airborne);
    EXPECT_EQ(hero.animPhase, 0.0f);
    for (int i = 0; i < 14; ++i) {
        updateWorld(1.0f);
    }
    for (int i = 0; i < 10; ++i) {
        updateWorld(1.0f);
        ASSERT_EQ(hero.animState, HeroAnimState::Flying) << i;
        ASSERT_EQ(hero.animPhase, 1.0f) << i;
    }
}

TEST_F(HeroAnimation, StandingStillKeepsTheBlendAndWalkingRunsTheCycleBySpeed)
{
    HeroAnimState state = hero.animState;
    float phase = hero.animPhase;
    for (int i = 0; i < 50; ++i) {
        updateWorld(1.0f);
    }
    EXPECT_EQ(hero.animState, state);
    EXPECT_FLOAT_EQ(hero.animPhase, phase);

    holdKey(KeyForward, true);
    for (int i = 0; i < 200; ++i) {
        updateWorld(1.0f);
    }
    // At about 0.404 per update the phase advances about 0.162; each key restarts the phase
    // at 0, so a key comes every 7th update and the four-key cycle every 28.
    int keys = 0;
    int lastKey = -1;
    int32_t last = static_cast<int32_t>(hero.animState);
    for (int i = 0; i < 100; ++i) {
        updateWorld(1.0f);
        int32_t now = static_cast<int32_t>(hero.animState);
        if (now != last) {
            EXPECT_EQ(now, (last + 1) % 4);
            if (lastKey >= 0) {
                EXPECT_EQ(i - lastKey, 7);
            }
            lastKey = i;
            last = now;
            ++keys;
        }
    }
    EXPECT_GE(keys, 14);
    EXPECT_LE(keys, 15);
}

class FollowCameraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetSimWorld();
        hero.x = 1000;
        hero.y = 60;
        hero.z = 1000;
    }
};

TEST_F(FollowCameraTest, CursorAtTheCentreTurnsNothingAndTheEdgesTurnAtTheirRates)
{
    applyMouseLook(1.0f);
    EXPECT_EQ(followCamera.yaw, 0.0f);
    EXPECT_EQ(followCamera.pitch, 0.0f);
    mouseX = 640;
    mouseY = 0;
    applyMouseLook(2.0f);
    EXPECT_NEAR(followCamera.yaw, 0.095f, 1e-6f);
    EXPECT_NEAR(followCamera.pitch, 0.075f, 1e-6f);
}

TEST_F(FollowCameraTest, PitchStaysBetweenStraightDownAndFifteenDegrees)
{
    mouseY = 0;
    for (int i = 0; i < 500; ++i) {
        applyMouseLook(2.0f);
        ASSERT_LE(followCamera.pitch, HighestPitch);
    }
    EXPECT_EQ(followCamera.pitch, HighestPitch);
    mouseY = 5000;
    for (int i = 0; i < 500; ++i) {
        applyMouseLook(2.0f);
        ASSERT_GE(followCamera.pitch, LowestPitch);
    }
    EXPECT_EQ(followCamera.pitch, LowestPitch);
}

TEST_F(FollowCameraTest, EasesTowardTenInFlightAndStandsBehindTheEye)
{
    followCamera.distance = 30;
    hero.flying = true;
    placeFollowCamera(1.0f);
    EXPECT_FLOAT_EQ(followCamera.distance, 29.5f);
    placeFollowCamera(1.0f);
    EXPECT_FLOAT_EQ(followCamera.distance, 29.0125f);

    followCamera.distance = 20;
    followCamera.yaw = 3.1415927f / 2;
    followCamera.pitch = -3.1415927f / 6;
    hero.flying = false;
    placeFollowCamera(2.0f);
    EXPECT_FLOAT_EQ(followCamera.distance, 20.5f);
    EXPECT_NEAR(followCamera.y, 60.0f + 5.75f + 20.5f * 0.5f, 1e-4f);
    EXPECT_NEAR(followCamera.x, 1000.0f, 1e-4f);
    EXPECT_NEAR(followCamera.z, 1000.0f - 20.5f * std::sqrt(3.0f) / 2, 1e-3f);
}

TEST_F(FollowCameraTest, FirstUpdatesEaseFromTheStartDistance)
{
    EXPECT_EQ(followCamera.distance, 45.0f);
    updateWorld(1.0f);
    EXPECT_FLOAT_EQ(followCamera.distance, 44.625f);
}

}  // namespace
