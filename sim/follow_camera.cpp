#include "sim/follow_camera.h"

#include <cmath>

#include "app/input.h"
#include "app/settings.h"
#include "sim/actors.h"

void applyMouseLook(float f)
{
    float width = settings.screenWidth;
    float height = settings.screenHeight;
    // Without a window size there is no centre to look from.
    if (!(width > 0.0f) || !(height > 0.0f)) {
        return;
    }
    followCamera.yaw += f * 0.095f * (mouseX - width * 0.5f) / width;
    followCamera.pitch -= f * 0.075f * (mouseY - height * 0.5f) / height;
    if (followCamera.pitch < LowestPitch) {
        followCamera.pitch = LowestPitch;
    }
    if (followCamera.pitch > HighestPitch) {
        followCamera.pitch = HighestPitch;
    }
}

void placeFollowCamera(float f)
{
    float target = hero.flying ? 10.0f : 30.0f;
    followCamera.distance += (target - followCamera.distance) * 0.025f * f;
    followCamera.y = hero.y + 5.75f - followCamera.distance * std::sin(followCamera.pitch);
    float h = -followCamera.distance * std::cos(followCamera.pitch);
    followCamera.x = hero.x + std::cos(followCamera.yaw) * h;
    followCamera.z = hero.z + std::sin(followCamera.yaw) * h;
}
