#pragma once
// What other platform layers need of the SDL side of windows.
#include <SDL.h>

#include "platform/win/WinTypes.h"

// Starts SDL's video subsystem once; false (with SDL's error logged) when it cannot start.
bool EnsureSdlVideo();
// The SDL window behind a window handle, or null.
SDL_Window* SdlWindowOf(HWND window);
// The window handle of an SDL window id, or null.
HWND WindowOfSdlId(Uint32 id);
