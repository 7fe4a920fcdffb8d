#include "tools/lib/replay.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "app/input.h"
#include "app/key_codes.h"
#include "app/settings.h"
#include "app/world.h"
#include "city/city_grid.h"
#include "sim/actors.h"
#include "sim/monsters.h"
#include "sim/world_update.h"

static const char* const ReplayKeyNames[] = {"w", "a", "s", "d", "up", "down", "left", "right", "space", "shift"};
static const int ReplayKeyCodes[] = {KeyForward, KeyLeft, KeyBack, KeyRight, KeyArrowUp,
                                      KeyArrowDown, KeyArrowLeft, KeyArrowRight, KeyJump, KeyFly};
static constexpr int ReplayKeyCount = 10;
static const char* const ReplayButtonNames[] = {"left", "right"};
static const int ReplayButtonNumbers[] = {ButtonPrimary, ButtonSecondary};
static constexpr int ReplayButtonCount = 2;
static constexpr int MaxScriptLine = 1024;

// A comma list of names from `names` as bits, or "-" for none; false on anything else.
static bool parseNameList(const char* token, const char* const* names, int nameCount, unsigned& bits)
{
    bits = 0;
    if (std::strcmp(token, "-") == 0) {
        return true;
    }
    const char* start = token;
    while (true) {
        const char* end = std::strchr(start, ',');
        size_t length = end ? static_cast<size_t>(end - start) : std::strlen(start);
        int found = -1;
        for (int k = 0; k < nameCount; ++k) {
            if (std::strlen(names[k]) == length && std::strncmp(names[k], start, length) == 0) {
                found = k;
            }
        }
        if (found < 0) {
            return false;
        }
        bits |= 1u << found;
        if (!end) {
            return true;
        }
        start = end + 1;
    }
}

static bool parseInt(const char* token, long low, long high, int& value)
{
    char* end = nullptr;
    long parsed = std::strtol(token, &end, 10);
    if (end == token || *end != '\0' || parsed < low || parsed > high) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

static bool parseFloat(const char* token, float& value)
{
    char* end = nullptr;
    value = std::strtof(token, &end);
    return end != token && *end == '\0' && std::isfinite(value);
}

ReplayLineKind parseReplayLine(const char* text, ReplayLine& line, const char*& reason)
{
    char buffer[MaxScriptLine];
    std::strncpy(buffer, text, sizeof buffer - 1);
    buffer[sizeof buffer - 1] = '\0';
    char* tokens[9];
    int tokenCount = 0;
    for (char* token = std::strtok(buffer, " \t\r\n"); token; token = std::strtok(nullptr, " \t\r\n")) {
        if (tokenCount == 0 && token[0] == '#') {
            return ReplaySkip;
        }
        if (tokenCount == 9) {
            break;
        }
        tokens[tokenCount++] = token;
    }
    if (tokenCount == 0) {
        return ReplaySkip;
    }
    reason = "expected 8 fields: N f keys buttons mouseX mouseY screenW screenH";
    if (tokenCount != 8) {
        return ReplayMalformed;
    }
    reason = "N must be a whole number of updates, at least 1";
    if (!parseInt(tokens[0], 1, 100000000, line.updates)) {
        return ReplayMalformed;
    }
    // The game only ever steps the world at factors in [0.2, 2].
    reason = "f must be a step factor in [0.2, 2]";
    if (!parseFloat(tokens[1], line.stepFactor) || line.stepFactor < 0.2f || line.stepFactor > 2.0f) {
        return ReplayMalformed;
    }
    reason = "keys must be - or a comma list of w, a, s, d, up, down, left, right, space, shift";
    if (!parseNameList(tokens[2], ReplayKeyNames, ReplayKeyCount, line.keys)) {
        return ReplayMalformed;
    }
    reason = "buttons must be - or a comma list of left, right";
    if (!parseNameList(tokens[3], ReplayButtonNames, ReplayButtonCount, line.buttons)) {
        return ReplayMalformed;
    }
    reason = "mouseX and mouseY must be whole numbers of pixels";
    if (!parseInt(tokens[4], -1000000, 1000000, line.mouseX) || !parseInt(tokens[5], -1000000, 1000000, line.mouseY)) {
        return ReplayMalformed;
    }
    reason = "screenW and screenH must be positive";
    if (!parseFloat(tokens[6], line.screenWidth) || !parseFloat(tokens[7], line.screenHeight)
        || !(line.screenWidth > 0.0f) || !(line.screenHeight > 0.0f)) {
        return ReplayMalformed;
    }
    return ReplayStep;
}

// Every monster in grid order, and under which cell each is filed.
struct MonsterCensus {
    std::vector<const Actor*> actors;
    std::unordered_map<const Actor*, int> index;
    std::vector<int> filedCell;
};

static void takeCensus(MonsterCensus& census)
{
    bool first = census.actors.empty();
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            for (int s = 0; s < actorGrid.count[x][z]; ++s) {
                const Actor* actor = actorGrid.slots[x][z][s];
                if (first) {
                    census.index[actor] = static_cast<int>(census.actors.size());
                    census.actors.push_back(actor);
                    census.filedCell.push_back(x * GridSize + z);
                } else {
                    census.filedCell[census.index[actor]] = x * GridSize + z;
                }
            }
        }
    }
}

static void writeUpdate(std::FILE* trace, const MonsterCensus& census, int moved)
{
    double sumX = 0.0, sumZ = 0.0, sumPhase = 0.0;
    for (const Actor* actor : census.actors) {
        sumX += actor->x;
        sumZ += actor->z;
        sumPhase += actor->animPhase;
    }
    std::fprintf(trace,
                 "u hero %.5f %.5f %.5f %.5f %.5f %.5f %.5f %.5f %.5f %.5f %d %d %d %d %d %d %.5f %d %d %d"
                 " cam %.5f %.5f %.5f %.5f %.5f %.5f %d %.5f %.5f %.5f %d\n",
                 hero.x, hero.y, hero.z, hero.velocityX, hero.velocityY, hero.velocityZ, hero.heading, hero.health,
                 hero.energy, hero.restTimer, hero.onGround ? 1 : 0, hero.flying ? 1 : 0,
                 hero.primaryAttackPending ? 1 : 0, hero.secondaryAttackPending ? 1 : 0,
                 static_cast<int>(hero.animState), static_cast<int>(hero.prevAnimState), hero.animPhase, hero.cellX,
                 hero.cellY, hero.cellZ, followCamera.yaw, followCamera.pitch, followCamera.distance, followCamera.x,
                 followCamera.y, followCamera.z,
                 monstersNearHero(), sumX, sumZ, sumPhase, moved);
}

static void applyInput(const ReplayLine& line, unsigned previousKeys, bool firstUpdate)
{
    for (int k = 0; k < ReplayKeyCount; ++k) {
        bool listed = (line.keys >> k) & 1u;
        bool newlyListed = listed && !((previousKeys >> k) & 1u);
        keyState[ReplayKeyCodes[k]] = !listed ? InputState::KeyUp
                                              : (newlyListed && firstUpdate ? InputState::KeyPressed : InputState::KeyHeld);
    }
    for (int b = 0; b < ReplayButtonCount; ++b) {
        bool listed = (line.buttons >> b) & 1u;
        mouseButtonState[ReplayButtonNumbers[b]] =
            !listed ? InputState::KeyUp : (firstUpdate ? InputState::KeyPressed : InputState::KeyHeld);
    }
    mouseX = line.mouseX;
    mouseY = line.mouseY;
    settings.screenWidth = line.screenWidth;
    settings.screenHeight = line.screenHeight;
}

int runReplay(unsigned seed, std::FILE* script, std::FILE* trace, std::FILE* errors)
{
    startWorld(seed);
    std::fprintf(trace, "start %d %d\n", cellIndexOf(hero.x), cellIndexOf(hero.z));

    MonsterCensus census;
    takeCensus(census);
    std::vector<int> before;
    char text[MaxScriptLine];
    unsigned previousKeys = 0;
    for (int lineNumber = 1; std::fgets(text, sizeof text, script); ++lineNumber) {
        ReplayLine line{};
        const char* reason = "";
        ReplayLineKind kind = parseReplayLine(text, line, reason);
        size_t length = std::strlen(text);
        if (length == sizeof text - 1 && text[length - 1] != '\n') {
            kind = ReplayMalformed;
            reason = "longer than 1022 characters";
        }
        if (kind == ReplaySkip) {
            continue;
        }
        if (kind == ReplayMalformed) {
            std::fprintf(errors, "replay: line %d is malformed: %s\n", lineNumber, reason);
            return 2;
        }
        for (int u = 0; u < line.updates; ++u) {
            applyInput(line, previousKeys, u == 0);
            before = census.filedCell;
            updateWorld(line.stepFactor);
            takeCensus(census);
            int moved = 0;
            for (size_t k = 0; k < before.size(); ++k) {
                moved += before[k] != census.filedCell[k] ? 1 : 0;
            }
            writeUpdate(trace, census, moved);
        }
        previousKeys = line.keys;
    }
    return 0;
}
