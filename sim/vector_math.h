// sim/vector_math.h — single-precision vector and angle helpers of the collision and hero code.
// The plain arithmetic is inline and needs nothing else, so the model mesh builder (which the
// media generator compiles without the game) uses the same helpers.
#pragma once
#include <cmath>

struct Vec3 {
    float x, y, z;
};

inline Vec3 vec3At(const float* p) { return Vec3{p[0], p[1], p[2]}; }
inline float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 minus(Vec3 a, Vec3 b) { return Vec3{a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 plus(Vec3 a, Vec3 b) { return Vec3{a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 scaled(Vec3 a, float s) { return Vec3{a.x * s, a.y * s, a.z * s}; }
// The right-hand cross product a x b.
inline Vec3 cross(Vec3 a, Vec3 b) { return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline float length(Vec3 a) { return std::sqrt(dot(a, a)); }
inline bool isFinite(Vec3 a) { return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z); }
inline Vec3 normalize(Vec3 v)
{
    float size = length(v);
    return Vec3{v.x / size, v.y / size, v.z / size};
}

// normalize((C - A) x (B - A)): the reverse of the right-hand normal of A, B, C.
Vec3 triangleNormal(Vec3 a, Vec3 b, Vec3 c);
float angleBetween(Vec3 u, Vec3 v);
// Signed turn from `from` to `to`, in [-pi, pi].
float wrappedAngleDelta(float from, float to);
// Adds s along the follow camera's view direction.
void addAlongView(float& dx, float& dy, float& dz, float s);
