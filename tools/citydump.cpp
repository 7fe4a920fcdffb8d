// citydump SEED: generates the city of one seed and prints it as text, so cities compare by diff.
#include <cstdio>
#include <cstdlib>

#include "tools/lib/city_dump.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: citydump SEED\n");
        return 2;
    }
    dumpCity(static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)), stdout);
    // A city cut short would compare as another city: print all of it or fail.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "citydump: cannot write the city\n");
        return 1;
    }
    return 0;
}
