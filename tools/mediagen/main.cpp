// mediagen: paints every image and composes the music the game reads from Media/.
// Usage: mediagen OUTPUT_DIR [NAME...]   (names without extension; all when none are given)
#include <cstdio>
#include <cstring>
#include <string>

#include "art.h"
#include "render/character_parts.h"
#include "text.h"

namespace {

struct Output {
    const char* name;
    Image (*paint)();
    bool alpha;
};

Image heroSkin() { return makeCharacterSkin(CharacterHero); }
Image zombieSkin() { return makeCharacterSkin(CharacterZombie); }
Image bigMonsterSkin() { return makeCharacterSkin(CharacterBigMonster); }
Image robotSkin() { return makeCharacterSkin(CharacterRobot); }

const Output Images[] = {
    {"splashscreen", makeSplashScreen, false},
    {"worldtexture", makeWorldTexture, false},
    {"hudtexture", makeHudTexture, false},
    {"dashboard", makeDashboard, true},
    {"lowpolyherotexture", heroSkin, false},
    {"lowpolyzombietexture", zombieSkin, false},
    {"lowpolybigmonstertexture", bigMonsterSkin, false},
    {"lowpolyrobottexture", robotSkin, false},
};

bool wanted(int argc, char** argv, const char* name)
{
    if (argc <= 2)
        return true;
    for (int i = 2; i < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: mediagen OUTPUT_DIR [NAME...]\n");
        return 2;
    }
    if (!initFonts()) {
        std::fprintf(stderr, "mediagen: cannot open the DejaVu fonts\n");
        return 1;
    }
    const std::string dir = argv[1];
    for (const Output& out : Images) {
        if (!wanted(argc, argv, out.name))
            continue;
        std::string path = dir + "/" + out.name + ".png";
        if (!writePng(path.c_str(), out.paint(), out.alpha)) {
            std::fprintf(stderr, "mediagen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    if (wanted(argc, argv, "music") && !writeMusic(dir + "/music.ogg")) {
        std::fprintf(stderr, "mediagen: cannot write %s/music.ogg\n", dir.c_str());
        return 1;
    }
    return 0;
}
