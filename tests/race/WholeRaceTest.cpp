// Whole races on generated courses, every scooter driven by the computer and the game clock
// stepped by the test: the racers move along the centre line, a racer falls off at most once (the
// grid draws the opponents' scooters from the clock, and racers in a pack now and then push one
// another off), and the player's arrival starts the finish sequence. The longest course the
// builder makes stays within the physics world's handle count and extent.
#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/helpers/VectorHelpers.h"
#include "engine/shell/GameTimer.h"
#include "tests/race/RaceDataFixture.h"
#include "world/World.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Platform.h"
#include "world/track/Track.h"

namespace {

constexpr float FRAME = 1.0f / 60.0f;
constexpr int RACERS = 4;
constexpr int RACE_SECONDS_LIMIT = 240;
// Every racer gains at least this many segments over each stretch of that many seconds.
constexpr int PROGRESS_SECONDS = 10;
constexpr int MIN_PROGRESS_SEGMENTS = 5;
// Limits of the physics world (its broadphase and the extent of its sweep).
constexpr int BROADPHASE_HANDLES = 4096;
constexpr float WORLD_EXTENT = 10000.0f;
// A length past which the builder's piece limit holds every course.
constexpr int LONGEST_LENGTH = 10;

class WholeRaceTest : public RaceDataTest {
protected:
    // The course and the racers on the grid, all racing with the computer driving.
    void StartRace(int seed, int type, int length)
    {
        ASSERT_EQ(track.BuildTrack(seed, type, length), 1);
        StartComputerRace(RACERS);
        ASSERT_EQ(vehicleManager.vehicleCount, RACERS);
        ASSERT_NE(playerVehicle, nullptr);
    }

    static void RaceFrame()
    {
        RaceFrameBehindPlayer(FRAME);
        race.Update();
    }

    static int PieceKindAt(int segment)
    {
        const CPlatform* owner = track.segmentOwners[segment];
        return owner ? owner->pieceKind : -1;
    }
};

// Short courses of the seeds 1 to 9: straights, bends, climbs and dips.
class WholeRaceSeedTest : public WholeRaceTest, public ::testing::WithParamInterface<int> {};

INSTANTIATE_TEST_SUITE_P(Seeds, WholeRaceSeedTest, ::testing::Range(1, 10));

TEST_P(WholeRaceSeedTest, ComputerDriversRaceAShortCourseToTheFinish)
{
    StartRace(GetParam(), 0, 0);
    const unsigned startTime = gameTimer.gameTime;
    const int segments = static_cast<int>(track.segmentCount);
    std::vector<int> segmentsBefore(RACERS, 0);
    std::vector<int> falls(RACERS, 0);
    std::vector<bool> fallen(RACERS, false);
    bool finishStarted = false;
    int frame = 0;
    for (; frame < RACE_SECONDS_LIMIT * 60 && !finishStarted; ++frame) {
        RaceFrame();
        for (int i = 0; i < RACERS; ++i) {
            const CVehicle* racer = vehicleManager.vehicles[i];
            const bool fallingNow = racer->raceState == RACE_STATE_FALLEN;
            if (fallingNow && !fallen[i]) {
                ++falls[i];
                ASSERT_LE(falls[i], 1) << "racer " << i << " fell off again at segment " << racer->segment << " of "
                                       << segments << " (piece kind " << PieceKindAt(racer->segment) << ")";
            }
            fallen[i] = fallingNow;
            ASSERT_LE(std::fabs(racer->position.x), WORLD_EXTENT);
            ASSERT_LE(std::fabs(racer->position.z), WORLD_EXTENT);
        }
        if ((frame + 1) % (PROGRESS_SECONDS * 60) == 0) {
            for (int i = 0; i < RACERS; ++i) {
                const CVehicle* racer = vehicleManager.vehicles[i];
                if (racer->segment < racer->stopSegment) {
                    EXPECT_GE(racer->segment - segmentsBefore[i], MIN_PROGRESS_SEGMENTS)
                        << "racer " << i << " stalls at segment " << racer->segment << " after " << (frame + 1) / 60
                        << " s";
                }
                segmentsBefore[i] = racer->segment;
            }
        }
        finishStarted = race.sequence == RACE_SEQUENCE_FINISH;
    }
    ASSERT_TRUE(finishStarted) << "no finish after " << RACE_SECONDS_LIMIT << " s; the player's scooter reached segment "
                               << playerVehicle->segment << " of " << segments;
    EXPECT_GT(playerVehicle->finishTime, 0.0f);
    EXPECT_NEAR(playerVehicle->finishTime, float(gameTimer.gameTime - startTime) * 0.001f, 0.001f);
    // The end page's average: a plausible speed, not the sum divided twice.
    EXPECT_GT(playerVehicle->AverageSpeed(), 0.25f * playerVehicle->maxSpeed);
    EXPECT_LE(playerVehicle->AverageSpeed(), playerVehicle->maxSpeed);
    RaceFrame();
    EXPECT_EQ(race.phase, 1) << "the finish sequence ran its first phase";
}

TEST_F(WholeRaceTest, RestartPutsEveryRacerBackOnItsGridSlot)
{
    StartRace(4, 1, 0);
    std::vector<D3DXVECTOR3> slots;
    for (int i = 0; i < RACERS; ++i)
        slots.push_back(vehicleManager.vehicles[i]->position);
    for (int frame = 0; frame < 20 * 60; ++frame)
        RaceFrame();
    ASSERT_GT(playerVehicle->segment, 20) << "the racers are well on their way";

    world.RestartRace();
    for (int i = 0; i < RACERS; ++i) {
        const CVehicle& racer = *vehicleManager.vehicles[i];
        EXPECT_LT(Vec3Distance(racer.position, slots[i]), 0.01f) << "racer " << i;
        EXPECT_EQ(racer.segment, racer.gridSegment) << "racer " << i;
        EXPECT_EQ(racer.roadSegment, racer.gridSegment) << "racer " << i;
    }
    // From the grid the race goes on as from the start: nobody is taken for fallen off.
    vehicleManager.EnableRacers(RACE_STATE_RACING);
    playerVehicle->SetDriver(DRIVER_COMPUTER);
    for (int frame = 0; frame < 3 * 60; ++frame)
        RaceFrame();
    for (int i = 0; i < RACERS; ++i) {
        const CVehicle& racer = *vehicleManager.vehicles[i];
        EXPECT_EQ(racer.raceState, RACE_STATE_RACING) << "racer " << i;
        EXPECT_LT(racer.segment, 20) << "racer " << i;
    }
}

TEST_F(WholeRaceTest, LongestCourseStaysWithinThePhysicsWorld)
{
    StartRace(7, 2, LONGEST_LENGTH);
    EXPECT_EQ(track.pieceCount, static_cast<unsigned>(TRACK_MAX_PIECES));
    btCollisionObjectArray& objects = world.dynamicsWorld->getCollisionObjectArray();
    EXPECT_LT(objects.size(), BROADPHASE_HANDLES);
    for (int i = 0; i < objects.size(); ++i) {
        btVector3 low, high;
        objects[i]->getCollisionShape()->getAabb(objects[i]->getWorldTransform(), low, high);
        for (int axis = 0; axis < 3; ++axis) {
            ASSERT_GT(low[axis], -WORLD_EXTENT) << "object " << i;
            ASSERT_LT(high[axis], WORLD_EXTENT) << "object " << i;
        }
    }
    for (int i = 0; i < 60; ++i)
        RaceFrame();
    for (int i = 0; i < RACERS; ++i)
        EXPECT_NE(vehicleManager.vehicles[i]->raceState, RACE_STATE_FALLEN) << "racer " << i;
}

} // namespace
