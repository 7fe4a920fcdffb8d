// citymap SEED OUT.png [PIXELS]: draws the city of one seed from above, PIXELS (default 4) per
// column: water, roads with their centre lane, pavements with darker kerbs, buildings in their
// tint (walls darker, roofs brighter the taller the building, doors brown), monsters and the hero.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "city/city_generation.h"
#include "city/ground_level.h"
#include "sim/actors.h"

struct Rgb {
    unsigned char r, g, b;
};

static unsigned char channel(float v) { return static_cast<unsigned char>(v < 0.0f ? 0 : v > 1.0f ? 255 : v * 255.0f); }
static Rgb scaled(float r, float g, float b) { return Rgb{channel(r), channel(g), channel(b)}; }

static int storeysOf(int x, int z)
{
    int top = 1;
    for (int level = 2; level < LevelCount; ++level) {
        if (cityGrid.cells[x][level][z].type != Empty) {
            top = level;
        }
    }
    return top;
}

static Rgb groundColour(int x, int z)
{
    int type = cityGrid.cells[x][GroundLevel][z].type;
    switch (type) {
    case Water: return Rgb{40, 90, 170};
    case Road: return Rgb{60, 60, 64};
    case RoadCentre: return Rgb{150, 140, 60};
    case Pavement: return Rgb{175, 175, 170};
    case KerbSide:
    case KerbCorner:
    case KerbOpposite: return Rgb{130, 130, 126};
    case DoorGround: return Rgb{120, 70, 30};
    default: break;
    }
    // Buildings: the tint, roofs brighter with every storey, walls a shade darker than their roof.
    const Tint& t = cityGrid.tint[x][z];
    float shade = 0.4f + 0.1f * storeysOf(x, z);
    if (type != Empty) {
        shade *= 0.75f;
    }
    return scaled(t.red * shade, t.green * shade, t.blue * shade);
}

static void mark(std::vector<Rgb>& image, int width, int x, int z, int pixels, Rgb colour)
{
    int inset = pixels >= 8 ? pixels / 4 : 0;
    for (int px = inset; px < pixels - inset; ++px) {
        for (int pz = inset; pz < pixels - inset; ++pz) {
            image[(x * pixels + px) * width + z * pixels + pz] = colour;
        }
    }
}

static bool writePng(const char* path, const std::vector<Rgb>& image, int size)
{
    FILE* file = std::fopen(path, "wb");
    if (!file) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, size, size, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int row = 0; row < size; ++row) {
        png_write_row(png, reinterpret_cast<png_const_bytep>(&image[row * size]));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return true;
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: citymap SEED OUT.png [PIXELS]\n");
        return 2;
    }
    int pixels = argc > 3 ? std::atoi(argv[3]) : 4;
    if (pixels < 1 || pixels > 16) {
        pixels = 4;
    }
    std::srand(static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)));
    prepareCityGrid();
    generateCity();
    placeHero();

    // Rows of the picture run along x, columns along z, as the dump prints them.
    int size = GridSize * pixels;
    std::vector<Rgb> image(size * size);
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            Rgb colour = groundColour(x, z);
            for (int px = 0; px < pixels; ++px) {
                for (int pz = 0; pz < pixels; ++pz) {
                    image[(x * pixels + px) * size + z * pixels + pz] = colour;
                }
            }
            static const Rgb kindColour[ActorKindCount] = {{220, 40, 40}, {240, 140, 20}, {170, 60, 220}};
            if (actorGrid.count[x][z] > 0) {
                mark(image, size, x, z, pixels, kindColour[actorGrid.slots[x][z][0]->kind]);
            }
        }
    }
    int heroX = cellIndexOf(hero.x), heroZ = cellIndexOf(hero.z);
    for (int dx = -3; dx <= 3; ++dx) {
        for (int dz = -3; dz <= 3; ++dz) {
            if ((dx == 0 || dz == 0) && insideGrid(heroX + dx, heroZ + dz)) {
                mark(image, size, heroX + dx, heroZ + dz, pixels, Rgb{40, 255, 60});
            }
        }
    }
    return writePng(argv[2], image, size) ? 0 : 1;
}
