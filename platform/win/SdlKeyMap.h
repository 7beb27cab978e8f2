#pragma once
// SDL key codes to Windows virtual-key codes.
#include <SDL.h>

// The virtual-key code of a key, or 0 for keys without one.
int VirtualKeyOf(SDL_Keycode key);
