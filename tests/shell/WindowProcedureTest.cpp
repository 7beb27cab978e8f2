#include <gtest/gtest.h>

#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "engine/shell/MainWindow.h"
#include "engine/shell/WindowProcedure.h"
#include "frontend/GameMenu.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"

namespace {

class WindowProcedure : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::fill(std::begin(GameSettings), std::end(GameSettings), 0);
        inputState = {};
        mouseState = {};
        ClearActionKeys();
        ActionKeyBinding[ACTION_ACCELERATE].key = VK_UP;
        windowActive = 1;
        gameMenu.active = 0;
        gameTimer.Init();
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return WndProc(nullptr, message, wParam, lParam); }
};

TEST_F(WindowProcedure, KeysSetAndClearTheirFlags)
{
    Send(WM_KEYDOWN, VK_RETURN);
    Send(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(inputState.enter, 1);
    EXPECT_EQ(inputState.up, 1);
    EXPECT_EQ(actionPressed[ACTION_ACCELERATE], 1);
    Send(WM_KEYUP, VK_UP);
    EXPECT_EQ(inputState.up, 0);
    EXPECT_EQ(actionPressed[ACTION_ACCELERATE], 0);
    Send(WM_KEYDOWN, 'Q');
    EXPECT_EQ(inputState.enter, 1);
}

// Escape sets its flag also in debug mode, where it ends the game instead of opening a page.
TEST_F(WindowProcedure, EveryTrackedKeySetsOnlyItsOwnFlag)
{
    const struct {
        int key;
        int InputState::*flag;
        const char* name;
    } keys[] = {
        {VK_ESCAPE, &InputState::escape, "Esc"},    {VK_SHIFT, &InputState::shift, "Shift"},
        {VK_TAB, &InputState::tab, "Tab"},          {VK_RETURN, &InputState::enter, "Enter"},
        {VK_SPACE, &InputState::space, "space"},    {VK_LEFT, &InputState::left, "Left"},
        {VK_RIGHT, &InputState::right, "Right"},    {VK_UP, &InputState::up, "Up"},
        {VK_DOWN, &InputState::down, "Down"},       {VK_NEXT, &InputState::pageDown, "PgDn"},
        {VK_PRIOR, &InputState::pageUp, "PgUp"},    {VK_HOME, &InputState::home, "Home"},
        {VK_END, &InputState::end, "End"},          {VK_INSERT, &InputState::insert, "Insert"},
        {VK_DELETE, &InputState::del, "Delete"},
    };
    GameSettings[SLOT_DEBUG_MODE] = 1;
    for (const auto& pressed : keys) {
        Send(WM_KEYDOWN, static_cast<WPARAM>(pressed.key));
        for (const auto& other : keys)
            EXPECT_EQ(inputState.*other.flag, &other == &pressed ? 1 : 0) << other.name << " after " << pressed.name;
        Send(WM_KEYUP, static_cast<WPARAM>(pressed.key));
        EXPECT_EQ(inputState.*pressed.flag, 0) << pressed.name << " released";
    }
    EXPECT_EQ(inputState.leftButton + inputState.rightButton + inputState.textEntry, 0);
}

// Each binding's key sets only its own pressed flag; while the menu has the input or the
// computer drives the player's scooter no action key is seen, though the key's input flag is.
TEST_F(WindowProcedure, EveryActionKeySetsOnlyItsOwnBinding)
{
    const int keys[ACTION_COUNT] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, 'C', 'B'};
    for (int action = 0; action < ACTION_COUNT; ++action) {
        Send(WM_KEYDOWN, static_cast<WPARAM>(keys[action]));
        for (int other = 0; other < ACTION_COUNT; ++other)
            EXPECT_EQ(actionPressed[other], other == action ? 1 : 0)
                << "binding " << other << " after key " << keys[action];
        Send(WM_KEYUP, static_cast<WPARAM>(keys[action]));
        EXPECT_EQ(actionPressed[action], 0) << "key " << keys[action] << " released";
    }
    gameMenu.active = 1;
    Send(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(actionPressed[ACTION_BRAKE], 0);
    EXPECT_EQ(inputState.down, 1);
    gameMenu.active = 0;

    CVehicle scooter;
    scooter.SetDriver(DRIVER_COMPUTER);
    playerVehicle = &scooter;
    Send(WM_KEYDOWN, VK_LEFT);
    EXPECT_EQ(actionPressed[ACTION_LEFT], 0) << "the computer drives the player's scooter";
    scooter.SetDriver(DRIVER_PLAYER);
    Send(WM_KEYDOWN, VK_LEFT);
    EXPECT_EQ(actionPressed[ACTION_LEFT], 1);
    playerVehicle = nullptr;
}

TEST_F(WindowProcedure, FirstMatchingBindingWins)
{
    ActionKeyBinding[ACTION_ACCELERATE].key = 'C';
    EXPECT_EQ(OnActionKeyDown('C'), 1);
    EXPECT_EQ(actionPressed[ACTION_ACCELERATE], 1);
    EXPECT_EQ(actionPressed[ACTION_CAMERA_C], 0);
    EXPECT_EQ(OnActionKeyDown('X'), 0);
}

TEST_F(WindowProcedure, InactiveWindowIgnoresActionKeysUpAndDown)
{
    OnActionKeyDown(VK_UP);
    windowActive = 0;
    EXPECT_EQ(OnActionKeyUp(VK_UP), 0);
    EXPECT_EQ(actionPressed[ACTION_ACCELERATE], 1); // stays until cleared
    ClearActionKeys();
    EXPECT_EQ(actionPressed[ACTION_ACCELERATE], 0);
}

TEST_F(WindowProcedure, TextEntryTakesCharactersAndBackspace)
{
    inputState.textEntry = 1;
    Send(WM_CHAR, 'k');
    EXPECT_EQ(inputState.typedChar, 'k');
    Send(WM_CHAR, 0x1E9);
    EXPECT_EQ(inputState.typedChar, 0xE9) << "the low byte";
    Send(WM_KEYDOWN, VK_BACK);
    EXPECT_EQ(inputState.textEntry, 3);
    inputState.textEntry = 1;
    Send(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(inputState.enter, 1);
    inputState.textEntry = 0;
    inputState.typedChar = 0;
    Send(WM_CHAR, 'z');
    EXPECT_EQ(inputState.typedChar, 0);
}

TEST_F(WindowProcedure, ActivationPausesAndResumes)
{
    Send(WM_ACTIVATE, WA_INACTIVE);
    EXPECT_EQ(windowActive, 0);
    EXPECT_EQ(gameTimer.timeSpeed, 0.0f);
    Send(WM_ACTIVATE, WA_CLICKACTIVE);
    EXPECT_EQ(windowActive, 0);
    Send(WM_SETFOCUS);
    EXPECT_EQ(windowActive, 1);
    EXPECT_EQ(gameTimer.timeSpeed, 1.0f);
    Send(WM_KILLFOCUS);
    EXPECT_EQ(windowActive, 0);
    Send(WM_ACTIVATE, WA_ACTIVE);
    EXPECT_EQ(windowActive, 1);
}

TEST_F(WindowProcedure, CloseAndDebugEscapeSetQuit)
{
    EXPECT_EQ(Send(WM_CLOSE), 0);
    EXPECT_EQ(GameSettings[SLOT_QUIT], 1);
    GameSettings[SLOT_QUIT] = 0;
    Send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(inputState.escape, 1);
    EXPECT_EQ(GameSettings[SLOT_QUIT], 0);
    GameSettings[SLOT_DEBUG_MODE] = 1;
    Send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(GameSettings[SLOT_QUIT], 1);
}

TEST_F(WindowProcedure, DebugPauseKeyFreezesTheFrame)
{
    GameSettings[SLOT_DEBUG_MODE] = 1;
    Send(WM_KEYDOWN, VK_PAUSE);
    EXPECT_EQ(windowActive, 0);
    Send(WM_KEYDOWN, VK_PAUSE);
    EXPECT_EQ(windowActive, 1);
}

TEST_F(WindowProcedure, MouseMessagesTrackPositionAndButtons)
{
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(100, 50));
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(120, 60));
    EXPECT_EQ(mouseState.previousX, 100);
    EXPECT_EQ(mouseState.previousY, 50);
    Send(WM_LBUTTONDOWN, 0, MAKELPARAM(200, 70));
    EXPECT_EQ(inputState.leftButton, 1);
    EXPECT_EQ(mouseState.previousX, 100); // a click does not touch the previous position
    Send(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(inputState.leftButton, 0);
    Send(WM_RBUTTONDOWN, 0, MAKELPARAM(10, 20));
    EXPECT_EQ(inputState.rightButton, 1);
    Send(WM_RBUTTONUP, 0, MAKELPARAM(10, 20));
    EXPECT_EQ(inputState.rightButton, 0);
}

// On a 1600 x 900 back buffer: x in units of 2 pixels, y of 1.5.
TEST_F(WindowProcedure, MousePositionsAreInVirtualScreenUnits)
{
    d3dRender.xFactor = 2.0f;
    d3dRender.yFactor = 1.5f;
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(1599, 899));
    EXPECT_EQ(mouseState.x, 799);
    EXPECT_EQ(mouseState.y, 599);
    Send(WM_RBUTTONDOWN, 0, MAKELPARAM(300, 301));
    EXPECT_EQ(mouseState.x, 150);
    EXPECT_EQ(mouseState.y, 200);
    d3dRender.xFactor = d3dRender.yFactor = 0.0f;
}

} // namespace
