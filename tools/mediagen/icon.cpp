// The game's icon: the hero keeping watch on the rooftop against the moon, cut from the splash
// screen and set in a rounded square edged in the HUD panel's border colour.
#include "art.h"

#include <algorithm>
#include <cmath>

namespace {

const Colour IconBorder = rgb(110, 168, 214);

// Area-weighted resampling: each target pixel is the mean of the source area it covers,
// weighted by alpha so the transparent corners do not darken the rim.
Image resized(const Image& src, int w, int h)
{
    Image out = makeImage(w, h, rgb(0, 0, 0, 0));
    const float sx = float(src.width) / w, sy = float(src.height) / h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float x0 = x * sx, x1 = x0 + sx, y0 = y * sy, y1 = y0 + sy;
            float r = 0, g = 0, b = 0, a = 0, total = 0;
            for (int j = int(y0); j < int(std::ceil(y1)); ++j)
                for (int i = int(x0); i < int(std::ceil(x1)); ++i) {
                    const float k = (std::min(x1, i + 1.0f) - std::max(x0, float(i))) *
                                    (std::min(y1, j + 1.0f) - std::max(y0, float(j)));
                    const Colour c = pixel(src, i, j);
                    r += c.r * c.a * k;
                    g += c.g * c.a * k;
                    b += c.b * c.a * k;
                    a += c.a * k;
                    total += k;
                }
            at(out, x, y) = a > 0 ? Colour{r / a, g / a, b / a, a / total} : rgb(0, 0, 0, 0);
        }
    return out;
}

// The splash at (x, y) in its pixels, blended from the four nearest, for icons larger than the
// square they show (a plain pick would enlarge the splash's pixels into blocks).
Colour blended(const Image& splash, float x, float y)
{
    const int i = int(std::floor(x - 0.5f)), j = int(std::floor(y - 0.5f));
    const float u = x - 0.5f - i, v = y - 0.5f - j;
    return mix(mix(pixel(splash, i, j), pixel(splash, i + 1, j), u),
               mix(pixel(splash, i, j + 1), pixel(splash, i + 1, j + 1), u), v);
}

// The square of the splash at (left, top) with sides of `side` pixels, framed, painted at four
// times the size and reduced, so the rounded edge is smooth.
Image framedCrop(const Image& splash, int left, int top, int side, int size)
{
    const int scale = 4, big = size * scale;
    const float inset = scale * 0.5f, radius = big * 0.18f, border = std::max(2.0f * scale, big * 0.025f);
    Image img = makeImage(big, big, rgb(0, 0, 0, 0));
    for (int y = 0; y < big; ++y)
        for (int x = 0; x < big; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float dx = std::max({inset + radius - px, 0.0f, px - (big - inset - radius)});
            const float dy = std::max({inset + radius - py, 0.0f, py - (big - inset - radius)});
            const float inside = radius - std::sqrt(dx * dx + dy * dy);
            if (inside < 0)
                continue;
            if (inside < border)
                at(img, x, y) = IconBorder;
            else if (side < size)
                at(img, x, y) = blended(splash, left + px * side / big, top + py * side / big);
            else
                at(img, x, y) = pixel(splash, left + int(px * side / big), top + int(py * side / big));
        }
    return resized(img, size, size);
}

} // namespace

Image makeIcon(const Image& splash, int size)
{
    // The small sizes keep close to the hero and the moon; the large ones show the lit rooftop
    // too. Both squares stay below the splash's tagline.
    if (size <= 64)
        return framedCrop(splash, 430, 170, 156, size);
    return framedCrop(splash, 384, 176, 246, size);
}
