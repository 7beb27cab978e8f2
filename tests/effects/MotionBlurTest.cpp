// Motion blur: its four targets, the conditions under which it runs, the history it keeps, the
// scene's area in the targets and the switch-off when the history cannot be copied.
#include <utility>
#include <vector>

#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "frontend/GameMenu.h"
#include "platform/gfx/GfxControl.h"
#include "tests/effects/EffectsFixture.h"
#include "tests/support/DeviceFixture.h"
#include "world/World.h"

namespace {

class MotionBlurTest : public EffectsTest {
protected:
    void SetUp() override
    {
        EffectsTest::SetUp();
        if (!d3dRender.blurAvailable)
            d3dRender.CreateRenderTargets();
        ASSERT_EQ(d3dRender.blurAvailable, 1);
        GameSettings[SLOT_BLUR] = 1;
        RaceMode = RACE_MODE_QUICK;
    }
    void TearDown() override
    {
        d3dRender.blurStrength = 0.0f;
        RaceMode = RACE_MODE_NONE;
        EffectsTest::TearDown();
    }

    // Width and height of render target 0.
    std::pair<UINT, UINT> RenderTargetSize()
    {
        IDirect3DSurface9* surface = nullptr;
        d3dRender.device->GetRenderTarget(0, &surface);
        D3DSURFACE_DESC desc {};
        surface->GetDesc(&desc);
        surface->Release();
        return {desc.Width, desc.Height};
    }

    // One frame whose whole scene is a clear to colour, composed onto the back buffer.
    void BlurredFrame(D3DCOLOR colour)
    {
        d3dRender.BeginMotionBlur();
        d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, colour, 1.0f, 0);
        d3dRender.DrawMotionBlur();
    }

    // Every texel of the four targets, the parts no scene fills too, set to colour.
    static void FillTargets(D3DCOLOR colour)
    {
        IDirect3DSurface9* backBuffer = nullptr;
        d3dRender.device->GetRenderTarget(0, &backBuffer);
        for (IDirect3DTexture9* target : d3dRender.blurTargets) {
            IDirect3DSurface9* surface = nullptr;
            target->GetSurfaceLevel(0, &surface);
            d3dRender.device->SetRenderTarget(0, surface); // the viewport: the whole surface
            d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0);
            surface->Release();
        }
        d3dRender.device->SetRenderTarget(0, backBuffer);
        backBuffer->Release();
    }

    static std::vector<D3DCOLOR> Screen()
    {
        return ReadRenderTarget(d3dRender.device, 0, 0, int(RENDER_WIDTH), int(RENDER_HEIGHT));
    }
};

} // namespace

TEST_F(MotionBlurTest, TargetsAreFourSquaresOfFallingSizeWithOneDepthSurface)
{
    const UINT sizes[BLUR_TARGETS] = {1024, 768, 512, 256};
    for (int i = 0; i < BLUR_TARGETS; ++i) {
        ASSERT_NE(d3dRender.blurTargets[i], nullptr);
        D3DSURFACE_DESC desc {};
        d3dRender.blurTargets[i]->GetLevelDesc(0, &desc);
        EXPECT_EQ(desc.Width, sizes[i]);
        EXPECT_EQ(desc.Height, sizes[i]);
        EXPECT_EQ(desc.Usage & D3DUSAGE_RENDERTARGET, DWORD(D3DUSAGE_RENDERTARGET));
    }
    EXPECT_NE(d3dRender.blurDepthSurface, nullptr);
    EXPECT_NE(d3dRender.blurQuads[0], nullptr);
    EXPECT_NE(d3dRender.blurQuads[1], nullptr);
}

TEST_F(MotionBlurTest, DoesNothingWithoutStrengthOrSetting)
{
    const auto backBuffer = RenderTargetSize();
    const struct {
        int setting;
        float strength;
    } cases[] = {{1, 0.0f}, {0, 1.0f}};
    for (const auto& c : cases) {
        GameSettings[SLOT_BLUR] = c.setting;
        d3dRender.blurStrength = c.strength;
        d3dRender.facesDrawn = 0;
        d3dRender.BeginMotionBlur();
        EXPECT_EQ(RenderTargetSize(), backBuffer) << c.setting << " " << c.strength;
        d3dRender.DrawMotionBlur();
        EXPECT_EQ(d3dRender.facesDrawn, 0);
    }
}

TEST_F(MotionBlurTest, DrawsIntoTargetZeroAndComposesTheLastFourFrames)
{
    d3dRender.blurStrength = 1.0f;
    const auto backBuffer = RenderTargetSize();
    d3dRender.BeginMotionBlur();
    EXPECT_EQ(RenderTargetSize(), std::make_pair(1024u, 1024u)) << "target 0";
    // The scene at the back buffer's own size, in the target's top-left corner.
    EXPECT_EQ(world.viewport.Width, 1024u);
    EXPECT_EQ(world.viewport.Height, 768u);
    EXPECT_FLOAT_EQ(d3dRender.xFactor, 1.0f);
    d3dRender.DrawMotionBlur();
    EXPECT_EQ(RenderTargetSize(), backBuffer);
    EXPECT_FLOAT_EQ(d3dRender.xFactor, 1.28f);
    EXPECT_EQ(world.viewport.Width, 1024u);
    EXPECT_EQ(world.viewport.Height, 768u);

    // With strength 1 the four frames weigh alike: red builds up a quarter per frame.
    for (int i = 0; i < BLUR_TARGETS; ++i)
        BlurredFrame(0xFF000000);
    const D3DCOLOR expected[] = {0xFF400000, 0xFF800000, 0xFFBF0000, 0xFFFF0000};
    for (D3DCOLOR colour : expected) {
        BlurredFrame(0xFFFF0000);
        EXPECT_TRUE(ColourNear(PixelAt(512, 384), colour, 10));
    }
}

TEST_F(MotionBlurTest, AutoplayDrawsTheTopLeftQuarterAcrossTheWholeScreen)
{
    RaceMode = RACE_MODE_AUTOPLAY;
    d3dRender.blurStrength = 0.001f; // nearly the current frame alone
    d3dRender.BeginMotionBlur();
    EXPECT_EQ(world.viewport.Width, 512u);
    d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0);
    d3dRender.DrawMotionBlur();
    for (const auto& [x, y] : {std::pair {10, 10}, {1010, 750}, {512, 384}})
        EXPECT_TRUE(ColourNear(PixelAt(x, y), 0xFF00FF00, 10)) << x << ", " << y;
}

TEST_F(MotionBlurTest, HistoryKeepsTheSceneAreaAtEachTargetsScale)
{
    d3dRender.blurStrength = 1.0f; // the four frames weigh alike
    // A split scene, the same in four frames, composed onto the 1024 x 768 back buffer: a history
    // kept at the wrong scale would move the split in older frames.
    const struct {
        RaceModeCode mode;
        RECT green; // in target 0; the rest of the scene is blue
        std::pair<int, int> greenAt, blueAt[2];
    } cases[] = {
        // Autoplay: a 512 x 512 corner, its quarter left of x 128 green; the split lies at x 256.
        {RACE_MODE_AUTOPLAY, {0, 0, 128, 512}, {200, 384}, {{310, 384}, {900, 384}}},
        // A player's race: the back buffer's own 1024 x 768, its top quarter green; the split
        // lies at y 192.
        {RACE_MODE_QUICK, {0, 0, 1024, 192}, {512, 150}, {{512, 235}, {512, 700}}},
    };
    for (const auto& c : cases) {
        RaceMode = c.mode;
        for (int frame = 0; frame < BLUR_TARGETS; ++frame) {
            d3dRender.BeginMotionBlur();
            d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
            d3dRender.device->Clear(1, &c.green, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0);
            d3dRender.DrawMotionBlur();
        }
        EXPECT_TRUE(ColourNear(PixelAt(c.greenAt.first, c.greenAt.second), 0xFF00FF00, 10)) << c.mode;
        for (const auto& [x, y] : c.blueAt)
            EXPECT_TRUE(ColourNear(PixelAt(x, y), 0xFF0000FF, 10)) << c.mode << ": " << x << ", " << y;

        // Red after black builds up a quarter per frame.
        for (int i = 0; i < BLUR_TARGETS; ++i)
            BlurredFrame(0xFF000000);
        for (D3DCOLOR colour : {0xFF400000u, 0xFF800000u, 0xFFBF0000u, 0xFFFF0000u}) {
            BlurredFrame(0xFFFF0000);
            EXPECT_TRUE(ColourNear(PixelAt(700, 500), colour, 10)) << c.mode;
        }
    }
}

// Once the history holds four frames of one scene, the composed screen is that scene's, to its
// very edges: nothing of the targets' parts that no scene fills shows, whatever they hold.
TEST_F(MotionBlurTest, TheScreenOwesNothingToTheTargetsUnfilledParts)
{
    d3dRender.blurStrength = 1.0f; // the four frames weigh alike
    for (RaceModeCode mode : {RACE_MODE_QUICK, RACE_MODE_AUTOPLAY}) {
        RaceMode = mode;
        std::vector<D3DCOLOR> screens[2];
        for (int filled = 0; filled < 2; ++filled) {
            FillTargets(filled ? 0xFFFFFFFF : 0xFF000000);
            for (int frame = 0; frame < BLUR_TARGETS; ++frame)
                BlurredFrame(0xFF808080);
            screens[filled] = Screen();
        }
        long differing = 0;
        for (std::size_t i = 0; i < screens[0].size(); ++i)
            differing += screens[0][i] != screens[1][i];
        EXPECT_EQ(differing, 0) << "race mode " << mode;
    }
}

TEST_F(MotionBlurTest, AFailingHistoryCopySwitchesBlurOffForGood)
{
    // A compressed texture in place of target 3 cannot receive the copy of target 2.
    d3dRender.blurTargets[3]->Release();
    ASSERT_EQ(d3dRender.device->CreateTexture(256, 256, 1, 0, D3DFMT_DXT1, D3DPOOL_MANAGED, &d3dRender.blurTargets[3],
                                              nullptr),
              D3D_OK);
    d3dRender.blurStrength = 1.0f;
    const auto backBuffer = RenderTargetSize();
    d3dRender.BeginMotionBlur();
    EXPECT_EQ(RenderTargetSize(), backBuffer);
    EXPECT_EQ(GameSettings[SLOT_BLUR], 0);
    EXPECT_EQ(d3dRender.blurAvailable, 0);
    EXPECT_EQ(d3dRender.blurStrength, 0.0f);
    EXPECT_EQ(d3dRender.blurTargets[0], nullptr);
    EXPECT_FLOAT_EQ(d3dRender.xFactor, 1.28f);
    EXPECT_EQ(world.viewport.Width, 1024u);
    d3dRender.CreateRenderTargets();
}

TEST_F(MotionBlurTest, ALostDeviceReleasesTheTargetsAndTheResetMakesThemAgain)
{
    d3dRender.blurStrength = 0.5f;
    d3dRender.OnLostDevice();
    EXPECT_EQ(d3dRender.blurAvailable, 0);
    EXPECT_EQ(d3dRender.blurStrength, 0.0f);
    EXPECT_EQ(d3dRender.blurTargets[3], nullptr);
    d3dRender.OnResetDevice();
    EXPECT_EQ(d3dRender.blurAvailable, 1);
    EXPECT_NE(d3dRender.blurTargets[3], nullptr);
}
