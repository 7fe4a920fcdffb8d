// tools/mediagen/text.h — text rasterised with FreeType from the packaged DejaVu fonts.
#pragma once
#include <vector>

#include "image.h"

enum FontId { FontSansBold, FontSerifBold, FontMonoBold, FontSans, FontCount };

// Coverage of a line of text: mask[y * width + x] in 0..1, the baseline at row `baseline`,
// the pen starting at column `origin`.
struct TextMask {
    int width = 0, height = 0;
    int baseline = 0, origin = 0;
    std::vector<float> mask;
};

bool initFonts();
TextMask renderText(FontId font, int pixelSize, const char* text, int extraSpacing = 0);
// Paints the mask with colour c so that the pen starts at (x, baselineY).
void drawMask(Image& image, const TextMask& text, int x, int baselineY, Colour c);
// Width of the inked part (for centring).
int textWidth(const TextMask& text);
// A copy of the mask grown by radius pixels (for outlines and glows).
TextMask dilated(const TextMask& text, int radius);
TextMask blurred(const TextMask& text, int radius);
