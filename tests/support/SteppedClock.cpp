// A millisecond clock that reads what the program linking it sets: frames of exactly the length a
// test steps, and draws the grid seeds from the clock that follow the race, so that a run repeats
// exactly however busy the machine is.
#include "tests/support/SteppedClock.h"

DWORD steppedClockMilliseconds = 0;

DWORD timeGetTime() { return steppedClockMilliseconds; }

DWORD GetTickCount() { return steppedClockMilliseconds; }

void Sleep(DWORD milliseconds) { steppedClockMilliseconds += milliseconds; }
