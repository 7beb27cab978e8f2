#pragma once
// Stands in for the platform's millisecond clocks in the program that links it.
#include "platform/win/WinTime.h"

extern DWORD steppedClockMilliseconds;
