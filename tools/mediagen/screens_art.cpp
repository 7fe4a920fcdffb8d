// The HUD texture (font, title picture, panel colours) and the splash screen.
#include "art.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "text.h"

namespace {

const Colour PanelFill = rgb(14, 22, 36);
const Colour PanelBorder = rgb(110, 168, 214);
const Colour TitleBackground = rgb(6, 7, 14);

// A row of dark buildings standing on baseY with a few lit windows.
void paintSkyline(Image& img, int x0, int x1, int baseY, int minH, int maxH, Colour body, float litShare, uint32_t seed)
{
    Rng rng{seed};
    int x = x0;
    while (x < x1) {
        int w = 14 + int(nextRandom(rng) % 30);
        int h = minH + int(nextRandom(rng) % (maxH - minH));
        Colour c = scaled(body, randomRange(rng, 0.8f, 1.15f));
        c.a = 1.0f;
        fillRect(img, x, baseY - h, w, h, c);
        if (nextRandom(rng) % 4 == 0) {
            fillRect(img, x + w / 3, baseY - h - 6, w / 3, 6, c);
            if (nextRandom(rng) % 2)
                fillRect(img, x + w / 2, baseY - h - 16, 1, 10, c);
        }
        for (int wy = baseY - h + 4; wy < baseY - 3; wy += 5)
            for (int wx = x + 3; wx < x + w - 3; wx += 4)
                if (randomUnit(rng) < litShare)
                    fillRect(img, wx, wy, 2, 2, randomUnit(rng) < 0.75f ? rgb(240, 196, 110) : rgb(150, 196, 240));
        x += w + int(nextRandom(rng) % 4) - 1;
    }
}

// Big title lettering: glow, dark outline, cold metal face with a hot lower edge.
void paintTitle(Image& img, int centreX, int baselineY, int size, const char* text)
{
    TextMask face = renderText(FontSerifBold, size, text, 2);
    TextMask outline = dilated(face, 3);
    TextMask glow = blurred(dilated(face, 4), 10);
    int x = centreX - face.width / 2 + face.origin;
    drawMask(img, glow, x, baselineY, rgb(200, 30, 20, 0.85f));
    drawMask(img, outline, x, baselineY, rgb(4, 4, 8));
    int top = baselineY - face.baseline;
    for (int j = 0; j < face.height; ++j) {
        float v = float(j) / face.height;
        Colour c = v < 0.5f ? mix(rgb(250, 250, 255), rgb(170, 180, 200), v * 2.0f)
                            : mix(rgb(120, 128, 150), rgb(255, 120, 60), (v - 0.5f) * 2.0f);
        if (v > 0.48f && v < 0.52f)
            c = rgb(90, 96, 116);
        for (int i = 0; i < face.width; ++i) {
            float m = face.mask[static_cast<size_t>(j) * face.width + i];
            if (m > 0)
                blend(img, x - face.origin + i, top + j, c, m);
        }
    }
}

// Draws an ornamental line with a diamond in the middle.
void paintRule(Image& img, int cx, int y, int halfWidth, Colour c)
{
    for (int i = -halfWidth; i <= halfWidth; ++i) {
        float k = 1.0f - std::fabs(float(i)) / halfWidth;
        blend(img, cx + i, y, c, k);
    }
    const float diamond[8] = {float(cx), y - 4.0f, cx + 4.0f, float(y), float(cx), y + 4.0f, cx - 4.0f, float(y)};
    fillPolygon(img, diamond, 4, c);
}

// The night city behind the title and on the splash: sky, moon, layered skylines and fog.
void paintNightCity(Image& img, int x0, int y0, int w, int h, bool moon, uint32_t seed)
{
    for (int j = 0; j < h; ++j) {
        float v = float(j) / h;
        Colour c = v < 0.7f ? mix(rgb(4, 5, 16), rgb(30, 22, 52), v / 0.7f) : mix(rgb(30, 22, 52), rgb(110, 46, 50), (v - 0.7f) / 0.3f);
        for (int i = 0; i < w; ++i)
            at(img, x0 + i, y0 + j) = c;
    }
    Rng rng{seed};
    for (int i = 0; i < w * h / 300; ++i) {
        int sx = int(nextRandom(rng) % w), sy = int(nextRandom(rng) % (h * 2 / 3));
        float b = randomUnit(rng);
        blend(img, x0 + sx, y0 + sy, rgb(230, 232, 255), b * b);
    }
    if (moon) {
        float mx = x0 + w * 0.78f, my = y0 + h * 0.2f;
        addGlow(img, mx, my, h * 0.3f, rgb(110, 110, 150), 0.5f);
        fillCircle(img, mx, my, h * 0.07f, rgb(238, 234, 218));
        fillCircle(img, mx + h * 0.02f, my - h * 0.015f, h * 0.015f, rgb(206, 202, 190));
        fillCircle(img, mx - h * 0.025f, my + h * 0.02f, h * 0.012f, rgb(210, 204, 194));
    }
    paintSkyline(img, x0, x0 + w, y0 + h, h / 6, h / 2, rgb(26, 20, 40), 0.05f, seed + 1);
    for (int j = 0; j < h; ++j) {
        float fog = std::clamp((float(j) / h - 0.65f) * 2.0f, 0.0f, 0.5f);
        blendRect(img, x0, y0 + j, w, 1, rgb(120, 60, 70), fog * 0.5f);
    }
    paintSkyline(img, x0 - 10, x0 + w, y0 + h, h / 10, h / 3, rgb(12, 10, 20), 0.12f, seed + 2);
}

} // namespace

Image makeHudTexture()
{
    Image img = makeImage(512, 512, PanelFill);
    // Font: codes 32..127 in 16 x 32 cells, ink kept inside the 2-pixel inset.
    for (int code = 33; code < 127; ++code) {
        int g = code - 32, cx = 16 * (g % 32), cy = 32 * (g / 32);
        char text[2] = {char(code), 0};
        TextMask m = renderText(FontMonoBold, 20, text);
        Image cell = makeImage(12, 28, PanelFill);
        int x = (12 - m.width) / 2 + m.origin;
        TextMask shadow = m;
        drawMask(cell, shadow, x + 1, 22, rgb(0, 0, 0, 0.9f));
        drawMask(cell, m, x, 21, rgb(226, 238, 255));
        paste(img, cell, cx + 2, cy + 2);
    }
    // Panel border colour; the fill is the background everywhere else.
    fillRect(img, 496, 484, 16, 16, PanelBorder);
    // Title picture: the city at night under the name, fading into the title background at its edges.
    const int tx = 4, ty = 292, tw = 504, th = 163;
    Image title = makeImage(tw, th, TitleBackground);
    paintNightCity(title, 0, 0, tw, th, true, 4242);
    paintTitle(title, tw / 2, 100, 66, "Lornhaven");
    paintRule(title, tw / 2, 114, 170, rgb(220, 150, 90));
    for (int j = 0; j < th; ++j)
        for (int i = 0; i < tw; ++i) {
            // Soft edges, wider at the sides, so the picture melts into the window's background.
            float dx = std::min(i, tw - 1 - i) / 60.0f, dy = std::min(j, th - 1 - j) / 26.0f;
            float u = (i + 0.5f) / tw * 2.0f - 1.0f, v = (j + 0.5f) / th * 2.0f - 1.0f;
            float oval = std::clamp((std::sqrt(u * u + v * v) - 0.8f) / 0.25f, 0.0f, 1.0f);
            float k = std::max(std::clamp(1.0f - std::min(dx, dy), 0.0f, 1.0f), oval);
            Colour& c = at(title, i, j);
            c = mix(c, TitleBackground, k * k * (3 - 2 * k));
        }
    paste(img, title, tx, ty);
    // The title screen stretches the picture's top-left texels over the whole window, and linear
    // filtering reaches half a texel past them: ring that corner in the same colour.
    fillRect(img, tx - 4, ty - 4, 16, 4, TitleBackground);
    fillRect(img, tx - 4, ty, 4, 12, TitleBackground);
    return img;
}

Image makeSplashScreen()
{
    Image img = makeImage(1024, 512, rgb(0, 0, 0));
    Image pic = makeImage(640, 480, rgb(0, 0, 0));
    paintNightCity(pic, 0, 0, 640, 480, false, 99);
    // A big moon low behind the rooftop where the hero keeps watch.
    const float mx = 508, my = 262;
    addGlow(pic, mx, my, 170, rgb(120, 110, 160), 0.6f);
    fillCircle(pic, mx, my, 58, rgb(236, 230, 214));
    Rng rng{5150};
    for (int i = 0; i < 9; ++i)
        fillCircle(pic, mx + randomRange(rng, -40, 40), my + randomRange(rng, -40, 40), randomRange(rng, 3, 9), rgb(212, 206, 194));
    // The street: lamps and eyes in the dark.
    for (int j = 405; j < 480; ++j)
        blendRect(pic, 0, j, 640, 1, rgb(8, 8, 14), 0.92f);
    for (int i = 0; i < 4; ++i) {
        float lx = 40.0f + i * 110.0f;
        fillRect(pic, int(lx), 335, 3, 70, rgb(20, 20, 26));
        fillRect(pic, int(lx) - 4, 333, 10, 3, rgb(20, 20, 26));
        addGlow(pic, lx + 1.5f, 338, 60, rgb(255, 170, 80), 0.45f);
        fillCircle(pic, lx + 1.5f, 338, 3.0f, rgb(255, 230, 180));
    }
    for (int i = 0; i < 16; ++i) {
        float ex = randomRange(rng, 20, 420), ey = randomRange(rng, 420, 470);
        Colour eye = i % 4 == 0 ? rgb(120, 255, 120) : rgb(255, 50, 30);
        addGlow(pic, ex, ey, 9, eye, 0.7f);
        fillCircle(pic, ex - 2.5f, ey, 1.3f, eye);
        fillCircle(pic, ex + 2.5f, ey, 1.3f, eye);
    }
    // The rooftop: a dark block with a few lit windows and a parapet.
    fillRect(pic, 430, 318, 210, 162, rgb(10, 9, 15));
    fillRect(pic, 424, 312, 216, 7, rgb(22, 20, 30));
    for (int wy = 340; wy < 470; wy += 26)
        for (int wx = 446; wx < 630; wx += 30)
            if ((wx * 7 + wy * 3) % 5 < 2)
                fillRect(pic, wx, wy, 12, 16, rgb(230, 176, 96));
            else
                fillRect(pic, wx, wy, 12, 16, rgb(22, 26, 40));
    // The hero's silhouette against the moon, cape in the wind.
    const float s = 1.9f, hx = 500, hy = 312;
    const float hero[] = {-4, 0, -3, -36, -9, -38, -10, -54, -7, -64, -1, -67, 5, -64, 7, -54, 4, -38, 18, -36, 25, -14,
                          20, -12, 12, -28, 10, 0, 5, 0, 2, -20, -1, 0};
    const float cape[] = {-7, -50, -40, -2, -24, -8, -10, 0, 2, -36};
    float poly[64];
    for (int i = 0; i < 10; ++i)
        poly[i] = i % 2 ? hy + cape[i] * s : hx + cape[i] * s;
    fillPolygon(pic, poly, 5, rgb(90, 8, 14));
    int n = int(sizeof(hero) / sizeof(float));
    for (int i = 0; i < n; ++i)
        poly[i] = i % 2 ? hy + hero[i] * s : hx + hero[i] * s;
    fillPolygon(pic, poly, n / 2, rgb(4, 4, 8));
    paintTitle(pic, 320, 118, 92, "Lornhaven");
    paintRule(pic, 320, 146, 200, rgb(220, 150, 90));
    TextMask tag = renderText(FontSans, 15, "the night is long in the city");
    drawMask(pic, tag, 320 - tag.width / 2 + tag.origin, 172, rgb(210, 200, 220, 0.9f));
    paste(img, pic, 0, 0);
    return img;
}
