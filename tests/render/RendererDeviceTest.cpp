// The renderer's start-up rules: the display-mode list, the capability flags with the option
// maxima they lower, the depth fallback, and presentation through a lost device.
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "platform/gfx/GfxControl.h"
#include "tests/render/RendererFixture.h"

namespace {

void ResetOptionMaxima()
{
    const int defaults[OPTION_MAXIMA] = {2000, 3, 2, 1, 1, 2};
    std::copy(defaults, defaults + OPTION_MAXIMA, OptionMaximum);
}

} // namespace

using RendererStartTest = RendererTest;

TEST_F(RendererStartTest, EachSizeIsKeptOnceAndModeAbove99PicksTheDesktopSize)
{
    d3dRender.FreeD3DRender();
    SetReportedDisplayModes({{640, 480, 60, D3DFMT_X8R8G8B8},
                             {640, 480, 75, D3DFMT_X8R8G8B8},
                             {800, 600, 60, D3DFMT_X8R8G8B8},
                             {640, 480, 85, D3DFMT_X8R8G8B8},
                             {1280, 1024, 60, D3DFMT_X8R8G8B8},
                             {1280, 1024, 60, D3DFMT_R5G6B5}},
                            {800, 600, 60, D3DFMT_X8R8G8B8});
    GameSettings[SLOT_MODE] = 150;
    ASSERT_EQ(d3dRender.InitD3D(1), 0);
    ASSERT_EQ(d3dRender.displayModeCount, 4) << "same sizes apart in the order appear twice";
    EXPECT_EQ(d3dRender.displayModes[0].refreshRate, 60u);
    EXPECT_EQ(d3dRender.displayModes[2].width, 640u);
    EXPECT_EQ(d3dRender.displayModes[3].width, 1280u);
    EXPECT_EQ(GameSettings[SLOT_MODE], 1);

    d3dRender.FreeD3DRender();
    SetReportedDisplayModes({{640, 480, 60, D3DFMT_X8R8G8B8}, {800, 600, 60, D3DFMT_X8R8G8B8}},
                            {1920, 1080, 60, D3DFMT_X8R8G8B8});
    GameSettings[SLOT_MODE] = 150;
    ASSERT_EQ(d3dRender.InitD3D(1), 0);
    EXPECT_EQ(GameSettings[SLOT_MODE], 1) << "no desktop-sized row: the last row";
    d3dRender.FreeD3DRender();
}

TEST_F(RendererStartTest, NegativeModeSelectsTheDesktopSize)
{
    for (int mode : {-1, -2147483647 - 1}) {
        d3dRender.FreeD3DRender();
        SetReportedDisplayModes({{640, 480, 60, D3DFMT_X8R8G8B8},
                                 {800, 600, 60, D3DFMT_X8R8G8B8},
                                 {1024, 768, 60, D3DFMT_X8R8G8B8}},
                                {800, 600, 60, D3DFMT_X8R8G8B8});
        GameSettings[SLOT_MODE] = mode;
        ASSERT_EQ(d3dRender.InitD3D(1), 0);
        EXPECT_EQ(GameSettings[SLOT_MODE], 1) << mode;
    }
    d3dRender.FreeD3DRender();
}

TEST_F(RendererStartTest, LowerShaderLevelsLowerTheOptionMaxima)
{
    struct Case {
        DWORD vs, ps;
        int ps11, ps14, ps20;
        int atmosphere, bump, oSurface, blur;
    };
    const Case cases[] = {
        {D3DVS_VERSION(1, 0), D3DPS_VERSION(1, 1), 0, 0, 0, 1, 0, 0, 0},
        {D3DVS_VERSION(1, 1), D3DPS_VERSION(1, 1), 1, 0, 0, 1, 0, 0, 0},
        {D3DVS_VERSION(1, 1), D3DPS_VERSION(1, 4), 1, 1, 0, 2, 0, 0, 1},
        {D3DVS_VERSION(2, 0), D3DPS_VERSION(2, 0), 1, 1, 1, 2, 2, 1, 1},
    };
    for (const Case& c : cases) {
        ResetOptionMaxima();
        SetReportedShaderLevel(c.vs, c.ps);
        ASSERT_TRUE(BringUpRenderer());
        EXPECT_NE(d3dRender.effect, nullptr) << "the technique file of the level loads";
        EXPECT_EQ(d3dRender.ps11, c.ps11) << std::hex << c.vs << " " << c.ps;
        EXPECT_EQ(d3dRender.ps14, c.ps14) << std::hex << c.vs << " " << c.ps;
        EXPECT_EQ(d3dRender.ps20, c.ps20) << std::hex << c.vs << " " << c.ps;
        EXPECT_EQ(OptionMaximumOf(SLOT_ATMOSPHERE), c.atmosphere);
        EXPECT_EQ(OptionMaximumOf(SLOT_BUMP), c.bump);
        EXPECT_EQ(OptionMaximumOf(SLOT_OSURFACE), c.oSurface);
        EXPECT_EQ(OptionMaximumOf(SLOT_BLUR), c.blur);
    }
    SetReportedShaderLevel(0, 0);
    ResetOptionMaxima();
    ASSERT_TRUE(BringUpRenderer());
}

TEST_F(RendererStartTest, WithoutAStencilDepthFormatShadowsAreOff)
{
    ResetOptionMaxima();
    SetRefusedDepthFormats({D3DFMT_D24S8, D3DFMT_D24X4S4});
    ASSERT_TRUE(BringUpRenderer());
    EXPECT_EQ(d3dRender.presentParameters.AutoDepthStencilFormat, D3DFMT_D32);
    EXPECT_EQ(OptionMaximumOf(SLOT_SHADOWS), 0);
    SetRefusedDepthFormats({});
    ResetOptionMaxima();
    ASSERT_TRUE(BringUpRenderer());
    EXPECT_EQ(OptionMaximumOf(SLOT_SHADOWS), 3);
}

TEST_F(RendererStartTest, PresentRecoversALostDevice)
{
    LoseDevice(d3dRender.device, DeviceLoss::Restorable);
    const int presented = d3dRender.framesPresented;
    EXPECT_EQ(d3dRender.Present(), 0);
    EXPECT_EQ(d3dRender.deviceLost, 1);
    EXPECT_EQ(d3dRender.Present(), 0) << "still lost";
    EXPECT_EQ(d3dRender.Present(), 0) << "reset";
    EXPECT_EQ(d3dRender.deviceLost, 0);
    EXPECT_NE(d3dRender.effect, nullptr) << "the effect is made again";
    EXPECT_EQ(d3dRender.currentTechnique, nullptr);
    EXPECT_EQ(d3dRender.Present(), 0);
    EXPECT_EQ(d3dRender.framesPresented, presented + 1);
    EXPECT_EQ(GameSettings[SLOT_QUIT], 0);
}

TEST_F(RendererStartTest, AnUnrestorableDeviceEndsTheGame)
{
    LoseDevice(d3dRender.device, DeviceLoss::Unrestorable);
    d3dRender.Present();
    d3dRender.Present();
    EXPECT_EQ(d3dRender.Present(), E_FAIL);
    EXPECT_EQ(GameSettings[SLOT_QUIT], 1);
    GameSettings[SLOT_QUIT] = 0;
    ASSERT_TRUE(BringUpRenderer());
}

TEST_F(RendererStartTest, GetFPSIsZeroBeforeTheFirstSecond)
{
    d3dRender.FreeD3DRender(); // a fresh renderer, not one dropped with its device
    d3dRender.InitD3D(1);
    EXPECT_EQ(d3dRender.GetFPS(), 0.0f);
    EXPECT_EQ(d3dRender.GetFPS(), 0.0f);
    d3dRender.FreeD3DRender();
}
