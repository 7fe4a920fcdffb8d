// render/view_volume.h — the part of the world the camera can show, to skip what lies outside.
#pragma once

// The six clipping planes of the current projection and view, each a x + b y + c z + d >= 0 on
// the inside with (a, b, c) of unit length, so d is a distance in world units; and the eye.
struct ViewVolume {
    float planes[6][4];
    float eye[3];
};

// The view volume of the projection and modelview matrices loaded now (the world's, before any
// object is moved into place).
ViewVolume currentViewVolume();

// False only when the box or sphere lies wholly outside a plane by more than a small margin, so
// rounding never drops anything that can show.
bool boxInView(const ViewVolume& view, const float low[3], const float high[3]);
bool sphereInView(const ViewVolume& view, float x, float y, float z, float radius);

// Whether a distance from the eye lies within a ring's limit (both squared, or both not), for the
// scene's drawing in rings of distance; a distance that is not a number counts as near, so that
// nothing is held back.
inline bool nearerThan(float distance, float limit) { return !(distance >= limit); }
