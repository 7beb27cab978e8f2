#include <gtest/gtest.h>

#include <string>

#include "engine/font/Font.h"
#include "platform/gfxx/D3DXMath.h"
#include "tests/font/TestFont.h"

namespace {

class FontMetrics : public testing::Test {
protected:
    void SetUp() override { BuildTestGlyphs(font); }
    CFont font;
};

TEST_F(FontMetrics, SpacingAndBlankFollowTheWidestGlyph)
{
    EXPECT_FLOAT_EQ(font.blankWidth, 5.5f);
    EXPECT_FLOAT_EQ(font.UpdateSpacing(), 1.0f);
    EXPECT_FLOAT_EQ(font.GetTextHeight(0.5f), 4.0f);
    font.fontScale = 2.0f;
    EXPECT_FLOAT_EQ(font.GetTextHeight(0.5f), 8.0f);
}

TEST_F(FontMetrics, TextWidthProportionalAndFixed)
{
    EXPECT_FLOAT_EQ(font.GetTextWidth("Ai", 1.0f, 0), 11.0f + 3.0f);
    EXPECT_FLOAT_EQ(font.GetTextWidth("Ai", 0.5f, 0), 7.0f);
    EXPECT_FLOAT_EQ(font.GetTextWidth("A i", 1.0f, 1), 3 * 5.5f);
    EXPECT_FLOAT_EQ(font.GetTextWidth("", 1.0f, 0), 0.0f);
    // Characters without a glyph take no room.
    EXPECT_FLOAT_EQ(font.GetTextWidth("A?i\xE9", 1.0f, 0), 14.0f);
    // Like the drawing, the measure stops after 254 characters.
    EXPECT_FLOAT_EQ(font.GetTextWidth(std::string(300, 'A').c_str(), 1.0f, 0), 254 * 11.0f);
}

TEST_F(FontMetrics, CharIndexUnderAnOffset)
{
    struct Case {
        float offset;
        int fixed;
        int index;
    };
    const Case cases[] = {
        {0.0f, 0, 0}, {9.9f, 0, 0},  {10.0f, 0, 1}, // the spacing after 'A' belongs to 'i'
        {12.9f, 0, 1}, {13.0f, 0, 2}, {100.0f, 0, 2},
        {5.4f, 1, 0}, {5.6f, 1, 1},  {11.0f, 1, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(font.GetCharIndexAt("Ai", c.offset, 1.0f, c.fixed), c.index) << c.offset << " fixed " << c.fixed;
    EXPECT_EQ(font.GetCharIndexAt("Ai", 6.0f, 0.5f, 0), 1);
}

TEST_F(FontMetrics, FindCharAndCorners)
{
    EXPECT_EQ(font.FindChar('A'), 0);
    EXPECT_EQ(font.FindChar('i'), 2);
    EXPECT_EQ(font.FindChar('Z'), FONT_NO_GLYPH);
    EXPECT_EQ(font.FindChar('\xE9'), FONT_NO_GLYPH);
    D3DXVECTOR2 corners[4];
    font.GetGlyphCorners('i', &corners[0], &corners[1], &corners[2], &corners[3]);
    EXPECT_FLOAT_EQ(corners[0].x, 19 / 32.0f);
    EXPECT_FLOAT_EQ(corners[0].y, 1 / 32.0f);
    EXPECT_FLOAT_EQ(corners[1].y, 9 / 32.0f);
    EXPECT_FLOAT_EQ(corners[3].x, 22 / 32.0f);
}

TEST(FontGlyphs, RepeatedCharacterUsesItsFirstGlyph)
{
    CFont font;
    BuildTestGlyphs(font, "AiiA");
    EXPECT_EQ(font.FindChar('A'), 0);
    EXPECT_EQ(font.FindChar('i'), 1);
}

TEST(FontGlyphs, UnloadedOrRefusedFontHasNoGlyphs)
{
    CFont unloaded;
    EXPECT_EQ(unloaded.textureId, -1);
    EXPECT_FLOAT_EQ(unloaded.GetTextWidth("Ai", 1.0f, 0), 0.0f);
    EXPECT_EQ(unloaded.FindChar('A'), FONT_NO_GLYPH);

    CFont refused;
    BuildTestGlyphs(refused, "Ai", 3); // three cells for two characters
    EXPECT_EQ(refused.table.count, 0u);
    EXPECT_EQ(refused.FindChar('A'), FONT_NO_GLYPH);
    EXPECT_EQ(refused.GetCharIndexAt("Ai", 5.0f, 1.0f, 0), 2);
}

} // namespace
