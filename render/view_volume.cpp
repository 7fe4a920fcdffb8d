#include "render/view_volume.h"

#include <GL/gl.h>
#include <cmath>

// Everything within this many world units outside a plane is still drawn.
static constexpr float ViewMargin = 1.0f;

ViewVolume currentViewVolume()
{
    float projection[16];
    float view[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    // Rows of projection x view; OpenGL keeps matrices column by column.
    float row[4][4];
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += projection[4 * k + r] * view[4 * c + k];
            }
            row[r][c] = sum;
        }
    }
    ViewVolume volume{};
    for (int axis = 0; axis < 3; ++axis) {
        for (int side = 0; side < 2; ++side) {
            float* plane = volume.planes[2 * axis + side];
            float sign = side == 0 ? 1.0f : -1.0f;
            for (int c = 0; c < 4; ++c) {
                plane[c] = row[3][c] + sign * row[axis][c];
            }
            float length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
            if (length > 0.0f) {
                for (float& value : volume.planes[2 * axis + side]) {
                    value /= length;
                }
            }
        }
    }
    // The view is a rotation and a translation: the eye is minus the turned-back translation.
    for (int axis = 0; axis < 3; ++axis) {
        volume.eye[axis] = -(view[4 * axis] * view[12] + view[4 * axis + 1] * view[13] + view[4 * axis + 2] * view[14]);
    }
    return volume;
}

bool boxInView(const ViewVolume& view, const float low[3], const float high[3])
{
    for (const auto& plane : view.planes) {
        // The corner farthest along the plane's normal.
        float x = plane[0] >= 0.0f ? high[0] : low[0];
        float y = plane[1] >= 0.0f ? high[1] : low[1];
        float z = plane[2] >= 0.0f ? high[2] : low[2];
        if (plane[0] * x + plane[1] * y + plane[2] * z + plane[3] < -ViewMargin) {
            return false;
        }
    }
    return true;
}

bool sphereInView(const ViewVolume& view, float x, float y, float z, float radius)
{
    for (const auto& plane : view.planes) {
        if (plane[0] * x + plane[1] * y + plane[2] * z + plane[3] < -radius - ViewMargin) {
            return false;
        }
    }
    return true;
}
