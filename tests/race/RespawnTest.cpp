// The respawn of a fallen scooter on generated courses of every track type: falling at any
// segment brings it back at or before the last segment it reached with road under it, off the
// loops and before the finish zone, whatever the kinds of the pieces say.
#include <gtest/gtest.h>

#include <set>

#include "tests/race/RaceDataFixture.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Platform.h"
#include "world/track/Track.h"

namespace {

constexpr float FRAME = 0.1f;
constexpr int RESPAWN_FRAMES_LIMIT = 40; // tumbling 2 s, materialising 1 s

struct Course {
    int seed, type, length;
};

// Every track type, and between them every piece kind.
const Course COURSES[] = {{1, 0, 0}, {2, 0, 1}, {3, 1, 0}, {4, 1, 1}, {5, 2, 0}, {6, 2, 1},
                          {7, 2, 1}, {8, 2, 2}, {9, 1, 2}, {10, 2, 2}};

class RespawnTest : public RaceDataTest {
protected:
    // The segment the scooter respawns at after falling with fallSegment its last road segment.
    static int RespawnAfterFallAt(CVehicle& scooter, int fallSegment)
    {
        scooter.segment = scooter.roadSegment = fallSegment;
        scooter.raceState = RACE_STATE_FALLEN;
        scooter.fallStep = FALL_STEP_FALLEN;
        scooter.stateTime = scooter.effectTimer = 0.0f;
        for (int frame = 0; frame < RESPAWN_FRAMES_LIMIT && scooter.raceState == RACE_STATE_FALLEN; ++frame) {
            Step(FRAME);
            scooter.UpdateRespawn();
        }
        EXPECT_EQ(scooter.raceState, RACE_STATE_RACING) << "no respawn after a fall at " << fallSegment;
        return scooter.segment;
    }

    static bool IsLoopSegment(int segment) { return track.segmentOwners[segment]->pieceKind >= TRACK_LOOP_KIND; }

    // Falls at every segment of the built course; returns the kinds of the pieces fallen from.
    static std::set<int> FallEverywhere(CVehicle& scooter, const char* what)
    {
        std::set<int> kinds;
        const int count = static_cast<int>(track.segmentCount);
        for (int fall = 0; fall < count; ++fall) {
            kinds.insert(track.segmentOwners[fall]->pieceKind);
            const int respawn = RespawnAfterFallAt(scooter, fall);
            EXPECT_GE(respawn, 0) << what;
            EXPECT_LE(respawn, fall) << what << ": a fall at " << fall << " moves the racer forward";
            EXPECT_LE(respawn, count - TRACK_FINISH_SEGMENTS - 1) << what << ": respawn in the finish zone";
            if (respawn > 0) {
                EXPECT_FALSE(IsLoopSegment(respawn)) << what << ": respawn on a loop";
            }
            EXPECT_EQ(scooter.roadSegment, respawn);
        }
        return kinds;
    }
};

TEST_F(RespawnTest, NeverMovesARacerForwardOnAnyPieceKind)
{
    std::set<int> kinds;
    for (const Course& c : COURSES) {
        ASSERT_EQ(track.BuildTrack(c.seed, c.type, c.length), 1);
        CVehicle* scooter = PlaceScooter(track.segmentPoints[3] + D3DXVECTOR3(0, 2, 0));
        const std::string what = "seed " + std::to_string(c.seed) + " type " + std::to_string(c.type);
        const std::set<int> fallen = FallEverywhere(*scooter, what.c_str());
        kinds.insert(fallen.begin(), fallen.end());
        vehicleManager.Clear();
    }
    EXPECT_EQ(kinds.size(), static_cast<std::size_t>(TRACK_PIECE_KINDS)) << "a piece kind was never fallen from";
}

TEST_F(RespawnTest, StraightWithTheCueKeepsAFallOnItsOwnSegment)
{
    ASSERT_EQ(track.BuildTrack(6, 2, 1), 1);
    CVehicle* scooter = PlaceScooter(track.segmentPoints[3] + D3DXVECTOR3(0, 2, 0));
    int checked = 0;
    for (std::uint32_t i = 1; i + 1 < track.pieceCount; ++i) {
        const CPlatform* piece = track.pieces[i];
        if (piece->pieceKind != 5 && piece->pieceKind != 12)
            continue;
        int first = 0;
        while (track.segmentOwners[first] != piece)
            ++first;
        // Its points 0 to 6 are its segments: a fall on any of them respawns there, not further on.
        for (int point = 0; point <= 6; ++point)
            EXPECT_EQ(RespawnAfterFallAt(*scooter, first + point), first + point);
        ++checked;
    }
    EXPECT_GT(checked, 0) << "the course has no straight of kind 5 or 12";
}

TEST_F(RespawnTest, PieceKindsThatBreakTheLayoutStillNeverMoveARacerForward)
{
    // Every piece of the course said to be the straight with the voice cue: most have fewer than
    // eight centre-line points, so none has a point 6 to walk to.
    ASSERT_EQ(track.BuildTrack(5, 2, 1), 1);
    for (std::uint32_t i = 0; i < track.pieceCount; ++i)
        track.pieces[i]->pieceKind = 5;
    CVehicle* scooter = PlaceScooter(track.segmentPoints[3] + D3DXVECTOR3(0, 2, 0));
    FallEverywhere(*scooter, "every piece of kind 5");
}

} // namespace
