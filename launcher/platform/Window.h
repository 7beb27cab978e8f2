#pragma once
// The window records behind HWND: a dialog (a GTK toplevel window) or one of its controls.

#include "launcher/platform/WinUser.h"

#include <gtk/gtk.h>

#include <memory>
#include <vector>

struct HWND__ {
  int id = 0;
  DWORD style = 0;
  HWND parent = nullptr;
  GtkWidget* widget = nullptr;  // the GtkWindow of a dialog, the widget of a control
  GtkWidget* canvas = nullptr;  // the GtkFixed that holds child widgets, if the window has one
  RECT frame{};                 // outer rectangle: screen pixels for a dialog, parent client pixels for a control
  int border = 0;               // pixels between the outer and the client rectangle
  std::vector<std::unique_ptr<HWND__>> children;

  // Dialogs only.
  DLGPROC dialogProc = nullptr;
  GtkCssProvider* fontStyle = nullptr;
  bool ended = false;
  bool destroyed = false;
  INT_PTR result = 0;
};

// The widget that child windows and embedded objects are placed into, or null.
GtkFixed* WindowCanvas(HWND window);
