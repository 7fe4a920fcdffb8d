#include <gtest/gtest.h>

#include <cmath>

#include "sim/actors.h"
#include "sim/vector_math.h"

namespace {

const float Pi = 3.14159265f;

TEST(WrappedAngleDelta, TakesTheShortTurnAcrossPlusMinusPi)
{
    EXPECT_NEAR(wrappedAngleDelta(3.0f, -3.0f), 2.0f * Pi - 6.0f, 1e-5f);
    EXPECT_NEAR(wrappedAngleDelta(-3.0f, 3.0f), 6.0f - 2.0f * Pi, 1e-5f);
    EXPECT_NEAR(wrappedAngleDelta(0.0f, Pi / 2), Pi / 2, 1e-6f);
    EXPECT_NEAR(wrappedAngleDelta(Pi / 2, 0.0f), -Pi / 2, 1e-6f);
}

TEST(WrappedAngleDelta, UnwindsHeadingsManyTurnsAwayAndNeverHangs)
{
    // A heading that has drifted 100 turns still gives the short turn.
    EXPECT_NEAR(wrappedAngleDelta(0.5f + 200.0f * Pi, 1.0f), 0.5f, 1e-3f);
    EXPECT_NEAR(wrappedAngleDelta(0.5f - 200.0f * Pi, 1.0f), 0.5f, 1e-3f);
    // So far out that adding a full turn no longer changes the float: the call still returns.
    float delta = wrappedAngleDelta(1.0e12f, 0.0f);
    EXPECT_TRUE(std::isfinite(delta));
}

TEST(TriangleNormal, IsTheReversedRightHandNormal)
{
    Vec3 n = triangleNormal(Vec3{0, 0, 0}, Vec3{1, 0, 0}, Vec3{0, 0, 1});
    EXPECT_FLOAT_EQ(n.x, 0.0f);
    EXPECT_FLOAT_EQ(n.y, 1.0f);
    EXPECT_FLOAT_EQ(n.z, 0.0f);
    // A slab listed counter-clockwise from above points down into its solid side.
    Vec3 slab = triangleNormal(Vec3{-5, -5, 5}, Vec3{5, -5, 5}, Vec3{5, -5, -5});
    EXPECT_FLOAT_EQ(slab.y, -1.0f);
    Vec3 tilted = triangleNormal(Vec3{0, 0, 0}, Vec3{0, 3, 0}, Vec3{0, 0, 4});
    EXPECT_FLOAT_EQ(std::sqrt(tilted.x * tilted.x + tilted.y * tilted.y + tilted.z * tilted.z), 1.0f);
    EXPECT_FLOAT_EQ(tilted.x, -1.0f);
}

TEST(AngleBetween, CoversZeroToPiAndStaysDefinedForParallelVectors)
{
    EXPECT_NEAR(angleBetween(Vec3{1, 0, 0}, Vec3{0, 0, 5}), Pi / 2, 1e-6f);
    EXPECT_NEAR(angleBetween(Vec3{1, 0, 0}, Vec3{-2, 0, 0}), Pi, 1e-6f);
    EXPECT_NEAR(angleBetween(Vec3{1, 1, 0}, Vec3{1, 0, 0}), Pi / 4, 1e-6f);
    // Rounding must not push parallel vectors past the domain of acos.
    // (this pair's cosine comes out as 1 + 2e-16 in double).
    Vec3 u{0.6515929698944092f, 0.788723349571228f, 0.09385958313941956f};
    EXPECT_EQ(angleBetween(u, Vec3{2 * u.x, 2 * u.y, 2 * u.z}), 0.0f);
    EXPECT_TRUE(std::isnan(angleBetween(Vec3{0, 0, 0}, Vec3{1, 0, 0})));
}

TEST(AddAlongView, FollowsTheCameraYawAndPitch)
{
    resetHeroAndCamera();
    float dx = 1, dy = 2, dz = 3;
    addAlongView(dx, dy, dz, 0.5f);
    EXPECT_FLOAT_EQ(dx, 1.5f);
    EXPECT_FLOAT_EQ(dy, 2.0f);
    EXPECT_FLOAT_EQ(dz, 3.0f);

    followCamera.yaw = Pi / 2;
    followCamera.pitch = -Pi / 6;
    dx = dy = dz = 0;
    addAlongView(dx, dy, dz, 2.0f);
    EXPECT_NEAR(dx, 0.0f, 1e-6f);
    EXPECT_NEAR(dy, -1.0f, 1e-6f);
    EXPECT_NEAR(dz, std::sqrt(3.0f), 1e-6f);
    resetHeroAndCamera();
}

}  // namespace
