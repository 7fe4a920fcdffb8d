// The dashboard atlas: font, button frames, pointer and the pause menu's panels, with alpha.
#include "art.h"

#include <algorithm>
#include <cmath>

#include "text.h"

namespace {

const Colour Clear = {0, 0, 0, 0};

// Glyph i in its 20 x 20 cell, inked only in the middle 10 columns (the font's advance).
void paintGlyphs(Image& img)
{
    for (int i = 0; i < 95; ++i) {
        int code = 32 + i, cx = 20 * (i % 32), cy = 20 * (i / 32);
        if (code == ' ')
            continue;
        char text[2] = {char(code), 0};
        TextMask face = renderText(FontMonoBold, 14, text);
        TextMask outline = dilated(face, 1);
        Image cell = makeImage(20, 20, Clear);
        int x = 10 - face.width / 2 + face.origin;
        drawMask(cell, outline, x, 15, rgb(0, 0, 0, 0.85f));
        drawMask(cell, face, x, 15, rgb(236, 242, 255));
        for (int y = 0; y < 20; ++y)
            for (int xx = 0; xx < 20; ++xx)
                at(img, cx + xx, cy + y) = (xx >= 5 && xx < 15) ? at(cell, xx, y) : Clear;
    }
}

// One 60 x 60 frame cut later into nine 20 x 20 pieces: a rounded, glassy button.
void paintFrame(Image& img, int x0, int y0, bool highlighted)
{
    const Colour border = highlighted ? rgb(255, 190, 90) : rgb(110, 150, 196);
    const Colour fillTop = highlighted ? rgb(120, 60, 24, 0.9f) : rgb(26, 36, 58, 0.82f);
    const Colour fillBottom = highlighted ? rgb(60, 26, 12, 0.9f) : rgb(10, 14, 26, 0.82f);
    const float radius = 11.0f, half = 30.0f;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            float px = std::fabs(x + 0.5f - half), py = std::fabs(y + 0.5f - half);
            float qx = std::max(px - (half - radius - 1.0f), 0.0f), qy = std::max(py - (half - radius - 1.0f), 0.0f);
            float d = std::sqrt(qx * qx + qy * qy) - radius;   // < 0 inside
            Colour c = Clear;
            if (d < 0.5f) {
                float v = y / 59.0f;
                c = mix(fillTop, fillBottom, v);
                if (d > -2.5f)
                    c = border;
                else if (d > -4.5f)
                    c = mix(border, c, (-d - 2.5f) / 2.0f + 0.3f);
                if (y < 24 && d <= -4.5f)
                    c = mix(c, rgb(255, 255, 255, c.a), 0.08f * (1.0f - y / 24.0f));
                c.a *= std::clamp(0.5f - d, 0.0f, 1.0f);
            } else if (highlighted && d < 4.0f) {
                c = rgb(255, 170, 60, 0.35f * (1.0f - d / 4.0f));
            }
            at(img, x0 + x, y0 + y) = c;
        }
    }
}

void paintPointer(Image& img, int x0, int y0)
{
    const float arrow[] = {12.0f, 9.5f, 12.0f, 45.0f, 20.5f, 37.0f, 27.0f, 51.0f, 32.5f, 48.5f, 26.0f, 35.0f, 37.5f, 35.0f};
    Image shape = makeImage(40, 60, Clear);
    fillPolygon(shape, arrow, 7, rgb(255, 255, 255));
    TextMask mask;
    mask.width = 40;
    mask.height = 60;
    mask.mask.resize(40 * 60);
    for (int i = 0; i < 40 * 60; ++i)
        mask.mask[i] = shape.pixels[i].a;
    TextMask outline = dilated(mask, 1);
    TextMask shadow = blurred(dilated(mask, 1), 2);
    Image sprite = makeImage(40, 60, Clear);
    drawMask(sprite, shadow, 3, 2, rgb(0, 0, 0, 0.45f));
    drawMask(sprite, outline, 0, 0, rgb(10, 10, 16));
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 40; ++x) {
            // Fill a little inside the shape so the dark rim stays visible.
            auto inside = [&mask](int i, int j) { return i >= 0 && j >= 0 && i < 40 && j < 60 && mask.mask[j * 40 + i] > 0.6f; };
            if (inside(x, y) && inside(x - 1, y) && inside(x + 1, y) && inside(x, y - 1) && inside(x, y + 1))
                blend(sprite, x, y, mix(rgb(255, 255, 255), rgb(190, 210, 235), y / 60.0f));
        }
    paste(img, sprite, x0, y0);
}

void paintPanel(Image& img, int y0, bool top)
{
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 640; ++x) {
            float v = top ? y / 59.0f : 1.0f - y / 59.0f;   // 0 at the window edge, 1 toward the centre
            float grain = tiledNoise(float(x), float(y) * 8.0f, 4, 640, 71) * 0.05f;
            Colour c = mix(rgb(8, 10, 20, 0.94f), rgb(26, 34, 56, 0.94f), v * 0.8f + grain);
            int edge = top ? 59 - y : y;
            if (edge < 2)
                c = rgb(255, 180, 90);
            else if (edge < 3)
                c = rgb(120, 70, 30, 0.94f);
            else if (edge < 10)
                c = mix(c, rgb(255, 150, 60, 0.94f), 0.12f * (10 - edge) / 7.0f);
            at(img, x, y0 + y) = c;
        }
    }
}

} // namespace

Image makeDashboard()
{
    Image img = makeImage(1024, 256, Clear);
    paintGlyphs(img);
    paintFrame(img, 0, 60, false);
    paintFrame(img, 60, 60, true);
    paintPointer(img, 440, 60);
    paintPanel(img, 120, true);
    paintPanel(img, 180, false);
    return img;
}
