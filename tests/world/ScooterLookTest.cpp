// The scooters' visual components in a race on the generated data: chrome and glass shining
// over the painted body, the lights glowing at the hover pads, the engine flames trailing behind
// a scooter that speeds away.
#include "tests/world/WorldFixture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "engine/render/D3DRender.h"
#include "engine/shell/GameTimer.h"
#include "platform/win/WinTime.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/InputState.h"
#include "platform/gfx/GfxControl.h"
#include "tools/makedata/ImageWriters.h"
#include "world/World.h"
#include "world/effects/FlameEffect.h"
#include "world/effects/FlameSystem.h"
#include "world/effects/LightsEffect.h"
#include "world/effects/SurfaceEffects.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"

namespace {

using Picture = std::vector<D3DCOLOR>;

int Difference(D3DCOLOR a, D3DCOLOR b)
{
    int sum = 0;
    for (int shift = 0; shift < 24; shift += 8)
        sum += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
    return sum;
}

int ChangedPixels(const Picture& a, const Picture& b)
{
    int changed = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        changed += Difference(a[i], b[i]) > 30;
    return changed;
}

// Saves a picture for people to look at.
void Save(const Picture& picture, const char* name)
{
    const DecodedImage image = MakeFlatImage(WORLD_SCREEN_WIDTH, WORLD_SCREEN_HEIGHT, [&](unsigned x, unsigned y) {
        return picture[y * WORLD_SCREEN_WIDTH + x];
    });
    const std::filesystem::path folder = SCOOTER_PICTURES;
    std::filesystem::create_directories(folder);
    const std::vector<std::uint8_t> png = WritePng(image);
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
}

D3DXVECTOR3 Row(const D3DXMATRIX& matrix, int row) { return {matrix.m[row][0], matrix.m[row][1], matrix.m[row][2]}; }

class ScooterLookTest : public WorldTest {
protected:
    // A race of the player's scooter alone on a generated track, a few frames in.
    CVehicle& StartAlone(int scooter)
    {
        world.LoadLocation(1);
        world.StartRace(1, 2, 2, 1, scooter);
        GameSettings[SLOT_RACE_RUNNING] = 1;
        RunFrames(10);
        return *playerVehicle;
    }

    // Frames of 20 ms of game time each, however long the machine takes to draw them.
    static void RunFrames(int count)
    {
        for (int i = 0; i < count; ++i) {
            gameTimer.lastReading = timeGetTime() - 20;
            world.Frame();
        }
    }

    static Picture Render()
    {
        d3dRender.device->BeginScene();
        world.Render();
        d3dRender.device->EndScene();
        return ReadRenderTarget(d3dRender.device, 0, 0, int(WORLD_SCREEN_WIDTH), int(WORLD_SCREEN_HEIGHT));
    }

    // The camera close to the scooter's right front, looking down at its middle.
    static void LookCloselyAt(const CVehicle& scooter)
    {
        const D3DXVECTOR3 position = Row(scooter.world, 3), right = Row(scooter.world, 0), up = Row(scooter.world, 1),
                          forward = Row(scooter.world, 2);
        world.activeCamera->SetPosition(position + right * 2.6f + up * 2.4f + forward * 2.2f, position + up * 0.6f, up);
    }

    // The picture without one of the scooter's components.
    template <class Component>
    static Picture RenderWithout(std::unique_ptr<Component>& component)
    {
        std::unique_ptr<Component> kept = std::move(component);
        Picture picture = Render();
        component = std::move(kept);
        return picture;
    }
};

TEST_F(ScooterLookTest, ChromeAndGlassShineOverThePaintedBody)
{
    for (int scooter : {0, 4}) {
        CVehicle& vehicle = StartAlone(scooter);
        ASSERT_TRUE(vehicle.components.chrome && vehicle.components.rGlass) << "scooter " << scooter + 1;
        LookCloselyAt(vehicle);
        const Picture whole = Render();
        Save(whole, scooter == 0 ? "race_closeup_01.png" : "race_closeup_05.png");
        EXPECT_GT(ChangedPixels(whole, RenderWithout(vehicle.components.chrome)), 40) << "chrome " << scooter + 1;
        EXPECT_GT(ChangedPixels(whole, RenderWithout(vehicle.components.rGlass)), 40) << "glass " << scooter + 1;
        world.Clear();
    }
}

// From the chase camera the four hover pads glow over the road.
TEST_F(ScooterLookTest, LightsGlowAtTheHoverPads)
{
    CVehicle& scooter = StartAlone(2);
    ASSERT_TRUE(scooter.components.lights);
    const Picture lit = Render();
    Save(lit, "race_chase_lights.png");
    const int sprites = d3dRender.batchVertexCount;
    d3dRender.batchVertexCount = 0;
    const Picture dark = Render();
    d3dRender.batchVertexCount = sprites;

    int shown = 0, glowing = 0;
    for (const D3DXVECTOR3& pad : scooter.mesh->controlPoints[1]) {
        D3DXVECTOR3 at;
        D3DXVec3TransformCoord(&at, &pad, &scooter.world);
        float x, y, depth;
        if (!world.activeCamera->ProjectPoint(&x, &y, at, &depth))
            continue;
        ++shown;
        const int px = int(x * d3dRender.xFactor), py = int(y * d3dRender.yFactor);
        int brightest = 0;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                const int cx = std::clamp(px + dx, 0, int(WORLD_SCREEN_WIDTH) - 1);
                const int cy = std::clamp(py + dy, 0, int(WORLD_SCREEN_HEIGHT) - 1);
                brightest = std::max(brightest, Difference(lit[cy * WORLD_SCREEN_WIDTH + cx], dark[cy * WORLD_SCREEN_WIDTH + cx]));
            }
        }
        glowing += brightest > 60;
    }
    EXPECT_EQ(shown, 4) << "the chase camera sees all four pads";
    EXPECT_EQ(glowing, shown);
}

TEST_F(ScooterLookTest, EngineFlamesTrailBehindAnAcceleratingScooter)
{
    CVehicle& scooter = StartAlone(4);
    ASSERT_TRUE(scooter.components.engineFlame);
    scooter.raceState = RACE_STATE_RACING;
    scooter.SetDriver(DRIVER_PLAYER);
    actionPressed[ACTION_ACCELERATE] = 1;
    RunFrames(40);
    actionPressed[ACTION_ACCELERATE] = 0;
    EXPECT_GT(scooter.speed, 5.0f);

    const D3DXVECTOR3 position = Row(scooter.world, 3), forward = Row(scooter.world, 2);
    int owned = 0, behind = 0;
    for (int i = 0; i < flameSystem.count; ++i) {
        const CFlameSystem::Particle& particle = flameSystem.particles[i];
        if (particle.owner != &scooter)
            continue;
        ++owned;
        const D3DXVECTOR3 offset = particle.position - position;
        behind += D3DXVec3Dot(&offset, &forward) < -1.8f;
    }
    EXPECT_GT(owned, 6);
    EXPECT_EQ(behind, owned) << "every flame lies behind the nozzles' exits";

    const Picture withFlames = Render();
    Save(withFlames, "race_engine_flames.png");
    const int visible = flameSystem.visibleCount;
    flameSystem.visibleCount = 0;
    const Picture withoutFlames = Render();
    flameSystem.visibleCount = visible;
    EXPECT_GT(ChangedPixels(withFlames, withoutFlames), 30);
}

} // namespace
