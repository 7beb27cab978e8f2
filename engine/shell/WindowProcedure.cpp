#include "engine/shell/WindowProcedure.h"

#include "audio/AudioManager.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "engine/shell/MainWindow.h"
#include "frontend/GameMenu.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"

namespace {

// Text entry is on while the state is 1; Backspace turns it to 3.
constexpr int TEXT_ENTRY_ON = 1;
constexpr int TEXT_ENTRY_BACKSPACE = 3;

// Not while the window is inactive, the computer drives the player's scooter or the menu has
// the input.
bool ActionKeysAccepted()
{
    const bool computerDrives = playerVehicle && playerVehicle->GetDriver() == DRIVER_COMPUTER;
    return windowActive != 0 && !computerDrives && !gameMenu.active;
}

void Deactivate()
{
    audioManager.PauseAll();
    windowActive = 0;
    gameTimer.Pause();
}

void Activate()
{
    audioManager.ResumeAll();
    windowActive = 1;
    gameTimer.Resume();
}

// Window pixels to virtual-screen units; pixels stay as they are before the device exists.
int ToVirtual(int pixels, float factor)
{
    return factor > 0.0f ? static_cast<int>(static_cast<float>(pixels) / factor) : pixels;
}

void OnMouse(UINT message, LPARAM lParam)
{
    const int x = ToVirtual(LOWORD(static_cast<std::uintptr_t>(lParam)), d3dRender.xFactor);
    const int y = ToVirtual(HIWORD(static_cast<std::uintptr_t>(lParam)), d3dRender.yFactor);
    switch (message) {
    case WM_MOUSEMOVE:
        mouseState.previousX = mouseState.x;
        mouseState.previousY = mouseState.y;
        break;
    case WM_LBUTTONDOWN: inputState.leftButton = 1; break;
    case WM_LBUTTONUP: inputState.leftButton = 0; return;
    case WM_RBUTTONDOWN: inputState.rightButton = 1; break;
    case WM_RBUTTONUP: inputState.rightButton = 0; return;
    default: return;
    }
    mouseState.x = x;
    mouseState.y = y;
}

void OnKeyDown(int key)
{
    if (gameMenu.keyCapture) {
        gameMenu.OnKey(key);
        return;
    }
    OnActionKeyDown(key);
    const bool debugMode = GameSettings[SLOT_DEBUG_MODE] != 0;
    switch (key) {
    case VK_PAUSE:
        if (!debugMode)
            gameMenu.OpenPage(MENU_PAGE_PAUSE);
        else if (windowActive)
            Deactivate();
        else
            Activate();
        return;
    case VK_ESCAPE:
        inputState.escape = 1;
        if (debugMode)
            GameSettings[SLOT_QUIT] = 1;
        else
            gameMenu.OpenPage(MENU_PAGE_IN_RACE);
        return;
    case 'F':
        if (debugMode)
            d3dRender.ToggleWireframe();
        break;
    case 'G':
        if (debugMode)
            d3dRender.ToggleShadeMode();
        break;
    default:
        break;
    }
    if (int* flag = InputFlagOfKey(key))
        *flag = 1;
}

void OnKeyUp(int key)
{
    if (!gameMenu.keyCapture)
        OnActionKeyUp(key);
    if (int* flag = InputFlagOfKey(key))
        *flag = 0;
    if (key == 'P')
        gameMenu.OpenPage(MENU_PAGE_PAUSE);
}

} // namespace

LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (inputState.textEntry == TEXT_ENTRY_ON) {
        if (message == WM_CHAR) {
            inputState.typedChar = static_cast<int>(wParam & 0xFF);
            return 0;
        }
        if (message == WM_KEYDOWN && wParam == VK_BACK) {
            inputState.textEntry = TEXT_ENTRY_BACKSPACE;
            return 0;
        }
    }

    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && windowActive == 1)
            Deactivate();
        else if (LOWORD(wParam) == WA_ACTIVE && windowActive == 0)
            Activate();
        return 0;
    case WM_KILLFOCUS:
        Deactivate();
        return 0;
    case WM_SETFOCUS:
        SetCursor(nullptr);
        Activate();
        return 0;
    case WM_CLOSE:
        GameSettings[SLOT_QUIT] = 1;
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        OnMouse(message, lParam);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<int>(wParam));
        return 0;
    case WM_KEYUP:
        OnKeyUp(static_cast<int>(wParam));
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

namespace {

int SetActionKey(int key, int pressed)
{
    if (!ActionKeysAccepted())
        return 0;
    for (auto& binding : ActionKeyBinding) {
        if (binding.key == key) {
            *binding.pressed = pressed;
            return 1;
        }
    }
    return 0;
}

} // namespace

int OnActionKeyDown(int key)
{
    return SetActionKey(key, 1);
}

int OnActionKeyUp(int key)
{
    return SetActionKey(key, 0);
}

void ClearActionKeys()
{
    for (auto& binding : ActionKeyBinding)
        *binding.pressed = 0;
}
