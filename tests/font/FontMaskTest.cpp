#include "engine/font/FontMask.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/font/TestMask.h"

namespace {

const char* Read(const std::string& chars, const TestMask& mask, FontGlyphTable& table)
{
    return ReadFontGlyphs(reinterpret_cast<const std::uint8_t*>(chars.data()), chars.size(), mask.bytes.data(),
                          mask.bytes.size(), table);
}

TEST(FontMask, BandsOfTheLineHeightFoundInColumnOne)
{
    // First border in column 1 at row 9: line height 8, bands at rows 1, 10 and 19.
    TestMask mask(64);
    mask.Cell(1, 1, 12, 8);
    mask.Cell(14, 1, 3, 8, 0x80);
    mask.Cell(1, 10, 5, 8);
    mask.Cell(7, 19, 1, 8);
    FontGlyphTable table {};
    ASSERT_EQ(Read("ABCD", mask, table), nullptr);
    EXPECT_EQ(table.count, 4u);
    EXPECT_FLOAT_EQ(table.lineHeight, 8.0f);

    const float texel = 1.0f / 64;
    const FontGlyph& a = table.glyphs[0];
    EXPECT_EQ(a.character, 'A');
    EXPECT_FLOAT_EQ(a.width, 11.0f); // a run of 12 columns
    EXPECT_FLOAT_EQ(a.height, 7.0f);
    EXPECT_FLOAT_EQ(a.uL, 1 * texel);
    EXPECT_FLOAT_EQ(a.uR, 13 * texel);
    EXPECT_FLOAT_EQ(a.vT, 1 * texel);
    EXPECT_FLOAT_EQ(a.vB, 9 * texel);

    EXPECT_EQ(table.glyphs[1].character, 'B');
    EXPECT_FLOAT_EQ(table.glyphs[1].uL, 14 * texel);
    EXPECT_FLOAT_EQ(table.glyphs[1].width, 2.0f);
    EXPECT_FLOAT_EQ(table.glyphs[2].vT, 10 * texel);
    EXPECT_FLOAT_EQ(table.glyphs[2].width, 4.0f);
    EXPECT_FLOAT_EQ(table.glyphs[3].vT, 19 * texel);
    EXPECT_FLOAT_EQ(table.glyphs[3].vB, 27 * texel);
    EXPECT_FLOAT_EQ(table.glyphs[3].width, 0.0f);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(table.chars), table.count), "ABCD");
}

TEST(FontMask, CellReachingTheRightEdgeEndsThere)
{
    TestMask mask(16);
    mask.Cell(1, 1, 15, 4);
    FontGlyphTable table {};
    ASSERT_EQ(Read("W", mask, table), nullptr);
    EXPECT_FLOAT_EQ(table.glyphs[0].width, 14.0f);
    EXPECT_FLOAT_EQ(table.glyphs[0].uR, 1.0f);
}

struct RefusedMask {
    const char* name;
    std::string chars;
    TestMask mask;
    const char* error;
};

TEST(FontMask, MalformedFontsAreRefusedWithoutGlyphs)
{
    TestMask twoCells(32);
    twoCells.Cell(1, 1, 4, 6);
    twoCells.Cell(6, 1, 4, 6);
    TestMask noBorderBelow(8);
    noBorderBelow.Cell(1, 1, 3, 7);
    TestMask emptyBand(8); // row 1 is border: the band would have no rows
    TestMask notSquare(8);
    notSquare.bytes.pop_back();

    const RefusedMask cases[] = {
        {"256 chars", std::string(256, 'a'), twoCells, "Too many chars in enumeration!"},
        {"not square", "AB", notSquare, "Mask file is not square!"},
        {"empty mask", "", TestMask(0), "Mask line height not found!"},
        {"one texel", "", TestMask(1), "Mask line height not found!"},
        {"no border row", "A", noBorderBelow, "Mask line height not found!"},
        {"empty band", "A", emptyBand, "Mask line height not found!"},
        {"more cells", "A", twoCells, "Mask cells do not match chars!"},
        {"fewer cells", "ABC", twoCells, "Mask cells do not match chars!"},
    };
    for (const RefusedMask& refused : cases) {
        FontGlyphTable table {};
        table.count = 7;
        const char* error = Read(refused.chars, refused.mask, table);
        ASSERT_NE(error, nullptr) << refused.name;
        EXPECT_STREQ(error, refused.error) << refused.name;
        EXPECT_EQ(table.count, 0u) << refused.name;
    }
}

TEST(FontMask, FullListOf255Glyphs)
{
    // 255 cells of 2 columns in bands of 2 rows.
    TestMask mask(64);
    std::string chars;
    for (int i = 0; i < 255; ++i) {
        mask.Cell(1 + (i % 21) * 3, 1 + (i / 21) * 3, 2, 2);
        chars += static_cast<char>(i + 1);
    }
    FontGlyphTable table {};
    ASSERT_EQ(Read(chars, mask, table), nullptr);
    EXPECT_EQ(table.count, 255u);
    EXPECT_EQ(table.glyphs[254].character, 255);
    EXPECT_FLOAT_EQ(table.glyphs[254].vT, (1 + 12 * 3) / 64.0f);
}

} // namespace
