#include "text.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

FT_Library library;
FT_Face faces[FontCount];

const char* const FontFiles[FontCount] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
};

} // namespace

bool initFonts()
{
    if (FT_Init_FreeType(&library))
        return false;
    for (int i = 0; i < FontCount; ++i)
        if (FT_New_Face(library, FontFiles[i], 0, &faces[i]))
            return false;
    return true;
}

TextMask renderText(FontId font, int pixelSize, const char* text, int extraSpacing)
{
    FT_Face face = faces[font];
    FT_Set_Pixel_Sizes(face, 0, pixelSize);
    int ascent = int(face->size->metrics.ascender >> 6) + 2;
    int descent = int(-face->size->metrics.descender >> 6) + 2;
    // First pass: the width.
    int pen = 0, left = 0, right = 0;
    for (const char* p = text; *p; ++p) {
        FT_Load_Char(face, static_cast<unsigned char>(*p), FT_LOAD_RENDER);
        FT_GlyphSlot g = face->glyph;
        left = std::min(left, pen + g->bitmap_left);
        right = std::max(right, pen + g->bitmap_left + int(g->bitmap.width));
        pen += int(g->advance.x >> 6) + extraSpacing;
    }
    right = std::max(right, pen);
    TextMask out;
    out.origin = -left;
    out.width = right - left;
    out.height = ascent + descent;
    out.baseline = ascent;
    out.mask.assign(static_cast<size_t>(out.width) * out.height, 0.0f);
    pen = out.origin;
    for (const char* p = text; *p; ++p) {
        FT_Load_Char(face, static_cast<unsigned char>(*p), FT_LOAD_RENDER);
        FT_GlyphSlot g = face->glyph;
        for (unsigned r = 0; r < g->bitmap.rows; ++r) {
            for (unsigned c = 0; c < g->bitmap.width; ++c) {
                int x = pen + g->bitmap_left + int(c), y = out.baseline - g->bitmap_top + int(r);
                if (x < 0 || y < 0 || x >= out.width || y >= out.height)
                    continue;
                float v = g->bitmap.buffer[r * g->bitmap.pitch + c] / 255.0f;
                float& m = out.mask[static_cast<size_t>(y) * out.width + x];
                m = std::max(m, v);
            }
        }
        pen += int(g->advance.x >> 6) + extraSpacing;
    }
    return out;
}

void drawMask(Image& image, const TextMask& text, int x, int baselineY, Colour c)
{
    for (int j = 0; j < text.height; ++j)
        for (int i = 0; i < text.width; ++i) {
            float m = text.mask[static_cast<size_t>(j) * text.width + i];
            if (m > 0)
                blend(image, x - text.origin + i, baselineY - text.baseline + j, c, m);
        }
}

int textWidth(const TextMask& text)
{
    return text.width;
}

TextMask dilated(const TextMask& text, int radius)
{
    TextMask out = text;
    out.width += 2 * radius;
    out.height += 2 * radius;
    out.origin += radius;
    out.baseline += radius;
    out.mask.assign(static_cast<size_t>(out.width) * out.height, 0.0f);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            float best = 0;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx) {
                    float d = std::sqrt(float(dx * dx + dy * dy));
                    if (d > radius + 0.5f)
                        continue;
                    int sx = x - radius + dx, sy = y - radius + dy;
                    if (sx < 0 || sy < 0 || sx >= text.width || sy >= text.height)
                        continue;
                    float v = text.mask[static_cast<size_t>(sy) * text.width + sx] * std::min(1.0f, radius + 0.5f - d + 0.5f);
                    best = std::max(best, v);
                }
            out.mask[static_cast<size_t>(y) * out.width + x] = best;
        }
    return out;
}

TextMask blurred(const TextMask& text, int radius)
{
    TextMask out = text;
    out.width += 2 * radius;
    out.height += 2 * radius;
    out.origin += radius;
    out.baseline += radius;
    std::vector<float> grown(static_cast<size_t>(out.width) * out.height, 0.0f);
    for (int y = 0; y < text.height; ++y)
        for (int x = 0; x < text.width; ++x)
            grown[static_cast<size_t>(y + radius) * out.width + x + radius] = text.mask[static_cast<size_t>(y) * text.width + x];
    // Two box passes in each direction approximate a soft blur.
    std::vector<float> tmp(grown.size());
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < out.height; ++y)
            for (int x = 0; x < out.width; ++x) {
                float s = 0;
                for (int d = -radius; d <= radius; ++d)
                    s += grown[static_cast<size_t>(y) * out.width + std::clamp(x + d, 0, out.width - 1)];
                tmp[static_cast<size_t>(y) * out.width + x] = s / (2 * radius + 1);
            }
        for (int y = 0; y < out.height; ++y)
            for (int x = 0; x < out.width; ++x) {
                float s = 0;
                for (int d = -radius; d <= radius; ++d)
                    s += tmp[static_cast<size_t>(std::clamp(y + d, 0, out.height - 1)) * out.width + x];
                grown[static_cast<size_t>(y) * out.width + x] = s / (2 * radius + 1);
            }
    }
    out.mask = grown;
    return out;
}
