// mediagen: paints every image and composes the music the game reads from Media/, and the
// game's icons for the desktop and for the page's web app manifest.
// Usage: mediagen OUTPUT_DIR [NAME...]   (names without extension; all when none are given)
//        mediagen --icons ICON_DIR        (ICON_DIR/SIZExSIZE/apps/lornhaven.png, as in hicolor)
//        mediagen --web-icons DIR         (DIR/icon-192.png and DIR/icon-512.png)
#include <sys/stat.h>

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

// The icon sizes a desktop looks for in the hicolor theme.
const int IconSizes[] = {48, 64, 128, 256};

int writeIcons(const std::string& dir)
{
    const Image splash = makeSplashScreen();
    for (int size : IconSizes) {
        const std::string folder = dir + "/" + std::to_string(size) + "x" + std::to_string(size);
        mkdir(dir.c_str(), 0755);
        mkdir(folder.c_str(), 0755);
        mkdir((folder + "/apps").c_str(), 0755);
        const std::string path = folder + "/apps/lornhaven.png";
        if (!writePng(path.c_str(), makeIcon(splash, size), true)) {
            std::fprintf(stderr, "mediagen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

// The sizes a browser wants of an installable page: a home-screen icon and a launch screen.
const int WebIconSizes[] = {192, 512};

int writeWebIcons(const std::string& dir)
{
    const Image splash = makeSplashScreen();
    for (int size : WebIconSizes) {
        const std::string path = dir + "/icon-" + std::to_string(size) + ".png";
        if (!writePng(path.c_str(), makeIcon(splash, size), true)) {
            std::fprintf(stderr, "mediagen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: mediagen OUTPUT_DIR [NAME...] | mediagen --icons ICON_DIR |"
                             " mediagen --web-icons DIR\n");
        return 2;
    }
    if (!initFonts()) {
        std::fprintf(stderr, "mediagen: cannot open the DejaVu fonts\n");
        return 1;
    }
    if (std::strcmp(argv[1], "--icons") == 0)
        return argc == 3 ? writeIcons(argv[2]) : 2;
    if (std::strcmp(argv[1], "--web-icons") == 0)
        return argc == 3 ? writeWebIcons(argv[2]) : 2;
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
