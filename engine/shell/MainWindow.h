#pragma once
// The program's window and the state the entry and the window procedure share.
#include "platform/win/WinTypes.h"

// "Vestrune": the window class name and the window title.
extern const char* productName;
extern HWND mainWindow;
// 1 while the window is active; the world frame does nothing while it is 0.
extern int windowActive;
