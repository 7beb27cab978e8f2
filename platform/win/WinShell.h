#pragma once
// The shell's "open": a program is started directly (a ".exe" name runs the native program of
// the same name without the suffix); any other file or URL goes to xdg-open.
#include "platform/win/WinTypes.h"

constexpr std::intptr_t SE_ERR_FNF = 2;
constexpr std::intptr_t SE_ERR_NOASSOC = 31;

// Returns a value above 32 on success, as the shell does; the started process is not waited for.
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, int show);
