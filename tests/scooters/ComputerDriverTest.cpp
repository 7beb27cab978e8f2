// The computer driver on a straight course of segment points along +z.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/scooters/StraightTrack.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Platform.h"
#include "world/track/Track.h"

class ComputerDriverTest : public StraightTrackTest {
protected:
    void SetUp() override
    {
        StraightTrackTest::SetUp();
        scooter.topSpeed = 50.0f;
        scooter.handling = 900.0f;
        scooter.stopSegment = int(SEGMENTS) - 6;
        scooter.gridColumn = 1;
        scooter.lane = 1.0f;
    }

    // The scooter at segment c, offset from its point, facing along `facing`.
    DriveDecision DriveFrom(int c, const D3DXVECTOR3& offset, const D3DXVECTOR3& facing, float speed)
    {
        scooter.segment = c;
        scooter.speed = speed;
        scooter.position = Point(c) + offset;
        scooter.SetLookAt(scooter.position, scooter.position + facing, {0, 1, 0});
        return scooter.PlanComputerDrive();
    }

    const D3DXVECTOR3 ahead {0, 0, 1};
    CVehicle scooter;
};

TEST_F(ComputerDriverTest, OnTheLineItGoesFullThrottleStraightAhead)
{
    const DriveDecision decision = DriveFrom(5, {0, 0, 2.0f}, ahead, 20.0f);
    EXPECT_EQ(decision.throttle, 1);
    EXPECT_NEAR(decision.steer, 0.0f, 1e-5f);
    EXPECT_FLOAT_EQ(scooter.aimPoint.x, 0.0f);
}

TEST_F(ComputerDriverTest, TheAimMovesOnAlongTheSegmentAfterTheLookAheadAsTheScooterClosesIn)
{
    // The progress rule leaves point c ahead of the scooter: the nearer the scooter is to it, the
    // further along S[T]-S[T+1] the aim lies (k = 3: speed 30 looks one segment ahead, 60 two).
    struct Case {
        float speed, behind;
        int lookAhead;
        float along; // fraction of the segment from S[T] towards S[T+1]
    };
    for (const Case& c : {Case {0.0f, 15.0f, 0, 0.25f}, Case {30.0f, 15.0f, 1, 0.25f},
                          Case {30.0f, 4.0f, 1, 0.8f}, Case {60.0f, 18.0f, 2, 0.1f}}) {
        DriveFrom(5, {0, 0, -c.behind}, ahead, c.speed);
        EXPECT_NEAR(scooter.aimPoint.z, Point(5 + c.lookAhead).z + c.along * SPACING, 1e-3f)
            << "speed " << c.speed << ", " << c.behind << " before point 5";
        EXPECT_FLOAT_EQ(scooter.aimPoint.x, 0.0f);
    }
}

TEST_F(ComputerDriverTest, TheCourseBendingAtTheLookAheadMovesTheLaneToItsOutside)
{
    // Two segments ahead at speed 60 the course turns to one side.
    for (const float side : {1.0f, -1.0f}) {
        for (unsigned i = 8; i < SEGMENTS; ++i)
            track.segmentPoints[i] = Point(7) + D3DXVECTOR3(side * SPACING * float(i - 7), 0, 0);
        scooter.lane = 1.0f;
        DriveFrom(5, {0, 0, -10.0f}, ahead, 60.0f);
        EXPECT_FLOAT_EQ(scooter.lane, side > 0.0f ? 0.0f + 0.5f * 0.02f : 2.99f - 0.5f * 0.02f) << "side " << side;
    }
}

TEST_F(ComputerDriverTest, InTheAirAndOffTheLineTheThrottleFollowsTheAim)
{
    scooter.airTime = 0.5f;
    EXPECT_EQ(DriveFrom(5, {0, 0, -10.0f}, ahead, 40.0f).throttle, 1);
    scooter.airTime = 0.0f;
    for (const float across : {-7.0f, 7.0f}) {
        const D3DXVECTOR3 offLine(across, 0, -10.0f);
        EXPECT_EQ(DriveFrom(5, offLine, Point(7) - (Point(5) + offLine), 40.0f).throttle, 1) << across;
    }
}

TEST_F(ComputerDriverTest, ItSteersBackTowardsTheLine)
{
    EXPECT_GT(DriveFrom(5, {-4.0f, 0, 0}, ahead, 20.0f).steer, 0.0f);
    EXPECT_LT(DriveFrom(5, {4.0f, 0, 0}, ahead, 20.0f).steer, 0.0f);
}

TEST_F(ComputerDriverTest, ItBrakesRatherThanPushOnARacerJustAhead)
{
    CVehicle other;
    vehicleManager.vehicles[0] = &scooter;
    vehicleManager.vehicles[1] = &other;
    vehicleManager.vehicleCount = 2;
    struct Case {
        D3DXVECTOR3 otherFromScooter;
        int otherState, throttle;
    };
    for (const Case& c : {Case {{0, 0, 3.5f}, RACE_STATE_RACING, -1}, Case {{2.0f, 0, 1.0f}, RACE_STATE_RACING, -1},
                          Case {{-2.0f, 0, 1.0f}, RACE_STATE_GRID, -1}, Case {{0, 0, 4.5f}, RACE_STATE_RACING, 1},
                          Case {{3.0f, 0, 1.0f}, RACE_STATE_RACING, 1}, Case {{2.0f, 0, 0.1f}, RACE_STATE_RACING, 1},
                          Case {{0, 0, -3.5f}, RACE_STATE_RACING, 1}, Case {{0, 0, 3.5f}, RACE_STATE_FALLEN, 1},
                          Case {{0, 2.0f, 3.5f}, RACE_STATE_RACING, -1}, Case {{0, -12.0f, 3.5f}, RACE_STATE_RACING, 1}}) {
        other.raceState = c.otherState;
        other.position = Point(5) + D3DXVECTOR3(0, 0, 2.0f) + c.otherFromScooter;
        EXPECT_EQ(DriveFrom(5, {0, 0, 2.0f}, ahead, 20.0f).throttle, c.throttle)
            << "the other racer at " << c.otherFromScooter.x << ", " << c.otherFromScooter.y << ", "
            << c.otherFromScooter.z << " in state " << c.otherState;
    }
}

TEST_F(ComputerDriverTest, AnAimBehindMeansBrakingAndFullLock)
{
    const DriveDecision moving = DriveFrom(5, {0, 0, 2.0f}, {0.1f, 0, -1.0f}, 20.0f);
    EXPECT_EQ(moving.throttle, -1);
    EXPECT_FLOAT_EQ(std::fabs(moving.steer), 2.5f);
    EXPECT_EQ(DriveFrom(5, {0, 0, 2.0f}, {0.1f, 0, -1.0f}, 0.0f).throttle, 1);
}

TEST_F(ComputerDriverTest, PastItsStopSegmentARacerBrakes)
{
    scooter.stopSegment = 4;
    EXPECT_EQ(DriveFrom(5, {0, 0, 2.0f}, ahead, 20.0f).throttle, -1);
}

TEST_F(ComputerDriverTest, AHintedSegmentShortensTheLookAheadAndMovesTheLane)
{
    track.laneHints[6] = 1;
    DriveFrom(5, {0, 0, 2.0f}, ahead, 200.0f);
    EXPECT_EQ(scooter.aimPoint, Point(6));
    EXPECT_FLOAT_EQ(scooter.lane, 0.0f + 0.5f * 0.02f);
}

TEST_F(ComputerDriverTest, ALoopOfEitherHandShortensTheLookAheadToItsFirstSegment)
{
    // Three segments ahead at speed 200, a whole segment before point 5: the aim at S[T] itself.
    // The piece from segment 7 on is of the given kind.
    struct Case {
        int kind;
        int aimedAt;
    };
    CPlatform piece;
    for (int i = 7; i < 12; ++i)
        track.segmentOwners[i] = &piece;
    for (const Case& c : {Case {TRACK_LOOP_KIND - 1, 8}, Case {TRACK_LOOP_KIND, 7}, Case {TRACK_LOOP_KIND + 1, 7}}) {
        piece.pieceKind = c.kind;
        DriveFrom(5, {0, 0, -SPACING}, ahead, 200.0f);
        EXPECT_EQ(scooter.aimPoint, Point(c.aimedAt)) << "kind " << c.kind;
    }
}

TEST_F(ComputerDriverTest, NearTheEndTheLookAheadStaysOnTheCourse)
{
    DriveFrom(int(SEGMENTS) - 2, {0, 0, 2.0f}, ahead, 200.0f);
    EXPECT_EQ(scooter.aimPoint, Point(int(SEGMENTS) - 1));
}
