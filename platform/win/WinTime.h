#pragma once
// Millisecond clocks and sleeping.
#include "platform/win/WinTypes.h"

// Milliseconds since an arbitrary start, wrapping at 2^32 like the multimedia timer.
DWORD timeGetTime();
DWORD GetTickCount();
void Sleep(DWORD milliseconds);
