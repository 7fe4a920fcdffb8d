// The looping theme: a tense night-time piece in D minor, synthesised and encoded as Ogg Vorbis.
// Every note's tail wraps around to the start of the loop and the echo runs over two passes,
// so the end flows into the beginning without a click.
#include "art.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include <vorbis/vorbisenc.h>

namespace {

constexpr int Rate = 44100;
constexpr int SixteenthSamples = 5880;   // 112.5 beats per minute
constexpr int Bars = 32;
constexpr int LoopSamples = Bars * 16 * SixteenthSamples;
constexpr float Pi = 3.14159265f;

struct Track {
    std::vector<float> left, right;
};

float midiFrequency(float note)
{
    return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f);
}

// Adds a mono signal at start (in samples), wrapping around the loop, panned -1..1.
template <typename Signal>
void addSound(Track& track, int start, int length, float pan, Signal signal)
{
    float gl = std::sqrt(0.5f * (1.0f - pan)), gr = std::sqrt(0.5f * (1.0f + pan));
    for (int n = 0; n < length; ++n) {
        float v = signal(n, float(n) / Rate);
        int i = (start + n) % LoopSamples;
        track.left[i] += v * gl;
        track.right[i] += v * gr;
    }
}

float envelope(float t, float attack, float hold, float release)
{
    if (t < attack)
        return t / attack;
    if (t < attack + hold)
        return 1.0f;
    return std::max(0.0f, 1.0f - (t - attack - hold) / release);
}

float saw(float phase)
{
    return 2.0f * (phase - std::floor(phase)) - 1.0f;
}

struct Noise {
    uint32_t state;
    float next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (state >> 8) / 8388608.0f - 1.0f;
    }
};

void bassNote(Track& t, int start, int sixteenths, float note, float velocity)
{
    float f = midiFrequency(note), hold = sixteenths * SixteenthSamples / float(Rate) * 0.7f;
    float low = 0;
    addSound(t, start, int((hold + 0.15f) * Rate), 0.0f, [&](int, float s) {
        float raw = saw(f * s) * 0.6f + std::sin(2 * Pi * f * 0.5f * s) * 0.6f;
        float cutoff = 0.05f + 0.25f * std::exp(-s * 14.0f);
        low += (raw - low) * cutoff;
        return low * envelope(s, 0.005f, hold, 0.15f) * velocity;
    });
}

void padChord(Track& t, int start, int sixteenths, const float* notes, int count)
{
    float length = sixteenths * SixteenthSamples / float(Rate);
    for (int k = 0; k < count; ++k) {
        float f = midiFrequency(notes[k]);
        for (int d = -1; d <= 1; d += 2) {
            float low = 0;
            addSound(t, start, int((length + 1.0f) * Rate), 0.55f * d, [&](int, float s) {
                float raw = saw(f * (1.0f + 0.004f * d) * s) + 0.5f * saw(f * 2.0f * (1.0f - 0.003f * d) * s);
                low += (raw - low) * 0.03f;
                float swell = 0.75f + 0.25f * std::sin(2 * Pi * 0.25f * s);
                return low * envelope(s, 0.9f, length - 0.9f, 1.0f) * 0.05f * swell;
            });
        }
    }
}

void pluck(Track& t, int start, float note, float velocity, float pan)
{
    float f = midiFrequency(note);
    addSound(t, start, int(0.35f * Rate), pan, [&](int, float s) {
        float pulse = saw(f * s) - saw(f * s + 0.3f);
        return pulse * std::exp(-s * 11.0f) * velocity * 0.16f;
    });
}

void lead(Track& t, int start, int sixteenths, float note, float velocity)
{
    float f = midiFrequency(note), hold = sixteenths * SixteenthSamples / float(Rate) * 0.92f;
    float phase = 0;
    addSound(t, start, int((hold + 0.4f) * Rate), -0.15f, [&](int, float s) {
        float vibrato = 1.0f + 0.006f * std::sin(2 * Pi * 5.2f * s) * std::min(1.0f, s * 2.0f);
        phase += f * vibrato / Rate;
        float tri = 2.0f * std::fabs(2.0f * (phase - std::floor(phase)) - 1.0f) - 1.0f;
        float v = 0.7f * std::sin(2 * Pi * phase) + 0.3f * tri;
        return v * envelope(s, 0.04f, hold, 0.4f) * velocity * 0.2f;
    });
}

void kick(Track& t, int start, float velocity)
{
    float phase = 0;
    addSound(t, start, int(0.35f * Rate), 0.0f, [&](int, float s) {
        float f = 45.0f + 90.0f * std::exp(-s * 30.0f);
        phase += f / Rate;
        return std::sin(2 * Pi * phase) * std::exp(-s * 9.0f) * velocity * 0.9f;
    });
}

void snare(Track& t, int start, float velocity, uint32_t seed)
{
    Noise noise{seed};
    float prev = 0;
    addSound(t, start, int(0.25f * Rate), 0.1f, [&](int, float s) {
        float n = noise.next();
        float bright = n - prev;
        prev = n;
        return (0.5f * bright * std::exp(-s * 18.0f) + 0.35f * std::sin(2 * Pi * 185.0f * s) * std::exp(-s * 30.0f)) * velocity * 0.55f;
    });
}

void hat(Track& t, int start, float velocity, float decay, uint32_t seed)
{
    Noise noise{seed};
    float prev = 0;
    addSound(t, start, int(decay * 5.0f * Rate), 0.35f, [&](int, float s) {
        float n = noise.next();
        float high = n - prev;
        prev = n;
        return high * std::exp(-s / decay) * velocity * 0.14f;
    });
}

struct Chord {
    float bass;
    float tones[4];
};

// Two bars each: D minor, B flat, G minor, A (the dominant that keeps pulling back).
const Chord Progression[4] = {
    {38, {50, 53, 57, 62}},
    {34, {46, 50, 53, 58}},
    {31, {43, 46, 50, 55}},
    {33, {45, 49, 52, 55}},
};

struct MelodyNote {
    float beat, beats, note;
};

const MelodyNote PhraseA[] = {
    {0, 2, 69}, {2, 1, 65}, {3, 1, 64}, {4, 3, 62}, {8, 1.5f, 65}, {9.5f, 0.5f, 67}, {10, 2, 69},
    {12, 2, 70}, {14, 2, 69}, {16, 2, 67}, {18, 1, 70}, {19, 1, 74}, {20, 2, 72}, {22, 1, 70},
    {23, 1, 69}, {24, 2, 73}, {26, 2, 76}, {28, 4, 69},
};
const MelodyNote PhraseB[] = {
    {0, 2, 74}, {2, 1, 72}, {3, 1, 69}, {4, 3, 77}, {7, 1, 76}, {8, 1.5f, 74}, {9.5f, 0.5f, 72},
    {10, 2, 70}, {12, 2, 65}, {14, 2, 67}, {16, 2, 70}, {18, 1, 69}, {19, 1, 67}, {20, 3, 74},
    {24, 1, 76}, {25, 1, 73}, {26, 1, 69}, {27, 1, 67}, {28, 2, 69}, {30, 2, 64},
};

int at16(int bar, float sixteenth)
{
    return int((bar * 16 + sixteenth) * SixteenthSamples);
}

void compose(Track& t)
{
    for (int bar = 0; bar < Bars; ++bar) {
        const Chord& chord = Progression[(bar / 2) % 4];
        const int section = bar / 8;   // 0 intro, 1 groove, 2 theme, 3 theme varied
        // Bass: driving eighths with an octave jump and a ghost before the next bar.
        for (int e = 0; e < 8; ++e) {
            float note = chord.bass + ((e == 3 || e == 6) ? 12.0f : 0.0f);
            float velocity = (e % 2 == 0 ? 0.8f : 0.55f) * (section == 0 ? 0.75f : 1.0f);
            bassNote(t, at16(bar, e * 2.0f), 2, note, velocity);
        }
        if (bar % 2 == 0)
            padChord(t, at16(bar, 0), 32, chord.tones, 4);
        // Hats throughout, busier from the second section.
        for (int s = 0; s < 16; ++s) {
            bool on = s % 2 == 0 || (section > 0 && s % 4 == 3);
            if (on)
                hat(t, at16(bar, float(s)), s % 4 == 0 ? 0.9f : 0.55f, s == 14 && bar % 4 == 3 ? 0.12f : 0.03f, 1000u + bar * 16 + s);
        }
        if (section > 0) {
            kick(t, at16(bar, 0), 1.0f);
            kick(t, at16(bar, 8), 0.9f);
            if (bar % 2 == 1)
                kick(t, at16(bar, 10), 0.6f);
            snare(t, at16(bar, 4), 0.9f, 7u + bar);
            snare(t, at16(bar, 12), 1.0f, 9u + bar);
            if (bar % 8 == 7)
                for (int s = 13; s < 16; ++s)
                    snare(t, at16(bar, float(s)), 0.4f + 0.15f * (s - 13), 11u + s);
        } else if (bar % 2 == 1) {
            kick(t, at16(bar, 0), 0.7f);
        }
        // Arpeggio over the chord from the second section on.
        if (section >= 1) {
            static const int pattern[16] = {0, 1, 2, 3, 2, 1, 2, 3, 0, 2, 3, 2, 1, 2, 3, 1};
            for (int s = 0; s < 16; ++s)
                pluck(t, at16(bar, float(s)), chord.tones[pattern[s]] + 12.0f, s % 4 == 0 ? 1.0f : 0.65f, s % 2 ? 0.5f : -0.5f);
        }
    }
    // The melody over the third and fourth sections, a quiet hint of it in the intro.
    for (int section = 0; section < 4; ++section) {
        if (section == 1)
            continue;
        const MelodyNote* phrase = section == 3 ? PhraseB : PhraseA;
        int count = section == 3 ? int(sizeof(PhraseB) / sizeof(PhraseB[0])) : int(sizeof(PhraseA) / sizeof(PhraseA[0]));
        // The intro hints at the theme: quieter, and only its long notes.
        float velocity = section == 0 ? 0.4f : 1.0f;
        float shift = 0.0f;
        for (int i = 0; i < count; ++i)
            if (section != 0 || phrase[i].beats >= 2)
                lead(t, at16(section * 8, phrase[i].beat * 4), int(phrase[i].beats * 4), phrase[i].note + shift, velocity);
    }
}

// A dotted-eighth echo, run over the loop twice so its tail at the end feeds the start.
void echo(Track& t)
{
    const int delay = 3 * SixteenthSamples;
    std::vector<float> lineL(delay, 0.0f), lineR(delay, 0.0f);
    std::vector<float> outL(LoopSamples), outR(LoopSamples);
    int pos = 0;
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < LoopSamples; ++i) {
            float dl = lineL[pos], dr = lineR[pos];
            lineL[pos] = t.left[i] * 0.5f + dr * 0.38f;
            lineR[pos] = t.right[i] * 0.5f + dl * 0.38f;
            pos = (pos + 1) % delay;
            outL[i] = t.left[i] + dl * 0.35f;
            outR[i] = t.right[i] + dr * 0.35f;
        }
    t.left.swap(outL);
    t.right.swap(outR);
}

bool encode(const Track& t, const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 2, Rate, 0.25f)) {
        std::fclose(file);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", "Lornhaven theme");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 0x4c4f524e);
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    bool ok = true;
    while (ogg_stream_flush(&stream, &page)) {
        ok = ok && std::fwrite(page.header, 1, page.header_len, file) == size_t(page.header_len);
        ok = ok && std::fwrite(page.body, 1, page.body_len, file) == size_t(page.body_len);
    }
    const int chunk = 4096;
    for (int offset = 0;; offset += chunk) {
        int n = std::max(0, std::min(chunk, LoopSamples - offset));
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, n);
            std::memcpy(buffer[0], t.left.data() + offset, sizeof(float) * n);
            std::memcpy(buffer[1], t.right.data() + offset, sizeof(float) * n);
        }
        vorbis_analysis_wrote(&dsp, n);   // 0 marks the end of the stream
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page)) {
                    ok = ok && std::fwrite(page.header, 1, page.header_len, file) == size_t(page.header_len);
                    ok = ok && std::fwrite(page.body, 1, page.body_len, file) == size_t(page.body_len);
                }
            }
        }
        if (n <= 0)
            break;
    }
    while (ogg_stream_flush(&stream, &page)) {
        ok = ok && std::fwrite(page.header, 1, page.header_len, file) == size_t(page.header_len);
        ok = ok && std::fwrite(page.body, 1, page.body_len, file) == size_t(page.body_len);
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return std::fclose(file) == 0 && ok;
}

} // namespace

bool writeMusic(const std::string& path)
{
    Track t;
    t.left.assign(LoopSamples, 0.0f);
    t.right.assign(LoopSamples, 0.0f);
    compose(t);
    echo(t);
    float peak = 0;
    for (int i = 0; i < LoopSamples; ++i)
        peak = std::max(peak, std::max(std::fabs(t.left[i]), std::fabs(t.right[i])));
    const float gain = peak > 0 ? 0.85f / peak : 1.0f;
    for (int i = 0; i < LoopSamples; ++i) {
        t.left[i] = std::tanh(t.left[i] * gain * 1.1f) * 0.95f;
        t.right[i] = std::tanh(t.right[i] * gain * 1.1f) * 0.95f;
    }
    return encode(t, path);
}
