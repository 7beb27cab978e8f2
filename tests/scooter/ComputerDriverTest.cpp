// The computer driver on a straight course of segment points along +z.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/scooter/StraightTrack.h"
#include "world/Track.h"
#include "world/Vehicle.h"

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

TEST_F(ComputerDriverTest, WithoutLookAheadItAimsAtTheNextPoint)
{
    // At standstill, and late in the segment too: never at or behind the scooter itself.
    for (const float along : {5.0f, 18.0f}) {
        const DriveDecision decision = DriveFrom(5, {0, 0, along}, ahead, 0.0f);
        EXPECT_EQ(scooter.aimPoint, Point(6)) << along;
        EXPECT_EQ(decision.throttle, 1) << along;
        EXPECT_NEAR(decision.steer, 0.0f, 1e-5f) << along;
    }
}

TEST_F(ComputerDriverTest, ATightBendShortensTheLookAheadSoTheAimIsNotCutAcrossIt)
{
    // On a straight course the speed looks two segments ahead ...
    DriveFrom(6, {0, 0, 2.0f}, ahead, 60.0f);
    EXPECT_GT(scooter.aimPoint.z, Point(8).z);
    // ... but with a right angle at point 8 the line to such an aim would cross the inside of
    // the corner: the aim stays on the straight until the corner is reached.
    for (unsigned i = 9; i < SEGMENTS; ++i)
        track.segmentPoints[i] = Point(8) + D3DXVECTOR3(SPACING * float(i - 8), 0, 0);
    for (const int c : {6, 7}) {
        DriveFrom(c, {0, 0, 2.0f}, ahead, 60.0f);
        EXPECT_EQ(scooter.aimPoint.x, 0.0f) << "from segment " << c;
    }
}

TEST_F(ComputerDriverTest, InTheAirOrFarOffTheLineItBrakes)
{
    scooter.airTime = 0.5f;
    EXPECT_EQ(DriveFrom(5, {0, 0, 2.0f}, ahead, 20.0f).throttle, -1);
    scooter.airTime = 0.0f;
    EXPECT_EQ(DriveFrom(5, {0, 0, 2.0f}, ahead, 20.0f).throttle, 1);
    // Across the centre line, facing the aim: on its lane it speeds on; beyond it it brakes, but
    // slowly it drives back onto the line.
    for (const float across : {-7.0f, 7.0f}) {
        const D3DXVECTOR3 offLane(across, 0, 2.0f), onLane(across * 0.7f, 0, 2.0f);
        EXPECT_EQ(DriveFrom(5, offLane, Point(7) - (Point(5) + offLane), 40.0f).throttle, -1) << across;
        EXPECT_EQ(DriveFrom(5, offLane, Point(7) - (Point(5) + offLane), 20.0f).throttle, 1) << across;
        EXPECT_EQ(DriveFrom(5, onLane, Point(7) - (Point(5) + onLane), 40.0f).throttle, 1) << across;
    }
}

TEST_F(ComputerDriverTest, ItSteersBackTowardsTheLine)
{
    EXPECT_GT(DriveFrom(5, {-4.0f, 0, 0}, ahead, 20.0f).steer, 0.0f);
    EXPECT_LT(DriveFrom(5, {4.0f, 0, 0}, ahead, 20.0f).steer, 0.0f);
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

TEST_F(ComputerDriverTest, NearTheEndTheLookAheadStaysOnTheCourse)
{
    DriveFrom(int(SEGMENTS) - 2, {0, 0, 2.0f}, ahead, 200.0f);
    EXPECT_EQ(scooter.aimPoint, Point(int(SEGMENTS) - 1));
}
