#pragma once
// Logs the text as one debug line and shows it in a message box over the main window.
#include "platform/win/WinMessageBox.h"

int ShowMessage(const char* text, const char* caption, UINT type = MB_OK | MB_ICONERROR);
