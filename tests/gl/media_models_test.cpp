// The model meshes drawn in a real context with the game's culling: no holes, sky seen from inside.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <vector>

#include "render/model_meshes.h"
#include "tests/gl/gl_test_window.h"

namespace {

const Rgb Clear = {0, 255, 0};

struct SavedClearColour {
    float rgba[4];
    SavedClearColour() { glGetFloatv(GL_COLOR_CLEAR_VALUE, rgba); }
    ~SavedClearColour() { glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]); }
};

struct Coverage {
    int pixels;
    double depth;   // summed over the covered pixels
};

// Draws the positions of one block, untextured, turned by yaw under an orthographic view
// 16 units high, culling the given side; returns the covered pixels and their depth.
Coverage coverage(const float* positions, int vertexCount, GLenum culled, float yaw)
{
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(culled);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-8 * 4.0 / 3.0, 8 * 4.0 / 3.0, -1, 15, -50, 50);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(yaw, 0, 1, 0);
    glColor4f(1, 1, 1, 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, positions);
    glDrawArrays(GL_TRIANGLES, 0, vertexCount);
    glDisableClientState(GL_VERTEX_ARRAY);
    glCullFace(GL_BACK);
    std::vector<unsigned char> pixels(TestWindowWidth * TestWindowHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, TestWindowWidth, TestWindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    std::vector<float> depth(TestWindowWidth * TestWindowHeight);
    glReadPixels(0, 0, TestWindowWidth, TestWindowHeight, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    Coverage c = {0, 0.0};
    for (size_t i = 0; i < depth.size(); ++i)
        if (!closeTo(Rgb{pixels[4 * i], pixels[4 * i + 1], pixels[4 * i + 2]}, Clear, 4)) {
            ++c.pixels;
            c.depth += depth[i];
        }
    return c;
}

// Culling back faces must show the near side of every part and leave no hole: the same
// silhouette as culling front faces, but nearer to the viewer.
TEST(ModelMeshesInGl, CharactersShowTheirNearSideWhenBackFacesAreCulled)
{
    openTestWindow();
    SavedClearColour saved;
    struct {
        float* (*data)();
        int vertexCount, blocks;
    } models[] = {
        {heroMeshData, HeroVertexCount, HeroBlockCount},
        {zombieMeshData, MonsterVertexCount, MonsterBlockCount},
        {bigMonsterMeshData, MonsterVertexCount, MonsterBlockCount},
        {robotMeshData, MonsterVertexCount, MonsterBlockCount},
    };
    for (const auto& m : models)
        for (int b = 0; b < m.blocks; ++b)
            for (float yaw : {-90.0f, 0.0f, 90.0f, 180.0f}) {
                const float* positions = m.data() + b * 8 * m.vertexCount;
                Coverage front = coverage(positions, m.vertexCount, GL_BACK, yaw);
                Coverage back = coverage(positions, m.vertexCount, GL_FRONT, yaw);
                EXPECT_GT(front.pixels, 1000);
                EXPECT_EQ(front.pixels, back.pixels) << "block " << b << " yaw " << yaw;
                EXPECT_LT(front.depth, back.depth) << "block " << b << " yaw " << yaw;
            }
}

TEST(ModelMeshesInGl, SkyBoxSeenFromInsideCoversTheViewAboveTheHorizon)
{
    openTestWindow();
    SavedClearColour saved;
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(50, 4.0 / 3.0, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    for (float yaw : {0.0f, 90.0f, 180.0f, 270.0f}) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glRotatef(-20, 1, 0, 0);   // looking up a little, as the follow camera can
        glRotatef(yaw, 0, 1, 0);
        glTranslatef(0, -20, 0);
        glPushMatrix();
        glTranslatef(0, 250, 0);
        glScalef(500, 500, 500);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, skyBoxMeshData());
        glDrawArrays(GL_TRIANGLES, 0, SkyBoxVertexCount);
        glDisableClientState(GL_VERTEX_ARRAY);
        glPopMatrix();
        for (int y = 0; y < TestWindowHeight / 2; y += 8)
            for (int x = 0; x < TestWindowWidth; x += 8)
                ASSERT_FALSE(closeTo(readPixel(x, y), Clear, 4)) << "yaw " << yaw << " at " << x << "," << y;
    }
}

} // namespace
