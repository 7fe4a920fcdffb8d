// PNG files of every colour type and depth, odd sizes and broken files through loadTexture.
// Usable images must show their own colours when drawn; unusable ones give 0 and never crash.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <png.h>
#include <cstdio>
#include <string>
#include <vector>

#include "app/image_check.h"
#include "overlay/screen_draw.h"
#include "overlay/textures.h"
#include "tests/gl/gl_test_window.h"

namespace {

struct PngImage {
    int width = 0;
    int height = 0;
    int colourType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    std::vector<std::vector<png_byte>> rows;  // packed as libpng expects for the type and depth
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;
};

std::string tempPath(const std::string& name)
{
    return ::testing::TempDir() + "lornhaven_texture_" + name;
}

std::string writePng(const std::string& name, const PngImage& image)
{
    std::string path = tempPath(name);
    FILE* file = std::fopen(path.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        ADD_FAILURE() << "libpng could not write " << path;
    } else {
        png_init_io(png, file);
        png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colourType,
            PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        if (!image.palette.empty()) {
            png_set_PLTE(png, info, image.palette.data(), static_cast<int>(image.palette.size()));
        }
        if (!image.paletteAlpha.empty()) {
            png_set_tRNS(png, info, image.paletteAlpha.data(), static_cast<int>(image.paletteAlpha.size()), nullptr);
        }
        png_write_info(png, info);
        for (const std::vector<png_byte>& row : image.rows) {
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return path;
}

std::string writeBytes(const std::string& name, const std::string& bytes)
{
    std::string path = tempPath(name);
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}

std::string readBytes(const std::string& path)
{
    std::string bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    std::fclose(file);
    return bytes;
}

// Three horizontal bands, top to bottom: red, green, blue, in the given colour type and depth.
// Grey images get the bands' brightness 255, 128 and 0 instead.
PngImage bandedImage(int width, int height, int colourType, int bitDepth)
{
    static const int BandRgb[3][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    static const int BandGrey[3] = {255, 128, 0};
    PngImage image;
    image.width = width;
    image.height = height;
    image.colourType = colourType;
    image.bitDepth = bitDepth;
    int maxSample = (1 << bitDepth) - 1;
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        // A 1-bit palette holds two colours: its image shows red, then green twice.
        for (int entry = 0; entry < 3 && entry <= maxSample; ++entry) {
            const int* rgb = BandRgb[entry];
            image.palette.push_back(png_color{static_cast<png_byte>(rgb[0]), static_cast<png_byte>(rgb[1]),
                static_cast<png_byte>(rgb[2])});
        }
    }
    int channels = colourType == PNG_COLOR_TYPE_RGB ? 3
        : colourType == PNG_COLOR_TYPE_RGB_ALPHA    ? 4
        : colourType == PNG_COLOR_TYPE_GRAY_ALPHA   ? 2
                                                    : 1;
    for (int y = 0; y < height; ++y) {
        int band = y * 3 / height;
        std::vector<int> samples;
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) {
                int value8 = 255;  // alpha, when there is a channel for it
                if (colourType == PNG_COLOR_TYPE_PALETTE) {
                    value8 = band < maxSample ? band : maxSample;
                } else if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
                    value8 = c == 0 ? BandGrey[band] : 255;
                } else if (c < 3) {
                    value8 = BandRgb[band][c];
                }
                samples.push_back(colourType == PNG_COLOR_TYPE_PALETTE ? value8 : value8 * maxSample / 255);
            }
        }
        // Pack the samples: big-endian 16-bit, whole bytes, or several samples to a byte.
        std::vector<png_byte> row;
        if (bitDepth == 16) {
            for (int s : samples) {
                row.push_back(static_cast<png_byte>(s >> 8));
                row.push_back(static_cast<png_byte>(s & 0xFF));
            }
        } else {
            int bitsUsed = 0;
            for (int s : samples) {
                if (bitsUsed % 8 == 0) {
                    row.push_back(0);
                }
                row.back() |= static_cast<png_byte>(s << (8 - bitDepth - bitsUsed % 8));
                bitsUsed += bitDepth;
            }
        }
        image.rows.push_back(row);
    }
    return image;
}

const TexQuad WholeImage = {{0, 1, 1, 1, 1, 0, 0, 0}};

// Draws the texture blended over the black window with the filtering it was made with, and
// reads the centres of the three bands.
std::vector<Rgb> drawnBands(uint32_t texture)
{
    openTestWindow();
    setScreenProjection(0, 0);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glBindTexture(GL_TEXTURE_2D, texture);
    drawTexturedQuad(0, 0, TestWindowWidth, TestWindowHeight, &WholeImage);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    std::vector<Rgb> bands;
    for (int band = 0; band < 3; ++band) {
        bands.push_back(readPixel(TestWindowWidth / 2, TestWindowHeight * (2 * band + 1) / 6));
    }
    return bands;
}

const Rgb Red{255, 0, 0};
const Rgb Green{0, 255, 0};
const Rgb Blue{0, 0, 255};
const Rgb White{255, 255, 255};
const Rgb MidGrey{128, 128, 128};
const Rgb Black{0, 0, 0};

void expectBands(const std::string& path, Rgb top, Rgb middle, Rgb bottom, int tolerance = 8)
{
    openTestWindow();
    for (bool mipmapped : {false, true}) {
        SCOPED_TRACE(path + (mipmapped ? " with mipmaps" : " without mipmaps"));
        uint32_t texture = loadTexture(path.c_str(), mipmapped);
        ASSERT_NE(texture, 0u);
        std::vector<Rgb> bands = drawnBands(texture);
        EXPECT_TRUE(closeTo(bands[0], top, tolerance)) << bands[0].r << "," << bands[0].g << "," << bands[0].b;
        EXPECT_TRUE(closeTo(bands[1], middle, tolerance)) << bands[1].r << "," << bands[1].g << "," << bands[1].b;
        EXPECT_TRUE(closeTo(bands[2], bottom, tolerance)) << bands[2].r << "," << bands[2].g << "," << bands[2].b;
        glDeleteTextures(1, &texture);
    }
}

TEST(TextureRobustness, ColourImagesOfEveryDepthShowTheirColours)
{
    expectBands(writePng("rgb8.png", bandedImage(16, 16, PNG_COLOR_TYPE_RGB, 8)), Red, Green, Blue);
    expectBands(writePng("rgba8.png", bandedImage(16, 16, PNG_COLOR_TYPE_RGB_ALPHA, 8)), Red, Green, Blue);
    expectBands(writePng("rgb16.png", bandedImage(16, 16, PNG_COLOR_TYPE_RGB, 16)), Red, Green, Blue);
    expectBands(writePng("rgba16.png", bandedImage(16, 16, PNG_COLOR_TYPE_RGB_ALPHA, 16)), Red, Green, Blue);
}

TEST(TextureRobustness, PaletteImagesShowTheirColours)
{
    expectBands(writePng("palette1.png", bandedImage(16, 16, PNG_COLOR_TYPE_PALETTE, 1)), Red, Green, Green);
    for (int depth : {2, 4, 8}) {
        expectBands(writePng("palette" + std::to_string(depth) + ".png",
                        bandedImage(16, 16, PNG_COLOR_TYPE_PALETTE, depth)),
            Red, Green, Blue);
    }
}

TEST(TextureRobustness, PaletteTransparencyBecomesAlpha)
{
    // One fully transparent entry (a colour key) and a half transparent one, drawn blended
    // over the black window.
    PngImage keyed = bandedImage(16, 16, PNG_COLOR_TYPE_PALETTE, 8);
    keyed.paletteAlpha = {255, 0, 255};
    expectBands(writePng("palette_key.png", keyed), Red, Black, Blue);
    PngImage translucent = bandedImage(16, 16, PNG_COLOR_TYPE_PALETTE, 8);
    translucent.paletteAlpha = {255, 128, 255};
    expectBands(writePng("palette_half.png", translucent), Red, Rgb{0, 128, 0}, Blue);
}

TEST(TextureRobustness, GreyImagesOfEveryDepthShowTheirBrightness)
{
    expectBands(writePng("grey8.png", bandedImage(16, 16, PNG_COLOR_TYPE_GRAY, 8)), White, MidGrey, Black);
    expectBands(writePng("grey16.png", bandedImage(16, 16, PNG_COLOR_TYPE_GRAY, 16)), White, MidGrey, Black);
    expectBands(writePng("grey4.png", bandedImage(16, 16, PNG_COLOR_TYPE_GRAY, 4)), White, MidGrey, Black, 12);
    expectBands(writePng("grey2.png", bandedImage(16, 16, PNG_COLOR_TYPE_GRAY, 2)), White, Rgb{85, 85, 85},
        Black);
    expectBands(writePng("grey1.png", bandedImage(16, 16, PNG_COLOR_TYPE_GRAY, 1)), White, Black, Black);
    expectBands(writePng("greyalpha8.png", bandedImage(16, 16, PNG_COLOR_TYPE_GRAY_ALPHA, 8)), White, MidGrey,
        Black);
    expectBands(writePng("greyalpha16.png", bandedImage(16, 16, PNG_COLOR_TYPE_GRAY_ALPHA, 16)), White, MidGrey,
        Black);
}

// Mipmaps of a size that is not a power of two are built from a rescaled copy, so the bands
// blur into each other; only the hue of the outer bands must survive.
void expectBandsRescaled(const std::string& path)
{
    SCOPED_TRACE(path + " with mipmaps");
    openTestWindow();
    uint32_t texture = loadTexture(path.c_str(), true);
    ASSERT_NE(texture, 0u);
    std::vector<Rgb> bands = drawnBands(texture);
    EXPECT_GT(bands[0].r, bands[0].b);
    EXPECT_GT(bands[2].b, bands[2].r);
    glDeleteTextures(1, &texture);
}

TEST(TextureRobustness, OddSizesKeepTheirRowsAligned)
{
    // Widths whose 3-byte rows are not a multiple of four bytes are padded in the surface; a
    // wrong row length would slide the colours of every later row sideways.
    openTestWindow();
    for (int width : {1, 3, 5, 7, 33}) {
        for (int height : {3, 6, 9, 31}) {
            std::string name = "rgb_" + std::to_string(width) + "x" + std::to_string(height) + ".png";
            std::string path = writePng(name, bandedImage(width, height, PNG_COLOR_TYPE_RGB, 8));
            SCOPED_TRACE(path);
            uint32_t texture = loadTexture(path.c_str(), false);
            ASSERT_NE(texture, 0u);
            std::vector<Rgb> bands = drawnBands(texture);
            EXPECT_TRUE(closeTo(bands[0], Red));
            EXPECT_TRUE(closeTo(bands[1], Green));
            EXPECT_TRUE(closeTo(bands[2], Blue));
            glDeleteTextures(1, &texture);
            expectBandsRescaled(path);
        }
    }
    expectBandsRescaled(writePng("palette_5x3.png", bandedImage(5, 3, PNG_COLOR_TYPE_PALETTE, 8)));
    expectBandsRescaled(writePng("rgba_1x3.png", bandedImage(1, 3, PNG_COLOR_TYPE_RGB_ALPHA, 8)));
    expectBandsRescaled(writePng("rgba_1x6.png", bandedImage(1, 6, PNG_COLOR_TYPE_RGB_ALPHA, 8)));
    expectBandsRescaled(writePng("wide_3000x3.png", bandedImage(3000, 3, PNG_COLOR_TYPE_RGB_ALPHA, 8)));
}

TEST(TextureRobustness, BrokenFilesGiveNoTextureAndNoCrash)
{
    std::string good = readBytes(writePng("whole.png", bandedImage(64, 64, PNG_COLOR_TYPE_RGB, 8)));
    ASSERT_GT(good.size(), 100u);
    std::vector<std::string> broken = {
        writeBytes("empty.png", ""),
        writeBytes("text.png", "this is not an image\n"),
        writeBytes("signature_only.png", good.substr(0, 8)),
        writeBytes("header_only.png", good.substr(0, 33)),
        writeBytes("cut_in_data.png", good.substr(0, good.size() / 2)),
        writeBytes("cut_before_end.png", good.substr(0, good.size() - 12)),
    };
    // A flipped byte in the image data breaks its checksum.
    std::string flipped = good;
    flipped[good.size() / 2] = static_cast<char>(flipped[good.size() / 2] ^ 0x5A);
    broken.push_back(writeBytes("flipped.png", flipped));
    broken.push_back(::testing::TempDir());  // a folder, not a file
    broken.push_back(tempPath("does_not_exist.png"));

    openTestWindow();
    for (const std::string& path : broken) {
        for (bool mipmapped : {false, true}) {
            SCOPED_TRACE(path);
            uint32_t texture = loadTexture(path.c_str(), mipmapped);
            if (texture != 0) {
                // A loader may keep what it could decode; it must still be a texture to draw.
                EXPECT_EQ(glIsTexture(texture), GL_TRUE);
                drawnBands(texture);
                glDeleteTextures(1, &texture);
            }
        }
    }
}

uint32_t pngCrc(const std::string& bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

// A valid small PNG whose header claims another size, with the header's checksum made good.
std::string withClaimedSize(const std::string& png, uint32_t width, uint32_t height)
{
    std::string bytes = png;
    for (int i = 0; i < 4; ++i) {
        bytes[16 + i] = static_cast<char>(width >> (24 - 8 * i));
        bytes[20 + i] = static_cast<char>(height >> (24 - 8 * i));
    }
    uint32_t crc = pngCrc(bytes.substr(12, 17));  // chunk type and the 13 bytes of IHDR data
    for (int i = 0; i < 4; ++i) {
        bytes[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
    }
    return bytes;
}

TEST(TextureRobustness, ImpossibleDimensionsGiveNoTexture)
{
    // A header that claims a huge picture over a few bytes of data must not be trusted.
    std::string small = readBytes(writePng("small.png", bandedImage(4, 4, PNG_COLOR_TYPE_RGB, 8)));
    openTestWindow();
    const uint32_t Claims[][2] = {{65535, 65535}, {30000, 4}, {4, 900000}, {16000, 900000}, {0x7FFFFFFF, 1}};
    for (const uint32_t* claim : Claims) {
        std::string path = writeBytes("claimed.png", withClaimedSize(small, claim[0], claim[1]));
        SCOPED_TRACE(std::to_string(claim[0]) + " x " + std::to_string(claim[1]));
        for (bool mipmapped : {false, true}) {
            EXPECT_EQ(loadTexture(path.c_str(), mipmapped), 0u);
        }
    }
}

std::string bigEndianBytes(uint32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>(value >> (24 - 8 * i));
    }
    return bytes;
}

// A whole chunk: length, type, data and checksum.
std::string pngChunk(const std::string& type, const std::string& data)
{
    return bigEndianBytes(static_cast<uint32_t>(data.size())) + type + data + bigEndianBytes(pngCrc(type + data));
}

TEST(TextureRobustness, FilesCutShortInsideALongChunkGiveNoTexture)
{
    // Read past the end of such a file, the decoder reads on for ever: a long text chunk before
    // the image data with the file cut 100 kB into it, and a chunk claiming 2^31 - 1 bytes.
    std::string good = readBytes(writePng("before_text.png", bandedImage(64, 64, PNG_COLOR_TYPE_RGB, 8)));
    const size_t HeaderEnd = 33;  // signature and header chunk
    std::string text = pngChunk("tEXt", std::string("Comment") + '\0' + std::string(300000, 'x'));
    std::string withText = good.substr(0, HeaderEnd) + text + good.substr(HeaderEnd);
    // Whole, the long chunk is no obstacle.
    expectBands(writeBytes("long_text.png", withText), Red, Green, Blue);

    std::string cut = writeBytes("cut_in_text.png", withText.substr(0, HeaderEnd + 100000));
    std::string claim = writeBytes("claimed_text.png", good.substr(0, HeaderEnd) + bigEndianBytes(0x7FFFFFFF) +
                                                           "tEXt" + std::string("Comment") + '\0' + "short");
    openTestWindow();
    for (const std::string& path : {cut, claim}) {
        SCOPED_TRACE(path);
        for (bool mipmapped : {false, true}) {
            EXPECT_EQ(loadTexture(path.c_str(), mipmapped), 0u);
        }
    }
}

TEST(TextureRobustness, ImagesOverTheLargestSideAreRefusedBeforeDecoding)
{
    // 1-bit grey keeps the files small; decoded, the largest would take a quarter of a gigabyte.
    openTestWindow();
    const int Sizes[][2] = {{MaxImageSide + 1, 3}, {3, MaxImageSide + 1}, {8192, 8192}};
    for (const int* size : Sizes) {
        std::string name = "grey1_" + std::to_string(size[0]) + "x" + std::to_string(size[1]) + ".png";
        std::string path = writePng(name, bandedImage(size[0], size[1], PNG_COLOR_TYPE_GRAY, 1));
        SCOPED_TRACE(path);
        for (bool mipmapped : {false, true}) {
            EXPECT_EQ(loadTexture(path.c_str(), mipmapped), 0u);
        }
    }
    // The largest side itself still loads.
    uint32_t texture = loadTexture(writePng("rgb_widest.png", bandedImage(MaxImageSide, 3, PNG_COLOR_TYPE_RGB, 8)).c_str(), false);
    EXPECT_NE(texture, 0u);
    std::vector<Rgb> bands = drawnBands(texture);
    EXPECT_TRUE(closeTo(bands[0], Red));
    EXPECT_TRUE(closeTo(bands[2], Blue));
    glDeleteTextures(1, &texture);
}

TEST(TextureRobustness, RowsWiderThanASurfaceCanHoldGiveNoTextureOrAWholeOne)
{
    // 30000 RGB pixels make a row of 90000 bytes, past the 16-bit row pitch of an SDL surface.
    std::string path = writePng("very_wide.png", bandedImage(30000, 3, PNG_COLOR_TYPE_RGB, 8));
    openTestWindow();
    for (bool mipmapped : {false, true}) {
        uint32_t texture = loadTexture(path.c_str(), mipmapped);
        if (texture != 0) {
            std::vector<Rgb> bands = drawnBands(texture);
            EXPECT_GT(bands[0].r, bands[0].b);
            EXPECT_GT(bands[2].b, bands[2].r);
            glDeleteTextures(1, &texture);
        }
    }
}

}  // namespace
