#include "tests/gl/overlay_test_support.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "overlay/dashboard.h"
#include "overlay/pause_menu.h"

namespace {

constexpr int ImageWidth = 640;
constexpr int ImageHeight = 240;

struct Rgba {
    uint8_t r, g, b, a;
};

uint32_t crc32Of(const std::vector<uint8_t>& bytes, size_t from)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = from; i < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1u) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
        }
    }
    return crc ^ 0xFFFFFFFFu;
}

void putBigEndian(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void putChunk(std::vector<uint8_t>& file, const char* type, const std::vector<uint8_t>& data)
{
    putBigEndian(file, static_cast<uint32_t>(data.size()));
    size_t typeStart = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    putBigEndian(file, crc32Of(file, typeStart));
}

// An 8-bit RGBA PNG with stored (uncompressed) deflate blocks: enough for SDL_image to read.
std::vector<uint8_t> encodePng(const std::vector<Rgba>& pixels, int width, int height)
{
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            const Rgba& p = pixels[static_cast<size_t>(y * width + x)];
            raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
        }
    }
    std::vector<uint8_t> zlib = {0x78, 0x01};
    for (size_t at = 0; at < raw.size(); at += 65535) {
        size_t length = std::min<size_t>(65535, raw.size() - at);
        zlib.push_back(at + length == raw.size() ? 1 : 0);
        zlib.push_back(static_cast<uint8_t>(length));
        zlib.push_back(static_cast<uint8_t>(length >> 8));
        zlib.push_back(static_cast<uint8_t>(~length));
        zlib.push_back(static_cast<uint8_t>(~length >> 8));
        zlib.insert(zlib.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + length));
    }
    uint32_t a = 1;
    uint32_t b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521u;
        b = (b + a) % 65521u;
    }
    putBigEndian(zlib, (b << 16) | a);

    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    putBigEndian(header, static_cast<uint32_t>(width));
    putBigEndian(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0});
    putChunk(file, "IHDR", header);
    putChunk(file, "IDAT", zlib);
    putChunk(file, "IEND", {});
    return file;
}

Rgba opaque(Rgb c)
{
    return Rgba{static_cast<uint8_t>(c.r), static_cast<uint8_t>(c.g), static_cast<uint8_t>(c.b), 255};
}

void fillRect(std::vector<Rgba>& pixels, int x0, int y0, int w, int h, Rgba colour)
{
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            pixels[static_cast<size_t>(y * ImageWidth + x)] = colour;
        }
    }
}

std::vector<Rgba> testPicture()
{
    std::vector<Rgba> pixels(static_cast<size_t>(ImageWidth * ImageHeight), Rgba{0, 0, 0, 0});
    for (int code = 32; code <= 126; ++code) {
        int i = code - 32;
        fillRect(pixels, 20 * (i % 32) + 5, 20 * (i / 32), 10, 20, opaque(glyphColour(code)));
    }
    for (int style = 0; style < 2; ++style) {
        for (int k = 0; k < 9; ++k) {
            fillRect(pixels, 60 * style + 20 * (k / 3), 60 + 20 * (k % 3), 20, 20, opaque(frameColour(style, k)));
        }
    }
    fillRect(pixels, 440, 60, 30, 60, opaque(PointerColour));
    fillRect(pixels, 440 + 12, 60 + 10, 1, 1, opaque(HotSpotColour));
    fillRect(pixels, HalfAlphaX, HalfAlphaY, 1, 1, Rgba{255, 255, 255, HalfAlpha});
    fillRect(pixels, 0, 120, 640, 60, opaque(TopPanelColour));
    fillRect(pixels, 0, 180, 640, 60, opaque(BottomPanelColour));
    return pixels;
}

void forgetOverlay()
{
    if (dashboardAtlas != nullptr) {
        SDL_FreeSurface(dashboardAtlas);
        dashboardAtlas = nullptr;
    }
    if (atlasTexture != 0) {
        GLuint name = atlasTexture;
        glDeleteTextures(1, &name);
        atlasTexture = 0;
    }
}

// Runs initOverlay and initPauseScreen with a scratch folder as the working directory, then puts everything back.
void initOverlayIn(bool withImage)
{
    openTestWindow();
    forgetOverlay();
    char folder[] = "/tmp/lornhaven-overlay-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    std::string media = std::string(folder) + "/Media";
    std::string image = media + "/dashboard.png";
    if (withImage) {
        ASSERT_EQ(mkdir(media.c_str(), 0700), 0);
        std::vector<uint8_t> png = encodePng(testPicture(), ImageWidth, ImageHeight);
        FILE* file = std::fopen(image.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(png.data(), 1, png.size(), file);
        std::fclose(file);
    }
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(folder), 0);
    initOverlay();
    initPauseScreen();
    EXPECT_EQ(chdir(previous), 0);
    if (withImage) {
        std::remove(image.c_str());
        rmdir(media.c_str());
    }
    rmdir(folder);
}

} // namespace

Rgb glyphColour(int code)
{
    return Rgb{code, 255, 0};
}

Rgb frameColour(int style, int piece)
{
    return Rgb{20 + 20 * piece, 0, style == 0 ? 100 : 200};
}

void useTestDashboard()
{
    initOverlayIn(true);
}

const char* useMissingDashboard()
{
    static std::string captured;
    testing::internal::CaptureStderr();
    initOverlayIn(false);
    captured = testing::internal::GetCapturedStderr();
    return captured.c_str();
}

void moveMouseTo(int x, int y)
{
    SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
    int nowX = -1;
    int nowY = -1;
    for (int tries = 0; tries < 1000 && (nowX != x || nowY != y); ++tries) {
        SDL_PumpEvents();
        SDL_GetMouseState(&nowX, &nowY);
        if (nowX != x || nowY != y) {
            SDL_Delay(5);
        }
    }
    ASSERT_EQ(nowX, x);
    ASSERT_EQ(nowY, y);
    // The motion events are of no interest to anything under test.
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_MOUSEMOTIONMASK) > 0) {
    }
}

void pushKey(int sym, bool down)
{
    SDL_Event event = {};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.type = event.type;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = static_cast<SDLKey>(sym);
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

void pushLeftButton(bool down, int x, int y)
{
    SDL_Event event = {};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.type = event.type;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}
