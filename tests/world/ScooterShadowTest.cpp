#include "tests/world/WorldFixture.h"

#include <chrono>
#include <thread>

#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "world/World.h"

namespace {

class ScooterShadowTest : public WorldTest {};

// The chase view of a race under way: the volumes mark the road beside and behind the scooter,
// never the scooter's own deck and seat in the middle of the picture.
TEST_F(ScooterShadowTest, VolumesMarkTheRoadAroundTheScooterAndNotItsDeck)
{
    world.LoadLocation(1);
    world.StartRace(1, 2, 2, 1, 6);
    GameSettings[SLOT_RACE_RUNNING] = 1;
    GameSettings[SLOT_SHADOWS] = 3;
    for (int i = 0; i < 40; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        world.Frame();
    }
    d3dRender.device->BeginScene();
    world.Render();
    d3dRender.device->EndScene();
    d3dRender.device->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 1.0f, 0);
    world.RenderShadowVolumes();
    const std::vector<unsigned char> stencil = ReadStencil();
    auto marked = [&](unsigned x0, unsigned x1, unsigned y0, unsigned y1) {
        int count = 0;
        for (unsigned y = y0; y < y1; ++y)
            for (unsigned x = x0; x < x1; ++x)
                count += stencil[y * WORLD_SCREEN_WIDTH + x] != 0;
        return count;
    };
    // Rows from the top of the read-back; the scooter's deck lies around the centre column.
    EXPECT_EQ(marked(74, 86, 78, 88), 0) << "deck and seat";
    EXPECT_GT(marked(0, WORLD_SCREEN_WIDTH, 70, 101), 40) << "road around the scooter";
}

} // namespace
