#pragma once
// Where the main window goes and how it looks, from the chosen display mode and the Windowed
// setting.
#include "engine/render/D3DRender.h"

struct MainWindowPlacement {
    DWORD style;
    int x;
    int y;
    int width;
    int height;
};

// Windowed: a decorated window of the mode's size, centred on the desktop (at its left or top
// edge when larger). Full screen: a borderless window of the mode's size at the origin, which the
// device then makes full screen.
MainWindowPlacement PlaceMainWindow(const DisplayModeRow& mode, const DisplayModeRow& desktop, bool windowed);
