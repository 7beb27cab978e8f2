// The device lights on a real device: the update interval, the environment, the light count
// in i0, timed lights, and saving and restoring the sun.
#include <gtest/gtest.h>

#include <memory>

#include "engine/render/D3DRender.h"
#include "engine/render/LightManager.h"
#include "engine/shell/GameTimer.h"
#include "tests/mesh/RendererDeviceSuite.h"

namespace {

class LightManagerTest : public RendererDeviceSuite {
protected:
    void SetUp() override
    {
        gameTimer.gameTime = 10000;
        lighting = EnvironmentLighting {{1, 0.5f, 0.25f, 1}, {0.2f, 0.4f, 0.6f, 1}, 2, 1, {0, -1, 0}, {1, 0, 0}};
        lightManager.AttachLighting(&lighting);
        lightManager.Reset();
    }
    void TearDown() override
    {
        lightManager.DisableAll();
        lightManager.AttachLighting(nullptr);
    }

    static D3DLIGHT9 DeviceLight(int index)
    {
        D3DLIGHT9 light {};
        Device()->GetLight(index, &light);
        return light;
    }
    static bool DeviceLightOn(int index)
    {
        BOOL on = FALSE;
        Device()->GetLightEnable(index, &on);
        return on != FALSE;
    }
    static int LightCount() { return ShaderConstantsOf(Device())->vertexI[0][0]; }

    EnvironmentLighting lighting;
};

} // namespace

TEST_F(LightManagerTest, ResetAllocatesTheSunAndTheSecondLight)
{
    EXPECT_EQ(0, lightManager.sunSlot);
    EXPECT_EQ(1, lightManager.secondSlot);
    EXPECT_EQ(2, lightManager.FindFree());
    EXPECT_EQ(D3DLIGHT_DIRECTIONAL, DeviceLight(0).Type);
    EXPECT_FLOAT_EQ(-1.0f, DeviceLight(1).Direction.y);
    EXPECT_FLOAT_EQ(0.0f, DeviceLight(1).Diffuse.r);
    EXPECT_TRUE(DeviceLightOn(0));
    lightManager.DisableAll();
    EXPECT_FALSE(DeviceLightOn(0));
    EXPECT_EQ(0, lightManager.FindFree());
}

TEST_F(LightManagerTest, EnvironmentIsAppliedAtMostEveryFiftyMilliseconds)
{
    lightManager.Update();
    D3DLIGHT9 sun = DeviceLight(0);
    EXPECT_FLOAT_EQ(2.0f, sun.Diffuse.r);
    EXPECT_FLOAT_EQ(0.5f, sun.Specular.b);
    EXPECT_FLOAT_EQ(2.0f, sun.Diffuse.a);
    EXPECT_FLOAT_EQ(-1.0f, sun.Direction.y);
    EXPECT_FLOAT_EQ(0.4f, DeviceLight(1).Diffuse.g);
    EXPECT_FLOAT_EQ(1.0f, DeviceLight(1).Direction.x);
    DWORD ambient = 0;
    Device()->GetRenderState(D3DRS_AMBIENT, &ambient);
    EXPECT_EQ(D3DCOLOR_ARGB(0xFF, 51, 102, 153), ambient);

    lighting.intensity1 = 1;
    gameTimer.gameTime += 50;
    lightManager.Update();
    EXPECT_FLOAT_EQ(2.0f, DeviceLight(0).Diffuse.r) << "0.05 s is not yet more than 0.05 s";
    gameTimer.gameTime += 1;
    lightManager.Update();
    EXPECT_FLOAT_EQ(1.0f, DeviceLight(0).Diffuse.r);
}

TEST_F(LightManagerTest, ZeroIntensitySwitchesALightOffAndCountsInI0)
{
    struct Case {
        float sun, second;
        int count;
    };
    for (const Case c : {Case {1, 1, 2}, Case {0, 1, 1}, Case {1, 0, 1}, Case {0, 0, 0}}) {
        lighting.intensity1 = c.sun;
        lighting.intensity2 = c.second;
        gameTimer.gameTime += 100;
        lightManager.Update();
        EXPECT_EQ(c.sun != 0, DeviceLightOn(0));
        EXPECT_EQ(c.second != 0, DeviceLightOn(1));
        EXPECT_EQ(c.count, LightCount());
    }
    // The sun keeps the last colour it was given.
    EXPECT_FLOAT_EQ(1.0f, lightManager.sunColour.r);
}

TEST_F(LightManagerTest, TimedLightsFadeInOverOneSecond)
{
    const int index = lightManager.AddTimedLight({0, 0, 0}, {0.8f, 0.4f, 0.2f, 1}, 100);
    ASSERT_EQ(0, index);
    const int slot = lightManager.timed[index].slot;
    EXPECT_EQ(2, slot);
    EXPECT_EQ(D3DLIGHT_POINT, DeviceLight(slot).Type);
    EXPECT_FLOAT_EQ(0.006f, DeviceLight(slot).Attenuation1);
    EXPECT_FLOAT_EQ(0.0f, DeviceLight(slot).Diffuse.r);
    struct Step {
        std::uint32_t after;
        float share;
    };
    const std::uint32_t start = gameTimer.gameTime;
    for (const Step step : {Step {500, 0.5f}, Step {1000, 1.0f}, Step {5000, 1.0f}}) {
        gameTimer.gameTime = start + step.after;
        lightManager.UpdateFades();
        EXPECT_NEAR(0.8f * step.share, DeviceLight(slot).Diffuse.r, 1e-5f) << step.after;
        EXPECT_NEAR(1.0f * step.share, DeviceLight(slot).Specular.a, 1e-5f) << step.after;
    }
    lightManager.RemoveTimedLight(index);
    EXPECT_EQ(0, lightManager.timedCount);
    EXPECT_FALSE(DeviceLightOn(slot));
    EXPECT_EQ(2, lightManager.FindFree());
}

TEST_F(LightManagerTest, TimedLightsAreLimitedBySixEntriesAndEightSlots)
{
    for (int i = 0; i < TIMED_LIGHT_COUNT; ++i)
        EXPECT_EQ(i, lightManager.AddTimedLight({static_cast<float>(i), 0, 0}, {1, 1, 1, 1}, 50));
    EXPECT_EQ(-1, lightManager.AddTimedLight({}, {1, 1, 1, 1}, 50));
    EXPECT_EQ(TIMED_LIGHT_COUNT, lightManager.timedCount);

    lightManager.RemoveTimedLight(3);
    lightManager.RemoveTimedLight(4);
    EXPECT_EQ(5, lightManager.Allocate(LIGHT_KIND_POINT, {}, 10)); // the slot of timed light 3
    EXPECT_EQ(3, lightManager.AddTimedLight({}, {1, 1, 1, 1}, 50)); // first free entry, last free slot
    EXPECT_EQ(-1, lightManager.AddTimedLight({}, {1, 1, 1, 1}, 50)) << "no slot left";
    EXPECT_EQ(5, lightManager.timedCount);
}

TEST_F(LightManagerTest, TimedLightColourAndDistances)
{
    const int near = lightManager.AddTimedLight({0, 0, 0}, {1, 0.5f, 0, 1}, 100);
    lightManager.AddTimedLight({50, 0, 0}, {0.1f, 0.1f, 0.1f, 1}, 20);
    gameTimer.gameTime += 2000;
    lightManager.UpdateFades();
    // At 10 units from the first light: 1 / (0.006 x 10) is above 1, so only (1 - 10 / 100).
    const D3DXVECTOR4 colour = lightManager.GetTimedLightColourAt({10, 0, 0});
    EXPECT_NEAR(0.9f, colour.x, 1e-5f);
    EXPECT_NEAR(0.45f, colour.y, 1e-5f);
    EXPECT_NEAR(1.9f, colour.w, 1e-5f);
    EXPECT_EQ(D3DXVECTOR4(0, 0, 0, 1), lightManager.GetTimedLightColourAt({0, 500, 0}));

    EXPECT_FLOAT_EQ(40.0f, lightManager.NearestTimedLight(near, {10, 0, 0}));
    EXPECT_FLOAT_EQ(10.0f, lightManager.NearestTimedLight(-1, {10, 0, 0}));
    EXPECT_FLOAT_EQ(100000.0f, lightManager.NearestBrightTimedLight(near, {10, 0, 0}, 0.5f));
    EXPECT_FLOAT_EQ(10.0f, lightManager.NearestBrightTimedLight(-1, {10, 0, 0}, 0.5f));
}

TEST_F(LightManagerTest, SunIsSavedAndRestoredAroundADraw)
{
    lightManager.Update();
    lightManager.EnableSun(FALSE);
    lightManager.SaveSunLight();
    lightManager.SetSunColour({1, 1, 1, 1});
    lightManager.SetSunDirection({0, 0, 1});
    lightManager.EnableSun(TRUE);
    EXPECT_FLOAT_EQ(1.0f, DeviceLight(0).Diffuse.g);
    lightManager.RestoreSunLight();
    const D3DLIGHT9 sun = DeviceLight(0);
    EXPECT_FLOAT_EQ(0.5f * 2, sun.Diffuse.g);
    EXPECT_FLOAT_EQ(0.5f * 2, sun.Specular.g);
    EXPECT_FLOAT_EQ(-1.0f, sun.Direction.y);
    EXPECT_FALSE(DeviceLightOn(0));

    lightManager.OnLostDevice();
    EXPECT_FALSE(DeviceLightOn(1));
    lightManager.OnResetDevice();
    EXPECT_TRUE(DeviceLightOn(0)) << "a reset turns every used light on";
    EXPECT_TRUE(DeviceLightOn(1));
}
