// Leaving and restarting a race from the menu: the transition page that hands the race over after
// a second, the end page's "CONTINUE" and "RESTART", and the in-race menu's "EXIT RACE".
#include "tests/world/WorldFixture.h"

#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "frontend/GameMenu.h"
#include "frontend/Profiles.h"
#include "world/World.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"

namespace {

class RaceEndTest : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        ResetCareer(CareerBlock);
        gameMenu.profileLoaded = 1;
        gameTimer.gameStep = 0.02f;
        StartFromTheMenu();
    }
    void TearDown() override
    {
        gameMenu.profileLoaded = 0;
        GameSettings[SLOT_RACE_RUNNING] = 0;
        RaceMode = RACE_MODE_NONE;
        gameMenu.page = MENU_PAGE_NONE;
        gameMenu.active = 0;
        WorldTest::TearDown();
    }

    // A quick race started from the active menu's quick-race page.
    static void StartFromTheMenu()
    {
        gameMenu.active = 1;
        gameMenu.StartQuickRace();
    }
    // The menu's frame after the transition's second, the race handed over.
    static void HandOver()
    {
        gameMenu.fade = 1.0f;
        gameMenu.Update();
    }
    // Presses an item as a click would and runs the menu's frame 0.1 s later.
    static void Activate(CMenuButton& item)
    {
        item.pressed = 1;
        item.pressTime = gameTimer.realTime;
        gameTimer.realTime += 101;
        gameMenu.Update();
    }
};

TEST_F(RaceEndTest, TheTransitionHandsTheRaceOverAfterASecond)
{
    ASSERT_EQ(gameMenu.page, MENU_PAGE_TRANSITION);
    gameMenu.fade = 0.9f;
    gameMenu.Update();
    EXPECT_EQ(gameMenu.page, MENU_PAGE_TRANSITION) << "0.92 s";
    EXPECT_EQ(gameMenu.active, 1);
    HandOver();
    EXPECT_EQ(gameMenu.page, MENU_PAGE_NONE);
    EXPECT_EQ(gameMenu.active, 0);
    EXPECT_EQ(world.fadeKind, FADE_IN);
    EXPECT_FLOAT_EQ(world.fadeDuration, 2.0f);
}

TEST_F(RaceEndTest, EndPageRestartClearsThePlaceAndStartsTheRaceAgain)
{
    HandOver();
    CareerBlock.lastPlace = 2;
    race.sequence = 0;
    gameMenu.OpenPage(MENU_PAGE_END_OF_RACE);
    Activate(gameMenu.endRestart);
    EXPECT_EQ(CareerBlock.lastPlace, 0);
    EXPECT_NE(gameMenu.page, MENU_PAGE_END_OF_RACE);
    EXPECT_EQ(race.sequence, RACE_SEQUENCE_START);
    ASSERT_NE(playerVehicle, nullptr) << "the same race, restarted";
    EXPECT_EQ(playerVehicle->raceState, RACE_STATE_RACING);
    EXPECT_EQ(world.fadeKind, FADE_IN);
    EXPECT_FLOAT_EQ(world.fadeDuration, 2.0f);
}

// The in-race menu's "RESTART" closes the menu and starts the race again from its start.
TEST_F(RaceEndTest, InRaceRestartStartsTheRaceAgain)
{
    HandOver();
    race.sequence = 0;
    gameMenu.OpenPage(MENU_PAGE_IN_RACE);
    Activate(gameMenu.raceRestart);
    EXPECT_EQ(race.sequence, RACE_SEQUENCE_START);
    EXPECT_NE(gameMenu.page, MENU_PAGE_IN_RACE);
    EXPECT_EQ(GameSettings[SLOT_RACE_RUNNING], 1);
    ASSERT_NE(playerVehicle, nullptr);
    EXPECT_EQ(playerVehicle->raceState, RACE_STATE_RACING);
    EXPECT_EQ(world.fadeKind, FADE_IN);
}

// "CONTINUE" leaves the run flag at 1; "EXIT RACE" clears it. Both clear the world and bring the
// menu back on the transition page, which then completes at once.
TEST_F(RaceEndTest, ContinueAndExitRaceClearTheWorldAndBringTheMenuBack)
{
    struct Case {
        int page;
        CMenuButton* item;
        int running;
    };
    const Case cases[] = {{MENU_PAGE_END_OF_RACE, &gameMenu.endContinue, 1}, {MENU_PAGE_IN_RACE, &gameMenu.exitRace, 0}};
    for (const Case& c : cases) {
        if (!playerVehicle)
            StartFromTheMenu();
        HandOver();
        gameMenu.OpenPage(c.page);
        Activate(*c.item);
        EXPECT_EQ(playerVehicle, nullptr) << c.page;
        EXPECT_EQ(vehicleManager.vehicleCount, 0) << c.page;
        EXPECT_EQ(GameSettings[SLOT_RACE_RUNNING], c.running) << c.page;
        EXPECT_EQ(gameMenu.active, 1) << c.page;
        EXPECT_EQ(gameMenu.page, MENU_PAGE_TRANSITION) << c.page;
        gameMenu.Update();
        EXPECT_EQ(gameMenu.page, MENU_PAGE_MAIN) << "after a quick race, from " << c.page;
    }
}

} // namespace
