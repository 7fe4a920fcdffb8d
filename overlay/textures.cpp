#include "overlay/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <cstdio>

#include "app/plain_file.h"
#include "overlay/gl_formats.h"

static GLenum pixelFormatOf(const SDL_Surface* surface)
{
    bool redFirst = surface->format->Rmask == 0xFF;
    if (surface->format->BytesPerPixel == 4) {
        return redFirst ? GL_RGBA : GL_BGRA;
    }
    return redFirst ? GL_RGB : GL_BGR;
}

static GLuint newBoundTexture()
{
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    return name;
}

static void uploadLevelZero(SDL_Surface* surface)
{
    glPixelStorei(GL_UNPACK_ROW_LENGTH, surface->pitch / surface->format->BytesPerPixel);
    glTexImage2D(GL_TEXTURE_2D, 0, surface->format->BytesPerPixel, surface->w, surface->h, 0,
        pixelFormatOf(surface), GL_UNSIGNED_BYTE, surface->pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

uint32_t textureFromSurface(SDL_Surface* surface)
{
    GLuint name = newBoundTexture();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    uploadLevelZero(surface);
    return name;
}

// Palette, grey and 16-bit images have no GL format of their own here: widen them to RGBA.
// So are RGB images whose rows carry padding: GLU's mipmap builder misreads padded rows of
// narrow images (a 1-pixel-wide RGB image comes out garbled), while RGBA rows never need any.
static SDL_Surface* withUsablePixels(SDL_Surface* image)
{
    int bytes = image->format->BytesPerPixel;
    if ((bytes == 3 || bytes == 4) && image->pitch == image->w * bytes) {
        return image;
    }
    SDL_PixelFormat rgba = {};
    rgba.BitsPerPixel = 32;
    rgba.BytesPerPixel = 4;
    rgba.Rmask = 0x000000FF;
    rgba.Gmask = 0x0000FF00;
    rgba.Bmask = 0x00FF0000;
    rgba.Amask = 0xFF000000;
    rgba.Rshift = 0;
    rgba.Gshift = 8;
    rgba.Bshift = 16;
    rgba.Ashift = 24;
    SDL_Surface* converted = SDL_ConvertSurface(image, &rgba, SDL_SWSURFACE);
    SDL_FreeSurface(image);
    return converted;
}

uint32_t loadTexture(const char* path, bool mipmapped)
{
    // Only a plain file: a FIFO or a device in its place reads as a missing image.
    SDL_Surface* image = loadPlainImage(path);
    if (image != nullptr) {
        image = withUsablePixels(image);
    }
    if (image == nullptr || image->w <= 0 || image->h <= 0) {
        std::fprintf(stderr, "Lornhaven: cannot load %s; drawing without it\n", path);
        if (image != nullptr) {
            SDL_FreeSurface(image);
        }
        return 0;
    }
    GLuint name = newBoundTexture();
    if (mipmapped) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, image->pitch / image->format->BytesPerPixel);
        gluBuild2DMipmaps(GL_TEXTURE_2D, image->format->BytesPerPixel, image->w, image->h,
            pixelFormatOf(image), GL_UNSIGNED_BYTE, image->pixels);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        uploadLevelZero(image);
    }
    SDL_FreeSurface(image);
    return name;
}
