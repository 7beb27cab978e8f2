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
#include <map>
#include <vector>

#include "engine/helpers/VectorHelpers.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "engine/shell/MainWindow.h"
#include "engine/shell/WindowProcedure.h"
#include "frontend/GameMenu.h"
#include "frontend/Profiles.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinTime.h"
#include "tests/world/WorldFixture.h"
#include "world/World.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Track.h"

namespace {

constexpr unsigned FRAME_MS = 50; // 20 frames a second
constexpr int RACERS = 4;
constexpr int RACE_LENGTH = 0;
constexpr float RACE_SECONDS_LIMIT = 300.0f;
constexpr float AFTER_FINISH_SECONDS = 5.0f;
// The keyboard repeats a held key after this long, then once a frame (its rate is above 20 a second).
constexpr unsigned REPEAT_DELAY_MS = 500;

// lParam of a key message: repeat count 1; bit 30 the key was down before; bit 31 released.
constexpr LPARAM FIRST_PRESS = 1;
constexpr LPARAM REPEATED_PRESS = 1 | (1 << 30);
constexpr LPARAM RELEASE = 1 | (1 << 30) | (LPARAM(1) << 31);

// Keys as a person's fingers hold them, told to the window procedure as a keyboard does.
class Keyboard {
public:
    void Hold(int key, bool down, unsigned now)
    {
        const auto held = heldSince.find(key);
        if (down && held == heldSince.end()) {
            WndProc(mainWindow, WM_KEYDOWN, WPARAM(key), FIRST_PRESS);
            heldSince[key] = now;
        } else if (!down && held != heldSince.end()) {
            WndProc(mainWindow, WM_KEYUP, WPARAM(key), RELEASE);
            heldSince.erase(held);
        } else if (down && now - held->second >= REPEAT_DELAY_MS) {
            WndProc(mainWindow, WM_KEYDOWN, WPARAM(key), REPEATED_PRESS);
        }
    }
    void Tap(int key)
    {
        WndProc(mainWindow, WM_KEYDOWN, WPARAM(key), FIRST_PRESS);
        WndProc(mainWindow, WM_KEYUP, WPARAM(key), RELEASE);
    }
    void ReleaseAll(unsigned now)
    {
        while (!heldSince.empty())
            Hold(heldSince.begin()->first, false, now);
    }

private:
    std::map<int, unsigned> heldSince;
};

struct Keys {
    bool up = false, down = false, left = false, right = false;
};

// What a person does looking at the road: steer for a point on the centre line ahead, allowing
// for how fast the scooter already turns, and ease off the throttle while the road turns away.
Keys DecideKeys(const CVehicle& scooter)
{
    const int count = int(track.segmentCount);
    const int c = std::clamp(scooter.segment, 0, count - 2);
    const float lead = 18.0f + 0.4f * scooter.speed;
    // The point lead ahead of the scooter's place on segment c, along the centre line.
    D3DXVECTOR3 from = track.segmentPoints[c], along = track.segmentPoints[c + 1] - from;
    const float segmentLength = D3DXVec3Length(&along);
    const D3DXVECTOR3 offset = scooter.position - from;
    float left = lead - std::clamp(D3DXVec3Dot(&offset, &along) / segmentLength, 0.0f, segmentLength);
    int i = c;
    D3DXVECTOR3 aim = track.segmentPoints[c + 1];
    while (true) {
        const D3DXVECTOR3 a = track.segmentPoints[i], b = track.segmentPoints[i + 1];
        const float length = Vec3Distance(a, b);
        if (i + 2 >= count || left <= length) {
            aim = a + (b - a) * std::min(1.0f, left / length);
            break;
        }
        left -= length;
        ++i;
    }
    const D3DXVECTOR3 toAim = aim - scooter.position;
    const D3DXVECTOR3 right(scooter.world._11, scooter.world._12, scooter.world._13);
    const D3DXVECTOR3 forward(scooter.world._31, scooter.world._32, scooter.world._33);
    const D3DXVECTOR3 up(scooter.world._21, scooter.world._22, scooter.world._23);
    const float heading = std::atan2(D3DXVec3Dot(&toAim, &right), D3DXVec3Dot(&toAim, &forward));
    // Turning right is a positive turn about the scooter's up axis.
    const float turnRate = D3DXVec3Dot(&scooter.spin, &up);
    const float anticipated = heading - 0.35f * turnRate;
    Keys keys;
    keys.right = anticipated > 0.04f;
    keys.left = anticipated < -0.04f;
    keys.up = std::fabs(heading) < 0.35f || scooter.speed < 20.0f;
    keys.down = std::fabs(heading) > 0.8f && scooter.speed > 25.0f;
    return keys;
}

struct RaceResult {
    bool finished = false;
    int place = 0; // 1-based, as the end page shows it
    float time = 0.0f;
    int playerFalls = 0;
};

class KeyboardRaceTest : public WorldTest, public testing::WithParamInterface<std::pair<int, int>> {
protected:
    static void Frame()
    {
        gameTimer.lastReading = timeGetTime() - FRAME_MS;
        world.Frame();
    }

    // The quick race as the menu starts it: location, course, grid, opponents' levels, start sequence.
    static void StartQuickRace(int seed, int type)
    {
        gameMenu.OpenPage(MENU_PAGE_NONE); // as the transition page leaves it
        RacerLevelFactor = 1.0f;
        world.LoadLocation(1);
        world.StartRace(seed, type, RACE_LENGTH, RACERS, 0);
        vehicleManager.SetOpponentLevels();
        race.SetPhase(RACE_SEQUENCE_START, nullptr);
        RaceMode = RACE_MODE_QUICK;
        GameSettings[SLOT_RACE_RUNNING] = 1;
    }

    // Runs the race with the scripted player; checks every racer's falls on the way.
    RaceResult DriveRace()
    {
        RaceResult result;
        Keyboard keyboard;
        std::vector<int> placeAtFall(RACERS, -1);
        std::vector<int> roadSegmentAtFall(RACERS, -1);
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
                const Keys keys = DecideKeys(*playerVehicle);
                keyboard.Hold(VK_UP, keys.up, now);
                keyboard.Hold(VK_DOWN, keys.down, now);
                keyboard.Hold(VK_LEFT, keys.left, now);
                keyboard.Hold(VK_RIGHT, keys.right, now);
            }
            Frame();
            for (int i = 0; i < RACERS; ++i) {
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

// Three seeds of each track type: plain, with slopes and bends, with loops.
INSTANTIATE_TEST_SUITE_P(Courses, KeyboardRaceTest,
                         testing::Values(std::make_pair(1, 0), std::make_pair(2, 0), std::make_pair(3, 0),
                                         std::make_pair(1, 1), std::make_pair(2, 1), std::make_pair(3, 1),
                                         std::make_pair(1, 2), std::make_pair(2, 2), std::make_pair(3, 2)),
                         [](const testing::TestParamInfo<std::pair<int, int>>& info) {
                             return "Seed" + std::to_string(info.param.first) + "Type" +
                                    std::to_string(info.param.second);
                         });

TEST_P(KeyboardRaceTest, ScriptedPlayerFinishesInItsPlaceAndTime)
{
    const auto [seed, type] = GetParam();
    StartQuickRace(seed, type);
    ASSERT_NE(playerVehicle, nullptr);
    const RaceResult result = DriveRace();
    std::printf("seed %d type %d: %s, place %d of %d, time %.2f s, player falls %d\n", seed, type,
                result.finished ? "finished" : "not finished", result.place, RACERS, result.time, result.playerFalls);
    EXPECT_TRUE(result.finished) << "the player's scooter reached segment " << playerVehicle->segment << " of "
                                 << track.segmentCount;
}

} // namespace
