#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "audio/AudioManager.h"
#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "frontend/GameMenu.h"
#include "frontend/MenuButton.h"
#include "frontend/MenuRect.h"
#include "tests/font/FontDrawFixture.h"
#include "tools/makedata/WavWriter.h"

namespace {

// "BACK" in the menu font at scale 0.75, centred on (400, 300), white.
class MenuButtonDraw : public FontDrawTest {
protected:
    void SetUp() override
    {
        FontDrawTest::SetUp();
        ASSERT_EQ(font.Load("Data/Interface/Fonts/Menu 01"), 1);
        font.letterSpacing = -font.UpdateSpacing();
        inputState = {};
        mouseState = {};
        gameMenu.ClearFocus();
        gameMenu.hoverSound = gameMenu.pressSound = nullptr;
        button.Init("BACK", &font, 1, 1, 1, 1, MENU_ALIGN_CENTRE, 0.75f, 1);
        button.x = 400;
        button.y = 300;
    }
    void TearDown() override { font.Release(); }

    void Focus()
    {
        gameMenu.focusList[0] = &button;
        gameMenu.focusCount = 1;
        gameMenu.focused = &button;
    }

    // Horizontal extent of the caption's bright pixels on the rows of the text, in pixels.
    std::pair<int, int> CaptionSpan()
    {
        const float h = font.GetTextHeight(button.scale);
        const int top = static_cast<int>((button.y - h * 0.5f) * d3dRender.yFactor);
        const std::vector<D3DCOLOR> rows = Pixels(0, top, WIDTH, static_cast<int>(h * d3dRender.yFactor));
        int left = WIDTH, right = -1;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (Brightness(rows[i]) < 140)
                continue;
            left = std::min(left, static_cast<int>(i % WIDTH));
            right = std::max(right, static_cast<int>(i % WIDTH));
        }
        return {left, right};
    }

    int BrightnessAt(float x, float y)
    {
        return Brightness(Pixels(static_cast<int>(x * d3dRender.xFactor), static_cast<int>(y * d3dRender.yFactor), 1, 1)[0]);
    }

    CFont font;
    CMenuButton button;
};

TEST_F(MenuButtonDraw, CaptionDrawsCentredOnItsPosition)
{
    button.Draw();
    const float w = font.GetTextWidth("BACK", 0.75f, 0);
    const auto [left, right] = CaptionSpan();
    const float xf = d3dRender.xFactor;
    EXPECT_NEAR(left, (400 - w * 0.5f) * xf, 6 * xf);
    EXPECT_NEAR(right, (400 + w * 0.5f) * xf, 6 * xf);
    EXPECT_LT(BrightnessAt(400 - w * 0.5f - 2, 300), 20) << "no highlight without the focus";
}

TEST_F(MenuButtonDraw, FocusHighlightFramesTheCaptionWithTheMouseElsewhere)
{
    Focus();
    button.Draw();
    const float w = font.GetTextWidth("BACK", 0.75f, 0);
    const float left = static_cast<float>(static_cast<int>(400 - w * 0.5f));
    // Inside the box the bevel fill: 0.75 white at half alpha over black.
    const int fill = BrightnessAt(left - 2, 300);
    EXPECT_GT(fill, 60);
    EXPECT_LT(fill, 130);
    EXPECT_GT(BrightnessAt(left + w + 3, 300), 30); // under the last glyph's glow
    // Outside the box and its halo: the black of the cleared buffer.
    EXPECT_LT(BrightnessAt(left - 12, 300), 20);
    EXPECT_LT(BrightnessAt(left + w + 15, 300), 20);
    EXPECT_LT(BrightnessAt(400, 300 - font.GetTextHeight(0.75f) * 0.5f - 8), 20);
}

TEST_F(MenuButtonDraw, PressedItemIsATenthSmaller)
{
    button.Draw();
    const auto [left, right] = CaptionSpan();
    FontDrawTest::SetUp(); // clear
    button.pressed = 1;
    button.Draw();
    const auto [pressedLeft, pressedRight] = CaptionSpan();
    const float ratio = static_cast<float>(pressedRight - pressedLeft) / static_cast<float>(right - left);
    EXPECT_NEAR(ratio, 0.9f, 0.03f);
}

// The hover sound on OpenAL Soft's null device.
TEST_F(MenuButtonDraw, HoverSoundPlaysOnceWhenTheMouseArrives)
{
    const auto samples = std::vector<std::int16_t>(22050, 4000);
    std::filesystem::create_directories("Data/Audio/Bt");
    const std::vector<std::uint8_t> wav = MakeWav(samples, 1, 22050);
    std::ofstream("Data/Audio/Bt/Bt_In.wav", std::ios::binary)
        .write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
    GameSettings[SLOT_AUDIO] = 1;
    GameSettings[SLOT_MASTER] = GameSettings[SLOT_EFFECTS] = 100;
    ASSERT_EQ(audioManager.Init(nullptr), 0);
    gameMenu.hoverSound = audioManager.CreateSound("Data/Audio/Bt/Bt_In.wav", CSound::KIND_PLAIN, 1.0f, 10.0f);
    ASSERT_NE(gameMenu.hoverSound, nullptr);

    mouseState.x = 400;
    mouseState.y = 300;
    button.Draw();
    EXPECT_TRUE(gameMenu.hoverSound->IsPlaying());
    gameMenu.hoverSound->Stop();
    button.Draw();
    EXPECT_FALSE(gameMenu.hoverSound->IsPlaying()) << "staying on the item does not repeat it";
    mouseState.x = 0;
    button.Draw();
    mouseState.x = 400;
    button.Draw();
    EXPECT_TRUE(gameMenu.hoverSound->IsPlaying()) << "coming back plays it again";

    audioManager.ReleaseSound(&gameMenu.hoverSound);
    audioManager.Release();
}

} // namespace

namespace {

TEST_F(FontDrawTest, ScreenQuadCoversItsCornersInVirtualUnits)
{
    CMenuRect quad;
    quad.SetSprite(-1, 64, 0, 0, 64, 64);
    EXPECT_FLOAT_EQ(quad.vertices[0].u, 0.5f / 64);
    EXPECT_FLOAT_EQ(quad.vertices[3].v, 63.5f / 64);
    const int before = d3dRender.facesDrawn;
    quad.Set(100, 100, 200, 150, 0xFFFF0000, 0xFFFF0000, 0xFF0000FF, 0xFF0000FF);
    EXPECT_EQ(d3dRender.facesDrawn - before, 2);
    const float xf = d3dRender.xFactor, yf = d3dRender.yFactor;
    auto at = [&](float x, float y) { return Pixels(static_cast<int>(x * xf), static_cast<int>(y * yf), 1, 1)[0]; };
    EXPECT_GT((at(102, 125) >> 16) & 0xFF, 200u); // left corners red
    EXPECT_GT(at(198, 125) & 0xFF, 200u);         // right corners blue
    EXPECT_EQ(at(98, 125) & 0xFFFFFF, 0u);
    EXPECT_EQ(at(150, 153) & 0xFFFFFF, 0u);
}

} // namespace
