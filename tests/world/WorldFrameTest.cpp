#include "tests/world/WorldFixture.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "engine/render/ScreenVertex.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "engine/shell/MainWindow.h"
#include "platform/gfx/GfxControl.h"
#include "world/World.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/sky/Environment.h"

namespace {

class WorldFrameTest : public WorldTest {
protected:
    // The generated first location with a short race of one scooter.
    static void StartRace()
    {
        world.LoadLocation(1);
        world.StartRace(1, 2, 2, 1, 6);
        GameSettings[SLOT_RACE_RUNNING] = 1;
    }
    // Faces drawn by one Render from a fixed eye.
    static int FacesOfOneRender()
    {
        world.SetPosition(D3DXVECTOR3(0, 14, -10), D3DXVECTOR3(0, 14, 100), D3DXVECTOR3(0, 1, 0));
        d3dRender.facesDrawn = 0;
        d3dRender.device->BeginScene();
        world.Render();
        d3dRender.device->EndScene();
        return d3dRender.facesDrawn;
    }
    // A frame at least a few milliseconds after the last, so that the real clock moves.
    static void LaterFrame()
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        world.Frame();
    }
};

TEST_F(WorldFrameTest, InactiveWindowMakesAFrameDoNothing)
{
    world.Frame(); // a first frame so that there is something to draw
    windowActive = 0;
    const CGameTimer clock = gameTimer;
    const int frames = d3dRender.framesPresented;
    d3dRender.facesDrawn = 7; // drawing would add to it, a present would zero it
    world.Frame();
    EXPECT_EQ(gameTimer.lastReading, clock.lastReading);
    EXPECT_EQ(gameTimer.realTime, clock.realTime);
    EXPECT_EQ(gameTimer.gameTime, clock.gameTime);
    EXPECT_EQ(d3dRender.framesPresented, frames);
    EXPECT_EQ(d3dRender.facesDrawn, 7);

    windowActive = 1;
    world.Frame();
    EXPECT_EQ(d3dRender.framesPresented, frames + 1);
}

TEST_F(WorldFrameTest, PausedClockMovesOnlyTheCameraTheDisplayAndTheRacePhases)
{
    StartRace();
    world.Frame();
    race.SetPhase(RACE_SEQUENCE_START, playerVehicle);
    race.phase = 1;
    gameTimer.timeSpeed = 0.0f;
    const D3DXVECTOR3 farEye(0, 900, 0);
    world.eye = farEye;
    inputState.enter = 1;
    d3dRender.batchVertexCount = 5; // the batch is locked, and so emptied, only by a running update
    const D3DXMATRIX scooter = playerVehicle->placement;

    LaterFrame();
    EXPECT_EQ(gameTimer.gameStep, 0.0f);
    EXPECT_GT(gameTimer.realStep, 0.0f);
    EXPECT_NE(world.eye.y, farEye.y) << "the camera follows its target";
    EXPECT_EQ(race.phase, 3) << "the fly-in is skipped";
    EXPECT_EQ(d3dRender.batchVertexCount, 5) << "no simulation step";
    EXPECT_EQ(0, std::memcmp(&scooter, &playerVehicle->placement, sizeof scooter)) << "the scooter stays";

    gameTimer.timeSpeed = 1.0f;
    LaterFrame();
    EXPECT_GT(gameTimer.gameStep, 0.0f);
    EXPECT_NE(d3dRender.batchVertexCount, 5) << "a running update locks a fresh batch";
}

TEST_F(WorldFrameTest, PresetViewDrawsOnlyTheBlendedPlanetsNebulaeAndStars)
{
    StartRace();
    GameSettings[SLOT_DEBUG_VIEW] = 1;
    const int presetWithEverything = FacesOfOneRender();
    GameSettings[SLOT_DEBUG_VIEW] = 0;
    const int fullView = FacesOfOneRender();

    // Only the nebula and the ground planet (mask 2) of the same location, no track.
    WriteLocation(22, LocationText("Object:                         Data/Static/Sky/01/Nebula.obj\n"
                                   "Position:                           0.00     0.00     0.00\n"
                                   "Target:                             0.00     0.00     1.00\n"
                                   "Up:                                 0.00     1.00     0.00\n//\n"
                                   "Object:                         Data/Static/Sky/01/Ground.obj\n"
                                   "Position:                           0.00     0.00     0.00\n"
                                   "Target:                             0.00     0.00     1.00\n"
                                   "Up:                                 0.00     1.00     0.00\n//\n//--\n"));
    world.LoadLocation(22);
    GameSettings[SLOT_DEBUG_VIEW] = 1;
    const int presetOfTheSky = FacesOfOneRender();

    EXPECT_GT(presetOfTheSky, 0);
    EXPECT_EQ(presetWithEverything, presetOfTheSky) << "the moons, the track and the scooter are not drawn";
    EXPECT_GT(fullView, presetWithEverything);
}

TEST_F(WorldFrameTest, ShadowOverlayIsDrawnUnlessShadowsAreOffOrWithoutStrength)
{
    StartRace();
    struct Case {
        const char* name;
        int shadows;
        float strength;
        bool drawn;
    };
    const Case cases[] = {
        {"shadows on", 3, 1.0f, true},
        {"Shadows setting 0", 0, 1.0f, false},
        {"shadow strength 0.0", 3, 0.0f, false},
    };
    // The overlay: a screen quad from memory, black (at alpha strength x 128) on the near plane.
    const auto isOverlay = [](const RecordedDraw& draw) {
        if (draw.fvf != SCREEN_VERTEX_FVF || draw.vertices.size() != 4 * sizeof(ScreenVertex))
            return false;
        ScreenVertex first {};
        std::memcpy(&first, draw.vertices.data(), sizeof first);
        return (first.colour & 0xFFFFFF) == 0 && first.z == 0.0f;
    };
    for (const Case& c : cases) {
        GameSettings[SLOT_SHADOWS] = c.shadows;
        environment.shadowStrength = c.strength;
        d3dRender.device->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 1.0f, 5);
        std::vector<RecordedDraw> draws;
        RecordDrawsFromMemory(d3dRender.device, &draws);
        FacesOfOneRender();
        RecordDrawsFromMemory(d3dRender.device, nullptr);
        EXPECT_EQ(std::count_if(draws.begin(), draws.end(), isOverlay), c.drawn ? 1 : 0) << c.name;
        // The frame leaves no stencil behind for the next.
        const std::vector<unsigned char> stencil = ReadStencil();
        EXPECT_EQ(std::count(stencil.begin(), stencil.end(), 0), long(stencil.size())) << c.name;
    }
}

} // namespace
