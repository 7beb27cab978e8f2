// The race phases on a clock the test drives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "frontend/GameMenu.h"
#include "frontend/Profiles.h"
#include "tests/scooters/StraightTrack.h"
#include "world/World.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Track.h"

class RacePhasesTest : public StraightTrackTest {
protected:
    void SetUp() override
    {
        StraightTrackTest::SetUp();
        vehicleManager.vehicles[0] = &player;
        vehicleManager.vehicles[1] = &racer;
        vehicleManager.vehicleCount = 2;
        playerVehicle = &player;
    }

    static constexpr float FRAME = 0.125f;

    // Runs frames of 1/8 s until the predicate holds; the seconds it took, or -1 after 60 s.
    template <typename Predicate>
    float SecondsUntil(Predicate done)
    {
        for (int frame = 0; frame < 480; ++frame) {
            if (done())
                return FRAME * float(frame);
            Step(FRAME);
            race.Update();
        }
        return -1.0f;
    }

    CVehicle player;
    CVehicle racer;
};

TEST_F(RacePhasesTest, TheStartHoldsEveryoneOnTheGridForFifteenSecondsThenReleasesThem)
{
    race.SetPhase(RACE_SEQUENCE_START, nullptr);
    race.Update();
    EXPECT_EQ(racer.raceState, RACE_STATE_GRID);
    EXPECT_EQ(player.GetDriver(), DRIVER_COMPUTER);
    const std::uint32_t started = gameTimer.gameTime;

    EXPECT_NEAR(SecondsUntil([&] { return racer.raceState == RACE_STATE_RACING; }), 15.0f, 0.13f);
    EXPECT_EQ(player.GetDriver(), DRIVER_PLAYER);
    EXPECT_EQ(track.raceStartTime, gameTimer.gameTime);
    EXPECT_GT(track.raceStartTime, started);

    EXPECT_NEAR(SecondsUntil([&] { return race.sequence == RACE_SEQUENCE_NONE; }), 1.5f, 0.13f);
    EXPECT_EQ(race.vehicle, nullptr);
}

TEST_F(RacePhasesTest, EnterDuringTheFlyInGoesStraightToTheRedLight)
{
    race.SetPhase(RACE_SEQUENCE_START, nullptr);
    race.Update();
    Step(1.0f);
    race.Update();
    ASSERT_EQ(race.phase, 1);
    inputState.enter = 1;
    Step(FRAME);
    race.Update();
    EXPECT_EQ(race.phase, 3);
    EXPECT_EQ(inputState.enter, 0);
    EXPECT_NEAR(SecondsUntil([&] { return racer.raceState == RACE_STATE_RACING; }), 4.5f, 0.13f);
}

TEST_F(RacePhasesTest, TheFinishRecordsPlaceAndTimeOnceAndOpensTheEndPage)
{
    const CareerProgress saved = CareerBlock;
    struct Case {
        int place;
        int sector, stage;
        int page;
    };
    const Case cases[] = {{3, 0, 0, 91}, {2, 3, 3, 92}, {0, 3, 2, 91}};
    for (const Case& c : cases) {
        CareerBlock.sector = c.sector;
        CareerBlock.stage = c.stage;
        CareerBlock.noCareer = 0;
        player.place = c.place;
        player.finishTime = 83.25f;
        gameMenu.page = MENU_PAGE_NONE;
        race.SetPhase(RACE_SEQUENCE_FINISH, &player);
        race.Update();
        EXPECT_EQ(CareerBlock.lastPlace, c.place + 1);
        EXPECT_FLOAT_EQ(CareerBlock.lastTime, 83.25f);
        EXPECT_EQ(gameMenu.page, c.page);
        EXPECT_EQ(CareerBlock.noCareer, c.page == 92 ? 1 : 0);
        EXPECT_EQ(race.phase, 1);
        CareerBlock.lastPlace = -7;
        race.Update();
        EXPECT_EQ(CareerBlock.lastPlace, -7);
    }
    CareerBlock = saved;
    gameMenu.page = MENU_PAGE_NONE;
}

TEST_F(RacePhasesTest, AutoplayShotsNeverRepeatWithinFour)
{
    world.activeCamera = &world;
    std::srand(3);
    race.SetPhase(RACE_SEQUENCE_AUTOPLAY, nullptr);
    std::vector<int> shots;
    for (int frame = 0; frame < 3000 && shots.size() < 40; ++frame) {
        race.Update();
        if (race.phase >= AUTOPLAY_FIRST_SHOT && race.phase < AUTOPLAY_FIRST_SHOT + AUTOPLAY_SHOTS)
            shots.push_back(race.phase);
        Step(FRAME);
    }
    ASSERT_GE(shots.size(), 20u);
    for (std::size_t i = 1; i < shots.size(); ++i)
        for (std::size_t back = 1; back <= 3 && back <= i; ++back)
            EXPECT_NE(shots[i], shots[i - back]) << "shot " << i;
    EXPECT_EQ(race.vehicle, &player);
    EXPECT_EQ(player.GetDriver(), DRIVER_COMPUTER);
    EXPECT_EQ(racer.raceState, RACE_STATE_RACING);
}

TEST_F(RacePhasesTest, AutoplayShotsLastFiveSecondsOfGameTime)
{
    world.activeCamera = &world;
    std::srand(5);
    race.SetPhase(RACE_SEQUENCE_AUTOPLAY, nullptr);
    race.Update();
    const int shot = race.phase;
    race.Update();
    ASSERT_EQ(race.phase, AUTOPLAY_WAIT);
    const float expected = shot == 15 ? 4.0f : 5.0f;
    EXPECT_NEAR(SecondsUntil([&] { return race.phase == 0; }), expected, 0.13f);
}
