#pragma once
// The dialog procedures of the launcher's main and options dialogs.

#include "launcher/BrowserHost.h"
#include "launcher/platform/WinUser.h"

// The one browser host, created when the main dialog starts.
extern CBrowserHost* g_browserHost;

INT_PTR MainDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR OptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
