#include <gtest/gtest.h>

#include "render/screens.h"

namespace {

TEST(HudGlyphs, InsetCellsAndGlyphSize)
{
    buildHudGlyphs();
    EXPECT_EQ(hudGlyphWidth, 12.0f);
    EXPECT_EQ(hudGlyphHeight, 28.0f);
    // The digit 0 (glyph 16): pixels x 258..270, y 2..30, corners bottom-left first.
    const float expected[8] = {258, 30, 270, 30, 270, 2, 258, 2};
    for (int k = 0; k < 8; ++k) {
        EXPECT_FLOAT_EQ(hudGlyphQuads[16].st[k] * 512.0f, expected[k]) << k;
    }
    // The last glyph (code 127) sits in row 2, column 31.
    EXPECT_FLOAT_EQ(hudGlyphQuads[95].st[0] * 512.0f, 498.0f);
    EXPECT_FLOAT_EQ(hudGlyphQuads[95].st[1] * 512.0f, 94.0f);
    // Building twice changes nothing.
    buildHudGlyphs();
    EXPECT_EQ(hudGlyphWidth, 12.0f);
    EXPECT_EQ(hudGlyphHeight, 28.0f);
}

} // namespace
