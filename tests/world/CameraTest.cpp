#include <cmath>

#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "tests/world/CameraFixture.h"

namespace {

TEST_F(CameraTest, ProjectionIsTheLeftHandedPerspective)
{
    const D3DXMATRIX& p = camera.projection;
    EXPECT_NEAR(p._11, 0.75f, 1e-5f);
    EXPECT_NEAR(p._22, 1.0f, 1e-5f);
    EXPECT_NEAR(p._33, 2000.0f / 1999.75f, 1e-5f);
    EXPECT_NEAR(p._43, -0.25f * 2000.0f / 1999.75f, 1e-5f);
    EXPECT_FLOAT_EQ(p._34, 1.0f);
    EXPECT_FLOAT_EQ(p._44, 0.0f);
}

TEST_F(CameraTest, PointsProjectToVirtualUnitsWithTheirDepth)
{
    float x, y, depth;
    EXPECT_EQ(camera.ProjectPoint(&x, &y, {0, 0, 10}, &depth), 1);
    EXPECT_NEAR(x, 400.0f, 0.01f);
    EXPECT_NEAR(y, 300.0f, 0.01f);
    EXPECT_NEAR(depth, 10.0f, 1e-4f);
    EXPECT_EQ(camera.ProjectPoint(&x, &y, {0, 5, 10}, &depth), 1);
    EXPECT_NEAR(y, 150.0f, 0.01f); // up on screen
    EXPECT_EQ(camera.ProjectPoint(&x, &y, {0, 0, -10}, &depth), 0);
    EXPECT_EQ(camera.ProjectPoint(&x, &y, {20, 0, 10}, &depth), 0);
}

TEST_F(CameraTest, SphereTestCountsSpheresPartlyOnScreen)
{
    struct Case {
        const char* name;
        D3DXVECTOR3 centre;
        float radius;
        int expected;
    };
    const Case cases[] = {
        {"ahead", {0, 0, 10}, 1, 1},
        {"around the eye", {0, 0, 0.5f}, 1, 1},
        {"behind", {0, 0, -10}, 1, 0},
        {"beside, reaching into view", {15, 0, 10}, 3, 1},
        {"beside, small", {15, 0, 10}, 0.1f, 0},
        // Tested with a tenth more than the radius: the rim 1.155 from the centre is on screen.
        {"beside, within a tenth more than its radius", {15, 0, 10}, 1.05f, 1},
        {"just behind the eye, within a tenth more", {0, 0, -1}, 0.95f, 1},
        {"behind the eye, farther than a tenth more", {0, 0, -1}, 0.9f, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(camera.SphereTest(c.centre, c.radius), c.expected) << c.name;
}

// A fade-in that reaches its duration draws nothing more (so this runs without a device).
TEST_F(CameraTest, FadeInEndsAfterItsDurationOnTheRealClock)
{
    camera.StartFadeIn(2.0f, 0);
    camera.fadeElapsed = 1.95f;
    gameTimer.realStep = 0.1f;
    camera.DrawFade();
    EXPECT_EQ(camera.fadeKind, FADE_IN);
    EXPECT_NEAR(camera.fadeElapsed, 2.05f, 1e-5f);
}

TEST_F(CameraTest, AFadeWithMusicEndsOnFullMasterVolumeAndThenLeavesItAlone)
{
    GameSettings[SLOT_AUDIO] = 1;
    GameSettings[SLOT_MASTER] = 97; // as the last step short of the end left it
    camera.StartFadeIn(2.0f, 1);
    camera.fadeElapsed = 1.95f;
    gameTimer.realStep = 0.1f;
    camera.DrawFade();
    EXPECT_EQ(GameSettings[SLOT_MASTER], 100);

    GameSettings[SLOT_MASTER] = 70;
    camera.DrawFade();
    EXPECT_EQ(GameSettings[SLOT_MASTER], 70) << "a finished fade drives the volume no more";
    GameSettings[SLOT_AUDIO] = 0;
}

} // namespace
