// How far a scooter on the road has come: the points it counts as passed and its distance to
// the finish, on the straight course.
#include <gtest/gtest.h>

#include "tests/scooters/StraightTrack.h"
#include "world/scooters/Vehicle.h"

namespace {

constexpr float SCOOTER_RADIUS = 2.0f;

class ProgressRulesTest : public StraightTrackTest {
protected:
    void SetUp() override
    {
        StraightTrackTest::SetUp();
        scooter.raceState = RACE_STATE_RACING;
        scooter.placeTimer = 1.0f;
        scooter.hasGround = 1;
        scooter.radius = SCOOTER_RADIUS;
    }

    // Progress and place from a scooter on the road at an offset from point segment.
    void DriveTo(int segment, const D3DXVECTOR3& offset)
    {
        scooter.segment = segment;
        scooter.position = Point(segment) + offset;
        scooter.segment = scooter.UpdateProgress();
        scooter.UpdatePlace();
    }

    CVehicle scooter;
};

// A point counts as passed while the scooter is less than two bounding radii (4) short of it
// along the course; how far beside the course it is does not matter.
TEST_F(ProgressRulesTest, APointIsPassedFromTwoRadiiBeforeItAlongTheCourse)
{
    struct Case {
        D3DXVECTOR3 offset;
        int reached;
    };
    const Case cases[] = {
        {{0, 0, -4.5f}, 5}, {{0, 0, -3.5f}, 6}, {{0, 0, -0.5f}, 6},
        {{15.0f, 0, -3.5f}, 6}, {{0, 0, 17.0f}, 7}, {{0, 0, 2000.0f}, int(SEGMENTS) - 2},
    };
    for (const Case& c : cases) {
        DriveTo(5, c.offset);
        EXPECT_EQ(scooter.segment, c.reached) << c.offset.x << " " << c.offset.z;
        EXPECT_EQ(scooter.aimPoint, Point(c.reached));
    }
}

// The distance to the point reached (at most 30) plus 20 for every segment left before the
// finish zone's first point.
TEST_F(ProgressRulesTest, DistanceToFinishIsTheGapToThePointPlusTwentyPerSegmentLeft)
{
    const int zone = int(SEGMENTS) - 9;
    struct Case {
        int segment;
        D3DXVECTOR3 offset;
        float distance;
    };
    const Case cases[] = {
        {10, {0, 0, -5.0f}, 5.0f + 20.0f * float(zone - 10)},
        {10, {40.0f, 0, -5.0f}, 30.0f + 20.0f * float(zone - 10)},
        {zone - 1, {3.0f, 0, -5.0f}, 5.8309519f + 20.0f},
        {zone, {0, 0, -5.0f}, 5.0f},
    };
    for (const Case& c : cases) {
        DriveTo(c.segment, c.offset);
        ASSERT_EQ(scooter.segment, c.segment);
        EXPECT_FLOAT_EQ(scooter.distanceToFinish, c.distance) << c.segment << " " << c.offset.x;
    }
}

} // namespace
