// Start-grid slots and the race order by distance to the finish.
#include <gtest/gtest.h>

#include "tests/scooters/StraightTrack.h"
#include "world/scooters/Vehicle.h"
#include "world/track/GridLayout.h"
#include "world/track/Track.h"

TEST(GridLayout, RowsOfThreeAtLeastOne)
{
    const int cases[][2] = {{0, 1}, {1, 1}, {3, 1}, {4, 2}, {6, 2}, {7, 3}, {24, 8}};
    for (const auto& [racers, rows] : cases)
        EXPECT_EQ(GridRowCount(racers), rows) << racers << " racers";
}

TEST_F(StraightTrackTest, GridSlotsStandFiveApartAcrossTheCourseAndFaceAlongIt)
{
    struct Case {
        int index;
        int row, column;
        float x, z;
    };
    // The course runs along +z: the right of it is +x, column 0 stands at -5.
    const Case cases[] = {
        {0, 0, 0, -5.0f, 40.0f}, {1, 0, 1, 0.0f, 40.0f}, {2, 0, 2, 5.0f, 40.0f}, {3, 1, 0, -5.0f, 60.0f},
    };
    for (const Case& c : cases) {
        const GridSlot slot = GridSlotOf(track.segmentPoints, c.index);
        EXPECT_EQ(slot.row, c.row) << c.index;
        EXPECT_EQ(slot.column, c.column) << c.index;
        EXPECT_FLOAT_EQ(slot.position.x, c.x) << c.index;
        EXPECT_FLOAT_EQ(slot.position.y, 5.0f) << c.index;
        EXPECT_FLOAT_EQ(slot.position.z, c.z) << c.index;
        EXPECT_FLOAT_EQ(slot.target.z - slot.position.z, 100.0f) << c.index;
        EXPECT_FLOAT_EQ(slot.target.x, slot.position.x) << c.index;
    }
}

class RaceOrderTest : public StraightTrackTest {
protected:
    void SetUp() override
    {
        StraightTrackTest::SetUp();
        track.racerCount = 3;
        for (int i = 0; i < 3; ++i) {
            track.racerOrder[i] = &racers[i];
            racers[i].place = i;
            racers[i].distanceToFinish = 100.0f * float(i + 1);
        }
    }

    CVehicle racers[3];
};

TEST_F(RaceOrderTest, ASmallerDistanceMovesUpOnePlacePerUpdate)
{
    racers[2].distanceToFinish = 10.0f;
    track.UpdateOrder(&racers[2]);
    EXPECT_EQ(track.racerOrder[0], &racers[2]);
    EXPECT_EQ(track.racerOrder[2], &racers[0]);
    EXPECT_EQ(racers[2].place, 0);
    EXPECT_EQ(racers[0].place, 2);
    EXPECT_EQ(track.racerOrder[1], &racers[1]);
}

TEST_F(RaceOrderTest, AFinishedRacerIsNeverOvertaken)
{
    racers[0].finishTime = 61.5f;
    racers[0].distanceToFinish = 0.0f;
    racers[1].distanceToFinish = 500.0f;
    racers[2].distanceToFinish = -1.0f;
    track.UpdateOrder(&racers[2]);
    EXPECT_EQ(track.racerOrder[0], &racers[0]);
    EXPECT_EQ(track.racerOrder[1], &racers[2]);
    EXPECT_EQ(racers[0].place, 0);
    EXPECT_EQ(racers[2].place, 1);
}

TEST_F(RaceOrderTest, ARacerBehindKeepsItsPlaceAndLearnsIt)
{
    racers[1].place = 7;
    track.UpdateOrder(&racers[1]);
    EXPECT_EQ(racers[1].place, 1);
    EXPECT_EQ(track.racerOrder[1], &racers[1]);
    CVehicle stranger;
    track.UpdateOrder(&stranger);
    EXPECT_EQ(track.racerOrder[0], &racers[0]);
}
