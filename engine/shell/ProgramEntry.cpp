#include "engine/shell/ProgramEntry.h"

#include <cstdlib>

#include "audio/AudioManager.h"
#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/DebugLog.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/MainWindow.h"
#include "engine/shell/MainWindowPlacement.h"
#include "engine/shell/MessagePump.h"
#include "engine/shell/RunCounter.h"
#include "engine/shell/SettingsFile.h"
#include "engine/shell/StartupTimes.h"
#include "engine/shell/WindowProcedure.h"
#include "frontend/GameMenu.h"
#include "platform/win/WinShell.h"
#include "platform/win/WinTime.h"
#include "platform/win/WinWindow.h"
#include "world/World.h"

const char* productName;
HWND mainWindow;
int windowActive;

namespace {

bool RegisterWindowClass(HINSTANCE instance)
{
    WNDCLASSA windowClass {};
    windowClass.style = 0;
    windowClass.lpfnWndProc = WndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(101));
    windowClass.hCursor = nullptr;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = productName;
    return RegisterClassA(&windowClass) != 0;
}

// Sized by the display mode that the Mode setting selects.
bool CreateMainWindow(HINSTANCE instance)
{
    const MainWindowPlacement place = PlaceMainWindow(d3dRender.displayModes[GameSettings[SLOT_MODE]],
                                                      d3dRender.desktopMode, GameSettings[SLOT_WINDOWED] != 0);
    mainWindow = CreateWindowExA(0, productName, productName, place.style, place.x, place.y, place.width, place.height,
                                 nullptr, nullptr, instance, nullptr);
    if (!mainWindow)
        return false;
    ShowWindow(mainWindow, SW_SHOWNORMAL);
    UpdateWindow(mainWindow);
    SetCursor(nullptr);
    return true;
}

} // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    productName = "Vestrune";
    windowActive = 1;
    GameSettings[SLOT_QUIT] = 0;

    LoadGameIni("Game.ini");
    if (CountStarts() == 0)
        ResetSettings();
    std::srand(timeGetTime());
    DebugOut(nullptr);
    LogStartupStep("settings read");

    if (!RegisterWindowClass(instance))
        return 0;
    if (d3dRender.InitD3D(GameSettings[SLOT_WINDOWED]) < 0)
        return 0;
    LogStartupStep("display modes listed");
    if (!CreateMainWindow(instance))
        return 0;
    LogStartupStep("window shown");
    fileSystem.Init();
    LogStartupStep("packs opened");
    if (d3dRender.CreateDevice(mainWindow, GameSettings[SLOT_WINDOWED], 0, 0) < 0)
        return 0;
    if (audioManager.Init(mainWindow) < 0)
        return 0;
    LogStartupStep("audio ready");
    ClampSettings();
    gameMenu.ShowSplash();
    LogStartupStep("splash ended");
    gameMenu.ShowLoading(true);
    LogStartupStep("loading screen shown");
    if (world.Init() != 1)
        return 0;
    LogStartupStep("world ready");
    audioManager.Compact();
    if (GameMenu != 0) {
        gameMenu.SetActive(true);
    } else {
        // Straight into a race: location 1, seed 1, track type 2, length 2, one racer, scooter 6.
        world.LoadLocation(1);
        world.StartRace(1, 2, 2, 1, 6);
        audioManager.PlayMusic(1, nullptr, 0.0f, 0, 100.0f);
        GameSettings[SLOT_RACE_RUNNING] = 1;
    }
    d3dRender.SetCursorPosition(400.0f, 300.0f);

    bool firstFrame = true;
    while (GameSettings[SLOT_QUIT] == 0) {
        DispatchWaitingMessages();
        world.Frame();
        if (firstFrame)
            LogStartupStep(GameMenu != 0 ? "first menu frame" : "first race frame");
        firstFrame = false;
    }

    world.Release();
    d3dRender.FreeD3DRender();
    audioManager.Release();

    // A loose "play.url" in the working folder goes to the shell's default handler.
    const int playUrl = fileSystem.Open("play.url", FILE_MODE_BINARY);
    if (playUrl != -1) {
        fileSystem.Close(playUrl);
        ShellExecuteA(nullptr, "open", "play.url", nullptr, nullptr, SW_SHOWNORMAL);
    }
    fileSystem.Release();
    // A normal end; the last input message's wParam (a key code, a button mask) is no exit code.
    return 0;
}
