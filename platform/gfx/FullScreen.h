#pragma once
// Direct3D's full-screen presentation on SDL.
#include <SDL.h>

#include "platform/gfx/D3D9.h"

// Windowed FALSE: the window goes full screen in the display mode closest to the back buffer's
// size (and the refresh rate asked for, 0 for any). Windowed TRUE: a full-screen window goes back
// to a window. When SDL refuses, the window stays as it is, with a line on stderr.
void ApplyPresentationMode(SDL_Window* window, const D3DPRESENT_PARAMETERS& parameters);
