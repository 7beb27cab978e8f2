// What the world's passes leave on screen: the course drawn over the sky, the shadow overlay's
// darkening, the camera's fade, and the view from the scooter.
#include "tests/world/WorldFixture.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/render/D3DRender.h"
#include "engine/render/LightManager.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "platform/gfx/GfxControl.h"
#include "world/World.h"
#include "world/objects/ObjectManager.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/sky/Environment.h"

namespace {

constexpr int SKY_LOCATION = 24;
constexpr int COURSE_LOCATION = 25;

std::string Field(const std::string& label, const std::string& value)
{
    return label + std::string(32 - label.size(), ' ') + value + "\n";
}

// An object at x, y, z facing zAhead (fields of eight columns).
std::string Record(const char* file, const char* x, const char* y, const char* z, const char* zAhead)
{
    const std::string position = std::string(x) + " " + y + " " + z;
    const std::string target = std::string(x) + " " + y + " " + zAhead;
    return Field("Object:", file) + Field("Position:", position) + Field("Target:", target) +
           Field("Up:", "    0.00     1.00     0.00") + "//\n";
}

// A moon of radius 220 centred 250 ahead of the eye (along -z, its lit side): it fills the view,
// its near side 30 ahead.
const std::string MOON = Record("Data/Static/Sky/01/Ardan.obj", "    0.00", "    0.00", " -250.00", " -251.00");

class WorldPassesTest : public WorldTest {
protected:
    static std::vector<D3DCOLOR> Screen()
    {
        return ReadRenderTarget(d3dRender.device, 0, 0, int(WORLD_SCREEN_WIDTH), int(WORLD_SCREEN_HEIGHT));
    }
    // The world drawn from the origin looking along -z, lit by the location, the clock standing still.
    static std::vector<D3DCOLOR> RenderFromOrigin()
    {
        gameTimer.gameStep = 0.0f;
        gameTimer.gameTime += 1000; // the device lights take the location's lighting
        lightManager.Update();
        world.SetPosition(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, -1), D3DXVECTOR3(0, 1, 0));
        objectManager.Update();
        d3dRender.device->BeginScene();
        d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
        world.Render();
        d3dRender.device->EndScene();
        return Screen();
    }
    // A white screen with the stencil at 1 in its top half and 0 below.
    static void WhiteScreenStencilledAbove()
    {
        d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_STENCIL, 0xFFFFFFFF, 1.0f, 0);
        const RECT top {0, 0, long(WORLD_SCREEN_WIDTH), long(WORLD_SCREEN_HEIGHT / 2)};
        d3dRender.device->Clear(1, &top, D3DCLEAR_STENCIL, 0, 1.0f, 1);
    }
    static int Red(D3DCOLOR colour) { return int((colour >> 16) & 0xFF); }
};

// A track piece, a structure and a decor 45 ahead, behind the moon's near side, are each drawn
// over it: the depth is cleared between the sky and the course passes.
TEST_F(WorldPassesTest, TheCourseIsDrawnOverTheSkyInFrontOfIt)
{
    WriteLocation(SKY_LOCATION, LocationText(MOON + "//--\n"));
    world.LoadLocation(SKY_LOCATION);
    const std::vector<D3DCOLOR> sky = RenderFromOrigin();
    const D3DCOLOR centre = sky[(WORLD_SCREEN_HEIGHT / 2) * WORLD_SCREEN_WIDTH + WORLD_SCREEN_WIDTH / 2];
    EXPECT_GT(Red(centre), 0) << "the moon fills the middle of the view";

    for (const char* file : {"Data/Static/Platforms/01/AH_020_1.obj", "Data/Static/Structures/01/Main01.obj",
                             "Data/Static/Decors/Boxes/Main01.obj"}) {
        WriteLocation(COURSE_LOCATION, LocationText(MOON + Record(file, "    0.00", "   -8.00", "  -45.00", "  -46.00") +
                                                    "//--\n"));
        world.LoadLocation(COURSE_LOCATION);
        const std::vector<D3DCOLOR> course = RenderFromOrigin();
        long changed = 0;
        for (std::size_t i = 0; i < sky.size(); ++i)
            changed += sky[i] != course[i];
        EXPECT_GT(changed, 10) << file;

        // The course keeps its depth; the moon's pixels, where nothing else drew, are left with
        // the far depth (as after a depth clear) and no stencil, for the passes that follow.
        const std::vector<float> depth = ReadDepth(d3dRender.device, 0, 0, int(WORLD_SCREEN_WIDTH), int(WORLD_SCREEN_HEIGHT));
        const auto firstPixel = [&](bool courseDrawn) {
            std::size_t i = 0;
            while (i < sky.size() && ((sky[i] != course[i]) != courseDrawn || (!courseDrawn && Red(sky[i]) == 0)))
                ++i;
            return i;
        };
        const std::size_t courseAt = firstPixel(true), moonAt = firstPixel(false);
        ASSERT_LT(courseAt, sky.size()) << file;
        ASSERT_LT(moonAt, sky.size()) << file;
        EXPECT_LT(depth[courseAt], 1.0f) << file;
        EXPECT_EQ(depth[moonAt], 1.0f) << file;
        const std::vector<unsigned char> stencil = ReadStencil();
        EXPECT_EQ(std::count(stencil.begin(), stencil.end(), 0), long(stencil.size())) << file;
    }
}

TEST_F(WorldPassesTest, ShadowOverlayDarkensTheStencilledPixelsByHalfTheStrength)
{
    struct Case {
        float strength;
        int red; // of 255, after black at alpha trunc(strength x 128)
    };
    const Case cases[] = {{1.0f, 127}, {0.5f, 191}, {0.25f, 223}};
    for (const Case& c : cases) {
        environment.shadowStrength = c.strength;
        d3dRender.device->BeginScene();
        WhiteScreenStencilledAbove();
        world.DrawShadowOverlay();
        d3dRender.device->EndScene();
        const std::vector<D3DCOLOR> screen = Screen();
        EXPECT_NEAR(Red(screen[10 * WORLD_SCREEN_WIDTH + 80]), c.red, 2) << c.strength;
        EXPECT_EQ(Red(screen[100 * WORLD_SCREEN_WIDTH + 80]), 255) << "no stencil, no shadow";
        const std::vector<unsigned char> stencil = ReadStencil();
        EXPECT_EQ(std::count(stencil.begin(), stencil.end(), 0), long(stencil.size())) << "the overlay zeroes it";
    }
}

// With the music flag a fade also carries the master volume while it runs: 100 - p fading out,
// p fading in.
TEST_F(WorldPassesTest, FadesDarkenByTheirShareOfTheDurationOnTheRealClock)
{
    constexpr int BEFORE = 42;
    struct Case {
        const char* name;
        bool out;
        float duration, elapsed;
        int red;    // of 255 under black at the fade's alpha
        int master; // the master volume after the frame
    };
    const Case cases[] = {
        {"fade-out at a quarter", true, 2.0f, 0.5f, 192, 75},      // alpha trunc(25 x 2.55) = 63
        {"fade-out at three quarters", true, 2.0f, 1.5f, 64, 25},  // alpha 191
        {"finished fade-out stays black", true, 1.0f, 3.0f, 0, 0},  // the ending frame sets the end volume
        {"fade-in at a quarter", false, 2.0f, 0.5f, 64, 25},       // alpha trunc(255 - 63.75) = 191
        {"finished fade-in draws nothing", false, 2.0f, 2.5f, 255, 100},
    };
    const int master = GameSettings[SLOT_MASTER];
    GameSettings[SLOT_AUDIO] = 1; // no sounds are loaded: only the volume setting moves
    for (const Case& c : cases) {
        GameSettings[SLOT_MASTER] = BEFORE;
        if (c.out)
            world.StartFadeOut(c.duration, 1);
        else
            world.StartFadeIn(c.duration, 1);
        gameTimer.realStep = c.elapsed;
        d3dRender.device->BeginScene();
        d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFFFFFF, 1.0f, 0);
        world.DrawFade();
        d3dRender.device->EndScene();
        EXPECT_NEAR(Red(Screen()[60 * WORLD_SCREEN_WIDTH + 80]), c.red, 2) << c.name;
        EXPECT_EQ(GameSettings[SLOT_MASTER], c.master) << c.name;
    }
    GameSettings[SLOT_AUDIO] = 0;
    GameSettings[SLOT_MASTER] = master;
    world.fadeKind = FADE_NONE;
}

// The eye sits on the scooter's first control point and looks two bounding radii ahead, or
// behind while the camera key B is held.
TEST_F(WorldPassesTest, TheViewFromTheScooterLooksTwoRadiiAlongIt)
{
    world.LoadLocation(1);
    world.StartRace(1, 2, 2, 1, 6);
    ASSERT_NE(playerVehicle, nullptr);
    const CVehicle& scooter = *playerVehicle;
    D3DXVECTOR3 seat;
    D3DXVec3TransformCoord(&seat, &scooter.mesh->controlPoints[0][0], &scooter.world);
    const D3DXVECTOR3 forward(scooter.world.m[2][0], scooter.world.m[2][1], scooter.world.m[2][2]);
    const float reach = scooter.mesh->radius * 2.0f;
    gameTimer.realStep = 0.02f;
    for (int back : {0, 1}) {
        actionPressed[ACTION_CAMERA_B] = back;
        world.SetMode(CAMERA_FROM_SCOOTER, nullptr);
        world.Update();
        const D3DXVECTOR3 expected = seat + forward * (back ? -reach : reach);
        EXPECT_NEAR(world.eye.x, seat.x, 1e-3f);
        EXPECT_NEAR(world.eye.y, seat.y, 1e-3f);
        EXPECT_NEAR(world.eye.z, seat.z, 1e-3f);
        EXPECT_NEAR(world.lookAt.x, expected.x, 1e-3f) << back;
        EXPECT_NEAR(world.lookAt.y, expected.y, 1e-3f) << back;
        EXPECT_NEAR(world.lookAt.z, expected.z, 1e-3f) << back;
    }
    actionPressed[ACTION_CAMERA_B] = 0;
}

} // namespace
