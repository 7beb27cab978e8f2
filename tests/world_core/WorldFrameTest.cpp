#include "tests/world_core/WorldFixture.h"

#include "engine/D3DRender.h"
#include "engine/GameSettings.h"
#include "engine/GameTimer.h"
#include "engine/MainWindow.h"
#include "world/World.h"

namespace {

using WorldFrameTest = WorldTest;

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

} // namespace
