#include "tests/menu/MenuTestFixture.h"

#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/MainWindow.h"
#include "engine/shell/WindowProcedure.h"
#include "frontend/Profiles.h"
#include "tests/font/TestFont.h"
#include "world/scooters/VehicleManager.h"

void MenuTest::SetUp()
{
    inputState = {};
    mouseState = {-100, -100, -100, -100}; // off every item
    windowActive = 1;
    GameSettings[SLOT_DEBUG_MODE] = 0;
    GameSettings[SLOT_RACE_RUNNING] = 0;
    GameSettings[SLOT_QUIT] = 0;
    GameSettings[SLOT_DISTANCE] = 500;
    GameSettings[SLOT_MUSIC] = 90;
    gameTimer.realTime = 10000;
    gameTimer.gameStep = 0.02f;
    BuildTestGlyphs(gameMenu.font);
    gameMenu.CreatePages();
    gameMenu.ClearFocus();
    gameMenu.active = 1;
    gameMenu.page = MENU_PAGE_NONE;
    gameMenu.profileCount = 0;
    gameMenu.profileLoaded = 0;
    gameMenu.keyCapture = 0;
    gameMenu.hoverSound = gameMenu.pressSound = nullptr;
    RaceMode = RACE_MODE_NONE;
    ResetCareer(CareerBlock);
    PlayerName[0] = 0;
    SelectedProfile = -1;
}

void MenuTest::TearDown()
{
    inputState.textEntry = 0;
    playerVehicle = nullptr;
}

void MenuTest::RunRace()
{
    gameMenu.active = 0;
    gameMenu.OpenPage(MENU_PAGE_NONE);
    RaceMode = RACE_MODE_QUICK;
    GameSettings[SLOT_RACE_RUNNING] = 1;
    raceScooter.SetDriver(DRIVER_PLAYER);
    playerVehicle = &raceScooter;
}

void MenuTest::UpdateAfter(unsigned milliseconds)
{
    gameTimer.realTime += milliseconds;
    gameMenu.Update();
}

void MenuTest::PressFocused()
{
    inputState.enter = 1;
    UpdateAfter(0);
    UpdateAfter(101);
}

void MenuTest::Activate(CMenuButton& item)
{
    item.pressed = 1;
    item.pressTime = gameTimer.realTime;
    UpdateAfter(101);
}

void MenuTest::Key(int virtualKey)
{
    WndProc(nullptr, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 0);
    WndProc(nullptr, WM_KEYUP, static_cast<WPARAM>(virtualKey), 0);
}
