// screenprobe: reads screenshots of the game window for the end-to-end scripts.
//   screenprobe state SHOT MEDIA      which screen SHOT shows: splash, title, play, menu or unknown
//   screenprobe hud SHOT MEDIA        the health and energy numbers of the HUD, or "none" when
//                                     the panel, its labels or its numbers are not in place
//   screenprobe diff A B X Y W H      how many pixels of the rectangle differ between A and B
//   screenprobe lit SHOT X Y W H      how many pixels of the rectangle are not black
//   screenprobe blocks A B X Y W H    how many 20 x 20 blocks of the rectangle differ in their
//                                     mean colour: blind to a shift of a few pixels, not to a
//                                     view that has turned or moved
//   screenprobe sky SHOT X Y W H      how many per mille of the rectangle show the night sky
//   screenprobe rise A B X Y W H      "DOWN UP": how many patterned 20 x 20 blocks of the
//                                     rectangle in A are found lower, and how many higher, in B;
//                                     a view that has risen moves what it shows down
// The screens are recognised against the game's own Media images, laid out for 640 x 480.
#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Rgb {
    int r, g, b;
};

SDL_Surface* load(const std::string& path)
{
    SDL_Surface* image = IMG_Load(path.c_str());
    if (image == nullptr) {
        std::fprintf(stderr, "screenprobe: cannot read %s\n", path.c_str());
        std::exit(2);
    }
    return image;
}

Rgb pixelAt(SDL_Surface* s, int x, int y)
{
    if (x < 0 || y < 0 || x >= s->w || y >= s->h) {
        return Rgb{-1000, -1000, -1000};
    }
    const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 value = 0;
    switch (s->format->BytesPerPixel) {
    case 1: value = *p; break;
    case 2: value = *reinterpret_cast<const Uint16*>(p); break;
    case 3: value = p[0] | (p[1] << 8) | (p[2] << 16); break;
    default: value = *reinterpret_cast<const Uint32*>(p); break;
    }
    Uint8 r, g, b;
    SDL_GetRGB(value, s->format, &r, &g, &b);
    return Rgb{r, g, b};
}

int distance(Rgb a, Rgb b)
{
    int d = std::abs(a.r - b.r);
    d = std::max(d, std::abs(a.g - b.g));
    return std::max(d, std::abs(a.b - b.b));
}

// The clear colour is exact black; the game's own dark art is not.
bool isBlack(Rgb c) { return c.r < 4 && c.g < 4 && c.b < 4; }

constexpr int Tolerance = 24;

// Share of a grid of sample points in the rectangle where the test holds.
template <typename Test>
double shareWhere(int x0, int y0, int w, int h, Test test)
{
    int hits = 0, total = 0;
    for (int y = y0; y < y0 + h; y += 4) {
        for (int x = x0; x < x0 + w; x += 4) {
            ++total;
            hits += test(x, y) ? 1 : 0;
        }
    }
    return total == 0 ? 0.0 : static_cast<double>(hits) / total;
}

// The splash picture is the image's top-left 640 x 480 pixels, one texel per window pixel.
bool showsSplash(SDL_Surface* shot, SDL_Surface* splash)
{
    double scaleX = splash->w * 0.625 / shot->w;
    double scaleY = splash->h * 0.9375 / shot->h;
    return shareWhere(0, 0, shot->w, shot->h, [&](int x, int y) {
        return distance(pixelAt(shot, x, y),
                   pixelAt(splash, static_cast<int>(x * scaleX), static_cast<int>(y * scaleY))) < 12;
    }) > 0.9;
}

// The title screen is one flat colour (hudtexture pixel 5, 294) around its centred picture.
// Its two texels are stretched over the window with linear filtering, so near the left and
// top edges they blend with their neighbours: only the band above the picture, right of that
// blend, is compared.
bool showsTitle(SDL_Surface* shot, SDL_Surface* hud)
{
    Rgb background = pixelAt(hud, 5, 294);
    int pictureTop = (shot->h - 163) / 2;
    int left = shot->w / 4;
    int top = shot->h / 8;
    return shareWhere(left, top, shot->w - 16 - left, pictureTop - 4 - top, [&](int x, int y) {
        return distance(pixelAt(shot, x, y), background) < 8;
    }) > 0.95;
}

// The HUD panel: a 2-pixel frame from (18, 28) to (252, 80) in the border colour around the fill.
bool showsHud(SDL_Surface* shot, SDL_Surface* hud)
{
    Rgb border = pixelAt(hud, 502, 492);
    Rgb fill = pixelAt(hud, 502, 72);
    int good = 0, total = 0;
    for (int x = 22; x < 248; x += 3) {
        total += 4;
        good += distance(pixelAt(shot, x, 28), border) < Tolerance;
        good += distance(pixelAt(shot, x, 29), border) < Tolerance;
        good += distance(pixelAt(shot, x, 78), border) < Tolerance;
        good += distance(pixelAt(shot, x, 79), border) < Tolerance;
    }
    // Between the labels and the numbers only the fill shows.
    for (int x = 120; x < 190; x += 3) {
        total += 2;
        good += distance(pixelAt(shot, x, 40), fill) < Tolerance;
        good += distance(pixelAt(shot, x, 70), fill) < Tolerance;
    }
    for (int y = 32; y < 76; y += 3) {
        total += 2;
        good += distance(pixelAt(shot, 18, y), border) < Tolerance;
        good += distance(pixelAt(shot, 251, y), border) < Tolerance;
    }
    return good > total * 0.9;
}

// The menu hides the game: its panels cover y 0..60 and 420..480 and the rest is black but for
// the two buttons near the top.
bool showsMenu(SDL_Surface* shot)
{
    double blackMiddle = shareWhere(0, 200, shot->w, 210, [&](int x, int y) { return isBlack(pixelAt(shot, x, y)); });
    double litPanels = shareWhere(0, 0, shot->w, 60, [&](int x, int y) { return !isBlack(pixelAt(shot, x, y)); });
    return blackMiddle > 0.97 && litPanels > 0.5;
}

// Mean difference between a screen block and a HUD glyph cell (12 wide, rows first..last).
double glyphError(SDL_Surface* shot, int x, int y, SDL_Surface* hud, int code, int rows)
{
    int glyph = code - 32;
    int left = 16 * (glyph % 32) + 2;
    int top = 32 * (glyph / 32) + 2;
    long sum = 0;
    for (int dy = 0; dy < rows; ++dy) {
        for (int dx = 0; dx < 12; ++dx) {
            sum += distance(pixelAt(shot, x + dx, y + dy), pixelAt(hud, left + dx, top + dy));
        }
    }
    return static_cast<double>(sum) / (rows * 12);
}

// The digit whose glyph matches the screen block at (x, y) best, or -1 when none is close.
int digitAt(SDL_Surface* shot, int x, int y, SDL_Surface* hud, int rows)
{
    int best = -1;
    double bestError = 6.0;
    for (int digit = 0; digit <= 9; ++digit) {
        double error = glyphError(shot, x, y, hud, '0' + digit, rows);
        if (error < bestError) {
            bestError = error;
            best = digit;
        }
    }
    return best;
}

// The number right-aligned to x = 240 on the row at y, or -1. Only the first `rows` rows of each
// glyph are compared: the energy line is drawn over the health line's lowest 8 rows.
int readNumber(SDL_Surface* shot, SDL_Surface* hud, int y, int rows)
{
    if (digitAt(shot, 240 - 12, y, hud, rows) < 0) {
        return -1;
    }
    int value = 0;
    int scale = 1;
    for (int x = 240 - 12; x >= 240 - 36; x -= 12) {
        int digit = digitAt(shot, x, y, hud, rows);
        if (digit < 0) {
            break;
        }
        value += digit * scale;
        scale *= 10;
    }
    return value;
}

// Whether the text is drawn with HUD glyphs from (x, y), comparing the first `rows` rows.
bool showsText(SDL_Surface* shot, SDL_Surface* hud, int x, int y, const char* text, int rows)
{
    for (int i = 0; text[i] != '\0'; ++i) {
        if (glyphError(shot, x + 12 * i, y, hud, text[i], rows) >= 6.0) {
            return false;
        }
    }
    return true;
}

int countPixels(SDL_Surface* a, SDL_Surface* b, int x0, int y0, int w, int h)
{
    int count = 0;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            Rgb p = pixelAt(a, x, y);
            count += b == nullptr ? !isBlack(p) : distance(p, pixelAt(b, x, y)) >= Tolerance;
        }
    }
    return count;
}

Rgb blockMean(SDL_Surface* s, int x0, int y0)
{
    long r = 0, g = 0, b = 0;
    for (int y = y0; y < y0 + 20; ++y) {
        for (int x = x0; x < x0 + 20; ++x) {
            Rgb p = pixelAt(s, x, y);
            r += p.r;
            g += p.g;
            b += p.b;
        }
    }
    return Rgb{static_cast<int>(r / 400), static_cast<int>(g / 400), static_cast<int>(b / 400)};
}

int countBlocks(SDL_Surface* a, SDL_Surface* b, int x0, int y0, int w, int h)
{
    int count = 0;
    for (int y = y0; y + 20 <= y0 + h; y += 20) {
        for (int x = x0; x + 20 <= x0 + w; x += 20) {
            count += distance(blockMean(a, x, y), blockMean(b, x, y)) > 16;
        }
    }
    return count;
}

// The sky box is dark blue to dull violet; walls, windows, roads and the creatures are grey,
// brown, yellow or bright.
bool looksLikeSky(Rgb c)
{
    return std::max(c.r, std::max(c.g, c.b)) < 120 && c.b >= c.g + 10 && c.b >= c.r - 25;
}

int skyPerMille(SDL_Surface* shot, int x0, int y0, int w, int h)
{
    double share = shareWhere(x0, y0, w, h, [&](int x, int y) { return looksLikeSky(pixelAt(shot, x, y)); });
    return static_cast<int>(share * 1000 + 0.5);
}

// The brightness of every pixel, row by row, so block searches read plain numbers.
struct GreyImage {
    int w, h;
    std::vector<int> values;
    int at(int x, int y) const { return values[y * w + x]; }
};

GreyImage greyImage(SDL_Surface* s)
{
    GreyImage image{s->w, s->h, std::vector<int>(static_cast<size_t>(s->w) * s->h)};
    for (int y = 0; y < s->h; ++y) {
        for (int x = 0; x < s->w; ++x) {
            Rgb c = pixelAt(s, x, y);
            image.values[y * s->w + x] = (3 * c.r + 6 * c.g + c.b) / 10;
        }
    }
    return image;
}

// Where block (x0, y0) of a lies in b: the vertical offset of the best match within 96 pixels
// (allowing a few pixels sideways), or no answer when the block is plain or has no clear match.
// Every second pixel of every second row is compared, which is plenty for 20 x 20 blocks.
bool blockOffset(const GreyImage& a, const GreyImage& b, int x0, int y0, int& offset)
{
    constexpr int Size = 20, Reach = 96, Step = 2;
    long sum = 0, squares = 0, count = 0;
    for (int y = 0; y < Size; y += Step) {
        for (int x = 0; x < Size; x += Step) {
            int g = a.at(x0 + x, y0 + y);
            sum += g;
            squares += g * g;
            ++count;
        }
    }
    double mean = static_cast<double>(sum) / count;
    if (static_cast<double>(squares) / count - mean * mean < 64.0) {
        return false;  // plain blocks (sky, bare wall) match anywhere
    }
    long best = -1;
    for (int dy = -Reach; dy <= Reach; ++dy) {
        for (int dx = -8; dx <= 8; dx += 4) {
            if (y0 + dy < 0 || y0 + dy + Size > b.h || x0 + dx < 0 || x0 + dx + Size > b.w) {
                continue;
            }
            long difference = 0;
            for (int y = 0; y < Size; y += Step) {
                for (int x = 0; x < Size; x += Step) {
                    difference += std::abs(a.at(x0 + x, y0 + y) - b.at(x0 + dx + x, y0 + dy + y));
                }
            }
            if (best < 0 || difference < best || (difference == best && std::abs(dy) < std::abs(offset))) {
                best = difference;
                offset = dy;
            }
        }
    }
    return best >= 0 && best <= 12 * count;
}

// Counts the patterned blocks of the rectangle that moved down, and up, by 3 pixels or more.
void countRisen(SDL_Surface* a, SDL_Surface* b, int x0, int y0, int w, int h, int& down, int& up)
{
    GreyImage greyA = greyImage(a);
    GreyImage greyB = greyImage(b);
    down = up = 0;
    for (int y = std::max(y0, 0); y + 20 <= std::min(y0 + h, a->h); y += 20) {
        for (int x = std::max(x0, 0); x + 20 <= std::min(x0 + w, a->w); x += 20) {
            int offset = 0;
            if (blockOffset(greyA, greyB, x, y, offset)) {
                down += offset >= 3;
                up += offset <= -3;
            }
        }
    }
}

int usage()
{
    std::fprintf(stderr,
        "usage: screenprobe state SHOT MEDIA | hud SHOT MEDIA | diff A B X Y W H | blocks A B X Y W H |\n"
        "       screenprobe lit SHOT X Y W H | sky SHOT X Y W H | rise A B X Y W H\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        return usage();
    }
    std::string command = argv[1];
    SDL_Surface* shot = load(argv[2]);
    if (command == "state" && argc == 4) {
        std::string media = argv[3];
        SDL_Surface* hud = load(media + "/hudtexture.png");
        SDL_Surface* splash = load(media + "/splashscreen.png");
        const char* state = showsMenu(shot)   ? "menu"
            : showsSplash(shot, splash)       ? "splash"
            : showsTitle(shot, hud)           ? "title"
            : showsHud(shot, hud)             ? "play"
                                              : "unknown";
        std::printf("%s\n", state);
        return 0;
    }
    if (command == "hud" && argc == 4) {
        SDL_Surface* hud = load(std::string(argv[3]) + "/hudtexture.png");
        int health = readNumber(shot, hud, 30, 20);
        int energy = readNumber(shot, hud, 50, 28);
        bool labelled = showsText(shot, hud, 30, 30, "health:", 20) && showsText(shot, hud, 30, 50, "energy:", 28);
        if (!showsHud(shot, hud) || !labelled || health < 0 || energy < 0) {
            std::printf("none\n");
        } else {
            std::printf("%d %d\n", health, energy);
        }
        return 0;
    }
    if (command == "diff" && argc == 8) {
        SDL_Surface* other = load(argv[3]);
        std::printf("%d\n", countPixels(shot, other, std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]),
                                std::atoi(argv[7])));
        return 0;
    }
    if (command == "blocks" && argc == 8) {
        SDL_Surface* other = load(argv[3]);
        std::printf("%d\n", countBlocks(shot, other, std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]),
                                std::atoi(argv[7])));
        return 0;
    }
    if (command == "lit" && argc == 7) {
        std::printf("%d\n", countPixels(shot, nullptr, std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                                std::atoi(argv[6])));
        return 0;
    }
    if (command == "sky" && argc == 7) {
        std::printf("%d\n", skyPerMille(shot, std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                                std::atoi(argv[6])));
        return 0;
    }
    if (command == "rise" && argc == 8) {
        SDL_Surface* other = load(argv[3]);
        int down = 0, up = 0;
        countRisen(shot, other, std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]), std::atoi(argv[7]),
            down, up);
        std::printf("%d %d\n", down, up);
        return 0;
    }
    return usage();
}
