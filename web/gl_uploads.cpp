// Texture uploads in the browser. WebGL 1 takes fewer forms than desktop OpenGL: the internal
// format must be the same format enum as the pixels (not a component count), there are no BGR
// or BGRA pixels and no unpack row length, and GLU's mipmap builder is missing. The game's own
// calls stay as they are; the linker routes them through these wrappers.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "overlay/gl_formats.h"

#ifndef GL_UNPACK_ROW_LENGTH
#define GL_UNPACK_ROW_LENGTH 0x0CF2
#endif

extern "C" void __real_glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
    GLsizei height, GLint border, GLenum format, GLenum type, const void* pixels);
extern "C" void __real_glPixelStorei(GLenum name, GLint value);

static GLint unpackRowLength = 0;   // pixels per source row; 0 means the image's width
static GLint unpackAlignment = 4;

static int bytesPerPixel(GLenum format)
{
    switch (format) {
    case GL_RGBA:
    case GL_BGRA:
        return 4;
    case GL_RGB:
    case GL_BGR:
        return 3;
    case GL_LUMINANCE_ALPHA:
        return 2;
    default:
        return 1;
    }
}

static GLenum formatForCount(GLint components)
{
    switch (components) {
    case 1:
        return GL_LUMINANCE;
    case 2:
        return GL_LUMINANCE_ALPHA;
    case 3:
        return GL_RGB;
    case 4:
        return GL_RGBA;
    default:
        return static_cast<GLenum>(components);
    }
}

// Tightly packed RGB or RGBA rows of a source laid out by the unpack state and the format.
static std::vector<uint8_t> repacked(const uint8_t* source, int width, int height, GLenum format)
{
    int bytes = bytesPerPixel(format);
    int rowPixels = unpackRowLength > 0 ? unpackRowLength : width;
    int rowBytes = rowPixels * bytes;
    rowBytes = (rowBytes + unpackAlignment - 1) / unpackAlignment * unpackAlignment;
    bool swapRedBlue = format == GL_BGR || format == GL_BGRA;
    std::vector<uint8_t> packed(static_cast<size_t>(width) * height * bytes);
    for (int y = 0; y < height; ++y) {
        const uint8_t* from = source + static_cast<size_t>(y) * rowBytes;
        uint8_t* to = packed.data() + static_cast<size_t>(y) * width * bytes;
        std::memcpy(to, from, static_cast<size_t>(width) * bytes);
        if (swapRedBlue) {
            for (int x = 0; x < width; ++x) {
                uint8_t red = to[x * bytes + 2];
                to[x * bytes + 2] = to[x * bytes];
                to[x * bytes] = red;
            }
        }
    }
    return packed;
}

static void uploadPacked(GLenum target, GLint level, GLsizei width, GLsizei height, GLenum format,
    const void* pixels)
{
    // Packed rows: an RGB row of any width must not be padded to the default 4-byte alignment.
    __real_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    __real_glTexImage2D(target, level, static_cast<GLint>(format), width, height, 0, format,
        GL_UNSIGNED_BYTE, pixels);
    __real_glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
}

extern "C" void __wrap_glPixelStorei(GLenum name, GLint value)
{
    if (name == GL_UNPACK_ROW_LENGTH) {
        unpackRowLength = value;   // WebGL 1 has no such state: rows are repacked instead
        return;
    }
    if (name == GL_UNPACK_ALIGNMENT) {
        unpackAlignment = value;
    }
    __real_glPixelStorei(name, value);
}

extern "C" void __wrap_glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
    GLsizei height, GLint border, GLenum format, GLenum type, const void* pixels)
{
    bool byteColour = type == GL_UNSIGNED_BYTE && bytesPerPixel(format) >= 3;
    if (pixels == nullptr || !byteColour || width <= 0 || height <= 0) {
        __real_glTexImage2D(target, level, static_cast<GLint>(formatForCount(internalFormat)), width,
            height, border, format, type, pixels);
        return;
    }
    GLenum webFormat = bytesPerPixel(format) == 4 ? GL_RGBA : GL_RGB;
    std::vector<uint8_t> packed = repacked(static_cast<const uint8_t*>(pixels), width, height, format);
    uploadPacked(target, level, width, height, webFormat, packed.data());
}

// Half the size (at least 1) in each direction, each texel the mean of the 2 x 2 (or fewer, at
// an odd edge) texels it covers.
static std::vector<uint8_t> halved(const std::vector<uint8_t>& source, int width, int height,
    int bytes, int& halfWidth, int& halfHeight)
{
    halfWidth = width > 1 ? width / 2 : 1;
    halfHeight = height > 1 ? height / 2 : 1;
    std::vector<uint8_t> half(static_cast<size_t>(halfWidth) * halfHeight * bytes);
    for (int y = 0; y < halfHeight; ++y) {
        int y0 = height > 1 ? 2 * y : 0;
        int y1 = height > 1 ? 2 * y + 1 : 0;
        for (int x = 0; x < halfWidth; ++x) {
            int x0 = width > 1 ? 2 * x : 0;
            int x1 = width > 1 ? 2 * x + 1 : 0;
            for (int c = 0; c < bytes; ++c) {
                int sum = source[(static_cast<size_t>(y0) * width + x0) * bytes + c] +
                    source[(static_cast<size_t>(y0) * width + x1) * bytes + c] +
                    source[(static_cast<size_t>(y1) * width + x0) * bytes + c] +
                    source[(static_cast<size_t>(y1) * width + x1) * bytes + c];
                half[(static_cast<size_t>(y) * halfWidth + x) * bytes + c] = static_cast<uint8_t>((sum + 2) / 4);
            }
        }
    }
    return half;
}

// The whole mip chain down to 1 x 1, one glTexImage2D per level. Images are expected at
// power-of-two sizes (WebGL 1 mipmaps no others); the component count follows the format.
extern "C" GLint gluBuild2DMipmaps(GLenum target, GLint, GLsizei width, GLsizei height, GLenum format,
    GLenum type, const void* data)
{
    if (data == nullptr || width <= 0 || height <= 0 || type != GL_UNSIGNED_BYTE || bytesPerPixel(format) < 3) {
        return GLU_INVALID_VALUE;
    }
    int bytes = bytesPerPixel(format);
    GLenum webFormat = bytes == 4 ? GL_RGBA : GL_RGB;
    std::vector<uint8_t> level = repacked(static_cast<const uint8_t*>(data), width, height, format);
    int levelWidth = width;
    int levelHeight = height;
    for (GLint index = 0;; ++index) {
        uploadPacked(target, index, levelWidth, levelHeight, webFormat, level.data());
        if (levelWidth == 1 && levelHeight == 1) {
            break;
        }
        int nextWidth = 0;
        int nextHeight = 0;
        level = halved(level, levelWidth, levelHeight, bytes, nextWidth, nextHeight);
        levelWidth = nextWidth;
        levelHeight = nextHeight;
    }
    return 0;
}
