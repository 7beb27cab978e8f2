#pragma once
// The shell's "open" verb.

#include "launcher/platform/WinTypes.h"

// Results of ShellExecuteA: a value above 32 means success.
inline constexpr INT_PTR SE_ERR_FNF = 2;
inline constexpr INT_PTR SE_ERR_ACCESSDENIED = 5;
inline constexpr INT_PTR SE_ERR_OOM = 8;
inline constexpr INT_PTR SE_ERR_NOASSOC = 31;
inline constexpr INT_PTR SE_STARTED = 42;

// Opens a file with the verb "open" (or none): a program (a ".exe" name stands for the native
// program of the same name without the suffix, or any executable file) is started directly with
// the parameters split at blanks; any other file or a URL goes to xdg-open. "\" separates folders
// like "/". The started program is not waited for.
HINSTANCE ShellExecuteA(HWND window, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT showCommand);
