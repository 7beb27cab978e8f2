#pragma once
// Modal message boxes: one line on stderr always, and SDL's message box when a display exists.
// A box's own process ends with the game's.
#include "platform/win/WinTypes.h"

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ICONERROR = 0x00000010;
constexpr UINT MB_ICONWARNING = 0x00000030;
constexpr UINT MB_ICONINFORMATION = 0x00000040;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
