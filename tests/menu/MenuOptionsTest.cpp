#include "engine/GameSettings.h"
#include "tests/menu/MenuTestFixture.h"

namespace {

TEST_F(MenuTest, ViewDistanceCyclesAndAcceptWritesTheSettingsFile)
{
    gameMenu.optionCopies[OPTION_COPY_DISTANCE] = GameSettings[SLOT_DISTANCE];
    gameMenu.OpenPage(MENU_PAGE_GRAPHICS);
    CMenuSelector& distance = gameMenu.graphicsSelectors[GRAPHICS_VIEW_DISTANCE];
    const int expected[] = {1250, 2000, 500, 1250};
    for (int value : expected) {
        Activate(distance);
        EXPECT_EQ(gameMenu.optionCopies[OPTION_COPY_DISTANCE], value);
    }
    EXPECT_EQ(GameSettings[SLOT_DISTANCE], 500) << "only ACCEPT changes the settings";

    Activate(gameMenu.accept);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_OPTIONS);
    EXPECT_EQ(GameSettings[SLOT_DISTANCE], 1250);
    ASSERT_TRUE(folder.Exists("Game.ini"));
    EXPECT_NE(folder.Read("Game.ini").find("Distance"), std::string::npos);
}

TEST_F(MenuTest, CancelAndEscapeRestoreTheWorkingCopies)
{
    gameMenu.optionCopies[OPTION_COPY_DISTANCE] = GameSettings[SLOT_DISTANCE];
    gameMenu.OpenPage(MENU_PAGE_GRAPHICS);
    Activate(gameMenu.graphicsSelectors[GRAPHICS_VIEW_DISTANCE]);
    inputState.escape = 1;
    gameMenu.Update();
    EXPECT_EQ(gameMenu.page, MENU_PAGE_OPTIONS);
    EXPECT_EQ(gameMenu.optionCopies[OPTION_COPY_DISTANCE], 500);
    EXPECT_EQ(inputState.escape, 0);
    EXPECT_FALSE(folder.Exists("Game.ini"));
}

TEST_F(MenuTest, VolumesStepByFiveAndWrapToZero)
{
    gameMenu.OpenPage(MENU_PAGE_AUDIO);
    const int expected[] = {95, 100, 0, 5};
    for (int value : expected) {
        Activate(gameMenu.musicVolume);
        EXPECT_EQ(GameSettings[SLOT_MUSIC], value);
    }
    EXPECT_NE(folder.Read("Game.ini").find("Music"), std::string::npos);
}

} // namespace
