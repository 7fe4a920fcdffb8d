#include "sim/vector_math.h"

#include <cmath>

#include "sim/actors.h"

// The single-precision pi the angle wrapping was tuned with.
static constexpr double WrapPi = 3.1415926292538643;
static constexpr double WrapTwoPi = 6.283185258507729;

Vec3 triangleNormal(Vec3 a, Vec3 b, Vec3 c)
{
    return normalize(cross(minus(c, a), minus(b, a)));
}

float angleBetween(Vec3 u, Vec3 v)
{
    double dot = static_cast<double>(u.x) * v.x + static_cast<double>(u.y) * v.y + static_cast<double>(u.z) * v.z;
    double lengthU = std::sqrt(static_cast<double>(u.x) * u.x + static_cast<double>(u.y) * u.y + static_cast<double>(u.z) * u.z);
    double lengthV = std::sqrt(static_cast<double>(v.x) * v.x + static_cast<double>(v.y) * v.y + static_cast<double>(v.z) * v.z);
    double cosine = dot / (lengthV * lengthU);
    // Rounding can carry parallel vectors just past +-1; a zero-length vector stays NaN.
    if (cosine > 1.0) {
        cosine = 1.0;
    } else if (cosine < -1.0) {
        cosine = -1.0;
    }
    return static_cast<float>(std::acos(cosine));
}

float wrappedAngleDelta(float from, float to)
{
    // A step that no longer changes a huge float ends the loop instead of spinning forever.
    while (from < to - WrapPi) {
        float next = static_cast<float>(from + WrapTwoPi);
        if (next == from) {
            break;
        }
        from = next;
    }
    while (from > to + WrapPi) {
        float next = static_cast<float>(from - WrapTwoPi);
        if (next == from) {
            break;
        }
        from = next;
    }
    return to - from;
}

void addAlongView(float& dx, float& dy, float& dz, float s)
{
    float pitch = followCamera.pitch;
    float yaw = followCamera.yaw;
    dy += std::sin(pitch) * s;
    dx += std::cos(yaw) * (std::cos(pitch) * s);
    dz += std::sin(yaw) * (std::cos(pitch) * s);
}
