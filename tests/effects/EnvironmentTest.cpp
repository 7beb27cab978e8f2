// Location lighting: the random draws the track builder depends on, the lighting block of a
// location file, the defaults handed to the device lights, and the sun's glare as it leaves and
// re-enters the view.
#include <cstdlib>
#include <fstream>
#include <string>

#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/render/LightManager.h"
#include "engine/shell/GameTimer.h"
#include "tests/effects/EffectsFixture.h"
#include "world/sky/Environment.h"

namespace {

std::string Line(const std::string& value) { return std::string(32, '.') + value + "\n"; }

// The next rand() after srand(seed) and `draws` draws.
int RandAfter(unsigned seed, int draws)
{
    std::srand(seed);
    for (int i = 0; i < draws; ++i)
        std::rand();
    return std::rand();
}

class EnvironmentTest : public EffectsTest {
protected:
    void SetUp() override
    {
        EffectsTest::SetUp();
        ASSERT_EQ(environment.Init(), 1);
    }
    void TearDown() override
    {
        environment.Release();
        EffectsTest::TearDown();
    }

    // Loads the lighting block from a file positioned as the world leaves it (after 3 lines).
    void LoadLighting(const std::string& block)
    {
        std::ofstream("LocationData.obj") << "one\ntwo\nthree\n" << block;
        const int file = fileSystem.Open("LocationData.obj", 1000);
        ASSERT_GE(file, 0);
        char line[256];
        for (int i = 0; i < 3; ++i)
            fileSystem.ReadLine(line, sizeof line, file);
        environment.LoadLighting(file);
        fileSystem.Close(file);
    }
};

} // namespace

TEST_F(EnvironmentTest, ResetAndLoadingTheLightingDrawExactlyThreeRandomNumbers)
{
    std::srand(1234);
    environment.Reset();
    const int afterReset = std::rand();
    EXPECT_EQ(afterReset, RandAfter(1234, 3));

    std::srand(99);
    LoadLighting(Line("") + Line("255 255 255") + Line("0   0   255") + Line("0   -1  0") + Line("1   0   0"));
    const int afterLoad = std::rand();
    EXPECT_EQ(afterLoad, RandAfter(99, 3));
}

TEST_F(EnvironmentTest, TheLightingBlockGivesColoursDirectionsAndTheSunSprite)
{
    environment.intensity1 = 0.0f;
    environment.shadowStrength = 0.0f;
    LoadLighting(Line("the free line") + Line("255 128 0") + Line("0   0   127.5") + Line("2.0 -2. 0") +
                 Line("0   0   -5"));
    EXPECT_FLOAT_EQ(environment.colour1.x, 1.0f);
    EXPECT_NEAR(environment.colour1.y, 128.0f / 255.0f, 1e-6f);
    EXPECT_FLOAT_EQ(environment.colour1.w, 1.0f);
    EXPECT_NEAR(environment.colour2.z, 0.5f, 1e-6f) << "blue runs to the end of the line";
    EXPECT_NEAR(environment.direction1.x, 0.70710677f, 1e-6f);
    EXPECT_NEAR(environment.direction1.y, -0.70710677f, 1e-6f);
    EXPECT_FLOAT_EQ(environment.direction2.z, -1.0f);
    EXPECT_EQ(environment.shadowVector, -environment.direction1);
    EXPECT_EQ(environment.intensity1, 1.0f);
    EXPECT_EQ(environment.shadowStrength, 1.0f);
    // (colour + 1) / its largest channel: about (1, 0.75, 0.5).
    EXPECT_EQ(environment.sun.sprite[0].colour, 0xFFFFBF7Fu);
    EXPECT_FLOAT_EQ(environment.sun.sprite[0].centreX, environment.direction1.x * -1400.0f);
    EXPECT_NE(environment.sun.spriteBuffer, nullptr);
}

TEST_F(EnvironmentTest, AShortBlockReadsAsZeroesWithoutFailing)
{
    LoadLighting(Line("free") + Line("12"));
    EXPECT_NEAR(environment.colour1.x, 12.0f / 255.0f, 1e-6f);
    EXPECT_EQ(environment.colour2.x, 0.0f);
    EXPECT_EQ(environment.direction1, D3DXVECTOR3(0, 0, 0));
}

TEST_F(EnvironmentTest, DefaultLightingReachesTheDeviceLights)
{
    EXPECT_EQ(environment.colour2, D3DXVECTOR4(0, 0, 0.5f, 1));
    EXPECT_NEAR(environment.direction1.x, 0.57735026f, 1e-6f);
    EXPECT_NEAR(environment.direction2.z, 0.57735026f, 1e-6f);
    environment.colour1 = D3DXVECTOR4(0.5f, 0.25f, 1, 1);
    environment.intensity1 = 2.0f;
    lightManager.Reset();
    gameTimer.gameTime += 1000;
    lightManager.Update();
    EXPECT_FLOAT_EQ(lightManager.sunColour.r, 1.0f);
    EXPECT_FLOAT_EQ(lightManager.sunColour.g, 0.5f);
}

TEST_F(EnvironmentTest, TheGlareShrinksOffScreenAndGrowsBackAfterACheck)
{
    LoadLighting(Line("") + Line("255 255 255") + Line("0 0 0") + Line("0   0   -1") + Line("0 -1 0"));
    // The sun lies along +z, where the camera looks.
    gameTimer.realStep = 0.05f;
    environment.sun.DrawGlare();
    const float full = 400.0f;
    EXPECT_FLOAT_EQ(environment.sun.glareSize, 200.0f) << "4000 units per second";
    for (int i = 0; i < 3; ++i)
        environment.sun.DrawGlare();
    EXPECT_FLOAT_EQ(environment.sun.glareSize, full);

    LookFrom(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, -1));
    environment.sun.DrawGlare();
    EXPECT_FLOAT_EQ(environment.sun.glareSize, full - 200.0f);
    environment.sun.DrawGlare();
    // An occlusion check runs meanwhile and finds nothing; still no lens ghosts off screen.
    d3dRender.facesDrawn = 0;
    environment.sun.DrawGlare();
    environment.sun.DrawGlare();
    EXPECT_FLOAT_EQ(environment.sun.glareSize, 0.0f);
    EXPECT_EQ(d3dRender.facesDrawn, 0);

    LookFrom(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 1));
    environment.sun.DrawGlare();
    EXPECT_EQ(environment.sun.occluded, 0) << "checked at once on coming back";
    EXPECT_FLOAT_EQ(environment.sun.glareSize, 200.0f);
}
