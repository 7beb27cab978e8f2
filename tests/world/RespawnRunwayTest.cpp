// Loops and climbs driven from a standstill at the respawn point before them: each scooter at
// its starting levels falls on the piece, comes back where the respawn puts it, and a scripted
// player (keys through the window procedure, within a lane of the centre line) drives on
// through the piece, at 20 and at 10 frames a second; a fall at any segment of a loop leaves the
// race going on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "engine/shell/GameTimer.h"
#include "frontend/GameMenu.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinTime.h"
#include "tests/support/SteppedClock.h"
#include "tests/world/ScriptedPlayer.h"
#include "tests/world/WorldFixture.h"
#include "world/World.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Platform.h"
#include "world/track/Track.h"

namespace {

constexpr unsigned FAST_FRAME_MS = 50, SLOW_FRAME_MS = 100;
constexpr int TRACK_TYPE_WITH_LOOPS = 2;
constexpr int SCOOTERS = 8;
constexpr float LANE_WIDTH = 5.0f;
constexpr float START_SECONDS_LIMIT = 30.0f;
// The respawn takes 3 s; a piece driven from a standstill takes well under 20 s.
constexpr float PASSAGE_SECONDS_LIMIT = 25.0f;

struct PieceOnCourse {
    int seed = -1;
    int index = -1;
    int firstSegment = -1, lastSegment = -1;
};

struct Passage {
    bool through = false;
    bool fell = false;
    int respawnSegment = -1;
    float slowestOnPiece = 1e9f;
};

int FirstSegmentOf(const CPlatform* piece)
{
    for (int j = 0; j < int(track.segmentCount); ++j)
        if (track.segmentOwners[j] == piece)
            return j;
    return -1;
}

int LastSegmentOf(const CPlatform* piece)
{
    int last = -1;
    for (int j = 0; j < int(track.segmentCount); ++j)
        if (track.segmentOwners[j] == piece)
            last = j;
    return last;
}

class RespawnRunwayTest : public WorldTest {
protected:
    // Frames of exactly frameMs on the stepped clock, whatever the machine's load.
    void Frame() const
    {
        steppedClockMilliseconds += frameMs;
        gameTimer.lastReading = timeGetTime() - frameMs;
        world.Frame();
    }

    // The first random course with loops (seeds from 1) holding the kind between the start and
    // the finish zone, with a piece of another kind between it and the start.
    static PieceOnCourse FindPiece(int kind)
    {
        world.LoadLocation(1);
        for (int seed = 1; seed < 200; ++seed) {
            if (!track.BuildTrack(seed, TRACK_TYPE_WITH_LOOPS, 0))
                continue;
            for (int i = 2; i + 3 < int(track.pieceCount); ++i) {
                if (track.pieceKinds[i] == kind) {
                    PieceOnCourse found {seed, i};
                    found.firstSegment = FirstSegmentOf(track.pieces[i]);
                    found.lastSegment = LastSegmentOf(track.pieces[i]);
                    return found;
                }
            }
        }
        return {};
    }

    // A quick race of one racer, the given scooter at its starting levels, up to the green light.
    void StartRace(int seed, int scooter)
    {
        steppedClockMilliseconds = 0; // the same race whatever ran before
        gameMenu.OpenPage(MENU_PAGE_NONE);
        RacerLevelFactor = 1.0f;
        world.LoadLocation(1);
        world.StartRace(seed, TRACK_TYPE_WITH_LOOPS, 0, 1, scooter);
        vehicleManager.SetOpponentLevels();
        race.SetPhase(RACE_SEQUENCE_START, nullptr);
        RaceMode = RACE_MODE_QUICK;
        GameSettings[SLOT_RACE_RUNNING] = 1;
        keyboard = Keyboard();
        now = 0;
        for (float t = 0.0f; t < START_SECONDS_LIMIT; t += frameMs * 0.001f) {
            if (race.sequence == RACE_SEQUENCE_START && race.phase == 1)
                keyboard.Tap(VK_SPACE);
            Step();
            if (playerVehicle->raceState == RACE_STATE_RACING && playerVehicle->GetDriver() == DRIVER_PLAYER)
                return;
        }
        FAIL() << "the race did not start";
    }

    void Step()
    {
        now += frameMs;
        Frame();
    }

    // The player's scooter falls off at the segment; then the scripted player drives from where
    // it comes back until it is past the piece's exit, falls again or runs out of time.
    Passage FallAndDrive(int fallSegment, const PieceOnCourse& piece, float laneOffset)
    {
        CVehicle& player = *playerVehicle;
        keyboard.ReleaseAll(now);
        player.segment = player.roadSegment = fallSegment;
        player.raceState = RACE_STATE_FALLEN;
        player.fallStep = FALL_STEP_FALLEN;
        Passage passage;
        bool back = false;
        for (float t = 0.0f; t < PASSAGE_SECONDS_LIMIT; t += frameMs * 0.001f) {
            if (back)
                HoldKeys(keyboard, DecideKeys(player, laneOffset), now);
            Step();
            if (!back) {
                back = player.raceState == RACE_STATE_RACING;
                passage.respawnSegment = player.segment;
                continue;
            }
            if (player.raceState == RACE_STATE_FALLEN) {
                passage.fell = true;
                break;
            }
            if (player.segment > piece.firstSegment + 1 && player.segment <= piece.lastSegment)
                passage.slowestOnPiece = std::min(passage.slowestOnPiece, player.speed);
            if (player.segment >= piece.lastSegment + 2) {
                passage.through = true;
                break;
            }
        }
        keyboard.ReleaseAll(now);
        return passage;
    }

    Keyboard keyboard;
    unsigned now = 0;
    // Software rendering draws a full window at about 10 frames a second.
    unsigned frameMs = SLOW_FRAME_MS;
};

struct PieceKind {
    int kind;
    const char* name;
};

void PrintTo(const PieceKind& kind, std::ostream* out) { *out << kind.name; }

class EveryClimbAndLoop : public RespawnRunwayTest,
                          public testing::WithParamInterface<std::tuple<PieceKind, unsigned>> {};

INSTANTIATE_TEST_SUITE_P(Kinds, EveryClimbAndLoop,
                         testing::Combine(testing::Values(PieceKind {2, "AU_020"}, PieceKind {10, "LU_090"},
                                                          PieceKind {11, "RU_090"}, PieceKind {15, "LU_180"},
                                                          PieceKind {16, "RU_180"}, PieceKind {17, "A1_360"},
                                                          PieceKind {18, "A2_360"}),
                                          testing::Values(FAST_FRAME_MS, SLOW_FRAME_MS)),
                         [](const testing::TestParamInfo<std::tuple<PieceKind, unsigned>>& info) {
                             return std::string(std::get<0>(info.param).name) + "Frame" +
                                    std::to_string(std::get<1>(info.param)) + "ms";
                         });

TEST_P(EveryClimbAndLoop, EveryScooterGetsThroughFromAStandstillAtTheRespawnPoint)
{
    const PieceKind kind = std::get<0>(GetParam());
    frameMs = std::get<1>(GetParam());
    const PieceOnCourse piece = FindPiece(kind.kind);
    ASSERT_GE(piece.seed, 0) << "no course holds " << kind.name;
    int falls = 0;
    for (int scooter = 0; scooter < SCOOTERS; ++scooter) {
        for (const float laneOffset : {-LANE_WIDTH, LANE_WIDTH}) {
            StartRace(piece.seed, scooter);
            ASSERT_EQ(track.pieceKinds[piece.index], kind.kind);
            Passage passage = FallAndDrive(piece.firstSegment + 1, piece, laneOffset);
            std::printf("%s, %u ms frames, seed %d, scooter %d, lane %+.0f: respawn at segment %d (piece %d-%d), %s, slowest on it %.1f\n",
                        kind.name, frameMs, piece.seed, scooter, laneOffset, passage.respawnSegment, piece.firstSegment,
                        piece.lastSegment, passage.through ? "through" : passage.fell ? "fell" : "stuck",
                        passage.slowestOnPiece);
            // A driver who falls tries again from the same respawn point.
            if (passage.fell) {
                ++falls;
                passage = FallAndDrive(piece.firstSegment + 1, piece, laneOffset);
                falls += passage.fell;
            }
            EXPECT_TRUE(passage.through) << kind.name << ", scooter " << scooter << ", lane offset " << laneOffset;
        }
    }
    // A rare fall (a knock against a rail) may happen; falls on every few tries mean the piece
    // is too hard from a standstill.
    EXPECT_LE(falls, 1) << kind.name;
}

// The first scooter of a new profile falls at every segment of each loop in turn, in one race.
TEST_F(RespawnRunwayTest, AFallAnywhereOnALoopRespawnsBeforeItAndTheRaceGoesOn)
{
    for (const int kind : {17, 18}) {
        const PieceOnCourse piece = FindPiece(kind);
        ASSERT_GE(piece.seed, 0);
        StartRace(piece.seed, 0);
        int falls = 0;
        for (int segment = piece.firstSegment; segment <= piece.lastSegment; ++segment) {
            const float laneOffset = segment % 2 ? LANE_WIDTH : -LANE_WIDTH;
            Passage passage = FallAndDrive(segment, piece, laneOffset);
            if (passage.fell) {
                ++falls;
                passage = FallAndDrive(segment, piece, laneOffset);
            }
            ASSERT_GE(passage.respawnSegment, 0);
            EXPECT_LT(passage.respawnSegment, piece.firstSegment) << "a fall at segment " << segment;
            EXPECT_LT(track.segmentOwners[passage.respawnSegment]->pieceKind, TRACK_LOOP_KIND);
            EXPECT_TRUE(passage.through) << "kind " << kind << ", after a fall at segment " << segment;
        }
        EXPECT_LE(falls, 1) << "kind " << kind;
        EXPECT_EQ(playerVehicle->raceState, RACE_STATE_RACING);
        EXPECT_EQ(playerVehicle->GetDriver(), DRIVER_PLAYER);
    }
}

} // namespace
