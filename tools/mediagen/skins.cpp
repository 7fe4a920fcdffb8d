// Skins of the four characters, painted face by face where the meshes sample them.
#include "art.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/character_parts.h"
#include "render/mesh_builder.h"

namespace {

struct Rect {
    int x, y, w, h;
};

// Brightness per box face: the paint carries the shading, since the game draws without lights.
const float FaceLight[6] = {1.0f, 0.82f, 0.7f, 0.82f, 1.12f, 0.5f};

bool is(const PartDesc& part, const char* name)
{
    return std::strcmp(part.name, name) == 0;
}

void fillNoisy(Image& img, Rect r, Colour c, float light, float grain, uint32_t seed)
{
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x) {
            float n = tiledNoise(float(x), float(y), 2, 256, seed) - 0.5f;
            float shade = light * (1.05f - 0.12f * y / std::max(1, r.h - 1)) + n * grain;
            at(img, r.x + x, r.y + y) = scaled(c, shade);
        }
}

// Rows of the face from fraction a to b of its height.
Rect band(Rect r, float a, float b)
{
    int y0 = r.y + int(r.h * a), y1 = r.y + int(r.h * b);
    return {r.x, y0, r.w, std::max(1, y1 - y0)};
}

void eyes(Image& img, Rect r, float y, float spread, float size, Colour white, Colour pupil)
{
    for (int side = -1; side <= 1; side += 2) {
        float ex = r.x + r.w * (0.5f + side * spread), ey = r.y + r.h * y;
        fillCircle(img, ex, ey, r.w * size, white);
        fillCircle(img, ex, ey + 0.5f, r.w * size * 0.55f, pupil);
    }
}

// The hero: a dark night-patrol suit with amber piping, a lantern badge and a long amber cape.
void heroFace(Image& img, const PartDesc& part, int f, Rect r)
{
    const Colour suit = rgb(46, 56, 76), trim = rgb(236, 150, 40), leather = rgb(120, 70, 36);
    const Colour metal = rgb(150, 156, 168), badge = rgb(120, 230, 255);
    const Colour skin = rgb(222, 178, 142), hair = rgb(44, 36, 32);
    float light = FaceLight[f];
    auto piping = [&](Rect s) {
        if (f == FaceLeft || f == FaceRight)
            fillRect(img, s.x + s.w / 2 - 1, s.y, 2, s.h, scaled(trim, light));
    };
    if (is(part, "head")) {
        fillNoisy(img, r, skin, light, 0.05f, 3);
        if (f == FaceTop || f == FaceBack)
            fillNoisy(img, r, hair, light, 0.15f, 4);
        else if (f != FaceBottom)
            fillNoisy(img, band(r, 0, f == FaceFront ? 0.18f : 0.3f), hair, light, 0.15f, 4);
        if (f == FaceFront) {
            // A dark eye mask across the face, eyes showing through it.
            fillNoisy(img, band(r, 0.3f, 0.52f), rgb(30, 34, 46), 1.0f, 0.05f, 14);
            eyes(img, r, 0.41f, 0.2f, 0.09f, rgb(240, 244, 250), rgb(60, 110, 150));
            fillRect(img, r.x + r.w * 2 / 5, r.y + r.h * 74 / 100, r.w / 5, 2, rgb(140, 70, 60));
            fillRect(img, r.x + r.w / 2 - 1, r.y + r.h * 54 / 100, 3, r.h / 9, scaled(skin, 0.85f));
        }
        if (f == FaceLeft || f == FaceRight)
            fillCircle(img, r.x + r.w * 0.5f, r.y + r.h * 0.5f, r.w * 0.1f, scaled(skin, 0.8f));
    } else if (is(part, "torso")) {
        fillNoisy(img, r, suit, light, 0.08f, 5);
        if (f == FaceFront) {
            // Straps crossing to the badge, and the badge's glow.
            for (int y = 0; y < r.h; ++y) {
                int x1 = r.x + r.w * y / r.h, x2 = r.x + r.w - 1 - r.w * y / r.h;
                fillRect(img, x1, r.y + y, 3, 1, leather);
                fillRect(img, x2 - 2, r.y + y, 3, 1, leather);
            }
            float cx = r.x + r.w * 0.5f, cy = r.y + r.h * 0.5f;
            addGlow(img, cx, cy, r.w * 0.3f, badge, 0.5f);
            fillCircle(img, cx, cy, r.w * 0.14f, metal);
            fillCircle(img, cx, cy, r.w * 0.09f, badge);
        }
        if (f == FaceBack)
            fillRect(img, r.x + r.w / 2 - 1, r.y, 3, r.h, leather);
        piping(r);
        if (f != FaceTop && f != FaceBottom)
            fillNoisy(img, band(r, 0.86f, 1.0f), leather, light, 0.08f, 6);
    } else if (is(part, "pelvis")) {
        fillNoisy(img, r, suit, light, 0.08f, 7);
        if (f != FaceTop && f != FaceBottom) {
            fillNoisy(img, band(r, 0, 0.35f), leather, light, 0.08f, 6);
            if (f == FaceFront)
                fillRect(img, r.x + r.w / 2 - 3, r.y + 1, 7, r.h * 3 / 10, metal);
        }
    } else if (is(part, "forearm")) {
        fillNoisy(img, r, suit, light, 0.08f, 8);
        fillNoisy(img, f == FaceBottom ? r : band(r, 0.45f, 1.0f), leather, light, 0.08f, 9);
        if (f != FaceTop && f != FaceBottom)
            fillRect(img, r.x, r.y + r.h * 45 / 100, r.w, 2, scaled(trim, light));
    } else if (is(part, "shin")) {
        fillNoisy(img, r, leather, light * 0.8f, 0.08f, 10);
        if (f != FaceBottom && f != FaceTop) {
            fillNoisy(img, band(r, 0, 0.35f), suit, light, 0.08f, 11);
            fillRect(img, r.x, r.y + r.h * 35 / 100, r.w, 2, scaled(trim, light));
        }
        if (f == FaceBottom)
            fillNoisy(img, r, rgb(30, 24, 22), 1.0f, 0.1f, 12);
    } else if (is(part, "cape")) {
        for (int y = 0; y < r.h; ++y)
            for (int x = 0; x < r.w; ++x) {
                float fold = 0.82f + 0.18f * std::sin(x * 0.6f);
                at(img, r.x + x, r.y + y) = scaled(mix(rgb(226, 128, 30), rgb(120, 46, 16), float(y) / r.h), fold);
            }
    } else {
        fillNoisy(img, r, suit, light, 0.08f, 13);
        piping(r);
    }
}

void zombieFace(Image& img, const PartDesc& part, int f, Rect r)
{
    const Colour flesh = rgb(118, 146, 96), shirt = rgb(150, 140, 108), trousers = rgb(58, 62, 82);
    const Colour blood = rgb(110, 24, 20);
    float light = FaceLight[f];
    auto stains = [&](Rect s, uint32_t seed, int count) {
        Rng rng{seed};
        for (int i = 0; i < count; ++i)
            fillCircle(img, s.x + randomUnit(rng) * s.w, s.y + randomUnit(rng) * s.h, 1.0f + randomUnit(rng) * s.w * 0.12f,
                       rgb(90, 40, 30, 0.6f));
    };
    if (is(part, "head") || is(part, "jaw")) {
        fillNoisy(img, r, flesh, light, 0.25f, 21);
        if (is(part, "head") && (f == FaceTop || f == FaceBack))
            stains(r, 22, 6);
        if (is(part, "head") && f == FaceFront) {
            eyes(img, r, 0.4f, 0.2f, 0.13f, rgb(30, 20, 20), rgb(250, 230, 80));
            fillRect(img, r.x + r.w / 4, r.y + r.h * 78 / 100, r.w / 2, r.h / 8, rgb(40, 10, 10));
            for (int i = 0; i < 5; ++i)
                fillRect(img, r.x + r.w / 4 + 1 + i * r.w / 10, r.y + r.h * 78 / 100, r.w / 20 + 1, r.h / 16 + 1, rgb(220, 210, 160));
            fillRect(img, r.x + r.w * 7 / 10, r.y + r.h / 8, 2, r.h / 4, blood);
        }
        if (is(part, "jaw") && f == FaceFront)
            for (int i = 0; i < 5; ++i)
                fillRect(img, r.x + 2 + i * r.w / 5, r.y, r.w / 10 + 1, r.h / 3 + 1, rgb(220, 210, 160));
        if (is(part, "jaw") && f == FaceTop)
            fillNoisy(img, r, rgb(90, 20, 24), 1.0f, 0.1f, 23);
    } else if (is(part, "torso") || is(part, "rag")) {
        fillNoisy(img, r, shirt, light, 0.2f, 24);
        stains(r, 25 + f, 5);
        if (f == FaceFront || f == FaceBack) {
            Rng rng{26u + f};
            for (int i = 0; i < 3; ++i) {
                int tx = r.x + int(randomUnit(rng) * r.w * 0.7f), ty = r.y + int(randomUnit(rng) * r.h * 0.7f);
                fillRect(img, tx, ty, r.w / 6, r.h / 5, scaled(flesh, light * 0.9f));
            }
            fillRect(img, r.x + r.w / 2, r.y + r.h / 3, r.w / 8, r.h / 2, blood);
        }
    } else if (is(part, "arm")) {
        fillNoisy(img, r, flesh, light, 0.25f, 27);
        if (f != FaceBottom)
            fillNoisy(img, f == FaceTop ? r : band(r, 0, 0.3f), shirt, light, 0.2f, 28);
        if (f != FaceTop && f != FaceBottom)
            fillNoisy(img, band(r, 0.88f, 1.0f), scaled(flesh, 0.7f), light, 0.2f, 29);
    } else {
        fillNoisy(img, r, trousers, light, 0.2f, 30);
        if (is(part, "shin") && f != FaceTop)
            fillNoisy(img, f == FaceBottom ? r : band(r, 0.75f, 1.0f), rgb(60, 40, 28), light, 0.2f, 31);
        stains(r, 32 + f, 2);
    }
}

void bigMonsterFace(Image& img, const PartDesc& part, int f, Rect r)
{
    const Colour hide = rgb(96, 44, 66), belly = rgb(164, 112, 96), bone = rgb(226, 214, 184);
    float light = FaceLight[f];
    if (is(part, "horn") || is(part, "spike")) {
        for (int y = 0; y < r.h; ++y)
            for (int x = 0; x < r.w; ++x)
                at(img, r.x + x, r.y + y) = scaled(mix(bone, rgb(90, 70, 60), float(y) / r.h * 0.6f), 0.8f + 0.2f * ((y / 4) % 2));
        return;
    }
    fillNoisy(img, r, hide, light, 0.3f, 41 + f);
    // Scales: a diamond lattice of darker lines.
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x)
            if ((x + y) % 8 == 0 || (x - y + 256) % 8 == 0)
                blend(img, r.x + x, r.y + y, rgb(30, 10, 20), 0.35f);
    if (is(part, "torso") && f == FaceFront) {
        Rect b = {r.x + r.w / 5, r.y + r.h / 5, r.w * 3 / 5, r.h * 4 / 5};
        fillNoisy(img, b, belly, light, 0.15f, 45);
        for (int y = b.y + 3; y < b.y + b.h; y += 5)
            fillRect(img, b.x, y, b.w, 1, scaled(belly, 0.6f));
    }
    if (is(part, "head") && f == FaceFront) {
        fillRect(img, r.x, r.y + r.h / 5, r.w, r.h / 8, scaled(hide, 0.5f));
        eyes(img, r, 0.42f, 0.22f, 0.09f, rgb(255, 120, 20), rgb(255, 240, 120));
        addGlow(img, r.x + r.w * 0.28f, r.y + r.h * 0.42f, r.w * 0.25f, rgb(255, 60, 0), 0.4f);
        addGlow(img, r.x + r.w * 0.72f, r.y + r.h * 0.42f, r.w * 0.25f, rgb(255, 60, 0), 0.4f);
        fillRect(img, r.x + r.w / 8, r.y + r.h * 64 / 100, r.w * 3 / 4, r.h / 4, rgb(40, 6, 10));
        for (int i = 0; i < 6; ++i) {
            float tx = r.x + r.w / 8.0f + i * r.w / 8.0f, ty = r.y + r.h * 0.64f;
            const float fang[6] = {tx, ty, tx + r.w / 10.0f, ty, tx + r.w / 20.0f, ty + r.h * (i % 2 ? 0.12f : 0.2f)};
            fillPolygon(img, fang, 3, bone);
        }
    }
    if (is(part, "forearm") || is(part, "leg")) {
        if (f == FaceBottom)
            fillNoisy(img, r, rgb(40, 20, 30), 1.0f, 0.2f, 46);
        else if (f != FaceTop)
            fillNoisy(img, band(r, 0.85f, 1.0f), scaled(hide, 0.55f), light, 0.2f, 47);
        if (f == FaceFront)
            for (int i = 0; i < 3; ++i) {
                float cx = r.x + r.w * (0.25f + 0.25f * i), cy = r.y + r.h * 0.86f;
                const float claw[6] = {cx - 3, cy, cx + 3, cy, cx, float(r.y + r.h - 1)};
                fillPolygon(img, claw, 3, bone);
            }
    }
    if (is(part, "pelvis") && f != FaceTop && f != FaceBottom)
        fillNoisy(img, band(r, 0.2f, 1.0f), rgb(70, 50, 34), light, 0.3f, 48);
}

void panelLines(Image& img, Rect r, Colour dark)
{
    blendRect(img, r.x, r.y, r.w, 1, dark, 0.7f);
    blendRect(img, r.x, r.y + r.h - 1, r.w, 1, dark, 0.7f);
    blendRect(img, r.x, r.y, 1, r.h, dark, 0.7f);
    blendRect(img, r.x + r.w - 1, r.y, 1, r.h, dark, 0.7f);
    if (r.w > 10 && r.h > 10)
        for (int k = 0; k < 4; ++k)
            fillCircle(img, r.x + 3.0f + (k % 2) * (r.w - 6), r.y + 3.0f + (k / 2) * (r.h - 6), 1.0f, rgb(200, 206, 216));
}

void robotFace(Image& img, const PartDesc& part, int f, Rect r)
{
    const Colour steel = rgb(140, 150, 166), dark = rgb(40, 44, 54), red = rgb(255, 40, 30);
    float light = FaceLight[f];
    Colour base = (is(part, "pelvis") || is(part, "backpack") || is(part, "antenna")) ? rgb(84, 90, 104) : steel;
    fillNoisy(img, r, base, light, 0.06f, 61);
    // Brushed highlights.
    for (int x = 0; x < r.w; x += 3)
        blendRect(img, r.x + x, r.y, 1, r.h, rgb(255, 255, 255), 0.05f);
    panelLines(img, r, dark);
    if (is(part, "head") && f == FaceFront) {
        Rect visor = {r.x + 2, r.y + r.h * 3 / 10, r.w - 4, r.h / 4};
        fillRect(img, visor.x, visor.y, visor.w, visor.h, rgb(30, 6, 8));
        fillRect(img, visor.x + 2, visor.y + visor.h / 3, visor.w - 4, visor.h / 3, red);
        addGlow(img, visor.x + visor.w * 0.5f, visor.y + visor.h * 0.5f, visor.w * 0.5f, rgb(255, 40, 0), 0.4f);
        for (int i = 0; i < 4; ++i)
            fillRect(img, r.x + r.w / 4, r.y + r.h * 68 / 100 + i * 3, r.w / 2, 1, dark);
    }
    if (is(part, "torso") && f == FaceFront) {
        float cx = r.x + r.w * 0.5f, cy = r.y + r.h * 0.35f;
        addGlow(img, cx, cy, r.w * 0.3f, rgb(40, 200, 255), 0.6f);
        fillCircle(img, cx, cy, r.w * 0.14f, rgb(20, 40, 60));
        fillCircle(img, cx, cy, r.w * 0.1f, rgb(120, 240, 255));
        for (int x = 0; x < r.w; ++x)
            for (int y = r.h * 8 / 10; y < r.h; ++y)
                at(img, r.x + x, r.y + y) = ((x + y) / 4) % 2 ? rgb(240, 190, 30) : rgb(20, 20, 20);
    }
    if (is(part, "backpack") && f == FaceBack) {
        for (int i = 0; i < 4; ++i)
            fillRect(img, r.x + 3, r.y + 4 + i * r.h / 5, r.w - 6, 2, dark);
        fillCircle(img, r.x + r.w * 0.8f, r.y + r.h * 0.8f, 2.0f, red);
    }
    if (is(part, "arm") || is(part, "shin")) {
        if (f != FaceTop && f != FaceBottom) {
            fillRect(img, r.x, r.y + r.h / 2, r.w, 2, dark);
            if (is(part, "arm"))
                fillNoisy(img, band(r, 0.82f, 1.0f), rgb(70, 74, 86), light, 0.06f, 62);
        } else {
            fillNoisy(img, r, dark, light, 0.05f, 63);
        }
    }
    if (is(part, "antenna"))
        fillNoisy(img, band(r, 0, 0.3f), red, 1.0f, 0.1f, 64);
}

} // namespace

Image makeCharacterSkin(int character)
{
    static const Colour backgrounds[CharacterCount] = {rgb(46, 56, 76), rgb(100, 110, 90), rgb(90, 44, 64), rgb(120, 128, 142)};
    Image img = makeImage(SkinSize, SkinSize, backgrounds[character]);
    const ModelDesc& model = characterDescription(character);
    for (int p = 0; p < model.partCount; ++p) {
        const PartDesc& part = model.parts[p];
        int faces = part.shape == ShapeBox ? 6 : 4;
        for (int f = 0; f < faces; ++f) {
            int rect[4];
            faceSkinRect(part, f, rect);
            Rect r = {rect[0], rect[1], rect[2], rect[3]};
            int face = part.shape == ShapeBox ? f : FaceFront;
            switch (character) {
            case CharacterHero: heroFace(img, part, face, r); break;
            case CharacterZombie: zombieFace(img, part, face, r); break;
            case CharacterBigMonster: bigMonsterFace(img, part, face, r); break;
            default: robotFace(img, part, face, r); break;
            }
        }
    }
    return img;
}
