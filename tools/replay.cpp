// replay SEED SCRIPT: plays a script of input on the city of SEED and prints a trace per update.
#include <cstdio>
#include <cstdlib>

#include "tools/lib/replay.h"

int main(int argc, char** argv)
{
    char* end = nullptr;
    unsigned long seed = argc == 3 ? std::strtoul(argv[1], &end, 10) : 0;
    if (argc != 3 || end == argv[1] || *end != '\0') {
        std::fprintf(stderr, "usage: replay SEED SCRIPT\n");
        return 2;
    }
    std::FILE* script = std::fopen(argv[2], "r");
    if (!script) {
        std::fprintf(stderr, "replay: cannot read %s\n", argv[2]);
        return 2;
    }
    int status = runReplay(static_cast<unsigned>(seed), script, stdout, stderr);
    std::fclose(script);
    return status;
}
