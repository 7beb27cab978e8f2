// The menu's race starts hand the world its location, seed, track and racers: a career race is
// the same track as the world builds from the stage's values, a quick race on a numbered track
// the same in every sector.
#include "tests/world/WorldFixture.h"

#include <vector>

#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "frontend/GameMenu.h"
#include "frontend/Profiles.h"
#include "world/World.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/sky/Environment.h"
#include "world/track/Track.h"

namespace {

class RaceStartTest : public WorldTest {
protected:
    void TearDown() override
    {
        GameSettings[SLOT_RACE_RUNNING] = 0;
        RaceMode = RACE_MODE_NONE;
        gameMenu.active = 0;
        WorldTest::TearDown();
    }

    static std::vector<D3DXVECTOR3> CentreLine()
    {
        return std::vector<D3DXVECTOR3>(track.segmentPoints, track.segmentPoints + track.segmentCount);
    }
    // The centre line the world builds itself from these values.
    static std::vector<D3DXVECTOR3> BuiltDirectly(int location, int seed, int type, int length, int racers)
    {
        world.LoadLocation(location);
        world.StartRace(seed, type, length, racers, 0);
        return CentreLine();
    }
};

// Sector 1, stage 2: seed 2 x 4 + 1 + 1 = 10, track type 2, length 1, 12 racers, factor 1.0.
TEST_F(RaceStartTest, ACareerRaceTakesItsStagesSeedTrackRacersAndTheProfilesLevels)
{
    ResetCareer(CareerBlock);
    CareerBlock.sector = 1;
    CareerBlock.stage = 2;
    CareerBlock.careerScooter = 3;
    CareerBlock.speedLevel = 4;
    CareerBlock.powerLevel = 5;
    CareerBlock.controlLevel = 6;
    gameMenu.StartCareerRace();
    ASSERT_NE(playerVehicle, nullptr);
    EXPECT_EQ(vehicleManager.vehicleCount, 12);
    EXPECT_FLOAT_EQ(RacerLevelFactor, 1.0f);
    EXPECT_EQ(playerVehicle->speedLevel, 4);
    EXPECT_EQ(playerVehicle->powerLevel, 5);
    EXPECT_EQ(playerVehicle->controlLevel, 6);
    EXPECT_FLOAT_EQ(playerVehicle->topSpeed, 4 * 1.6666666f + 45.0f) << "derived values follow the levels";
    EXPECT_EQ(CareerBlock.lastPlace, -1);
    EXPECT_EQ(race.sequence, RACE_SEQUENCE_START);
    EXPECT_EQ(RaceMode, RACE_MODE_CAREER);
    EXPECT_EQ(GameSettings[SLOT_RACE_RUNNING], 1);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_TRANSITION);
    const std::vector<D3DXVECTOR3> started = CentreLine();
    const D3DXVECTOR4 sun = environment.colour1;
    EXPECT_EQ(started, BuiltDirectly(2, 10, 2, 1, 12));
    EXPECT_EQ(sun, environment.colour1) << "the sector's location";
}

TEST_F(RaceStartTest, AQuickRaceOnANumberedTrackIsTheSameInEverySector)
{
    MenuSelection.track = 3;
    MenuSelection.difficulty = 1;
    MenuSelection.length = 0;
    MenuSelection.racersIndex = 3;
    MenuSelection.racerLevel = 1;
    MenuSelection.scooter = 1;
    std::vector<D3DXVECTOR3> lines[2];
    for (int sector : {0, 3}) {
        MenuSelection.sector = sector;
        gameMenu.StartQuickRace();
        ASSERT_NE(playerVehicle, nullptr);
        EXPECT_EQ(vehicleManager.vehicleCount, 4);
        EXPECT_FLOAT_EQ(RacerLevelFactor, 0.9f);
        EXPECT_EQ(RaceMode, RACE_MODE_QUICK);
        lines[sector != 0] = CentreLine();
    }
    EXPECT_EQ(lines[0], lines[1]);
    EXPECT_EQ(lines[1], BuiltDirectly(4, 3, 1, 0, 4));
}

// "START!" on the quick-race page, by click and by Enter: nothing while the chosen sector or
// scooter is not open yet, a race as soon as both are.
TEST_F(RaceStartTest, QuickRaceStartsOnlyWhenTheSectorAndTheScooterAreOpen)
{
    const struct {
        int sectorsOpen, scootersOpen, sector, scooter;
        bool starts;
    } cases[] = {
        {1, 4, 1, 0, false}, {1, 4, 0, 4, false}, {2, 5, 2, 0, false}, {2, 5, 0, 5, false},
        {4, 7, 3, 7, false}, {1, 4, 0, 3, true},  {4, 8, 3, 7, true},
    };
    gameMenu.CreatePages();
    for (const auto& c : cases) {
        for (const bool byKey : {false, true}) {
            RaceMode = RACE_MODE_NONE;
            CareerBlock.sectorsOpen = c.sectorsOpen;
            CareerBlock.scootersOpen = c.scootersOpen;
            gameMenu.active = 1;
            gameMenu.OpenPage(MENU_PAGE_QUICK_RACE);
            MenuSelection.sector = c.sector;
            MenuSelection.scooter = c.scooter;
            if (byKey) {
                gameMenu.focused = &gameMenu.startQuickRace;
                inputState.enter = 1;
                gameMenu.Update();
            } else {
                gameMenu.startQuickRace.pressed = 1;
                gameMenu.startQuickRace.pressTime = gameTimer.realTime;
            }
            gameTimer.realTime += 101;
            gameMenu.Update();
            EXPECT_EQ(RaceMode, c.starts ? RACE_MODE_QUICK : RACE_MODE_NONE)
                << (byKey ? "Enter" : "click") << ": sector " << c.sector << " of " << c.sectorsOpen << " open, scooter "
                << c.scooter << " of " << c.scootersOpen;
            EXPECT_EQ(gameMenu.page, c.starts ? MENU_PAGE_TRANSITION : MENU_PAGE_QUICK_RACE);
        }
    }
}

TEST_F(RaceStartTest, AutoplayRacesTwelveOnTheHardLongCourseUnderTheCameraShow)
{
    gameMenu.StartAutoplay();
    EXPECT_EQ(vehicleManager.vehicleCount, 12);
    EXPECT_FLOAT_EQ(RacerLevelFactor, 1.0f);
    EXPECT_EQ(race.sequence, RACE_SEQUENCE_AUTOPLAY);
    EXPECT_EQ(RaceMode, RACE_MODE_AUTOPLAY);
}

} // namespace
