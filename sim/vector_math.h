// sim/vector_math.h — single-precision vector and angle helpers of the collision and hero code.
#pragma once

struct Vec3 {
    float x, y, z;
};

Vec3 normalize(Vec3 v);
// normalize((C - A) x (B - A)): the reverse of the right-hand normal of A, B, C.
Vec3 triangleNormal(Vec3 a, Vec3 b, Vec3 c);
float angleBetween(Vec3 u, Vec3 v);
// Signed turn from `from` to `to`, in [-pi, pi].
float wrappedAngleDelta(float from, float to);
// Adds s along the follow camera's view direction.
void addAlongView(float& dx, float& dy, float& dz, float s);
