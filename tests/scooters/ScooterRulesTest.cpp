// The scooter's race rules: falling off, progress along the centre line, the finish, the place
// bookkeeping, the respawn place and the player's keys.
#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <memory>

#include "engine/helpers/VectorHelpers.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "tests/scooters/FreePlayerBody.h"
#include "tests/scooters/StraightTrack.h"
#include "world/race/Hud.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Platform.h"
#include "world/track/Track.h"

class ScooterRulesTest : public StraightTrackTest {
protected:
    void SetUp() override
    {
        StraightTrackTest::SetUp();
        scooter.raceState = RACE_STATE_RACING;
        scooter.placeTimer = 1.0f;
    }

    void PutAt(int segment, const D3DXVECTOR3& offset)
    {
        scooter.segment = scooter.roadSegment = segment;
        scooter.position = Point(segment) + offset;
    }

    CVehicle scooter;
};

TEST_F(ScooterRulesTest, FallsOnlyWhenFarAndWellBelowItsSegmentPoint)
{
    struct Case {
        D3DXVECTOR3 offset;
        bool falls;
    };
    const Case cases[] = {
        {{0, -3.0f, -31.0f}, true},  {{31.0f, -2.6f, 0}, true}, {{0, -3.0f, -10.0f}, false},
        {{0, -2.4f, -40.0f}, false}, {{0, 40.0f, -40.0f}, false},
    };
    for (const Case& c : cases) {
        scooter.raceState = RACE_STATE_RACING;
        PutAt(10, c.offset);
        const int segment = scooter.UpdateProgress();
        EXPECT_EQ(scooter.raceState == RACE_STATE_FALLEN, c.falls) << c.offset.x << " " << c.offset.y << " " << c.offset.z;
        if (c.falls) {
            EXPECT_EQ(segment, 10);
            EXPECT_EQ(scooter.fallStep, FALL_STEP_FALLEN);
        }
    }
}

TEST_F(ScooterRulesTest, KeptOffTheRoadForFiveSecondsItFallsWhereverItIs)
{
    // Lodged on something 8 above its segment point, beside the road, or on its back.
    for (const float seconds : {4.9f, 5.1f}) {
        for (const D3DXVECTOR3& offset : {D3DXVECTOR3(0, 8.0f, 0), D3DXVECTOR3(13.0f, -3.0f, 0)}) {
            scooter.raceState = RACE_STATE_RACING;
            scooter.offRoadTime = seconds;
            PutAt(10, offset);
            EXPECT_EQ(scooter.UpdateProgress(), 10);
            EXPECT_EQ(scooter.raceState == RACE_STATE_FALLEN, seconds > 5.0f) << seconds << " s, " << offset.x;
        }
    }
}

TEST_F(ScooterRulesTest, ProgressPassesThePointsBehindAndAimsAtTheNextOne)
{
    PutAt(5, {0, 0, 1.0f});
    EXPECT_EQ(scooter.UpdateProgress(), 6);
    EXPECT_EQ(scooter.aimPoint, Point(6));
    PutAt(5, {0, 0, -1.0f});
    EXPECT_EQ(scooter.UpdateProgress(), 5);
    PutAt(int(SEGMENTS) - 1, {0, 0, 0});
    EXPECT_EQ(scooter.UpdateProgress(), int(SEGMENTS) - 2);
}

// Off a bend: the scooter leaves the road at segment 10 and flies on beside the centre line, well
// clear of the pieces, past several points before it drops.
TEST_F(ScooterRulesTest, AFlightBesideTheCourseGainsNoPlaceAndRespawnsWhereTheRoadWasLeft)
{
    scooter.hasGround = 1;
    PutAt(10, {0, 0, -1.0f});
    scooter.segment = scooter.UpdateProgress();
    const int takeOff = scooter.segment;
    scooter.UpdatePlace();
    const float distanceAtTakeOff = scooter.distanceToFinish;

    scooter.hasGround = 0;
    for (float z = Point(10).z; z <= Point(16).z; z += 2.0f) {
        scooter.position = {35.0f, 0.0f, z};
        scooter.segment = scooter.UpdateProgress();
        scooter.UpdatePlace();
        EXPECT_GE(scooter.distanceToFinish, distanceAtTakeOff) << z;
    }
    EXPECT_EQ(scooter.raceState, RACE_STATE_RACING);
    EXPECT_GT(scooter.segment, takeOff + 4);

    scooter.position.y = -10.0f;
    scooter.UpdateState();
    ASSERT_EQ(scooter.raceState, RACE_STATE_FALLEN);
    scooter.fallStep = FALL_STEP_TUMBLING;
    scooter.stateTime = 2.5f;
    scooter.UpdateRespawn();
    EXPECT_EQ(scooter.segment, takeOff);
}

TEST_F(ScooterRulesTest, AJumpThatLandsOnTheRoadKeepsThePointsPassedInTheAir)
{
    scooter.hasGround = 1;
    PutAt(10, {0, 0, -1.0f});
    scooter.segment = scooter.UpdateProgress();
    scooter.hasGround = 0;
    scooter.position = Point(13) + D3DXVECTOR3(0, 6.0f, 1.0f);
    scooter.segment = scooter.UpdateProgress();
    scooter.hasGround = 1;
    scooter.position = Point(14) + D3DXVECTOR3(0, 1.0f, 1.0f);
    scooter.segment = scooter.UpdateProgress();
    scooter.UpdatePlace();
    EXPECT_EQ(scooter.segment, 15);
    EXPECT_FLOAT_EQ(scooter.distanceToFinish,
                    Vec3Distance(scooter.position, Point(15)) + 20.0f * float(SEGMENTS - 9 - 15));
}

TEST_F(ScooterRulesTest, DistanceToFinishCountsTheSegmentsLeftAndWaitsForItsFirstQuarterSecond)
{
    PutAt(10, {0, 0, -5.0f});
    scooter.UpdatePlace();
    EXPECT_FLOAT_EQ(scooter.distanceToFinish, 5.0f + 20.0f * float(SEGMENTS - 9 - 10));

    CVehicle fresh;
    fresh.distanceToFinish = 999.0f;
    fresh.UpdatePlace();
    EXPECT_FLOAT_EQ(fresh.distanceToFinish, 999.0f);
}

TEST_F(ScooterRulesTest, InTheFinishZoneThePlayerIsHandedToTheComputerAndTheTimeIsKept)
{
    playerVehicle = &scooter;
    scooter.SetDriver(DRIVER_PLAYER);
    EXPECT_EQ(hud.visible, 1);
    scooter.groundContacts = 1;
    scooter.speedSum = 300.0f;
    scooter.speedSamples = 10;
    PutAt(int(SEGMENTS) - 5, {0, 0, 0});
    gameTimer.gameTime = track.raceStartTime + 61500;
    scooter.UpdateState();
    EXPECT_EQ(scooter.GetDriver(), DRIVER_COMPUTER);
    EXPECT_EQ(hud.visible, 0);
    EXPECT_NEAR(scooter.finishTime, 61.5f, 0.001f);
    EXPECT_FLOAT_EQ(scooter.speedSum, 30.0f);
    EXPECT_FLOAT_EQ(scooter.distanceToFinish, 0.0f);

    gameTimer.gameTime += 5000;
    scooter.UpdateState();
    EXPECT_NEAR(scooter.finishTime, 61.5f, 0.001f);
}

TEST_F(ScooterRulesTest, WithoutGroundContactTheFinishZoneDoesNotFinish)
{
    PutAt(int(SEGMENTS) - 5, {0, 0, -3.0f});
    scooter.UpdateState();
    EXPECT_FLOAT_EQ(scooter.finishTime, 0.0f);
    EXPECT_FLOAT_EQ(scooter.distanceToFinish, 3.0f);
}

TEST_F(ScooterRulesTest, TheRespawnAvoidsLoopsAndTheFinishZone)
{
    CPlatform loop;
    loop.pieceKind = TRACK_LOOP_KIND;
    for (int i = 10; i <= 14; ++i)
        track.segmentOwners[i] = &loop;
    struct Case {
        int fellAt;
        int respawnAt;
    };
    const Case cases[] = {{13, 9}, {20, 20}, {int(SEGMENTS) - 3, int(SEGMENTS) - 9}};
    for (const Case& c : cases) {
        scooter.raceState = RACE_STATE_FALLEN;
        scooter.fallStep = FALL_STEP_TUMBLING;
        scooter.stateTime = 2.5f;
        scooter.segment = scooter.roadSegment = c.fellAt;
        scooter.UpdateRespawn();
        EXPECT_EQ(scooter.segment, c.respawnAt) << c.fellAt;
        EXPECT_EQ(scooter.fallStep, FALL_STEP_MATERIALISING);
    }
    for (int i = 10; i <= 14; ++i)
        track.segmentOwners[i] = nullptr;
}

TEST_F(ScooterRulesTest, AfterMaterialisingTheScooterRacesAgainAboveItsSegmentInItsGridLane)
{
    scooter.raceState = RACE_STATE_FALLEN;
    scooter.fallStep = FALL_STEP_MATERIALISING;
    scooter.segment = 12;
    scooter.gridColumn = 2;
    scooter.lane = 0.3f;
    scooter.stateTime = 0.5f;
    scooter.UpdateRespawn();
    EXPECT_EQ(scooter.raceState, RACE_STATE_FALLEN);
    scooter.stateTime = 1.5f;
    scooter.UpdateRespawn();
    EXPECT_EQ(scooter.raceState, RACE_STATE_RACING);
    EXPECT_EQ(scooter.fallStep, FALL_STEP_FALLEN);
    EXPECT_FLOAT_EQ(scooter.lane, 2.0f);
    EXPECT_EQ(scooter.position, Point(12) + D3DXVECTOR3(0, 8.0f, 0));
    EXPECT_FLOAT_EQ(scooter.world._33, 1.0f);
}

// The player's keys on a free body: no ground, facing +z.
class PlayerKeysTest : public ScooterRulesTest {
protected:
    void SetUp() override
    {
        ScooterRulesTest::SetUp();
        shape = GiveFreePlayerBody(scooter);
        scooter.segment = 1;
    }
    void TearDown() override
    {
        scooter.body.reset();
        ScooterRulesTest::TearDown();
    }

    void Drive(int frames)
    {
        for (int i = 0; i < frames; ++i)
            scooter.DrivePlayer();
    }

    std::unique_ptr<btBoxShape> shape;
};

TEST_F(PlayerKeysTest, UpAcceleratesAlongTheScooterAndDownWinsOverUp)
{
    actionPressed[ACTION_ACCELERATE] = 1;
    Drive(30);
    EXPECT_GT(scooter.body->getLinearVelocity().z(), 0.5f);
    EXPECT_GT(scooter.throttleLevel, 0.0f);

    actionPressed[ACTION_BRAKE] = 1;
    Drive(200);
    EXPECT_FLOAT_EQ(scooter.body->getLinearVelocity().length(), 0.0f);
    EXPECT_FLOAT_EQ(scooter.throttleLevel, 0.0f);
}

TEST_F(PlayerKeysTest, LeftAndRightTogetherGoStraight)
{
    actionPressed[ACTION_LEFT] = actionPressed[ACTION_RIGHT] = 1;
    Drive(10);
    EXPECT_FLOAT_EQ(scooter.body->getAngularVelocity().y(), 0.0f);
    actionPressed[ACTION_RIGHT] = 0;
    Drive(1);
    EXPECT_LT(scooter.body->getAngularVelocity().y(), 0.0f);
}
