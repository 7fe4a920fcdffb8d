#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/input.h"
#include "app/settings.h"
#include "app/world.h"
#include "sim/hero_movement.h"
#include "sim/monsters.h"
#include "sim/world_update.h"
#include "sim_test_world.h"

namespace {

// A hero that leaves the city, by flight or by being moved, must never make the simulation
// index outside the grid; the game simply goes on out there.
class HeroOutsideTheCity : public ::testing::Test {
protected:
    void SetUp() override
    {
        startWorld(77);
        settings.screenWidth = 640;
        settings.screenHeight = 480;
        mouseX = 320;
        mouseY = 240;
        takeActorCensus(census);
        ASSERT_EQ(census.sorted.size(), 500u);
    }

    // Flies level along yaw for the given updates with the energy kept topped up.
    void fly(float yaw, int updates)
    {
        followCamera.yaw = yaw;
        followCamera.pitch = 0;
        holdKey(KeyFly, true);
        for (int i = 0; i < updates; ++i) {
            hero.energy = 100;
            updateWorld(1.0f);
            ASSERT_TRUE(censusStillFiled(census)) << i;
            ASSERT_TRUE(simulationFinite(census)) << i;
        }
        holdKey(KeyFly, false);
    }

    void runFor(int updates, float f = 1.0f)
    {
        for (int i = 0; i < updates; ++i) {
            updateWorld(f);
            ASSERT_TRUE(censusStillFiled(census)) << i;
            ASSERT_TRUE(simulationFinite(census)) << i;
        }
    }

    ActorCensus census;
};

// The city's columns span [-5, 1995) along x and z.
constexpr float WestEdge = -5.0f;
constexpr float EastEdge = 1995.0f;

TEST_F(HeroOutsideTheCity, FlightPastEveryEdgeIsHeldAtTheEdge)
{
    hero.y = 120;  // above the highest level
    fly(3.1415927f, 900);
    EXPECT_EQ(hero.x, WestEdge);
    EXPECT_EQ(hero.cellX, 0);
    EXPECT_EQ(hero.cellY, LevelCount - 1);
    EXPECT_EQ(monstersNearHero(), 0);
    fly(0.0f, 1800);
    EXPECT_LT(hero.x, EastEdge);
    EXPECT_GT(hero.x, EastEdge - 0.001f);
    EXPECT_EQ(hero.cellX, GridSize - 1);
    fly(3.1415927f / 2, 1000);
    EXPECT_LT(hero.z, EastEdge);
    EXPECT_EQ(hero.cellZ, GridSize - 1);
    fly(-3.1415927f / 2, 2000);
    EXPECT_EQ(hero.z, WestEdge);
    EXPECT_EQ(hero.cellZ, 0);
}

TEST_F(HeroOutsideTheCity, FlyingPastTheEdgeUntilTheEnergyRunsOutLandsThereAndWalksBack)
{
    // Past the edge there was no ground: the hero fell for ever, and energy returns only on the
    // ground.
    hero.y = 120;
    hero.energy = 100;
    followCamera.yaw = 3.1415927f;
    followCamera.pitch = 0;
    holdKey(KeyFly, true);
    runFor(1100);
    holdKey(KeyFly, false);
    EXPECT_EQ(hero.energy, 0.0f);
    runFor(600);
    EXPECT_EQ(hero.x, WestEdge);
    EXPECT_TRUE(hero.onGround);
    EXPECT_NEAR(hero.y, -0.5f, 0.1f);  // on the water of the border cells
    // And it walks back into the city.
    followCamera.yaw = 0;
    holdKey(KeyForward, true);
    runFor(300);
    holdKey(KeyForward, false);
    EXPECT_GT(hero.x, WestEdge + 50.0f);
    EXPECT_TRUE(hero.onGround);
    EXPECT_NEAR(hero.y, -0.5f, 0.1f);
}

TEST_F(HeroOutsideTheCity, PlacedOutsideTheCityComesDownAtItsEdge)
{
    hero.x = -300;
    hero.z = 900;
    holdKey(KeyForward, true);
    runFor(2000, 2.0f);
    EXPECT_GE(hero.x, WestEdge);
    EXPECT_GT(hero.y, -1.0f);
    EXPECT_TRUE(hero.onGround);
}

TEST_F(HeroOutsideTheCity, PlacedAnywhereTheNextUpdatesStaySound)
{
    const float places[][3] = {{-7, 5, -7}, {-60, 5, 1000}, {1999, 5, 1999}, {2010, 5, -15},
                               {1000, 95, 1000}, {1000, 400, 1000}, {-40000, 3, 80000}, {1e8f, -1e8f, 1e8f}};
    for (const auto& place : places) {
        hero.x = place[0];
        hero.y = place[1];
        hero.z = place[2];
        hero.velocityX = hero.velocityY = hero.velocityZ = 0;
        runFor(30);
    }
}

TEST_F(HeroOutsideTheCity, MonstersFollowingToTheEdgeStayFiledInTheGrid)
{
    // Drop a crowd at the corner of the city and stand the hero just outside it.
    std::vector<Actor*> crowd;
    for (int x = 0; x < GridSize && crowd.size() < 20; ++x) {
        for (int z = 0; z < GridSize && crowd.size() < 20; ++z) {
            for (int s = 0; s < actorGrid.count[x][z] && crowd.size() < 20; ++s) {
                crowd.push_back(actorGrid.slots[x][z][s]);
            }
        }
    }
    for (Actor* actor : crowd) {
        actor->x = 5 + 0.1f * static_cast<float>(crowd.size());
        actor->z = 5;
    }
    // Re-file them all under cell (0, 0)'s neighbours as the chase would.
    std::memset(&actorGrid, 0, sizeof actorGrid);
    for (const Actor* actor : census.sorted) {
        Actor* a = const_cast<Actor*>(actor);
        int cx = cellIndexOf(a->x);
        int cz = cellIndexOf(a->z);
        if (actorGrid.count[cx][cz] == MaxActorsPerCell) {
            cx += 1;
        }
        actorGrid.slots[cx][cz][actorGrid.count[cx][cz]++] = a;
    }
    ASSERT_TRUE(censusStillFiled(census));
    hero.x = -30;
    hero.y = 5;
    hero.z = -30;
    runFor(600);
    int outside = 0;
    for (Actor* actor : crowd) {
        EXPECT_GE(actor->y, 0.0f);
        outside += actor->x < -5.0f || actor->z < -5.0f ? 1 : 0;
    }
    // Some crossed the border after the hero; they stay filed in the border cells.
    EXPECT_GT(outside, 0);
}

}  // namespace
