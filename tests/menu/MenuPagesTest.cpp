#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/WindowProcedure.h"
#include "frontend/Profiles.h"
#include "tests/menu/MenuTestFixture.h"

namespace {

void Type(char character)
{
    inputState.typedChar = static_cast<unsigned char>(character);
    gameMenu.Update();
}

TEST_F(MenuTest, WithoutProfilesTheProfilePageBecomesNameEntryWithoutBack)
{
    gameMenu.OpenPage(MENU_PAGE_PROFILES);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_CREATE_PLAYER);
    EXPECT_EQ(inputState.textEntry, 1);
    ASSERT_EQ(gameMenu.focusCount, 1);
    EXPECT_EQ(gameMenu.focused, &gameMenu.createDone);

    inputState.escape = 1;
    gameMenu.Update();
    EXPECT_EQ(gameMenu.page, MENU_PAGE_CREATE_PLAYER) << "no way back without a profile";
}

// A damaged profile file is named on the profile page, marked and not to be chosen, even when it
// is the only file; a new profile takes another number and the damaged file keeps its bytes.
TEST_F(MenuTest, DamagedProfileFilesShowOnTheProfilePageAndStayUntouched)
{
    std::filesystem::create_directory("Save");
    folder.Write("Save/Profile01.sav", "broken");
    gameMenu.OpenPage(MENU_PAGE_PROFILES);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_PROFILES);
    EXPECT_STREQ(gameMenu.profileItems[0].caption, "Profile01.sav DAMAGED");
    EXPECT_FALSE(gameMenu.profileItems[0].enabled);
    EXPECT_STREQ(gameMenu.profileItems[1].caption, "");
    EXPECT_FALSE(gameMenu.profileContinue.enabled);
    EXPECT_EQ(SelectedProfile, -1);

    std::strcpy(PlayerName, "Ann");
    gameMenu.CreateNewProfile();
    gameMenu.OpenPage(MENU_PAGE_PROFILES);
    EXPECT_STREQ(gameMenu.profileItems[0].caption, "Ann");
    EXPECT_TRUE(gameMenu.profileItems[0].enabled);
    EXPECT_STREQ(gameMenu.profileItems[1].caption, "Profile01.sav DAMAGED");
    EXPECT_FALSE(gameMenu.profileItems[1].enabled);
    EXPECT_TRUE(folder.Exists("Save/Profile02.sav"));
    EXPECT_EQ(folder.Read("Save/Profile01.sav"), "broken");
}

TEST_F(MenuTest, NameEntryTakesGlyphsOnlyUpToFifteenAndBackspaceRemoves)
{
    gameMenu.OpenPage(MENU_PAGE_CREATE_PLAYER);
    Type('A');
    Type('B'); // the test font has no 'B'
    Type('\r');
    EXPECT_STREQ(PlayerName, "A");
    EXPECT_EQ(inputState.typedChar, 0);

    inputState.textEntry = 3; // Backspace, as the window procedure sets it
    gameMenu.Update();
    EXPECT_STREQ(PlayerName, "");
    EXPECT_EQ(inputState.textEntry, 1);
    inputState.textEntry = 3;
    gameMenu.Update();
    EXPECT_STREQ(PlayerName, "") << "Backspace on an empty name";

    for (int i = 0; i < 20; ++i)
        Type('i');
    EXPECT_EQ(std::strlen(PlayerName), 15u);
}

TEST_F(MenuTest, AnEmptyNameCannotBeConfirmedAndSpaceTypesInsteadOfPressing)
{
    gameMenu.OpenPage(MENU_PAGE_CREATE_PLAYER);
    PressFocused();
    EXPECT_EQ(gameMenu.page, MENU_PAGE_CREATE_PLAYER);
    EXPECT_FALSE(gameMenu.createDone.enabled);

    Type('A');
    inputState.space = 1;
    Type(' ');
    EXPECT_STREQ(PlayerName, "A ");
    UpdateAfter(200);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_CREATE_PLAYER) << "the space bar typed a blank and pressed nothing";

    PressFocused();
    EXPECT_EQ(gameMenu.page, MENU_PAGE_MAIN);
    EXPECT_EQ(inputState.textEntry, 0);
    EXPECT_TRUE(folder.Exists("Save/Profile01.sav"));
    EXPECT_EQ(gameMenu.profileLoaded, 1);
}

TEST_F(MenuTest, ActionsFireOnlyAfterATenthOfASecondOfRealTime)
{
    gameMenu.OpenPage(MENU_PAGE_MAIN);
    inputState.down = 1;
    UpdateAfter(0);
    inputState.down = 1;
    UpdateAfter(0);
    ASSERT_EQ(gameMenu.focused, &gameMenu.options);

    inputState.enter = 1;
    UpdateAfter(0);
    EXPECT_EQ(gameMenu.options.pressed, 1);
    UpdateAfter(100);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_MAIN) << "exactly 0.1 s is not yet past";
    UpdateAfter(1);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_OPTIONS);
    EXPECT_EQ(gameMenu.focused, &gameMenu.graphics);
}

TEST_F(MenuTest, ArrowsWrapAroundAndSkipDisabledItems)
{
    gameMenu.OpenPage(MENU_PAGE_MAIN);
    inputState.up = 1;
    gameMenu.Update();
    EXPECT_EQ(gameMenu.focused, &gameMenu.exitGame) << "Up from the first item goes to the last";
    EXPECT_EQ(inputState.up, 0);
    inputState.down = 1;
    gameMenu.Update();
    EXPECT_EQ(gameMenu.focused, &gameMenu.quickRace);

    gameMenu.exitGame.enabled = 0;
    gameMenu.changeProfile.enabled = 0;
    inputState.up = 1;
    gameMenu.Update();
    EXPECT_EQ(gameMenu.focused, &gameMenu.autoplay);
}

TEST_F(MenuTest, UnknownPagesAreIgnoredAndTheExitPageQuits)
{
    gameMenu.OpenPage(MENU_PAGE_MAIN);
    gameMenu.OpenPage(55);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_MAIN);
    gameMenu.OpenPage(MENU_PAGE_EXIT);
    EXPECT_EQ(GameSettings[SLOT_QUIT], 1);
}

TEST_F(MenuTest, EscapeOpensTheInRaceMenuOnlyInARaceAndAgainClosesIt)
{
    gameMenu.OpenPage(MENU_PAGE_MAIN);
    Key(VK_ESCAPE);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_MAIN) << "the active menu ignores the in-race menu";

    RunRace();
    Key(VK_ESCAPE);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_IN_RACE);
    EXPECT_EQ(GameSettings[SLOT_RACE_RUNNING], 0);
    EXPECT_EQ(gameMenu.focused, &gameMenu.raceContinue);

    Key(VK_ESCAPE);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_NONE);
    EXPECT_EQ(GameSettings[SLOT_RACE_RUNNING], 1);
    EXPECT_EQ(gameMenu.focusCount, 0);
}

TEST_F(MenuTest, PauseToggleOnReleaseOfPAndNotOverAnEndPage)
{
    RunRace();
    WndProc(nullptr, WM_KEYDOWN, 'P', 0);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_NONE) << "P acts on release";
    WndProc(nullptr, WM_KEYUP, 'P', 0);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_PAUSE);
    EXPECT_EQ(GameSettings[SLOT_RACE_RUNNING], 0);
    Key('P');
    EXPECT_EQ(gameMenu.page, MENU_PAGE_NONE);
    EXPECT_EQ(GameSettings[SLOT_RACE_RUNNING], 1);

    gameMenu.OpenPage(MENU_PAGE_END_OF_RACE);
    ASSERT_EQ(gameMenu.page, MENU_PAGE_END_OF_RACE);
    Key('P');
    Key(VK_ESCAPE);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_END_OF_RACE);
}

TEST_F(MenuTest, EscapeAndPWithoutARaceStartNone)
{
    // Before the menu comes up (the splash) neither key may set the race running.
    gameMenu.active = 0;
    gameMenu.OpenPage(MENU_PAGE_NONE);
    GameSettings[SLOT_RACE_RUNNING] = 0;
    Key(VK_ESCAPE);
    Key('P');
    EXPECT_EQ(gameMenu.page, MENU_PAGE_NONE);
    EXPECT_EQ(GameSettings[SLOT_RACE_RUNNING], 0);
}

TEST_F(MenuTest, EitherKeyResumesARacePausedByTheOther)
{
    RunRace();
    Key('P');
    ASSERT_EQ(gameMenu.page, MENU_PAGE_PAUSE);
    Key(VK_ESCAPE);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_NONE) << "Esc on the pause page resumes the race";
    EXPECT_EQ(GameSettings[SLOT_RACE_RUNNING], 1);
    EXPECT_EQ(gameTimer.timeSpeed, 1.0f);

    Key(VK_ESCAPE);
    ASSERT_EQ(gameMenu.page, MENU_PAGE_IN_RACE);
    Key('P');
    EXPECT_EQ(gameMenu.page, MENU_PAGE_NONE) << "P on the in-race menu resumes the race";
    EXPECT_EQ(GameSettings[SLOT_RACE_RUNNING], 1);
    EXPECT_EQ(gameMenu.focusCount, 0);
}

TEST_F(MenuTest, ArrowKeysDoNothingOnTheEndPageForTwoSeconds)
{
    gameMenu.active = 0;
    gameMenu.OpenPage(MENU_PAGE_END_OF_RACE);
    gameTimer.gameStep = 0.5f;
    inputState.down = 1;
    gameMenu.Update();
    EXPECT_EQ(gameMenu.focused, &gameMenu.endContinue);
    for (int i = 0; i < 3; ++i)
        gameMenu.Update();
    inputState.down = 1;
    gameMenu.Update();
    EXPECT_EQ(gameMenu.focused, &gameMenu.endRestart);
}

TEST_F(MenuTest, KeyCaptureHandsKeysToTheMenuOnly)
{
    gameMenu.keyCapture = 1;
    WndProc(nullptr, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(inputState.escape, 0);
    EXPECT_EQ(actionPressed[ACTION_ACCELERATE], 0);

    gameMenu.keyCapture = 0;
    gameMenu.OpenPage(MENU_PAGE_CONTROLS);
    EXPECT_EQ(gameMenu.keyCapture, 0) << "the controls page shows fixed keys";
    WndProc(nullptr, WM_KEYDOWN, VK_ESCAPE, 0);
    gameMenu.Update();
    EXPECT_EQ(gameMenu.page, MENU_PAGE_OPTIONS);
    EXPECT_EQ(inputState.escape, 0) << "Esc is taken once, so page 60 does not go on to 20";
    gameMenu.Update();
    EXPECT_EQ(gameMenu.page, MENU_PAGE_OPTIONS);
}

TEST_F(MenuTest, ActionKeysAreNotTakenWhileTheMenuIsActive)
{
    EXPECT_EQ(OnActionKeyDown(VK_UP), 0);
    gameMenu.active = 0;
    EXPECT_EQ(OnActionKeyDown(VK_UP), 1);
    ClearActionKeys();
}

} // namespace

namespace {

// Each quick-race selector steps by one from 0 and wraps to 0 after its own maximum, as its
// value text shows.
TEST_F(MenuTest, EveryQuickRaceSelectorWrapsAtItsOwnMaximum)
{
    const struct {
        CMenuSelector& selector;
        int& value;
        std::vector<std::string> texts;
    } selectors[] = {
        {gameMenu.sectorSelector, MenuSelection.sector, {" 'GREEN'", " 'YELLOW'", " 'RED'", " 'BLUE'"}},
        {gameMenu.trackSelector, MenuSelection.track, {" Track 1", " Track 2", " Track 3", " Track 4", " Random"}},
        {gameMenu.difficultySelector, MenuSelection.difficulty, {" Medium", " Hard", " Easy"}},
        {gameMenu.lengthSelector, MenuSelection.length, {" Average", " Long", " Short"}},
        {gameMenu.racersSelector, MenuSelection.racersIndex,
         {" 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", " 10", " 11", " 12", " 1"}},
        {gameMenu.levelSelector, MenuSelection.racerLevel, {" Experienced", " Aces", " Beginners"}},
    };
    gameMenu.OpenPage(MENU_PAGE_QUICK_RACE);
    for (const auto& s : selectors) {
        s.value = 0;
        for (const std::string& text : s.texts) {
            Activate(s.selector);
            EXPECT_EQ(s.selector.value, text) << s.selector.caption;
        }
        EXPECT_EQ(s.value, 0) << s.selector.caption;
    }
}

} // namespace

namespace {

// Every way from one page to the next that a button or Esc takes.
TEST_F(MenuTest, EachPageLeadsWhereItsButtonsAndEscapeSay)
{
    const struct {
        int from;
        CMenuButton* item; // null: Esc
        int to;
    } ways[] = {
        {MENU_PAGE_MAIN, &gameMenu.quickRace, MENU_PAGE_QUICK_RACE},
        {MENU_PAGE_MAIN, &gameMenu.career, MENU_PAGE_CAREER},
        {MENU_PAGE_MAIN, &gameMenu.options, MENU_PAGE_OPTIONS},
        {MENU_PAGE_MAIN, &gameMenu.bestResults, MENU_PAGE_BEST_RESULTS},
        {MENU_PAGE_MAIN, &gameMenu.changeProfile, MENU_PAGE_CREATE_PLAYER}, // no profile yet: the name entry
        {MENU_PAGE_OPTIONS, &gameMenu.graphics, MENU_PAGE_GRAPHICS},
        {MENU_PAGE_OPTIONS, &gameMenu.audio, MENU_PAGE_AUDIO},
        {MENU_PAGE_OPTIONS, &gameMenu.controls, MENU_PAGE_CONTROLS},
        {MENU_PAGE_QUICK_RACE, &gameMenu.back, MENU_PAGE_MAIN},
        {MENU_PAGE_QUICK_RACE, nullptr, MENU_PAGE_MAIN},
        {MENU_PAGE_CAREER, &gameMenu.back, MENU_PAGE_MAIN},
        {MENU_PAGE_CAREER, nullptr, MENU_PAGE_MAIN},
        {MENU_PAGE_CAREER_PROGRESS, nullptr, MENU_PAGE_MAIN},
        {MENU_PAGE_BEST_RESULTS, &gameMenu.back, MENU_PAGE_MAIN},
        {MENU_PAGE_BEST_RESULTS, nullptr, MENU_PAGE_MAIN},
        {MENU_PAGE_OPTIONS, &gameMenu.back, MENU_PAGE_MAIN},
        {MENU_PAGE_OPTIONS, nullptr, MENU_PAGE_MAIN},
        {MENU_PAGE_GRAPHICS, &gameMenu.cancel, MENU_PAGE_OPTIONS},
        {MENU_PAGE_GRAPHICS, nullptr, MENU_PAGE_OPTIONS},
        {MENU_PAGE_AUDIO, &gameMenu.back, MENU_PAGE_OPTIONS},
        {MENU_PAGE_AUDIO, nullptr, MENU_PAGE_OPTIONS},
        {MENU_PAGE_CONTROLS, &gameMenu.back, MENU_PAGE_OPTIONS},
        {MENU_PAGE_CONTROLS, nullptr, MENU_PAGE_OPTIONS},
    };
    for (const auto& way : ways) {
        gameMenu.OpenPage(way.from);
        if (way.item) {
            Activate(*way.item);
        } else {
            inputState.escape = 1;
            gameMenu.Update();
        }
        EXPECT_EQ(gameMenu.page, way.to) << "from page " << way.from << " by "
                                         << (way.item ? way.item->caption : "Esc");
        EXPECT_EQ(inputState.escape, 0) << "Esc is taken, from page " << way.from;
    }
    gameMenu.OpenPage(MENU_PAGE_CAREER_PROGRESS);
    RaceMode = RACE_MODE_CAREER;
    Activate(gameMenu.back);
    EXPECT_EQ(RaceMode, RACE_MODE_NONE) << "leaving the career page ends the career mode";

    gameMenu.OpenPage(MENU_PAGE_MAIN);
    Activate(gameMenu.exitGame);
    EXPECT_EQ(GameSettings[SLOT_QUIT], 1);
    GameSettings[SLOT_QUIT] = 0;
}

} // namespace
