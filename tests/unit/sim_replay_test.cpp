#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "app/input.h"
#include "sim/hero_movement.h"
#include "tools/lib/replay.h"

namespace {

// One trace line, by the names of its fields.
struct TraceLine {
    float x, y, z, vx, vy, vz, heading, health, energy, restTimer;
    int onGround, flying, prim, sec, animState, prevAnimState;
    float animPhase;
    int cellX, cellY, cellZ;
    float yaw, pitch, distance, cx, cy, cz;
    int mon;
    double sumX, sumZ, sumPhase;
    int moved;

    float horizontalSpeed() const { return std::sqrt(vx * vx + vz * vz); }
};

struct Trace {
    int status = -1;
    std::string start;
    std::string errors;
    std::vector<std::string> text;
    std::vector<TraceLine> lines;
};

std::string readAll(std::FILE* file)
{
    std::rewind(file);
    std::string all;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        all.append(buffer, got);
    }
    std::fclose(file);
    return all;
}

Trace replay(unsigned seed, std::FILE* script)
{
    Trace trace;
    std::FILE* out = std::tmpfile();
    std::FILE* errors = std::tmpfile();
    trace.status = runReplay(seed, script, out, errors);
    std::fclose(script);
    trace.errors = readAll(errors);
    std::istringstream lines(readAll(out));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("start ", 0) == 0) {
            trace.start = line;
            continue;
        }
        trace.text.push_back(line);
        TraceLine t{};
        char u[8], heroWord[8], camWord[8];
        int fields = std::sscanf(line.c_str(),
                                 "%7s %7s %f %f %f %f %f %f %f %f %f %f %d %d %d %d %d %d %f %d %d %d %7s %f %f %f %f %f %f %d "
                                 "%lf %lf %lf %d",
                                 u, heroWord, &t.x, &t.y, &t.z, &t.vx, &t.vy, &t.vz, &t.heading, &t.health, &t.energy,
                                 &t.restTimer, &t.onGround, &t.flying, &t.prim, &t.sec, &t.animState,
                                 &t.prevAnimState, &t.animPhase, &t.cellX, &t.cellY, &t.cellZ, camWord, &t.yaw,
                                 &t.pitch, &t.distance, &t.cx, &t.cy, &t.cz, &t.mon, &t.sumX, &t.sumZ, &t.sumPhase,
                                 &t.moved);
        EXPECT_EQ(fields, 34) << line;
        EXPECT_STREQ(u, "u");
        EXPECT_STREQ(heroWord, "hero");
        EXPECT_STREQ(camWord, "cam");
        trace.lines.push_back(t);
    }
    return trace;
}

Trace replayText(unsigned seed, const std::string& script)
{
    std::FILE* file = std::tmpfile();
    std::fputs(script.c_str(), file);
    std::rewind(file);
    return replay(seed, file);
}

Trace replayRecorded(const char* name)
{
    std::string path = std::string(LORNHAVEN_SOURCE_DIR) + "/tests/replays/" + name;
    std::FILE* file = std::fopen(path.c_str(), "r");
    EXPECT_NE(file, nullptr) << path;
    return replay(1, file);
}

TEST(ReplayScript, SkipsCommentsAndBlankLinesAndRejectsMalformedOnes)
{
    ReplayLine line{};
    const char* reason = nullptr;
    EXPECT_EQ(parseReplayLine("# a comment", line, reason), ReplaySkip);
    EXPECT_EQ(parseReplayLine("   \r\n", line, reason), ReplaySkip);
    ASSERT_EQ(parseReplayLine("12 0.5 w,shift,left right,left -40 900 800 600\n", line, reason), ReplayStep);
    EXPECT_EQ(line.updates, 12);
    EXPECT_FLOAT_EQ(line.stepFactor, 0.5f);
    EXPECT_EQ(line.keys, (1u << 0) | (1u << 9) | (1u << 6));
    EXPECT_EQ(line.buttons, 3u);
    EXPECT_EQ(line.mouseX, -40);
    EXPECT_EQ(line.mouseY, 900);
    EXPECT_FLOAT_EQ(line.screenWidth, 800.0f);

    const char* malformed[] = {
        "1 1 - - 320 240 640",          "1 1 - - 320 240 640 480 9", "0 1 - - 320 240 640 480",
        "x 1 - - 320 240 640 480",      "1 0.1 - - 320 240 640 480", "1 2.5 - - 320 240 640 480",
        "1 nan - - 320 240 640 480",    "1 1 jump - 320 240 640 480", "1 1 w,,a - 320 240 640 480",
        "1 1 w, - 320 240 640 480",     "1 1 - middle 320 240 640 480", "1 1 - - 3.5 240 640 480",
        "1 1 - - 320 240 0 480",        "1 1 - - 320 240 640 -480",
    };
    for (const char* text : malformed) {
        reason = nullptr;
        EXPECT_EQ(parseReplayLine(text, line, reason), ReplayMalformed) << text;
        EXPECT_NE(reason, nullptr) << text;
    }
}

TEST(ReplayScript, MalformedLineEndsTheRunWithStatusTwoNamingTheLine)
{
    Trace trace = replayText(1, "# fine\n2 1 - - 320 240 640 480\n\n1 1 fly - 320 240 640 480\n1 1 - - 320 240 640 480\n");
    EXPECT_EQ(trace.status, 2);
    EXPECT_NE(trace.errors.find("line 4"), std::string::npos) << trace.errors;
    EXPECT_EQ(trace.lines.size(), 2u);
}

TEST(ReplayScript, KeysArePressedOnlyWhenNewlyListedAndButtonsOnEveryLine)
{
    Trace trace = replayText(1, "1 1 w - 320 240 640 480\n1 1 w,a left 320 240 640 480\n");
    EXPECT_EQ(trace.status, 0);
    EXPECT_EQ(keyState[KeyForward], InputState::KeyHeld);
    EXPECT_EQ(keyState[KeyLeft], InputState::KeyPressed);
    EXPECT_EQ(mouseButtonState[ButtonPrimary], InputState::KeyPressed);
    EXPECT_EQ(mouseButtonState[ButtonSecondary], InputState::KeyUp);

    replayText(1, "1 1 w,a left 320 240 640 480\n3 1 a left 320 240 640 480\n");
    EXPECT_EQ(keyState[KeyForward], InputState::KeyUp);
    EXPECT_EQ(keyState[KeyLeft], InputState::KeyHeld);
    EXPECT_EQ(mouseButtonState[ButtonPrimary], InputState::KeyHeld);
    EXPECT_EQ(mouseX, 320);

    replayText(1, "1 1 space - 320 240 640 480\n1 1 - - 320 240 640 480\n1 1 space - 10 20 640 480\n");
    EXPECT_EQ(keyState[KeyJump], InputState::KeyPressed);
    EXPECT_EQ(mouseX, 10);
    EXPECT_EQ(mouseY, 20);
}

TEST(ReplayTrace, StartsWithTheHerosColumnAndIsTheSameForTheSameSeed)
{
    const char* script = "30 1 w,shift - 400 200 640 480\n20 2 d left 100 300 640 480\n";
    Trace first = replayText(1, script);
    Trace second = replayText(1, script);
    EXPECT_EQ(first.start, "start 100 100");
    ASSERT_EQ(first.text.size(), 50u);
    EXPECT_EQ(first.text, second.text);
    EXPECT_NEAR(first.lines[0].x, 1000.0f, 0.1f);
    EXPECT_NEAR(first.lines[0].z, 1000.0f, 0.1f);
    EXPECT_EQ(first.lines[0].health, 100.0f);
    Trace other = replayText(2, script);
    EXPECT_NE(first.text, other.text);
}

TEST(RecordedReplays, WalkingReachesTheSteadySpeedAndTheClickStartsTheAttackAtTheNextKey)
{
    Trace trace = replayRecorded("walk_attack.txt");
    ASSERT_EQ(trace.status, 0);
    ASSERT_EQ(trace.lines.size(), 264u);
    // The last 40 updates of the walk along the street: about 0.404 per update.
    for (int i = 170; i < 210; ++i) {
        EXPECT_NEAR(trace.lines[i].horizontalSpeed(), 0.4044f, 0.002f) << i;
        EXPECT_EQ(trace.lines[i].onGround, 1) << i;
    }
    const int click = 223;
    const TraceLine& before = trace.lines[click - 1];
    ASSERT_EQ(before.prim, 0);
    int keyUpdate = click + static_cast<int>(std::ceil((1.0f - before.animPhase) / 0.15f)) - 1;
    EXPECT_EQ(keyUpdate, click + 3);
    for (int i = click; i < keyUpdate; ++i) {
        EXPECT_EQ(trace.lines[i].prim, 1) << i;
        EXPECT_EQ(trace.lines[i].animState, before.animState) << i;
        EXPECT_NEAR(trace.lines[i].animPhase, trace.lines[i - 1].animPhase + 0.15f, 1e-5f) << i;
    }
    EXPECT_EQ(trace.lines[keyUpdate].animState, 6);
    EXPECT_EQ(trace.lines[keyUpdate].prevAnimState, before.animState);
    EXPECT_EQ(trace.lines[keyUpdate].prim, 0);
    // The attack pose is one blend at 0.075, then back to the first walk key.
    EXPECT_EQ(trace.lines[keyUpdate + 13].animState, 6);
    EXPECT_EQ(trace.lines[keyUpdate + 14].animState, 0);
}

TEST(RecordedReplays, LevelFlightKeepsItsHeightAtTheSteadySpeedThenIsHeldAtTheCitysEdge)
{
    Trace trace = replayRecorded("level_flight.txt");
    ASSERT_EQ(trace.status, 0);
    ASSERT_EQ(trace.lines.size(), 922u);
    // The last update before the edge of the city's columns at x = 1995.
    size_t beforeEdge = 0;
    while (beforeEdge + 1 < trace.lines.size() && trace.lines[beforeEdge + 1].x < 1994.0f) {
        ++beforeEdge;
    }
    ASSERT_GT(beforeEdge, 500u);
    ASSERT_LT(beforeEdge, 821u);
    EXPECT_EQ(trace.lines[beforeEdge].flying, 1);
    EXPECT_NEAR(trace.lines[beforeEdge].horizontalSpeed(), 2.45f, 0.01f);
    const TraceLine& last = trace.lines.back();
    EXPECT_EQ(last.flying, 1);
    EXPECT_LT(std::fabs(last.y - trace.lines[821].y), 0.05f);
    EXPECT_GT(last.y, 90.0f);
    // Held at the edge, above the top level, in cells inside the grid.
    EXPECT_LT(last.x, 1995.0f);
    EXPECT_GT(last.x, 1994.99f);
    EXPECT_EQ(last.cellX, 199);
    EXPECT_EQ(last.cellY, 8);
    EXPECT_NEAR(last.distance, 10.0f, 0.01f);
}

TEST(RecordedReplays, FlightEndsWithTheEnergyAndRestGrowsItBack)
{
    Trace trace = replayRecorded("flight_end.txt");
    ASSERT_EQ(trace.status, 0);
    const std::vector<TraceLine>& t = trace.lines;
    int lastFlying = -1;
    for (size_t i = 0; i < t.size(); ++i) {
        lastFlying = t[i].flying ? static_cast<int>(i) : lastFlying;
    }
    ASSERT_GT(lastFlying, 1000);
    EXPECT_EQ(t[lastFlying].energy, 0.0f);
    EXPECT_GT(t[lastFlying - 1].energy, 0.0f);
    EXPECT_LE(t[lastFlying - 1].energy, 0.1001f);
    EXPECT_EQ(t[lastFlying + 1].flying, 0);
    EXPECT_EQ(t[lastFlying + 1].animState, 4);
    for (int i = lastFlying - 900; i < lastFlying - 1; ++i) {
        EXPECT_NEAR(t[i].energy - t[i + 1].energy, 0.1f, 1e-3f) << i;
        EXPECT_GT(t[i + 1].y, t[i].y) << i;
    }
    EXPECT_GT(t[lastFlying].y, 400.0f);

    int landing = lastFlying;
    while (landing < static_cast<int>(t.size()) && !t[landing].onGround) {
        ++landing;
    }
    ASSERT_LT(landing + 260, static_cast<int>(t.size()));
    // Fifty updates of rest first, then 0.5 per update up to the full 100.
    EXPECT_EQ(t[landing + 48].energy, 0.0f);
    EXPECT_GT(t[landing + 52].energy, 0.0f);
    EXPECT_NEAR(t[landing + 100].energy - t[landing + 99].energy, 0.5f, 1e-4f);
    EXPECT_EQ(t[landing + 260].energy, 100.0f);
}

TEST(RecordedReplays, HealthFallsInACrowdAndStopsAtZero)
{
    Trace trace = replayRecorded("crowd.txt");
    ASSERT_EQ(trace.status, 0);
    ASSERT_EQ(trace.lines.size(), 1000u);
    float health = 100.0f;
    int moved = 0;
    for (const TraceLine& t : trace.lines) {
        EXPECT_LE(t.health, health);
        EXPECT_GE(t.health, 0.0f);
        health = t.health;
        moved += t.moved;
        EXPECT_GT(t.mon, 0);
    }
    EXPECT_LT(trace.lines[300].health, 90.0f);
    EXPECT_EQ(health, 0.0f);
    EXPECT_GT(moved, 0);
}

}  // namespace
