// A whole quick race driven as a person drives it: key presses and releases through the game's
// window procedure only, arrows for throttle and steering held or let go (with the keyboard's
// auto-repeat while held), decided at 20 frames a second from where the scooter is against the
// centre line; Space skips the fly-in. The world runs its own frames (drawing, physics, race
// phases, menu). The scripted player finishes every track type, the end page's place and time
// are its place in the race order and its finish time, and no racer gains a place by falling off.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "engine/shell/GameTimer.h"
#include "frontend/GameMenu.h"
#include "frontend/Profiles.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinTime.h"
#include "tests/support/SteppedClock.h"
#include "tests/world/ScriptedPlayer.h"
#include "tests/world/WorldFixture.h"
#include "world/World.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Track.h"

namespace {

constexpr unsigned FRAME_MS = 50; // 20 frames a second
constexpr int RACE_LENGTH = 0;
constexpr float RACE_SECONDS_LIMIT = 300.0f;
constexpr float AFTER_FINISH_SECONDS = 5.0f;
struct RaceSetup {
    int seed, type, racers;
    float racerLevelFactor;
    float laneOffset; // the scripted player keeps this far to the right of the centre line
};

void PrintTo(const RaceSetup& setup, std::ostream* out)
{
    *out << "seed " << setup.seed << ", type " << setup.type << ", " << setup.racers << " racers, lane "
         << setup.laneOffset;
}

struct RaceResult {
    bool finished = false;
    int place = 0; // 1-based, as the end page shows it
    float time = 0.0f;
    int playerFalls = 0;
};

class KeyboardRaceTest : public WorldTest, public testing::WithParamInterface<RaceSetup> {
protected:
    // Frames of exactly FRAME_MS on the stepped clock, whatever the machine's load.
    static void Frame()
    {
        steppedClockMilliseconds += FRAME_MS;
        gameTimer.lastReading = timeGetTime() - FRAME_MS;
        world.Frame();
    }

    // The quick race as the menu starts it: location, course, grid, opponents' levels, start sequence.
    static void StartQuickRace(const RaceSetup& setup)
    {
        steppedClockMilliseconds = 0; // the same grid and race whatever ran before
        gameMenu.OpenPage(MENU_PAGE_NONE); // as the transition page leaves it
        RacerLevelFactor = setup.racerLevelFactor;
        world.LoadLocation(1);
        world.StartRace(setup.seed, setup.type, RACE_LENGTH, setup.racers, 0);
        vehicleManager.SetOpponentLevels();
        race.SetPhase(RACE_SEQUENCE_START, nullptr);
        RaceMode = RACE_MODE_QUICK;
        GameSettings[SLOT_RACE_RUNNING] = 1;
    }

    // Runs the race with the scripted player; checks every racer's falls on the way.
    RaceResult DriveRace(float laneOffset)
    {
        RaceResult result;
        Keyboard keyboard;
        const int racers = int(vehicleManager.vehicleCount);
        std::vector<int> placeAtFall(racers, -1);
        std::vector<int> roadSegmentAtFall(racers, -1);
        bool skipped = false;
        float afterFinish = 0.0f;
        for (int frame = 0; frame * FRAME_MS < unsigned(RACE_SECONDS_LIMIT * 1000.0f); ++frame) {
            const unsigned now = unsigned(frame) * FRAME_MS;
            if (!skipped && race.sequence == RACE_SEQUENCE_START && race.phase == 1) {
                keyboard.Tap(VK_SPACE);
                skipped = true;
            }
            if (result.finished) {
                keyboard.ReleaseAll(now);
            } else {
                HoldKeys(keyboard, DecideKeys(*playerVehicle, laneOffset), now);
            }
            Frame();
            for (int i = 0; i < racers; ++i) {
                const CVehicle& racer = *vehicleManager.vehicles[i];
                if (racer.raceState == RACE_STATE_FALLEN && placeAtFall[i] < 0) {
                    placeAtFall[i] = racer.place;
                    roadSegmentAtFall[i] = racer.roadSegment;
                    result.playerFalls += i == 0;
                } else if (racer.raceState == RACE_STATE_RACING && placeAtFall[i] >= 0) {
                    EXPECT_LE(racer.roadSegment, roadSegmentAtFall[i]) << "racer " << i << " respawned ahead";
                    EXPECT_GE(racer.place, placeAtFall[i]) << "racer " << i << " gained a place by falling off";
                    placeAtFall[i] = -1;
                }
            }
            if (!result.finished && race.sequence == RACE_SEQUENCE_FINISH && race.phase == 1) {
                result.finished = true;
                result.place = CareerBlock.lastPlace;
                result.time = CareerBlock.lastTime;
                ExpectEndPageMatchesTheRaceOrder(result);
            }
            if (result.finished && (afterFinish += FRAME_MS * 0.001f) >= AFTER_FINISH_SECONDS)
                break;
        }
        return result;
    }

    static void ExpectEndPageMatchesTheRaceOrder(const RaceResult& result)
    {
        const CVehicle& player = *playerVehicle;
        EXPECT_EQ(gameMenu.page, MENU_PAGE_END_OF_RACE);
        ASSERT_GE(result.place, 1);
        EXPECT_EQ(track.racerOrder[result.place - 1], &player) << "the end page's place is the place in the race order";
        EXPECT_FLOAT_EQ(result.time, player.finishTime);
        EXPECT_NEAR(player.finishTime, gameTimer.SecondsSince(track.raceStartTime), 0.1f);
        for (int i = 0; i < int(track.racerCount); ++i) {
            const CVehicle& racer = *track.racerOrder[i];
            if (i < result.place - 1) {
                EXPECT_GT(racer.finishTime, 0.0f) << "a racer placed ahead has finished";
                EXPECT_LE(racer.finishTime, player.finishTime);
            } else if (i > result.place - 1 && racer.finishTime != 0.0f) {
                EXPECT_GE(racer.finishTime, player.finishTime) << "a racer placed behind finished later";
            }
        }
    }
};

// Three seeds of each track type (plain, with slopes and bends, with loops) with four racers on
// the centre line; then the menu's default quick race (loops, nine racers, the lowest racer
// level) driven a lane off the centre line to either side.
INSTANTIATE_TEST_SUITE_P(Courses, KeyboardRaceTest,
                         testing::Values(RaceSetup {1, 0, 4, 1.0f, 0}, RaceSetup {2, 0, 4, 1.0f, 0},
                                         RaceSetup {3, 0, 4, 1.0f, 0}, RaceSetup {1, 1, 4, 1.0f, 0},
                                         RaceSetup {2, 1, 4, 1.0f, 0}, RaceSetup {3, 1, 4, 1.0f, 0},
                                         RaceSetup {1, 2, 4, 1.0f, 0}, RaceSetup {2, 2, 4, 1.0f, 0},
                                         RaceSetup {3, 2, 4, 1.0f, 0}, RaceSetup {4, 2, 9, 0.8f, -5},
                                         RaceSetup {5, 2, 9, 0.8f, 5}, RaceSetup {6, 2, 9, 0.8f, -5},
                                         RaceSetup {7, 2, 9, 0.8f, 5}),
                         [](const testing::TestParamInfo<RaceSetup>& info) {
                             const RaceSetup& setup = info.param;
                             std::string name = "Seed" + std::to_string(setup.seed) + "Type" + std::to_string(setup.type);
                             if (setup.racers != 4)
                                 name += "Racers" + std::to_string(setup.racers);
                             if (setup.laneOffset != 0)
                                 name += setup.laneOffset < 0 ? "LaneLeft" : "LaneRight";
                             return name;
                         });

TEST_P(KeyboardRaceTest, ScriptedPlayerFinishesInItsPlaceAndTime)
{
    const RaceSetup setup = GetParam();
    StartQuickRace(setup);
    ASSERT_NE(playerVehicle, nullptr);
    const RaceResult result = DriveRace(setup.laneOffset);
    std::printf("seed %d type %d, lane %+.0f: %s, place %d of %d, time %.2f s, player falls %d\n", setup.seed,
                setup.type, setup.laneOffset, result.finished ? "finished" : "not finished", result.place,
                setup.racers, result.time, result.playerFalls);
    EXPECT_TRUE(result.finished) << "the player's scooter reached segment " << playerVehicle->segment << " of "
                                 << track.segmentCount;
}

} // namespace
