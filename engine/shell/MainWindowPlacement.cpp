#include "engine/shell/MainWindowPlacement.h"

#include <algorithm>

#include "platform/win/WinWindow.h"

namespace {

// A caption with a close button and a minimise button; the size follows the display mode only.
constexpr DWORD WINDOWED_STYLE = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE;
constexpr DWORD FULL_SCREEN_STYLE = WS_POPUP | WS_VISIBLE;

int Centred(UINT size, UINT desktopSize)
{
    return std::max(0, (static_cast<int>(desktopSize) - static_cast<int>(size)) / 2);
}

} // namespace

MainWindowPlacement PlaceMainWindow(const DisplayModeRow& mode, const DisplayModeRow& desktop, bool windowed)
{
    const int width = static_cast<int>(mode.width);
    const int height = static_cast<int>(mode.height);
    if (!windowed)
        return {FULL_SCREEN_STYLE, 0, 0, width, height};
    return {WINDOWED_STYLE, Centred(mode.width, desktop.width), Centred(mode.height, desktop.height), width, height};
}
