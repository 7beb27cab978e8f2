#pragma once

#include "launcher/platform/WinTypes.h"

int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);
