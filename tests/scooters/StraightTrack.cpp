#include "tests/scooters/StraightTrack.h"

#include <algorithm>

#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "world/World.h"
#include "world/race/Race.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Track.h"

namespace {

void QuietRaceGlobals()
{
    track.segmentCount = 0;
    track.racerCount = 0;
    track.trackLength = 0.0f;
    std::fill(std::begin(track.racerOrder), std::end(track.racerOrder), nullptr);
    std::fill(std::begin(track.segmentOwners), std::end(track.segmentOwners), nullptr);
    std::fill(std::begin(track.laneHints), std::end(track.laneHints), -1);
    track.startLights = nullptr;
    vehicleManager.vehicleCount = 0;
    playerVehicle = nullptr;
    race.Reset();
    world.activeCamera = nullptr;
    inputState = InputState {};
    std::fill(std::begin(actionPressed), std::end(actionPressed), 0);
}

} // namespace

void StraightTrackTest::SetUp()
{
    QuietRaceGlobals();
    GameSettings[SLOT_AUDIO] = 0;
    gameTimer.gameTime = 10000;
    gameTimer.realTime = 10000;
    gameTimer.gameStep = 0.02f;
    gameTimer.realStep = 0.02f;
    track.segmentCount = SEGMENTS;
    for (unsigned i = 0; i < SEGMENTS; ++i)
        track.segmentPoints[i] = Point(int(i));
    track.trackLength = SPACING * float(SEGMENTS - 11);
    track.raceStartTime = gameTimer.gameTime;
}

void StraightTrackTest::TearDown()
{
    QuietRaceGlobals();
}

void StraightTrackTest::Step(float dt)
{
    gameTimer.gameStep = dt;
    gameTimer.realStep = dt;
    gameTimer.gameTime += unsigned(dt * 1000.0f + 0.5f);
    gameTimer.realTime = gameTimer.gameTime;
}
