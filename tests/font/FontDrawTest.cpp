#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "engine/font/Font.h"
#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "tests/font/FontDrawFixture.h"

namespace {

const char* const fontFolders[] = {"Data/Interface/Fonts/Arial.18", "Data/Interface/Fonts/Menu 01",
                                   "Data/Interface/Fonts/Game 01"};

// The bright pixels' horizontal extent in a band of rows, in pixels; {-1, -1} when none.
std::pair<int, int> InkSpan(const std::vector<D3DCOLOR>& pixels, int width, int threshold = 128)
{
    int left = -1, right = -1;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (Brightness(pixels[i]) < threshold)
            continue;
        const int x = static_cast<int>(i) % width;
        left = left < 0 ? x : std::min(left, x);
        right = std::max(right, x);
    }
    return {left, right};
}

TEST_F(FontDrawTest, TextCoversItsMeasuredWidthInPixels)
{
    CFont font;
    ASSERT_EQ(font.Load("Data/Interface/Fonts/Menu 01"), 1);
    ASSERT_NE(font.textureId, -1);
    font.letterSpacing = -font.UpdateSpacing();
    const float width = font.GetTextWidth("MENU", 1.0f, 0);
    const float end = font.DrawTextColour(100, 100, "MENU", 0xFFFFFFFF, 1.0f, 0);
    EXPECT_FLOAT_EQ(end - 100, width);

    const float xf = d3dRender.xFactor;
    const int top = static_cast<int>(100 * d3dRender.yFactor);
    const int rows = static_cast<int>(font.GetTextHeight(1.0f) * d3dRender.yFactor);
    const auto [left, right] = InkSpan(Pixels(0, top, WIDTH, rows), WIDTH);
    EXPECT_NEAR(left, 100 * xf, 8 * xf);
    EXPECT_NEAR(right, (100 + width) * xf, 8 * xf);
    font.Release();
}

TEST_F(FontDrawTest, GradientRunsFromTopToBottomColour)
{
    CFont font;
    ASSERT_EQ(font.Load("Data/Interface/Fonts/Game 01"), 1);
    font.DrawText(100, 100, "I", 0xFFFF0000, 0xFF0000FF, 2.0f, 0);
    const float xf = d3dRender.xFactor, yf = d3dRender.yFactor;
    const float h = font.GetTextHeight(2.0f);
    const int rows = static_cast<int>(h * yf);
    const int width = static_cast<int>(150 * xf);
    const std::vector<D3DCOLOR> area = Pixels(0, static_cast<int>(100 * yf), width, rows);
    // Red over blue in the first inked row, blue over red in the last.
    int firstRow = -1, lastRow = -1;
    D3DCOLOR first = 0, last = 0;
    for (int row = 0; row < rows; ++row) {
        for (int x = 0; x < width; ++x) {
            const D3DCOLOR pixel = area[static_cast<std::size_t>(row * width + x)];
            if (((pixel >> 16) & 0xFF) + (pixel & 0xFF) < 200)
                continue;
            if (firstRow < 0) {
                firstRow = row;
                first = pixel;
            }
            if (row > lastRow) {
                lastRow = row;
                last = pixel;
            }
        }
    }
    ASSERT_GE(firstRow, 0);
    ASSERT_GT(lastRow, firstRow);
    EXPECT_GT((first >> 16) & 0xFF, first & 0xFF);
    EXPECT_GT(last & 0xFF, (last >> 16) & 0xFF);
    font.Release();
}

TEST_F(FontDrawTest, FixedWidthAdvancesByTheBlank)
{
    CFont font;
    ASSERT_EQ(font.Load("Data/Interface/Fonts/Game 01"), 1);
    unsigned quads = 0;
    const float end = font.LayoutText(10, 10, "1W1", 0, 0, 0.5f, 1, quads);
    EXPECT_EQ(quads, 3u);
    EXPECT_FLOAT_EQ(end - 10, 3 * font.blankWidth * 0.5f);
    // Every glyph is centred in its cell.
    for (unsigned q = 0; q < quads; ++q) {
        const float centre = (font.vertices[q * 4].x + font.vertices[q * 4 + 2].x) * 0.5f / d3dRender.xFactor;
        EXPECT_NEAR(centre, 10 + (q + 0.5f) * font.blankWidth * 0.5f, 0.01f);
    }
    font.Release();
}

TEST_F(FontDrawTest, LongTextDrawsIts254FirstCharacters)
{
    CFont font;
    ASSERT_EQ(font.Load("Data/Interface/Fonts/Arial.18"), 1);
    unsigned quads = 0;
    font.LayoutText(0, 0, std::string(300, 'x').c_str(), 0, 0, 0.1f, 0, quads);
    EXPECT_EQ(quads, 254u);
    const int before = d3dRender.facesDrawn;
    font.DrawTextColour(0, 0, std::string(300, 'x').c_str(), 0xFFFFFFFF, 0.1f, 0);
    EXPECT_EQ(d3dRender.facesDrawn - before, 2 * 254);
    font.Release();
}

TEST_F(FontDrawTest, MalformedFontIsRefusedAndDrawsNothing)
{
    std::filesystem::create_directories("Data/Interface/Fonts/Broken");
    std::FILE* file = std::fopen("Data/Interface/Fonts/Broken/Main.dat", "wb");
    ASSERT_NE(file, nullptr);
    const std::string tooLong(300, 'a');
    std::fwrite(tooLong.data(), 1, tooLong.size(), file);
    std::fclose(file);

    CFont font;
    EXPECT_EQ(font.Load("Data/Interface/Fonts/Broken"), 0);
    EXPECT_EQ(font.Load("Data/Interface/Fonts/Missing"), 0);
    EXPECT_EQ(font.textureId, -1);
    const int before = d3dRender.facesDrawn;
    EXPECT_FLOAT_EQ(font.DrawTextGlow(5, 5, "aaa", 0xFFFFFFFF, 0xFF000000, 1.0f), 5.0f);
    EXPECT_EQ(d3dRender.facesDrawn, before);
}

// Each font's line at several scales, with a gradient and a glow, over a grey backdrop; saved
// as font_samples.ppm in the test's folder for a look.
TEST_F(FontDrawTest, SampleImageOfTheThreeFonts)
{
    DrawQuad4(0, 0, 800, 600, 0xFF303848, 0xFF101018, 0xFF303848, 0xFF101018, -1);
    const float scales[] = {0.35f, 0.5f, 0.75f, 1.1f};
    float y = 8;
    for (const char* folder : fontFolders) {
        CFont font;
        ASSERT_EQ(font.Load(folder), 1) << folder;
        if (std::string(folder).find("Arial") == std::string::npos)
            font.letterSpacing = -font.UpdateSpacing();
        for (float scale : scales) {
            const float top = y;
            const float end = font.DrawTextGlow(10, y, "Vestrune QUICK RACE 0:42.7 (+1:05.3) 9/12", 0xFFFFFF80,
                                                0xFF000000, scale);
            font.DrawText(end + 10, y, "Gradient", 0xFFFFFF00, 0xFFFF4000, scale, 0);
            y += font.GetTextHeight(scale) + 4;
            const int rows = static_cast<int>((y - top) * d3dRender.yFactor) - 4;
            EXPECT_GE(InkSpan(Pixels(0, static_cast<int>(top * d3dRender.yFactor), WIDTH, rows), WIDTH, 200).first, 0)
                << folder << " at " << scale;
        }
        y += 6;
        font.Release();
    }
    SaveImage("font_samples.ppm");
}

} // namespace
