// Whole races on courses holding a given piece kind, a full grid with the computer driving every
// scooter and the player's scooter kept by the computer after a fall, as in the autoplay race: on
// courses with loops of either hand every racer finishes at every racer level, none falling
// again and again at one piece; at the fastest level the racers keep to a U-turn's road on its
// inside, and on long courses a quarter turn's; in the menu's default quick race the computer
// racers hardly ever fall.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "frontend/GameMenu.h"
#include "tests/race/RaceDataFixture.h"
#include "tests/support/SteppedClock.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Platform.h"
#include "world/track/Track.h"

namespace {

constexpr float FRAME = 1.0f / 60.0f;
constexpr int TRACK_TYPE_WITH_LOOPS = 2;
constexpr int FULL_GRID = 12;
constexpr int RACER_LEVELS = 3;
constexpr int LOWEST_LEVEL = 0;
constexpr int FASTEST_LEVEL = RACER_LEVELS - 1;
constexpr int RACE_SECONDS_LIMIT = 300;
constexpr int SHORT_COURSE = 0;
constexpr int LONG_COURSE = 2;

// Where a racer last had road under it before a fall.
struct FallRecord {
    int racer, piece, kind;
    float across; // from the centre line, to the right
};

struct RaceRecord {
    std::vector<FallRecord> falls;
    std::vector<bool> finished;
};

bool HoldsKind(int kind)
{
    return std::find(track.pieceKinds, track.pieceKinds + track.pieceCount, kind) != track.pieceKinds + track.pieceCount;
}

class CourseRaceTest : public RaceDataTest {
protected:
    void SetUp() override
    {
        RaceDataTest::SetUp();
        levelBefore = RacerLevelFactor;
    }
    void TearDown() override
    {
        RacerLevelFactor = levelBefore;
        RaceDataTest::TearDown();
    }

    // The short course of the first `courses` seeds from 1 whose course holds the kind.
    static std::vector<int> SeedsHolding(int kind, int courses)
    {
        std::vector<int> seeds;
        for (int seed = 1; int(seeds.size()) < courses && seed < 200; ++seed) {
            if (track.BuildTrack(seed, TRACK_TYPE_WITH_LOOPS, 0) && HoldsKind(kind))
                seeds.push_back(seed);
            track.Clear();
        }
        return seeds;
    }

    // Races the seed's course, the short one unless given, until every racer has finished or the
    // time is up.
    static RaceRecord Race(int seed, int level, int racers = FULL_GRID, int length = SHORT_COURSE)
    {
        RacerLevelFactor = float(level) * 0.1f + 0.8f;
        EXPECT_EQ(track.BuildTrack(seed, TRACK_TYPE_WITH_LOOPS, length), 1);
        steppedClockMilliseconds = DWORD(seed * RACER_LEVELS + level); // draws the grid's scooters
        StartComputerRace(racers);
        vehicleManager.SetOpponentLevels();
        race.sequence = RACE_SEQUENCE_AUTOPLAY;
        const int count = vehicleManager.vehicleCount;
        RaceRecord record;
        std::vector<FallRecord> lastOnRoad(count);
        std::vector<bool> fallen(count, false);
        bool allFinished = false;
        for (int frame = 0; frame < RACE_SECONDS_LIMIT * 60 && !allFinished; ++frame) {
            RaceFrameBehindPlayer(FRAME);
            allFinished = true;
            for (int i = 0; i < count; ++i) {
                const CVehicle& racer = *vehicleManager.vehicles[i];
                const bool fallingNow = racer.raceState == RACE_STATE_FALLEN;
                if (!fallingNow && racer.groundContacts) {
                    const int piece = track.PieceIndex(track.segmentOwners[racer.roadSegment]);
                    const int s = std::clamp(racer.roadSegment, 0, int(track.segmentCount) - 2);
                    lastOnRoad[i] = {i, piece, piece >= 0 ? track.pieceKinds[piece] : -1,
                                     AcrossCentreLine(racer.position, s)};
                }
                if (fallingNow && !fallen[i])
                    record.falls.push_back(lastOnRoad[i]);
                fallen[i] = fallingNow;
                allFinished = allFinished && racer.finishTime > 0.0f;
            }
        }
        for (int i = 0; i < count; ++i)
            record.finished.push_back(vehicleManager.vehicles[i]->finishTime > 0.0f);
        vehicleManager.Clear();
        track.Clear();
        return record;
    }

    static void ExpectEveryRacerFinished(const RaceRecord& record, int seed, int level)
    {
        for (int i = 0; i < int(record.finished.size()); ++i)
            EXPECT_TRUE(record.finished[i]) << "seed " << seed << ", level " << level << ": racer " << i;
    }

    float levelBefore = 0.0f;
};

// A racer pushed off in the pack may fall twice at one piece; one that cannot get through a piece
// falls there at every try.
constexpr int MOST_FALLS_AT_ONE_PIECE = 2;
constexpr int LOOP_COURSES = 4;

class LoopCourseTest : public CourseRaceTest, public ::testing::WithParamInterface<int> {};

INSTANTIATE_TEST_SUITE_P(LoopKinds, LoopCourseTest, ::testing::Values(TRACK_LOOP_KIND, TRACK_LOOP_KIND + 1));

TEST_P(LoopCourseTest, EveryRacerFinishesAtEveryLevel)
{
    const std::vector<int> seeds = SeedsHolding(GetParam(), LOOP_COURSES);
    ASSERT_EQ(int(seeds.size()), LOOP_COURSES);
    for (const int seed : seeds) {
        for (int level = 0; level < RACER_LEVELS; ++level) {
            const RaceRecord record = Race(seed, level);
            ExpectEveryRacerFinished(record, seed, level);
            for (const FallRecord& fall : record.falls) {
                const auto sameRacerAndPiece = [&](const FallRecord& other) {
                    return other.racer == fall.racer && other.piece == fall.piece;
                };
                EXPECT_LE(std::count_if(record.falls.begin(), record.falls.end(), sameRacerAndPiece), MOST_FALLS_AT_ONE_PIECE)
                    << "seed " << seed << ", level " << level << ": racer " << fall.racer << " at piece " << fall.piece
                    << " of kind " << fall.kind;
            }
        }
    }
}

struct Turn {
    int kind;
    float inside; // -1 left, +1 right
    const char* name;
};

void PrintTo(const Turn& turn, std::ostream* out) { *out << turn.name; }

// Whether the fall left the turn over its inside edge; says so when it did.
bool LeavesOverTheInside(const FallRecord& fall, const Turn& turn, int seed)
{
    if (fall.kind != turn.kind || fall.across * turn.inside <= 0.0f)
        return false;
    std::printf("seed %d: racer %d leaves piece %d, a %s, %.1f off the centre line\n", seed, fall.racer, fall.piece,
                turn.name, fall.across);
    return true;
}

constexpr int U_TURN_COURSES = 6;
// A racer knocked aside in the pack may leave a U-turn over its inside edge once in a while; a
// driver's own line through the turn must stay on the road.
constexpr int MOST_FALLS_OVER_THE_INSIDE = 1;

class UTurnCourseTest : public CourseRaceTest, public ::testing::WithParamInterface<Turn> {};

INSTANTIATE_TEST_SUITE_P(UTurns, UTurnCourseTest,
                         ::testing::Values(Turn {6, -1, "LH_180"}, Turn {7, 1, "RH_180"}, Turn {13, -1, "LD_180"},
                                           Turn {14, 1, "RD_180"}, Turn {15, -1, "LU_180"}, Turn {16, 1, "RU_180"}),
                         [](const ::testing::TestParamInfo<Turn>& info) { return std::string(info.param.name); });

TEST_P(UTurnCourseTest, NoRacerLeavesOverTheInsideEdgeAtTheFastestLevel)
{
    const Turn turn = GetParam();
    const std::vector<int> seeds = SeedsHolding(turn.kind, U_TURN_COURSES);
    ASSERT_EQ(int(seeds.size()), U_TURN_COURSES);
    int overTheInside = 0;
    for (const int seed : seeds) {
        for (const FallRecord& fall : Race(seed, FASTEST_LEVEL).falls)
            overTheInside += LeavesOverTheInside(fall, turn, seed);
    }
    EXPECT_LE(overTheInside, MOST_FALLS_OVER_THE_INSIDE) << turn.name;
}

constexpr Turn QUARTER_TURNS[] = {{3, -1, "LH_090"}, {4, 1, "RH_090"},  {8, -1, "LD_090"},
                                   {9, 1, "RD_090"},  {10, -1, "LU_090"}, {11, 1, "RU_090"}};
constexpr int QUARTER_TURN_COURSES = 24;
// A road of the common width through a quarter turn loses a racer over its inside in about every
// other long race at this level.
constexpr int MOST_FALLS_OVER_A_QUARTER_TURNS_INSIDE = 3;

TEST_F(CourseRaceTest, AtTheFastestLevelTheRacersKeepToTheQuarterTurnsOnTheirInside)
{
    int overTheInside = 0;
    for (int seed = 1; seed <= QUARTER_TURN_COURSES; ++seed) {
        for (const FallRecord& fall : Race(seed, FASTEST_LEVEL, FULL_GRID, LONG_COURSE).falls)
            for (const Turn& turn : QUARTER_TURNS)
                overTheInside += LeavesOverTheInside(fall, turn, seed);
    }
    EXPECT_LE(overTheInside, MOST_FALLS_OVER_A_QUARTER_TURNS_INSIDE);
}

// The menu's default quick race: loops, the short course, the lowest racer level, 9 racers.
constexpr int QUICK_RACE_RACERS = 9;
constexpr int QUICK_RACES = 100;
// Racers that push on each other in the pack knock one another off the road in about 1 race of
// 7; a racer that keeps clear of the one ahead falls only on its own.
constexpr int MOST_QUICK_RACES_WITH_A_COMPUTER_FALL = 3;

TEST_F(CourseRaceTest, InTheDefaultQuickRaceTheComputerRacersHardlyEverFall)
{
    int racesWithAComputerFall = 0;
    for (int seed = 1; seed <= QUICK_RACES; ++seed) {
        const RaceRecord record = Race(seed, LOWEST_LEVEL, QUICK_RACE_RACERS);
        const auto computerFell = [](const FallRecord& fall) { return fall.racer > 0; };
        if (std::any_of(record.falls.begin(), record.falls.end(), computerFell)) {
            ++racesWithAComputerFall;
            std::printf("seed %d: a computer racer falls\n", seed);
        }
        ExpectEveryRacerFinished(record, seed, LOWEST_LEVEL);
    }
    EXPECT_LE(racesWithAComputerFall, MOST_QUICK_RACES_WITH_A_COMPUTER_FALL);
}

} // namespace
