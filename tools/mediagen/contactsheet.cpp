// contactsheet: renders every model in every key pose, textured and back-face culled as the game
// draws them, views of a generated city under its sky, the flat screens laid out as the game
// draws them, and every image as loaded, into PNG sheets to look at.
// Usage (needs a display, e.g. tests/with-xvfb.sh): contactsheet OUTPUT_DIR, run from build/run.
#include <SDL.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/world.h"
#include "city/city_grid.h"
#include "city/tile_pieces.h"
#include "image.h"
#include "overlay/textures.h"
#include "render/city_drawing.h"
#include "render/model_meshes.h"
#include "render/tex_coords.h"

namespace {

constexpr int SheetWidth = 1280, SheetHeight = 960;

struct Model {
    float* data;
    int vertexCount;
    int blocks;
    const char* texture;
    float height;
    uint32_t textureName;
    std::vector<float> texCoords;   // t turned to count from the top row, as the game does once
};

Model models[] = {
    {nullptr, HeroVertexCount, HeroBlockCount, "Media/lowpolyherotexture.png", 7.0f, 0, {}},
    {nullptr, MonsterVertexCount, MonsterBlockCount, "Media/lowpolyzombietexture.png", 7.0f, 0, {}},
    {nullptr, MonsterVertexCount, MonsterBlockCount, "Media/lowpolybigmonstertexture.png", 14.0f, 0, {}},
    {nullptr, MonsterVertexCount, MonsterBlockCount, "Media/lowpolyrobottexture.png", 7.0f, 0, {}},
};

void prepareModels()
{
    float* (*data[4])() = {heroMeshData, zombieMeshData, bigMonsterMeshData, robotMeshData};
    for (int m = 0; m < 4; ++m) {
        Model& model = models[m];
        model.data = data[m]();
        model.textureName = loadTexture(model.texture, true);
        const float* st = model.data + 3 * model.vertexCount;
        model.texCoords.assign(st, st + 2 * model.vertexCount);
        flipTexCoordRows(model.texCoords.data(), model.vertexCount);
    }
}

void drawModel(const Model& model, int block)
{
    glBindTexture(GL_TEXTURE_2D, model.textureName);
    glVertexPointer(3, GL_FLOAT, 0, model.data + block * 8 * model.vertexCount);
    glTexCoordPointer(2, GL_FLOAT, 0, model.texCoords.data());
    glDrawArrays(GL_TRIANGLES, 0, model.vertexCount);
}

void beginCell(int column, int row, int columns, int rows)
{
    int w = SheetWidth / columns, h = SheetHeight / rows;
    glViewport(column * w, SheetHeight - (row + 1) * h, w, h);
    glScissor(column * w + 1, SheetHeight - (row + 1) * h + 1, w - 2, h - 2);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0.32f, 0.34f, 0.4f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(30.0, double(w) / h, 1.0, 2000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// A model standing at the origin, seen from yaw degrees around it (0 = from its front, +x).
void modelCell(int column, int row, int columns, int rows, const Model& model, int block, float yaw)
{
    beginCell(column, row, columns, rows);
    float distance = model.height * 2.6f, a = yaw * 0.017453292f;
    gluLookAt(distance * std::cos(a), model.height * 0.75f, distance * std::sin(a), 0, model.height * 0.45f, 0, 0, 1, 0);
    drawModel(model, block);
}

void drawSky(float x, float z, uint32_t world)
{
    static std::vector<float> st;
    const float* sky = skyBoxMeshData();
    if (st.empty()) {
        st.assign(sky + 3 * SkyBoxVertexCount, sky + 5 * SkyBoxVertexCount);
        flipTexCoordRows(st.data(), SkyBoxVertexCount);
    }
    glBindTexture(GL_TEXTURE_2D, world);
    glPushMatrix();
    glTranslatef(x, 250, z);
    glScalef(500, 500, 500);
    glVertexPointer(3, GL_FLOAT, 0, sky);
    glTexCoordPointer(2, GL_FLOAT, 0, st.data());
    glDrawArrays(GL_TRIANGLES, 0, SkyBoxVertexCount);
    glPopMatrix();
}

void drawCity(float x, float z, uint32_t world)
{
    glBindTexture(GL_TEXTURE_2D, world);
    drawCityCellByCell(cellIndexOf(x), cellIndexOf(z));
}

bool findCell(CellType type, int& x, int& z, int& rotation)
{
    for (int i = 30; i < GridSize - 30; ++i)
        for (int k = 30; k < GridSize - 30; ++k)
            if (cityGrid.cells[i][GroundLevel][k].type == type) {
                x = i;
                z = k;
                rotation = cityGrid.cells[i][GroundLevel][k].rotation;
                return true;
            }
    return false;
}

void cityView(int column, int row, float ex, float ey, float ez, float tx, float ty, float tz, uint32_t world, bool withCast)
{
    int w = SheetWidth / 2, h = SheetHeight / 2;
    glViewport(column * w, SheetHeight - (row + 1) * h, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(50.0, double(w) / h, 1.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(ex, ey, ez, tx, ty, tz, 0, 1, 0);
    drawSky(ex, ez, world);
    drawCity(ex, ez, world);
    if (withCast) {
        // The cast lined up in front of the target, facing the camera.
        float dx = ex - tx, dz = ez - tz, length = std::sqrt(dx * dx + dz * dz);
        dx /= length;
        dz /= length;
        float heading = std::atan2(dz, dx) * 57.29578f;
        for (int m = 0; m < 4; ++m) {
            float side = (m - 1.5f) * 7.0f;
            glPushMatrix();
            glTranslatef(tx + dx * 14 - dz * side, 5.0f, tz + dz * 14 + dx * side);
            glRotatef(-heading, 0, 1, 0);
            drawModel(models[m], m == 0 ? 1 : 1);
            glPopMatrix();
        }
    }
}

bool saveSheet(const std::string& path)
{
    std::vector<unsigned char> pixels(SheetWidth * SheetHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, SheetWidth, SheetHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    Image image = makeImage(SheetWidth, SheetHeight, rgb(0, 0, 0));
    for (int y = 0; y < SheetHeight; ++y)
        for (int x = 0; x < SheetWidth; ++x) {
            const unsigned char* p = &pixels[((SheetHeight - 1 - y) * SheetWidth + x) * 3];
            at(image, x, y) = {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, 1.0f};
        }
    return writePng(path.c_str(), image, false);
}

// Screens as the game lays them out on a 640 x 480 window, drawn here from the same regions.
void screenCell(int column, int row)
{
    glViewport(column * 640, SheetHeight - (row + 1) * 480, 640, 480);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 640, 480, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// A quad at (x, y, w, h) in window pixels showing the texture rectangle (u, v, uw, vh) in pixels
// of an image of the given size.
void quad(float x, float y, float w, float h, float u, float v, float uw, float vh, float tw, float th)
{
    const float vertices[8] = {x, y + h, x + w, y + h, x + w, y, x, y};
    const float st[8] = {u / tw, (v + vh) / th, (u + uw) / tw, (v + vh) / th, (u + uw) / tw, v / th, u / tw, v / th};
    glVertexPointer(2, GL_FLOAT, 0, vertices);
    glTexCoordPointer(2, GL_FLOAT, 0, st);
    glDrawArrays(GL_QUADS, 0, 4);
}

void hudText(float x, float y, const char* text)
{
    for (; *text; ++text, x += 12) {
        int g = *text - 32;
        quad(x, y, 12, 28, 16.0f * (g % 32) + 2, 32.0f * (g / 32) + 2, 12, 28, 512, 512);
    }
}

void dashText(int x, const char* text, int y)
{
    for (int pen = x - 5; *text; ++text, pen += 10) {
        int i = *text - 32;
        quad(float(pen), float(y), 20, 20, 20.0f * (i % 32), 20.0f * (i / 32), 20, 20, 1024, 256);
    }
}

void dashFrame(int x, int y, int style)
{
    auto piece = [&](int k, float px, float py, float w, float h) {
        quad(px, py, w, h, 60.0f * style + 20 * (k / 3), 60.0f + 20 * (k % 3), 20, 20, 1024, 256);
    };
    piece(0, x - 20, y - 20, 20, 20);
    piece(2, x - 20, y + 15, 20, 20);
    piece(6, x + 300, y - 20, 20, 20);
    piece(8, x + 300, y + 15, 20, 20);
    for (int i = 0; i < 15; ++i) {
        piece(5, x + 20 * i, y + 15, 20, 20);
        piece(3, x + 20 * i, y - 20, 20, 20);
    }
    piece(7, x + 300, y, 20, 15);
    piece(1, x - 20, y, 20, 15);
    for (int i = 0; i < 15; ++i)
        piece(4, x + 20 * i, y, 20, 15);
}

void drawScreens(uint32_t world)
{
    uint32_t splash = loadTexture("Media/splashscreen.png", false);
    uint32_t hud = loadTexture("Media/hudtexture.png", false);
    uint32_t dash = loadTexture("Media/dashboard.png", false);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_CULL_FACE);
    screenCell(0, 0);
    glBindTexture(GL_TEXTURE_2D, splash);
    quad(0, 0, 640, 480, 0, 0, 640, 480, 1024, 512);
    screenCell(1, 0);
    glBindTexture(GL_TEXTURE_2D, hud);
    quad(0, 0, 640, 480, 4, 292, 2, 4, 512, 512);
    quad(68, 158.5f, 504, 163, 4, 292, 504, 163, 512, 512);
    // Play: a street with the HUD panel over it.
    int x = 100, z = 100, r = 0;
    const float facing[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    if (findCell(CellType::StreetGround, x, z, r))
        cityView(0, 1, 10 * x + facing[r][0] * 40, 16, 10 * z + facing[r][1] * 40, 10.0f * x, 18, 10.0f * z, world, true);
    glDisable(GL_CULL_FACE);
    screenCell(0, 1);
    glBindTexture(GL_TEXTURE_2D, hud);
    quad(18, 28, 234, 52, 500, 490, 5, 5, 512, 512);
    quad(20, 30, 230, 48, 500, 70, 5, 5, 512, 512);
    hudText(30, 30, "health:");
    hudText(30, 50, "energy:");
    hudText(204, 30, "100");
    hudText(228, 50, "7");
    // The pause menu, fully open, with the pointer over "Resume game".
    screenCell(1, 1);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    glBindTexture(GL_TEXTURE_2D, dash);
    quad(0, 0, 640, 60, 0, 120, 640, 60, 1024, 256);
    dashText(20, "Lornhaven", 18);
    dashText(20, "v0.3", 38);
    dashText(620 - 100, "07.12.2026", 18);
    dashText(620 - 80, "23:45:12", 38);
    quad(0, 420, 640, 60, 0, 180, 640, 60, 1024, 256);
    dashText(20, "Lornhaven - a night in the city of monsters", 442);
    dashFrame(170, 115 - 7, 1);
    dashText(320 - 55, "Resume game", 115 - 10);
    dashFrame(170, 165 - 7, 0);
    dashText(320 - 20, "Exit", 165 - 10);
    quad(330 - 12, 118 - 10, 40, 60, 440, 60, 40, 60, 1024, 256);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
}

// Every image as loaded, over a checkerboard so the dashboard's transparency shows.
void drawAtlases(uint32_t world)
{
    const struct {
        const char* path;
        float x, y, w, h;
    } images[] = {
        {"Media/hudtexture.png", 400, 0, 400, 400},
        {"Media/splashscreen.png", 800, 0, 480, 240},
        {"Media/dashboard.png", 0, 400, 1280, 320},
        {"Media/lowpolyherotexture.png", 0, 720, 240, 240},
        {"Media/lowpolyzombietexture.png", 240, 720, 240, 240},
        {"Media/lowpolybigmonstertexture.png", 480, 720, 240, 240},
        {"Media/lowpolyrobottexture.png", 720, 720, 240, 240},
    };
    glViewport(0, 0, SheetWidth, SheetHeight);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, SheetWidth, SheetHeight, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    for (int y = 0; y < SheetHeight; y += 16)
        for (int x = 0; x < SheetWidth; x += 16) {
            float grey = ((x + y) / 16) % 2 ? 0.55f : 0.4f;
            glColor3f(grey, grey, grey);
            const float v[8] = {float(x), y + 16.0f, x + 16.0f, y + 16.0f, x + 16.0f, float(y), float(x), float(y)};
            glVertexPointer(2, GL_FLOAT, 0, v);
            glDisableClientState(GL_TEXTURE_COORD_ARRAY);
            glDrawArrays(GL_QUADS, 0, 4);
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        }
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, world);
    quad(0, 0, 400, 400, 0, 0, 1, 1, 1, 1);
    for (const auto& image : images) {
        glBindTexture(GL_TEXTURE_2D, loadTexture(image.path, false));
        quad(image.x, image.y, image.w, image.h, 0, 0, 1, 1, 1, 1);
    }
    glDisable(GL_BLEND);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: contactsheet OUTPUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    if (!SDL_SetVideoMode(SheetWidth, SheetHeight, 0, SDL_OPENGL))
        return 3;
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    prepareModels();

    // Models: the hero's eight poses from the front-left, then from the side; each monster's
    // four blocks from the front-left and from the side.
    glClearColor(0.1f, 0.1f, 0.12f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int b = 0; b < HeroBlockCount; ++b) {
        modelCell(b, 0, 8, 5, models[0], b, 35);
        modelCell(b, 1, 8, 5, models[0], b, 90);
    }
    for (int m = 1; m < 4; ++m)
        for (int b = 0; b < MonsterBlockCount; ++b) {
            int cell = (m - 1) * 8 + b * 2;
            modelCell(cell % 8, 2 + cell / 8, 8, 5, models[m], b, 35);
            modelCell(cell % 8 + 1, 2 + cell / 8, 8, 5, models[m], b, 90);
        }
    bool ok = saveSheet(dir + "/contact_models.png");
    SDL_GL_SwapBuffers();

    // City: a generated city seen from a doorway, along a road, from above and toward the horizon.
    uint32_t world = loadTexture("Media/worldtexture.png", true);
    startWorld(12345);
    glClearColor(0.05f, 0.05f, 0.08f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    int x = 100, z = 100, r = 0;
    const float facing[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    if (findCell(CellType::DoorGround, x, z, r))
        cityView(0, 0, 10 * x + facing[r][0] * 45, 18, 10 * z + facing[r][1] * 45, 10.0f * x, 14, 10.0f * z, world, true);
    if (findCell(CellType::RoadCentre, x, z, r)) {
        float ax = r == 0 ? 0.0f : 1.0f, az = r == 0 ? 1.0f : 0.0f;
        cityView(1, 0, 10.0f * x, 12, 10.0f * z, 10 * x + ax * 100, 12, 10 * z + az * 100, world, false);
    }
    cityView(0, 1, 820, 170, 820, 1000, 0, 1000, world, false);
    if (findCell(CellType::StreetGround, x, z, r))
        cityView(1, 1, 10 * x + facing[r][0] * 25, 40, 10 * z + facing[r][1] * 25, 10 * x - facing[r][0] * 200, 90,
                 10 * z - facing[r][1] * 200, world, false);
    ok = saveSheet(dir + "/contact_city.png") && ok;
    SDL_GL_SwapBuffers();
    drawScreens(world);
    ok = saveSheet(dir + "/contact_screens.png") && ok;
    SDL_GL_SwapBuffers();
    drawAtlases(world);
    ok = saveSheet(dir + "/contact_atlases.png") && ok;
    SDL_GL_SwapBuffers();
    SDL_Quit();
    return ok ? 0 : 1;
}
