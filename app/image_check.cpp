#include "app/image_check.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <cstdint>
#include <cstring>
#include <vector>

// Room for a MaxImageSide-square RGBA image stored without compression.
static constexpr size_t MaxImageFileBytes = size_t{80} << 20;

static const unsigned char PngSignature[8] = {137, 'P', 'N', 'G', 13, 10, 26, 10};

static bool readWhole(std::FILE* file, std::vector<unsigned char>& bytes)
{
    unsigned char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (bytes.size() + got > MaxImageFileBytes) {
            return false;
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return std::ferror(file) == 0;
}

static uint32_t bigEndian32(const unsigned char* bytes)
{
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | uint32_t{bytes[3]};
}

static uint32_t largestSide()
{
    uint32_t side = MaxImageSide;
    const SDL_Surface* screen = SDL_GetVideoSurface();
    if (screen != nullptr && (screen->flags & SDL_OPENGL) != 0) {
        GLint glSide = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &glSide);
        if (glSide > 0 && static_cast<uint32_t>(glSide) < side) {
            side = static_cast<uint32_t>(glSide);
        }
    }
    return side;
}

static bool fitsSides(uint32_t width, uint32_t height)
{
    uint32_t side = largestSide();
    return width >= 1 && height >= 1 && width <= side && height <= side;
}

// Walks the chunks after the signature; see loadCheckedImage.
static bool pngHoldsTogether(const std::vector<unsigned char>& bytes)
{
    size_t at = sizeof PngSignature;
    bool sawHeader = false;
    bool sawData = false;
    while (bytes.size() - at >= 12) {
        uint32_t length = bigEndian32(&bytes[at]);
        const unsigned char* type = &bytes[at + 4];
        const unsigned char* data = type + 4;
        if (length > bytes.size() - at - 12) {
            return false;
        }
        if (!sawHeader) {
            if (std::memcmp(type, "IHDR", 4) != 0 || length != 13 ||
                !fitsSides(bigEndian32(data), bigEndian32(data + 4))) {
                return false;
            }
            sawHeader = true;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            sawData = true;
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            return sawData;
        }
        at += 12 + size_t{length};
    }
    return false;
}

SDL_Surface* loadCheckedImage(std::FILE* file)
{
    if (file == nullptr) {
        return nullptr;
    }
    std::vector<unsigned char> bytes;
    bool whole = readWhole(file, bytes);
    std::fclose(file);
    if (!whole || bytes.empty()) {
        return nullptr;
    }
    bool png = bytes.size() >= sizeof PngSignature &&
               std::memcmp(bytes.data(), PngSignature, sizeof PngSignature) == 0;
    if (png && !pngHoldsTogether(bytes)) {
        return nullptr;
    }
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (source == nullptr) {
        return nullptr;
    }
    // Other kinds of image go to SDL_image as before and are checked only for their decoded size.
    SDL_Surface* image = IMG_Load_RW(source, 1);
    if (image != nullptr && !fitsSides(static_cast<uint32_t>(image->w), static_cast<uint32_t>(image->h))) {
        SDL_FreeSurface(image);
        return nullptr;
    }
    return image;
}
