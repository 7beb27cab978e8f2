#pragma once
// The game program's entry: start-up, the message loop with one world frame per pass, shut-down.
#include "platform/win/WinTypes.h"

// Returns 0 on every early failure, else the wParam of the last message taken from the queue.
int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);
