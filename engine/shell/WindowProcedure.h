#pragma once
// The main window's procedure: window messages become the shared input records, activation
// pauses and resumes the game, and a close request sets the quit flag.
#include "platform/win/WinWindow.h"

LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// 1 when the key belongs to an action binding (its pressed flag is then set or cleared).
int OnActionKeyDown(int key);
int OnActionKeyUp(int key);
void ClearActionKeys();
