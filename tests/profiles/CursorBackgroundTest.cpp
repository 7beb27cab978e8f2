#include <gtest/gtest.h>

#include "engine/shell/GameTimer.h"
#include "frontend/Background.h"
#include "frontend/Cursor.h"
#include "tests/profiles/ScreensFixture.h"

namespace {

TEST(CursorPulse, ColourFoldsOverFiveSecondsAndGrowthOver480Milliseconds)
{
    struct Case {
        unsigned ms;
        float green, blue, grow;
    } const cases[] = {
        {0, 1.0f, 1.0f, 0.0f},      {210, 0.96f, 0.92f, 3.5f},  {240, 0.96f, 0.92f, 3.5f},
        {450, 0.91f, 0.82f, 0.0f},  {2450, 0.51f, 0.02f, 0.5f}, {2500, 0.51f, 0.02f, 1.5f},
        {4999, 1.0f, 1.0f, 3.0f},
    };
    for (const Case& c : cases) {
        const CursorPulse pulse = CursorPulseAt(c.ms);
        EXPECT_NEAR(pulse.green, c.green, 1e-4f) << c.ms;
        EXPECT_NEAR(pulse.blue, c.blue, 1e-4f) << c.ms;
        EXPECT_NEAR(pulse.grow, c.grow, 1e-4f) << c.ms;
    }
}

TEST(Cursor, StartsZeroAndDrawsNothingBeforeLoad)
{
    CCursor fresh {};
    fresh.visible = 1;
    fresh.Draw();    // not loaded: no texture to draw with, and no device touched
    fresh.Release(); // does not release texture slot 0
    EXPECT_EQ(fresh.loaded, 0);
}

class BackgroundTest : public ScreensTest {
protected:
    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            scene.Draw();
    }
    void SetUp() override
    {
        ScreensTest::SetUp();
        gameTimer.realStep = STEP;
    }

    static constexpr float STEP = 0.125f; // exact in binary: the clock the test controls
    CBackground scene;
};

TEST_F(BackgroundTest, FirstChangeAfterFiveSecondsTakesOneSecondThenEverySix)
{
    scene.SetBackgroundPicture(BACKGROUND_PICTURES_AND_SCROLL, 1, 3);
    EXPECT_EQ(scene.currentNumber, 3);
    Frames(39); // 4.875 s
    EXPECT_EQ(scene.nextNumber, -1);
    Frames(1); // 5 s: the next picture is chosen and fades in
    const int next = scene.nextNumber;
    EXPECT_GE(next, 1);
    EXPECT_LE(next, BACKGROUND_PICTURES);
    Frames(3);
    EXPECT_NEAR(scene.crossFade, 0.5f, 1e-6f);
    Frames(4); // 5.875 s: the fade is complete
    EXPECT_EQ(scene.currentNumber, next);
    EXPECT_EQ(scene.nextNumber, -1);
    EXPECT_EQ(scene.changeTimer, 0.0f);
    Frames(39);
    EXPECT_EQ(scene.nextNumber, -1);
    Frames(1);
    EXPECT_NE(scene.nextNumber, -1) << "the second change starts 6 s after the first";
}

TEST_F(BackgroundTest, WithoutScrollScreensTheSlotsStayIdleAndPicturesStillFade)
{
    scene.SetBackgroundPicture(BACKGROUND_PICTURES_AND_SCROLL, 1, 5);
    EXPECT_EQ(scene.scrollSlots[0].texture, -1);
    Frames(48);
    EXPECT_EQ(scene.scrollSlots[0].texture, -1);
    EXPECT_EQ(scene.scrollSlots[1].texture, -1);
    EXPECT_NE(scene.currentNumber, 5);
}

TEST_F(BackgroundTest, ScrollScreensDriftAtSixtyUnitsAndOverlapByFiveSeconds)
{
    scene.scrollScreens[0] = 7; // any id: an empty slot draws untextured
    scene.scrollScreenCount = 1;
    scene.SetBackgroundPicture(BACKGROUND_SCROLL_ONLY, 1, -1);
    ASSERT_EQ(scene.scrollSlots[0].texture, 7);
    const D3DXVECTOR3 start = scene.scrollSlots[0].position;
    const D3DXVECTOR3 direction = scene.scrollSlots[0].direction;
    EXPECT_NEAR(D3DXVec3Length(&direction), 1.0f, 1e-5f);
    EXPECT_NEAR(start.x, 400.0f - 300.0f * direction.x, 1e-3f);

    Frames(8);
    const D3DXVECTOR3 moved = scene.scrollSlots[0].position - start;
    EXPECT_NEAR(D3DXVec3Length(&moved), 60.0f, 1e-3f);
    Frames(31);
    EXPECT_EQ(scene.scrollSlots[1].texture, -1);
    Frames(1); // 5 s
    EXPECT_EQ(scene.scrollSlots[1].texture, 7);
    Frames(40); // 10 s: slot 0 starts anew
    EXPECT_LT(scene.scrollSlots[0].timer, 1.0f);
    EXPECT_NEAR(scene.scrollSlots[1].timer, 5.0f, 1e-4f);

    scene.ReleaseBackgrounds();
    EXPECT_EQ(scene.scrollSlots[0].texture, -1);
    EXPECT_EQ(scene.scrollScreens[0], 7) << "scroll screens belong to the table";
}

} // namespace
