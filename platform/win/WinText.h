#pragma once
// Conversions between the system code page (UTF-8 here) and wide characters.
#include <string>

#include "platform/win/WinTypes.h"

using WCHAR = wchar_t;
constexpr UINT CP_ACP = 0;
constexpr UINT CP_UTF8 = 65001;

// length -1: the text is null-terminated and the terminator is converted too. wideLength 0:
// returns the number of wide characters needed. Returns 0 when the target is too small.
// Malformed bytes become U+FFFD.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, WCHAR* wide, int wideLength);

// The UTF-8 form of a null-terminated wide text.
std::string NarrowText(const WCHAR* wide);
