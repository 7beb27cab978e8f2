#pragma once
// Where start-up time goes: each step's time since the process started, as a debug-log line.

// Milliseconds since the process was started (the kernel's start time, 10 ms granularity, plus
// a steady clock from the first use on).
double MillisecondsSinceProcessStart();

// Logs "Start-up <ms> <step>" when the debug log is on.
void LogStartupStep(const char* step);
