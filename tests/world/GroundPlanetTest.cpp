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
#include "tests/support/SharedRenderer.h"
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
// Level, just above the start: the sea meets the sky low in the frame.
const View LEVEL {"Level", {0, 20, 0}, {0, 0, 100}};

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

// Frames at the game's own size, beside the sheet and not in it.
const ContactSheet& FullSizeFrames()
{
    static const ContactSheet frames(PLANET_IMAGE_FOLDER "/full");
    return frames;
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

// Pixels from row `top` down whose channels add up to less in `picture` than in `reference`, by
// more than rounding.
long DarkerPixels(const Picture& picture, const Picture& reference, int width, int top)
{
    constexpr int ROUNDING = 6;
    const auto sum = [](D3DCOLOR c) { return Red(c) + Green(c) + Blue(c); };
    long count = 0;
    for (std::size_t i = std::size_t(top) * std::size_t(width); i < picture.size(); ++i)
        count += sum(picture[i]) + ROUNDING < sum(reference[i]);
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
        savedPs20 = d3dRender.ps20;
    }
    void TearDown() override
    {
        if (d3dRender.ps20 != savedPs20) { // the technique file of the device's own level again
            d3dRender.ps20 = savedPs20;
            d3dRender.CreateRenderTechniques();
        }
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

    // One frame drawn over a screen filled with fill.
    static Picture Render(D3DCOLOR fill)
    {
        d3dRender.device->BeginScene();
        d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET, fill, 1.0f, 0);
        world.Render();
        d3dRender.device->EndScene();
        return ReadRenderTarget(d3dRender.device, 0, 0, int(d3dRender.screenWidth), int(d3dRender.screenHeight));
    }
    static Picture Shown(const std::string& name, const Picture& picture)
    {
        Sheet().Add(name, picture, int(WORLD_SCREEN_WIDTH), int(WORLD_SCREEN_HEIGHT));
        return picture;
    }

    Options saved {};
    int savedPs20 = 0;
};

// The game's own 800 x 600 screen for the frames drawn while it lives: a target and depth
// surface of that size in place of the test's small back buffer, the screen metrics, the blur
// targets and the camera's viewport made for it.
class FullSizeScreen {
public:
    static constexpr int WIDTH = 800, HEIGHT = 600;

    FullSizeScreen()
    {
        IDirect3DDevice9* device = d3dRender.device;
        device->CreateRenderTarget(WIDTH, HEIGHT, D3DFMT_X8R8G8B8, D3DMULTISAMPLE_NONE, 0, FALSE, &colour_, nullptr);
        device->CreateDepthStencilSurface(WIDTH, HEIGHT, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, 0, FALSE, &depth_, nullptr);
        device->GetRenderTarget(0, &backBuffer_);
        device->GetDepthStencilSurface(&backDepth_);
        device->SetRenderTarget(0, colour_);
        device->SetDepthStencilSurface(depth_);
        Resize(WIDTH, HEIGHT);
    }
    ~FullSizeScreen()
    {
        d3dRender.device->SetRenderTarget(0, backBuffer_);
        d3dRender.device->SetDepthStencilSurface(backDepth_);
        Resize(WORLD_SCREEN_WIDTH, WORLD_SCREEN_HEIGHT);
        for (IDirect3DSurface9* surface : {colour_, depth_, backBuffer_, backDepth_})
            if (surface)
                surface->Release();
    }
    FullSizeScreen(const FullSizeScreen&) = delete;
    FullSizeScreen& operator=(const FullSizeScreen&) = delete;

private:
    static void Resize(unsigned width, unsigned height)
    {
        const float strength = d3dRender.blurStrength; // making the targets again sets it to 0
        UseScreenSize(width, height);
        d3dRender.blurStrength = strength;
        if (world.activeCamera)
            world.activeCamera->SetViewport(0.0f, 0.0f, 800.0f, 600.0f);
    }

    IDirect3DSurface9 *colour_ = nullptr, *depth_ = nullptr, *backBuffer_ = nullptr, *backDepth_ = nullptr;
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

// At the game's own size, where thin faults show: every location from the level view at the best
// settings, each frame kept for a person to look at.
TEST_F(GroundPlanetTest, FullSizeFramesOweNothingToTheColourTheyAreDrawnOver)
{
    const Options best {2, 1, 1, 2000};
    Use(best);
    for (int location = 1; location <= LOCATIONS; ++location) {
        Enter(location, LEVEL);
        const FullSizeScreen screen;
        const Picture black = Render(BLACK);
        const Picture white = Render(WHITE);
        FullSizeFrames().Add(Name(location, LEVEL, best), white, FullSizeScreen::WIDTH, FullSizeScreen::HEIGHT);
        EXPECT_EQ(Differing(black, white), 0) << "location " << location;
    }
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

// The best ocean, drawn with blending off, keeps its water and reflection out to the rim: where
// the sea meets the sky it is nowhere darker than the simple ocean, with either shader level
// that draws it. Only the lower part of the level view is compared: the course's signs above
// it change with every race.
TEST_F(GroundPlanetTest, TheBestOceanIsNowhereDarkerThanTheSimpleOne)
{
    constexpr int SEA_TOP = FullSizeScreen::HEIGHT * 3 / 5;
    for (int ps20 : {1, 0}) {
        d3dRender.ps20 = ps20;
        ASSERT_EQ(d3dRender.CreateRenderTechniques(), 0);
        for (int location : OCEAN_LOCATIONS) {
            Picture frames[2];
            for (int ocean : {1, 0}) {
                Use({0, ocean, 0, 2000});
                gameTimer.gameTime = 60000; // the planet turns with the clock
                Enter(location, LEVEL);
                const FullSizeScreen screen;
                frames[ocean] = Render(BLACK);
            }
            EXPECT_EQ(DarkerPixels(frames[1], frames[0], FullSizeScreen::WIDTH, SEA_TOP), 0)
                << "location " << location << (ps20 ? ", per-pixel ocean" : ", per-vertex ocean");
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

// The wireframe view (key F) draws lines, but what must cover the screen is drawn solid, with the
// blur off and on: the far depth put back after the sky leaves no mark of the course in the
// stencil for the passes after it, and the frame replaces every pixel of the one before.
TEST_F(GroundPlanetTest, WireframeViewLeavesNoCourseMarksAndNothingOfTheFrameBefore)
{
    GameSettings[SLOT_SHADOWS] = 0; // the shadow passes leave their own marks
    Enter(1, VIEWS[0]);
    for (int blur : {0, 1}) {
        GameSettings[SLOT_BLUR] = blur;
        d3dRender.blurStrength = float(blur);
        ASSERT_EQ(d3dRender.MotionBlurRuns(), blur == 1);
        d3dRender.ToggleWireframe();
        ASSERT_EQ(d3dRender.fillMode, D3DFILL_WIREFRAME);
        for (int frame = 0; frame < 4; ++frame) // a blur history of wireframe frames
            Render(BLACK);
        const Picture black = Render(BLACK);
        const Picture white = Render(WHITE);
        // The scene's stencil is the blur's own depth surface's while the blur runs.
        IDirect3DSurface9* screenDepth = nullptr;
        d3dRender.device->GetDepthStencilSurface(&screenDepth);
        if (blur)
            d3dRender.device->SetDepthStencilSurface(d3dRender.blurDepthSurface);
        const std::vector<unsigned char> stencil = ReadStencil();
        d3dRender.device->SetDepthStencilSurface(screenDepth);
        screenDepth->Release();
        d3dRender.ToggleWireframe();
        EXPECT_EQ(Differing(black, white), 0) << "blur " << blur;
        EXPECT_EQ(std::count(stencil.begin(), stencil.end(), 0), long(stencil.size())) << "blur " << blur;
    }
}

} // namespace
