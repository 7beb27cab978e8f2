#pragma once
// The controls of a dialog template as GTK widgets.

#include "launcher/platform/DialogUnits.h"
#include "launcher/platform/Window.h"

// Creates the control on the dialog's client area, placed and sized from dialog units, and
// shown when the template makes it visible. Button clicks reach the dialog as WM_COMMAND.
void CreateControl(HWND dialog, const DialogItemTemplate& item, const DialogBaseUnits& units);

// Changes the control's text where it has one.
void SetControlText(HWND control, const char* text);
