// citymap SEED OUT.png [PIXELS]: draws the city of one seed from above, PIXELS (default 4) per
// column: water, roads with their centre lane, pavements with darker kerbs, buildings in their
// tint (walls darker, roofs brighter the taller the building, doors brown), monsters and the hero.
#include <cstdio>
#include <cstdlib>

#include "app/world.h"
#include "city/ground_level.h"
#include "sim/actors.h"
#include "tools/mediagen/image.h"

static int storeysOf(int x, int z)
{
    int top = 1;
    for (int level = 2; level < LevelCount; ++level) {
        if (cityGrid.cells[x][level][z].type != CellType::Empty) {
            top = level;
        }
    }
    return top;
}

static Colour groundColour(int x, int z)
{
    CellType type = cityGrid.cells[x][GroundLevel][z].type;
    switch (type) {
    case CellType::Water: return rgb(40, 90, 170);
    case CellType::Road: return rgb(60, 60, 64);
    case CellType::RoadCentre: return rgb(150, 140, 60);
    case CellType::Pavement: return rgb(175, 175, 170);
    case CellType::KerbSide:
    case CellType::KerbCorner:
    case CellType::KerbOpposite: return rgb(130, 130, 126);
    case CellType::DoorGround: return rgb(120, 70, 30);
    default: break;
    }
    // Buildings: the tint, roofs brighter with every storey, walls a shade darker than their roof.
    const Tint& t = cityGrid.tint[x][z];
    float shade = 0.4f + 0.1f * storeysOf(x, z);
    if (type != CellType::Empty) {
        shade *= 0.75f;
    }
    return Colour{t.red * shade, t.green * shade, t.blue * shade, 1.0f};
}

static void mark(Image& image, int x, int z, int pixels, Colour colour)
{
    int inset = pixels >= 8 ? pixels / 4 : 0;
    fillRect(image, z * pixels + inset, x * pixels + inset, pixels - 2 * inset, pixels - 2 * inset, colour);
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
    startWorld(static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)));

    // Rows of the picture run along x, columns along z, as the dump prints them.
    int size = GridSize * pixels;
    Image image = makeImage(size, size, rgb(0, 0, 0));
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            fillRect(image, z * pixels, x * pixels, pixels, pixels, groundColour(x, z));
            static const Colour kindColour[ActorKindCount] = {rgb(220, 40, 40), rgb(240, 140, 20), rgb(170, 60, 220)};
            if (actorGrid.count[x][z] > 0) {
                mark(image, x, z, pixels, kindColour[static_cast<int>(actorGrid.slots[x][z][0]->kind)]);
            }
        }
    }
    int heroX = cellIndexOf(hero.x), heroZ = cellIndexOf(hero.z);
    for (int dx = -3; dx <= 3; ++dx) {
        for (int dz = -3; dz <= 3; ++dz) {
            if ((dx == 0 || dz == 0) && insideGrid(heroX + dx, heroZ + dz)) {
                mark(image, heroX + dx, heroZ + dz, pixels, rgb(40, 255, 60));
            }
        }
    }
    return writePng(argv[2], image, false) ? 0 : 1;
}
