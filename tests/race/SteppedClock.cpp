// The millisecond clock of the fall survey: it reads what the survey sets, so that the draws the
// grid seeds from the clock follow the race and a survey run repeats exactly.
#include "tests/race/SteppedClock.h"

DWORD steppedClockMilliseconds = 0;

DWORD timeGetTime() { return steppedClockMilliseconds; }

DWORD GetTickCount() { return steppedClockMilliseconds; }

void Sleep(DWORD milliseconds) { steppedClockMilliseconds += milliseconds; }
