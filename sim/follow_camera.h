// sim/follow_camera.h — mouse look and the camera that trails the hero.
#pragma once

constexpr float LowestPitch = -1.5707964f;
constexpr float HighestPitch = 0.2617994f;

// Turns the camera by the cursor's offset from the window centre.
void applyMouseLook(float f);
// Eases the camera distance and places the camera behind the hero's eye point.
void placeFollowCamera(float f);
