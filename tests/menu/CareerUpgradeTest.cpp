// Upgrade points after a career race: every four points make one pending upgrade, and the
// upgrade page offers each level below 9.
#include <ostream>

#include "frontend/Profiles.h"
#include "tests/menu/MenuTestFixture.h"

namespace {

struct Points {
    const char* name;
    int before, place;
    // expected
    int after, pending;
};

void PrintTo(const Points& c, std::ostream* os) { *os << c.name; }

class CareerUpgradePoints : public MenuTest, public ::testing::WithParamInterface<Points> {};

TEST_P(CareerUpgradePoints, FourPointsMakeOnePendingUpgradeAndTheRestIsKept)
{
    const Points& c = GetParam();
    CareerBlock.noCareer = 0;
    CareerBlock.upgradePoints = c.before;
    CareerBlock.lastPlace = c.place;
    CareerBlock.speedLevel = 2;
    MenuSelection.upgradePending = 0;
    gameMenu.continueCareer.enabled = 1;
    gameMenu.AdvanceCareer();
    EXPECT_EQ(CareerBlock.upgradePoints, c.after);
    EXPECT_EQ(MenuSelection.upgradePending, c.pending);
    EXPECT_EQ(gameMenu.continueCareer.enabled, 1 - c.pending);
    EXPECT_EQ(gameMenu.page, c.pending ? MENU_PAGE_UPGRADE : MENU_PAGE_CAREER_PROGRESS);
}

INSTANTIATE_TEST_SUITE_P(Menu, CareerUpgradePoints,
                         ::testing::Values(Points {"FirstPlaceFromNothingMakesThree", 0, 1, 3, 0},
                                           Points {"FirstPlaceOnOneMakesExactlyFour", 1, 1, 0, 1},
                                           Points {"SecondPlaceOnTwoMakesExactlyFour", 2, 2, 0, 1},
                                           Points {"ThirdPlaceOnTwoStaysAtThree", 2, 3, 3, 0},
                                           Points {"ThirdPlaceOnThreeMakesFour", 3, 3, 0, 1},
                                           Points {"FourthPlaceGivesNothing", 3, 4, 3, 0}),
                         [](const ::testing::TestParamInfo<Points>& info) { return std::string(info.param.name); });

TEST_F(MenuTest, TheUpgradePageOffersEachLevelBelowNineAndRaisesTheChosenOne)
{
    CareerBlock.noCareer = 0;
    CareerBlock.upgradePoints = 3;
    CareerBlock.lastPlace = 1;
    CareerBlock.speedLevel = 9;
    CareerBlock.powerLevel = 8;
    CareerBlock.controlLevel = 0;
    gameMenu.AdvanceCareer();
    ASSERT_EQ(gameMenu.page, MENU_PAGE_UPGRADE);
    EXPECT_EQ(gameMenu.upgradeSpeed.enabled, 0);
    EXPECT_EQ(gameMenu.upgradePower.enabled, 1);
    EXPECT_EQ(gameMenu.upgradeControl.enabled, 1);

    Activate(gameMenu.upgradePower);
    EXPECT_EQ(CareerBlock.powerLevel, 9);
    EXPECT_EQ(CareerBlock.speedLevel, 9);
    EXPECT_EQ(CareerBlock.controlLevel, 0);
    EXPECT_EQ(CareerBlock.upgradePoints, 2) << "the points were taken when the upgrade became pending";
    EXPECT_EQ(gameMenu.page, MENU_PAGE_CAREER_PROGRESS);
}

} // namespace
