#include <ostream>

#include "frontend/Profiles.h"
#include "tests/menu/MenuTestFixture.h"

namespace {

TEST_F(MenuTest, CareerStageTableFixesTheFirstAndTheLastRace)
{
    EXPECT_EQ(CareerStageTable.trackType[0], 0);
    EXPECT_EQ(CareerStageTable.trackLength[0], 0);
    EXPECT_EQ(CareerStageTable.racers[0], 6);
    EXPECT_EQ(CareerStageTable.racerLevel[0], 0);
    EXPECT_EQ(CareerStageTable.trackType[15], 2);
    EXPECT_EQ(CareerStageTable.trackLength[15], 2);
    EXPECT_EQ(CareerStageTable.racers[15], 12);
    EXPECT_EQ(CareerStageTable.racerLevel[15], 2);
    const int sectorTwoRacers[] = {9, 12, 12, 12};
    for (int stage = 0; stage < 4; ++stage)
        EXPECT_EQ(CareerStageTable.racers[2 * 4 + stage], sectorTwoRacers[stage]);
}

struct Advance {
    const char* name;
    int sector, stage, points, lastPlace;
    // expected
    int sectorAfter, stageAfter, pointsAfter, sectorsOpen, scootersOpen, sectorOpened, page;
};

void PrintTo(const Advance& c, std::ostream* os)
{
    *os << c.name;
}

class CareerAdvance : public MenuTest, public ::testing::WithParamInterface<Advance> {};

TEST_P(CareerAdvance, RecordsThePlaceAndMovesOn)
{
    const Advance& c = GetParam();
    CareerBlock.noCareer = 0;
    CareerBlock.sector = c.sector;
    CareerBlock.stage = c.stage;
    CareerBlock.upgradePoints = c.points;
    CareerBlock.lastPlace = c.lastPlace;
    CareerBlock.lastTime = 61.5f;
    CareerBlock.speedLevel = CareerBlock.powerLevel = CareerBlock.controlLevel = 9;
    MenuSelection.sectorOpened = 0;
    gameMenu.AdvanceCareer();

    const int entry = c.sector * 4 + c.stage;
    const bool podium = c.lastPlace >= 1 && c.lastPlace <= 3;
    EXPECT_EQ(CareerBlock.places[entry], podium ? c.lastPlace : 0);
    EXPECT_FLOAT_EQ(CareerBlock.times[entry], podium ? 61.5f : 0.0f);
    EXPECT_EQ(CareerBlock.sector, c.sectorAfter);
    EXPECT_EQ(CareerBlock.stage, c.stageAfter);
    EXPECT_EQ(CareerBlock.upgradePoints, c.pointsAfter);
    EXPECT_EQ(CareerBlock.sectorsOpen, c.sectorsOpen);
    EXPECT_EQ(CareerBlock.scootersOpen, c.scootersOpen);
    EXPECT_EQ(MenuSelection.sectorOpened, c.sectorOpened);
    EXPECT_EQ(gameMenu.page, c.page);
}

INSTANTIATE_TEST_SUITE_P(
    Menu, CareerAdvance,
    ::testing::Values(
        Advance {"FirstPlaceGivesThreePoints", 0, 0, 0, 1, 1, 0, 3, 1, 4, 0, MENU_PAGE_CAREER_PROGRESS},
        Advance {"ThirdPlaceGivesOnePoint", 1, 0, 0, 3, 2, 0, 1, 1, 4, 0, MENU_PAGE_CAREER_PROGRESS},
        Advance {"FourthPlaceRepeatsTheRace", 2, 1, 2, 4, 2, 1, 2, 1, 4, 0, MENU_PAGE_CAREER_PROGRESS},
        Advance {"ExitedRaceRecordsNothing", 0, 0, 0, -1, 0, 0, 0, 1, 4, 0, MENU_PAGE_CAREER_PROGRESS},
        Advance {"FourthRaceOfStageOneOpensASector", 3, 0, 0, 2, 0, 1, 2, 2, 5, 1, MENU_PAGE_CAREER_PROGRESS},
        Advance {"AfterStageTwoNoMessage", 3, 2, 0, 3, 0, 3, 1, 2, 5, 0, MENU_PAGE_CAREER_PROGRESS},
        // 3 + 3 = 6: one upgrade, 2 kept; all levels at 9 lead straight back to the progress page.
        Advance {"FourPointsMakeAnUpgrade", 0, 1, 3, 1, 1, 1, 2, 1, 4, 0, MENU_PAGE_CAREER_PROGRESS},
        Advance {"LastRaceEndsTheCareer", 3, 3, 0, 1, 0, 0, 0, 2, 5, 0, MENU_PAGE_MAIN}),
    [](const ::testing::TestParamInfo<Advance>& info) { return std::string(info.param.name); });

TEST_F(MenuTest, APendingUpgradeDisablesContinueCareerAndCompletedCareersCount)
{
    CareerBlock.noCareer = 0;
    CareerBlock.upgradePoints = 3;
    CareerBlock.lastPlace = 1;
    CareerBlock.speedLevel = CareerBlock.powerLevel = CareerBlock.controlLevel = 9;
    gameMenu.continueCareer.enabled = 1;
    gameMenu.AdvanceCareer();
    EXPECT_EQ(MenuSelection.upgradePending, 1);
    EXPECT_EQ(gameMenu.continueCareer.enabled, 0);

    CareerBlock.noCareer = 1; // the last race was won
    CareerBlock.lastPlace = 5;
    gameMenu.AdvanceCareer();
    EXPECT_EQ(CareerBlock.careersCompleted, 1);
    EXPECT_EQ(CareerBlock.stage, 0);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_MAIN);
}

} // namespace
