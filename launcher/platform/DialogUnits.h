#pragma once
// Dialog units: a quarter of the dialog font's average character width across, an eighth of
// its height down. Dialogs use the system's sans face at the template's point size.

#include "launcher/platform/WinTypes.h"

struct DialogBaseUnits {
  int x;  // average character width in pixels
  int y;  // character height in pixels
};

// Measures the sans face at the given point size on the default screen (GTK must be up).
DialogBaseUnits MeasureDialogBaseUnits(int pointSize);

// number * numerator / denominator, rounded half away from zero; -1 when the denominator is 0
// or the result does not fit.
int MulDiv(int number, int numerator, int denominator);

// The pixel rectangle of a rectangle given in dialog units.
RECT MapDialogRect(const DialogBaseUnits& units, int x, int y, int cx, int cy);
