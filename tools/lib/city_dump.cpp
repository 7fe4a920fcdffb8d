#include "tools/lib/city_dump.h"

#include "app/world.h"
#include "city/random_source.h"
#include "sim/actors.h"

struct DrawCounter {
    std::FILE* out;
    int64_t before;
};

static void printDraws(const char* step, void* context)
{
    DrawCounter& counter = *static_cast<DrawCounter*>(context);
    std::fprintf(counter.out, "draws %s %lld\n", step, static_cast<long long>(randomDrawCount - counter.before));
    counter.before = randomDrawCount;
}

static void printLevels(std::FILE* out)
{
    for (int level = 0; level < LevelCount; ++level) {
        std::fprintf(out, "level %d\n", level);
        for (int x = 0; x < GridSize; ++x) {
            for (int z = 0; z < GridSize; ++z) {
                const GridCell& cell = cityGrid.cells[x][level][z];
                std::fprintf(out, z == 0 ? "%d" : " %d", static_cast<int>(cell.type));
                if (cell.rotation != 0) {
                    std::fprintf(out, "r%d", cell.rotation);
                }
            }
            std::fprintf(out, "\n");
        }
    }
}

static void printTints(std::FILE* out)
{
    std::fprintf(out, "tint\n");
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            const Tint& t = cityGrid.tint[x][z];
            if (t.red != 1.0f || t.green != 1.0f || t.blue != 1.0f) {
                std::fprintf(out, "%d %d %.3f %.3f %.3f\n", x, z, t.red, t.green, t.blue);
            }
        }
    }
}

static void printBlocked(std::FILE* out)
{
    std::fprintf(out, "blocked\n");
    char line[GridSize + 2];
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            line[z] = cityGrid.blocked[x][z] ? '1' : '0';
        }
        line[GridSize] = '\n';
        line[GridSize + 1] = '\0';
        std::fputs(line, out);
    }
}

static void printActors(std::FILE* out)
{
    std::fprintf(out, "actors\n");
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            for (int slot = 0; slot < actorGrid.count[x][z]; ++slot) {
                const Actor* a = actorGrid.slots[x][z][slot];
                std::fprintf(out, "%d %d %d %.1f %.1f %.1f\n", x, z, static_cast<int>(a->kind), a->x, a->y, a->z);
            }
        }
    }
}

void dumpCity(unsigned seed, std::FILE* out)
{
    DrawCounter counter{out, randomDrawCount};
    startWorld(seed, printDraws, &counter);

    printLevels(out);
    printTints(out);
    printBlocked(out);
    printActors(out);
    std::fprintf(out, "hero %d %d\n", cellIndexOf(hero.x), cellIndexOf(hero.z));
}
