#include <gtest/gtest.h>

#include <algorithm>

#include "engine/D3DRender.h"
#include "engine/GameTimer.h"
#include "engine/InputState.h"
#include "frontend/GameMenu.h"
#include "tests/font/FontDrawFixture.h"

namespace {

// The active menu on the real device with the data builder's menu font.
class MenuDraw : public FontDrawTest {
protected:
    void SetUp() override
    {
        FontDrawTest::SetUp();
        ASSERT_EQ(gameMenu.font.Load("Data/Interface/Fonts/Menu 01"), 1);
        gameMenu.font.letterSpacing = -gameMenu.font.UpdateSpacing();
        gameMenu.CreatePages();
        gameMenu.ClearFocus();
        inputState = {};
        mouseState = {-100, -100, -100, -100};
        RaceMode = RACE_MODE_NONE;
    }
    void TearDown() override { gameMenu.font.Release(); }

    // The brightest pixel of a rectangle given in virtual units.
    int PeakBrightness(float x, float y, float width, float height)
    {
        const float xf = d3dRender.xFactor, yf = d3dRender.yFactor;
        const auto pixels = Pixels(static_cast<int>(x * xf), static_cast<int>(y * yf), static_cast<int>(width * xf),
                                   static_cast<int>(height * yf));
        int peak = 0;
        for (D3DCOLOR pixel : pixels)
            peak = std::max(peak, Brightness(pixel));
        return peak;
    }
};

TEST_F(MenuDraw, TheMainPageDrawsItsButtonsOnlyWhileTheMenuIsActive)
{
    gameMenu.page = MENU_PAGE_MAIN;
    gameMenu.active = 0;
    gameMenu.Draw();
    EXPECT_LT(PeakBrightness(540, 285, 120, 30), 20) << "the inactive menu draws nothing on page 20";

    gameMenu.active = 1;
    gameMenu.Draw();
    EXPECT_GT(PeakBrightness(540, 285, 120, 30), 100) << "\"QUICK RACE\" around (600, 300)";
    EXPECT_GT(PeakBrightness(540, 525, 120, 30), 60) << "\"EXIT GAME\" around (600, 540)";
    EXPECT_LT(PeakBrightness(200, 300, 100, 100), 20) << "nothing left of the buttons";
}

TEST_F(MenuDraw, EndOfRaceTextsFadeInOverFiveSeconds)
{
    gameMenu.active = 0;
    gameMenu.page = MENU_PAGE_END_OF_CAREER;
    gameMenu.fade = 0;
    gameMenu.Draw();
    EXPECT_LT(PeakBrightness(250, 95, 300, 40), 20) << "invisible as the page opens";

    d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    gameMenu.fade = 5;
    gameMenu.Draw();
    EXPECT_GT(PeakBrightness(250, 95, 300, 40), 120) << "\"CONGRATULATIONS!\" opaque after 5 s";
}

} // namespace
