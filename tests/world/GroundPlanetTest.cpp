// The ground planet under the course in every location: solid land, seas over the ocean or in
// their own colour, clouds that brighten without burning, and frames that owe nothing to what the
// previous frame left in the back buffer.
#include "tests/world/WorldFixture.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/render/D3DRender.h"
#include "engine/render/LightManager.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "platform/gfx/GfxControl.h"
#include "tests/support/ContactSheet.h"
#include "world/World.h"
#include "world/objects/ObjectManager.h"
#include "world/track/Track.h"

namespace {

constexpr int LOCATIONS = 4;

struct View {
    const char* name;
    D3DXVECTOR3 eye;    // from the start of the course
    D3DXVECTOR3 lookAt; // from the eye
};

// Above the course looking down at the planet, falling beside it, and the fly-in's start.
const View VIEWS[] = {
    {"Above", {0, 30, 0}, {0, -100, 60}},
    {"Fall", {20, -40, 10}, {5, -100, 20}},
    {"FlyIn", {0, 60, -80}, {0, -30, 100}},
};

struct Options {
    int atmosphere, ocean, bump, distance;
};

using Picture = std::vector<D3DCOLOR>;

constexpr D3DCOLOR BLACK = 0xFF000000, WHITE = 0xFFFFFFFF, RED = 0xFFFF0000;
constexpr int OCEAN_LOCATIONS[] = {2, 4};
constexpr int SEA_LOCATIONS[] = {1, 3};

ContactSheet& Sheet()
{
    static ContactSheet sheet(PLANET_IMAGE_FOLDER);
    return sheet;
}

int Channel(D3DCOLOR colour, int shift) { return int((colour >> shift) & 0xFF); }
int Red(D3DCOLOR colour) { return Channel(colour, 16); }
int Green(D3DCOLOR colour) { return Channel(colour, 8); }
int Blue(D3DCOLOR colour) { return Channel(colour, 0); }

double MeanBrightness(const Picture& picture)
{
    double sum = 0;
    for (D3DCOLOR c : picture)
        sum += (Red(c) + Green(c) + Blue(c)) / 3.0;
    return sum / double(picture.size());
}

double ShareWhite(const Picture& picture)
{
    const auto white = std::count_if(picture.begin(), picture.end(),
                                     [](D3DCOLOR c) { return std::min({Red(c), Green(c), Blue(c)}) >= 250; });
    return double(white) / double(picture.size());
}

long Differing(const Picture& a, const Picture& b)
{
    long count = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        count += a[i] != b[i];
    return count;
}

std::string Name(int location, const View& view, const Options& o)
{
    char name[96];
    std::snprintf(name, sizeof name, "L%d_%s_clouds%d_ocean%d_bump%d_distance%d", location, view.name, o.atmosphere,
                  o.ocean, o.bump, o.distance);
    return name;
}

class GroundPlanetTest : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        saved = {GameSettings[SLOT_ATMOSPHERE], GameSettings[SLOT_OSURFACE], GameSettings[SLOT_BUMP],
                 GameSettings[SLOT_DISTANCE]};
    }
    void TearDown() override
    {
        Use(saved);
        GameSettings[SLOT_BLUR] = 0;
        d3dRender.blurStrength = 0.0f;
        WorldTest::TearDown();
    }

    static void Use(const Options& options)
    {
        GameSettings[SLOT_ATMOSPHERE] = options.atmosphere;
        GameSettings[SLOT_OSURFACE] = options.ocean;
        GameSettings[SLOT_BUMP] = options.bump;
        GameSettings[SLOT_DISTANCE] = options.distance;
    }

    // The location with a course (loaded under the current options), the camera on one of the
    // views, the clock standing still.
    static void Enter(int location, const View& view)
    {
        world.LoadLocation(location);
        world.StartRace(1, 2, 0, 4, 0);
        gameTimer.gameStep = 0.0f;
        gameTimer.gameTime += 1000; // the device lights take the location's lighting
        lightManager.Update();
        const D3DXVECTOR3 eye = track.segmentPoints[0] + view.eye;
        world.SetPosition(eye, eye + view.lookAt, D3DXVECTOR3(0, 1, 0));
        objectManager.Update();
    }

    // One frame drawn over a back buffer filled with fill.
    static Picture Render(D3DCOLOR fill)
    {
        d3dRender.device->BeginScene();
        d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET, fill, 1.0f, 0);
        world.Render();
        d3dRender.device->EndScene();
        return ReadRenderTarget(d3dRender.device, 0, 0, int(WORLD_SCREEN_WIDTH), int(WORLD_SCREEN_HEIGHT));
    }
    static Picture Shown(const std::string& name, const Picture& picture)
    {
        Sheet().Add(name, picture, int(WORLD_SCREEN_WIDTH), int(WORLD_SCREEN_HEIGHT));
        return picture;
    }

    Options saved {};
};

// Every pixel of the frame is drawn by someone: seas, the planet's rim, the sky around it, with
// the course in view or not, at every Clouds, Ocean, bump and view-distance setting.
TEST_F(GroundPlanetTest, AFrameOwesNothingToTheColourItIsDrawnOver)
{
    const Options settings[] = {{2, 1, 1, 2000}, {2, 1, 0, 500}, {1, 0, 0, 1250}, {0, 1, 1, 2000}, {0, 0, 0, 500}};
    for (const Options& options : settings) {
        Use(options);
        for (int location = 1; location <= LOCATIONS; ++location) {
            for (const View& view : VIEWS) {
                Enter(location, view);
                const Picture black = Render(BLACK);
                const Picture white = Shown(Name(location, view, options), Render(WHITE));
                EXPECT_EQ(Differing(black, white), 0) << Name(location, view, options);
            }
        }
    }
    Sheet().Write("sheet", 6);
}

// With the blur on, the scene target is drawn over the previous frame's scene: once the history
// holds four frames of a still camera, the picture stands still.
TEST_F(GroundPlanetTest, BlurredStillCameraGivesAStillPicture)
{
    Use({2, 1, 1, 2000});
    GameSettings[SLOT_BLUR] = 1;
    for (int location = 1; location <= LOCATIONS; ++location) {
        Enter(location, VIEWS[0]);
        d3dRender.blurStrength = 1.0f;
        ASSERT_TRUE(d3dRender.MotionBlurRuns());
        for (int frame = 0; frame < 4; ++frame)
            Render(BLACK);
        const Picture filled = Render(BLACK);
        EXPECT_EQ(Differing(filled, Render(WHITE)), 0) << "location " << location;
    }
}

// The best ocean (waves from the clock) and the simple one both fill the seas with water; the
// view straight down from a fall sees mostly sea.
TEST_F(GroundPlanetTest, TheOceanShowsThroughTheSeasAndItsWavesMove)
{
    const View& down = VIEWS[1];
    for (int ocean : {1, 0}) {
        Use({0, ocean, 0, 2000});
        for (int location : OCEAN_LOCATIONS) {
            Enter(location, down);
            const Picture now = Render(RED);
            const auto watery = std::count_if(now.begin(), now.end(), [](D3DCOLOR c) {
                return Blue(c) > Red(c) + 20 && Blue(c) > Green(c);
            });
            EXPECT_GT(watery, long(now.size() / 4)) << "location " << location << " ocean " << ocean;
            gameTimer.gameTime += 2000;
            const long moved = Differing(now, Render(RED));
            if (ocean == 1)
                EXPECT_GT(moved, long(now.size() / 4)) << "location " << location;
            else
                EXPECT_EQ(moved, 0) << "location " << location;
        }
    }
}

// Without an ocean the seas are the body's own opaque colour, whatever the Ocean setting says.
TEST_F(GroundPlanetTest, SeasWithoutAnOceanAreOpaque)
{
    for (int ocean : {1, 0}) {
        Use({0, ocean, 0, 2000});
        for (int location : SEA_LOCATIONS) {
            Enter(location, VIEWS[1]);
            EXPECT_EQ(Differing(Render(RED), Render(0xFF00FF00)), 0) << "location " << location << " ocean " << ocean;
        }
    }
}

// The clouds brighten the planet without burning it: looking down at it through them, at
// several times of their drift, the picture stays close to the unclouded planet's brightness
// and almost nothing is white.
TEST_F(GroundPlanetTest, CloudsBrightenThePlanetWithoutBurningIt)
{
    constexpr double MOST_BRIGHTENING = 128.0; // of 255, on average over the view
    constexpr double MOST_WHITE = 0.02;
    for (int location = 1; location <= LOCATIONS; ++location) {
        for (int atmosphere : {2, 1}) {
            Use({0, 1, 1, 2000});
            Enter(location, VIEWS[1]);
            const double clear = MeanBrightness(Render(BLACK));
            Use({atmosphere, 1, 1, 2000});
            Enter(location, VIEWS[1]);
            for (int drift = 0; drift < 4; ++drift) {
                gameTimer.gameTime += 60000;
                const Picture clouded = Render(BLACK);
                const double brighter = MeanBrightness(clouded) - clear;
                EXPECT_LT(brighter, MOST_BRIGHTENING) << "location " << location << " clouds " << atmosphere;
                EXPECT_LT(ShareWhite(clouded), MOST_WHITE) << "location " << location << " clouds " << atmosphere;
            }
        }
    }
}

// The wireframe view (key F) draws lines, but the far depth put back after the sky is drawn solid:
// no mark of the course is left in the stencil for the passes after it.
TEST_F(GroundPlanetTest, WireframeViewLeavesNoCourseMarks)
{
    GameSettings[SLOT_SHADOWS] = 0; // the shadow passes leave their own marks
    Enter(1, VIEWS[0]);
    d3dRender.ToggleWireframe();
    ASSERT_EQ(d3dRender.fillMode, D3DFILL_WIREFRAME);
    Render(BLACK);
    const std::vector<unsigned char> stencil = ReadStencil();
    d3dRender.ToggleWireframe();
    EXPECT_EQ(std::count(stencil.begin(), stencil.end(), 0), long(stencil.size()));
}

} // namespace
