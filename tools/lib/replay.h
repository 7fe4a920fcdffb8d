// tools/lib/replay.h — scripted input played through updateWorld on a seeded city, with a trace of
// every update, for regression tests and for comparing simulations.
#pragma once
#include <cstdio>

// One script line: N updates at step factor f with these held keys, buttons, cursor and window.
struct ReplayLine {
    int updates;
    float stepFactor;
    unsigned keys;     // bit k set: ReplayKeyCodes[k] is held
    unsigned buttons;  // bit 0 left, bit 1 right
    int mouseX, mouseY;
    float screenWidth, screenHeight;
};

enum ReplayLineKind { ReplaySkip, ReplayStep, ReplayMalformed };

// Reads one script line; a malformed one leaves a reason in `reason`.
ReplayLineKind parseReplayLine(const char* text, ReplayLine& line, const char*& reason);

// Builds the city of SEED as start-up does, places the hero, plays SCRIPT and writes the trace.
// Returns the exit status: 0, or 2 after a message on `errors` for a malformed line.
int runReplay(unsigned seed, std::FILE* script, std::FILE* trace, std::FILE* errors);
