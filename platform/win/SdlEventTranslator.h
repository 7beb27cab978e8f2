#pragma once
// One SDL event to the window messages it stands for.
#include <SDL.h>

#include <vector>

#include "platform/win/WinWindow.h"

// Appends the messages of an event for the given window (the window the event belongs to).
void TranslateSdlEvent(const SDL_Event& event, HWND window, std::vector<MSG>& out);
