#include "tools/makedata/FontBaker.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/font/FontMask.h"

namespace {

const char* const SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

FontGlyphTable ReadBack(const BakedFont& font)
{
    FontGlyphTable table {};
    const char* error = ReadFontGlyphs(font.chars.data(), font.chars.size(), font.mask.data(), font.mask.size(), table);
    EXPECT_EQ(error, nullptr) << error;
    return table;
}

TEST(FontBaker, MaskDescribesEveryGlyphOfTheList)
{
    const BakedFont font = BakeFont({SANS, 18, 0, PrintableAscii()});
    ASSERT_EQ(font.mask.size(), std::size_t(font.side) * font.side);
    ASSERT_EQ(font.texels.size(), font.mask.size());
    const FontGlyphTable table = ReadBack(font);
    ASSERT_EQ(table.count, 95u);
    EXPECT_GE(table.lineHeight, 18.0f);
    EXPECT_LE(table.lineHeight, 24.0f);

    auto width = [&](char c) { return table.glyphs[c - ' '].width; };
    EXPECT_EQ(table.glyphs[0].character, ' ');
    EXPECT_GT(width(' '), 0.0f);
    EXPECT_GT(width('M'), width('i'));
    EXPECT_GT(width('i'), 0.0f);
}

TEST(FontBaker, GlyphsAreWhiteWithCoverageInAlphaAndBordersClear)
{
    const BakedFont font = BakeFont({SANS, 18, 2, "A"});
    bool inked = false;
    for (std::size_t i = 0; i < font.texels.size(); ++i) {
        EXPECT_EQ(font.texels[i] & 0x00FFFFFFu, 0x00FFFFFFu);
        const std::uint8_t alpha = font.texels[i] >> 24;
        if (font.mask[i] == 0xFF)
            EXPECT_EQ(alpha, 0);
        else
            EXPECT_EQ(font.mask[i], std::min<std::uint8_t>(alpha, 0xFE));
        inked = inked || alpha == 0xFF;
    }
    EXPECT_TRUE(inked);
}

TEST(FontBaker, MarginWidensEveryGlyphOnBothSides)
{
    const FontGlyphTable plain = ReadBack(BakeFont({SANS, 18, 0, "AW"}));
    const FontGlyphTable padded = ReadBack(BakeFont({SANS, 18, 3, "AW"}));
    EXPECT_FLOAT_EQ(padded.glyphs[0].width, plain.glyphs[0].width + 6);
    EXPECT_FLOAT_EQ(padded.glyphs[1].width, plain.glyphs[1].width + 6);
}

TEST(FontBaker, SameInputSameBytes)
{
    const BakedFont a = BakeFont({SANS, 20, 1, PrintableAscii()});
    const BakedFont b = BakeFont({SANS, 20, 1, PrintableAscii()});
    EXPECT_EQ(a.mask, b.mask);
    EXPECT_EQ(a.texels, b.texels);
}

TEST(FontBaker, MissingFaceIsAnError)
{
    EXPECT_THROW(BakeFont({"/nonexistent/face.ttf", 18, 0, "A"}), std::runtime_error);
}

} // namespace
