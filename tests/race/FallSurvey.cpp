// Fall survey: whole races with the computer driving every racer, the player's scooter included,
// over many seeds of every track type, length and racer level. Prints, per cell, the races, the
// racers, the falls, the races in which a computer racer (not the player's scooter) fell, the
// most falls of one racer at one piece, the racers that did not finish (stuck) and the computer
// racers' mean finishing time, then one line per fall with where the racer last had road under
// it and how close another racer came in the 3 s before, and every racer that did not finish. Not a test: run it by hand,
//   SURVEY_SEEDS=<count> SURVEY_FIRST_SEED=<seed> SURVEY_RACERS=<racers> fall_survey
// and the menu's default quick race alone (loops, length 0, lowest level, 9 racers) with
//   SURVEY_SEEDS=200 fall_survey --gtest_filter='*DefaultQuickRace'
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/helpers/VectorHelpers.h"
#include "engine/shell/GameTimer.h"
#include "frontend/GameMenu.h"
#include "tests/race/RaceDataFixture.h"
#include "tests/support/SteppedClock.h"
#include "world/World.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Platform.h"
#include "world/track/Track.h"

namespace {

constexpr float FRAME = 1.0f / 60.0f;
constexpr int RACE_SECONDS_LIMIT = 400;
constexpr int TRACK_TYPES = 3;
constexpr int TRACK_LENGTHS = 3;
constexpr int RACER_LEVELS = 3;
constexpr int CLOSEST_FRAMES = 3 * 60;

int Setting(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : fallback;
}

// Where a racer last had road under it.
struct GroundMark {
    int segment = 0;
    float across = 0.0f; // from the centre line, in the frame of the segment
    float speedFraction = 0.0f;
};

struct Fall {
    int seed, type, length, level, racer;
    GroundMark mark;
    int kind, piecePoint, pieceIndex, hint;
    float closest; // the least distance to another racer over the 3 s before the fall
};

struct Unfinished {
    int seed, type, length, level, racer, segment, segments;
    int raceState, groundContacts;
    float groundDistance, speed, aboveSegment;
};

struct Cell {
    int races = 0, racers = 0, falls = 0, fallingRacers = 0, racesWithComputerFall = 0, mostFallsAtOnePiece = 0,
        unfinished = 0;
    double finishTimeSum = 0.0;
    int finishTimes = 0;

    void Add(const Cell& other)
    {
        races += other.races;
        racers += other.racers;
        falls += other.falls;
        fallingRacers += other.fallingRacers;
        racesWithComputerFall += other.racesWithComputerFall;
        mostFallsAtOnePiece = std::max(mostFallsAtOnePiece, other.mostFallsAtOnePiece);
        unfinished += other.unfinished;
        finishTimeSum += other.finishTimeSum;
        finishTimes += other.finishTimes;
    }
};

void PrintHeader()
{
    std::printf("type length level   races racers falls falling cpu-fall-races most-at-a-piece unfinished  cpu-finish-s\n");
}

void PrintCell(const char* label, const Cell& cell)
{
    std::printf("%-17s %7d %6d %5d %7d %14d %15d %10d %13.2f\n", label, cell.races, cell.racers, cell.falls,
                cell.fallingRacers, cell.racesWithComputerFall, cell.mostFallsAtOnePiece, cell.unfinished,
                cell.finishTimes ? cell.finishTimeSum / cell.finishTimes : 0.0);
    std::fflush(stdout);
}


// The nearest lane hint within a few segments of s, or -1.
int HintNear(int s)
{
    for (int d = 0; d <= 3; ++d)
        for (const int i : {s + d, s - d})
            if (i >= 0 && i < int(track.segmentCount) && track.laneHints[i] != -1)
                return track.laneHints[i];
    return -1;
}

class FallSurvey : public RaceDataTest {
protected:
    static GroundMark MarkOf(const CVehicle& racer)
    {
        const int s = std::clamp(racer.segment, 0, int(track.segmentCount) - 2);
        return {s, AcrossCentreLine(racer.position, s), racer.topSpeed > 0.0f ? racer.speed / racer.topSpeed : 0.0f};
    }

    void StartRace(int seed, int type, int length, int level, int racers)
    {
        RacerLevelFactor = float(level) * 0.1f + 0.8f;
        ASSERT_EQ(track.BuildTrack(seed, type, length), 1);
        steppedClockMilliseconds = DWORD(seed) * 7919u + DWORD(type * 9 + length * 3 + level);
        StartComputerRace(racers);
        vehicleManager.SetOpponentLevels(); // as the menu does
    }

    static void RaceFrame()
    {
        RaceFrameBehindPlayer(FRAME);
        // The respawn hands the player's scooter back to the keys: the computer keeps it.
        if (playerVehicle->GetDriver() != DRIVER_COMPUTER)
            playerVehicle->SetDriver(DRIVER_COMPUTER);
    }

    std::vector<Unfinished> unfinished;

    void RunRace(int seed, int type, int length, int level, int racers, Cell& cell, std::vector<Fall>& falls)
    {
        StartRace(seed, type, length, level, racers);
        const int count = vehicleManager.vehicleCount;
        std::vector<GroundMark> marks(count);
        std::vector<int> fallsOf(count, 0);
        std::vector<std::vector<int>> fallsAtPiece(count, std::vector<int>(track.pieceCount, 0));
        std::vector<bool> fallen(count, false);
        std::vector<std::vector<float>> closestHistory(count, std::vector<float>(CLOSEST_FRAMES, 1e9f));
        for (int frame = 0; frame < RACE_SECONDS_LIMIT * 60; ++frame) {
            RaceFrame();
            bool allFinished = true;
            for (int i = 0; i < count; ++i) {
                const CVehicle& racer = *vehicleManager.vehicles[i];
                const bool fallingNow = racer.raceState == RACE_STATE_FALLEN;
                float closest = 1e9f;
                for (int j = 0; j < count; ++j)
                    if (j != i)
                        closest = std::min(closest, Vec3Distance(racer.position, vehicleManager.vehicles[j]->position));
                closestHistory[i][frame % CLOSEST_FRAMES] = closest;
                if (!fallingNow && racer.groundContacts)
                    marks[i] = MarkOf(racer);
                if (fallingNow && !fallen[i]) {
                    ++fallsOf[i];
                    const CPlatform* owner = track.segmentOwners[marks[i].segment];
                    if (owner)
                        ++fallsAtPiece[i][track.PieceIndex(owner)];
                    falls.push_back({seed, type, length, level, i, marks[i], owner ? owner->pieceKind : -1,
                                     owner ? track.NearestPiecePoint(owner, track.segmentPoints[marks[i].segment]) : -1,
                                     owner ? track.PieceIndex(owner) : -1, HintNear(marks[i].segment),
                                     *std::min_element(closestHistory[i].begin(), closestHistory[i].end())});
                }
                fallen[i] = fallingNow;
                allFinished = allFinished && racer.finishTime > 0.0f;
            }
            if (allFinished)
                break;
        }
        ++cell.races;
        cell.racers += count;
        bool computerFell = false;
        for (int i = 0; i < count; ++i) {
            const CVehicle& racer = *vehicleManager.vehicles[i];
            cell.falls += fallsOf[i];
            cell.fallingRacers += fallsOf[i] > 0;
            computerFell = computerFell || (i > 0 && fallsOf[i] > 0);
            for (const int falls : fallsAtPiece[i])
                cell.mostFallsAtOnePiece = std::max(cell.mostFallsAtOnePiece, falls);
            if (racer.finishTime <= 0.0f) {
                ++cell.unfinished;
                unfinished.push_back({seed, type, length, level, i, racer.segment, int(track.segmentCount), racer.raceState,
                                      racer.groundContacts, racer.groundDistance, racer.speed,
                                      racer.position.y - track.segmentPoints[racer.segment].y});
            } else if (i > 0) {
                cell.finishTimeSum += racer.finishTime;
                ++cell.finishTimes;
            }
        }
        cell.racesWithComputerFall += computerFell;
        vehicleManager.Clear();
        track.Clear();
    }

    void PrintFallsAndUnfinished(const std::vector<Fall>& falls) const
    {
        std::printf("\nseed type length level racer  segment kind piece point hint  across speed/top closest\n");
        for (const Fall& f : falls)
            std::printf("%4d %4d %6d %5d %5d %8d %4d %5d %5d %4d %7.1f %9.2f %7.1f\n", f.seed, f.type, f.length, f.level,
                        f.racer, f.mark.segment, f.kind, f.pieceIndex, f.piecePoint, f.hint, f.mark.across,
                        f.mark.speedFraction, f.closest);
        std::printf("\nunfinished: seed type length level racer  segment of state contacts ground speed above\n");
        for (const Unfinished& u : unfinished)
            std::printf("%4d %4d %6d %5d %5d %8d %4d %5d %8d %6.1f %5.1f %5.1f\n", u.seed, u.type, u.length, u.level,
                        u.racer, u.segment, u.segments, u.raceState, u.groundContacts, u.groundDistance, u.speed,
                        u.aboveSegment);
    }
};

TEST_F(FallSurvey, EveryTrackTypeLengthAndRacerLevel)
{
    const int seeds = Setting("SURVEY_SEEDS", 10);
    const int firstSeed = Setting("SURVEY_FIRST_SEED", 1);
    const int racers = Setting("SURVEY_RACERS", 12);
    std::vector<Fall> falls;
    PrintHeader();
    Cell total;
    for (int type = 0; type < TRACK_TYPES; ++type)
        for (int length = 0; length < TRACK_LENGTHS; ++length)
            for (int level = 0; level < RACER_LEVELS; ++level) {
                Cell cell;
                for (int seed = firstSeed; seed < firstSeed + seeds; ++seed)
                    RunRace(seed, type, length, level, racers, cell, falls);
                char label[32];
                std::snprintf(label, sizeof label, "%4d %6d %5d", type, length, level);
                PrintCell(label, cell);
                total.Add(cell);
            }
    PrintCell("all", total);
    PrintFallsAndUnfinished(falls);
}

// The menu's default quick race: loops, length 0, the lowest racer level, 9 racers.
TEST_F(FallSurvey, DefaultQuickRace)
{
    const int seeds = Setting("SURVEY_SEEDS", 200);
    const int firstSeed = Setting("SURVEY_FIRST_SEED", 1);
    std::vector<Fall> falls;
    PrintHeader();
    Cell cell;
    for (int seed = firstSeed; seed < firstSeed + seeds; ++seed)
        RunRace(seed, 2, 0, 0, 9, cell, falls);
    PrintCell("quick race", cell);
    PrintFallsAndUnfinished(falls);
}

} // namespace
