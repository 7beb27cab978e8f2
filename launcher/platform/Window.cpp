// Window operations on dialogs and their controls.

#include "launcher/platform/Controls.h"
#include "launcher/platform/GtkSession.h"
#include "launcher/platform/Window.h"

#include <algorithm>

namespace {

bool IsDialog(HWND window) { return window->dialogProc != nullptr; }

}  // namespace

GtkFixed* WindowCanvas(HWND window) { return window && window->canvas ? GTK_FIXED(window->canvas) : nullptr; }

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) DestroyWindow(window);
  return 0;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!window || !IsDialog(window)) return 0;
  return window->dialogProc(window, message, wParam, lParam);
}

HWND GetDlgItem(HWND dialog, int id) {
  if (!dialog) return nullptr;
  for (const auto& control : dialog->children)
    if (control->id == id) return control.get();
  return nullptr;
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
  if (!window || !text) return FALSE;
  if (IsDialog(window))
    gtk_window_set_title(GTK_WINDOW(window->widget), text);
  else
    SetControlText(window, text);
  return TRUE;
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
  if (!window || !rect) return FALSE;
  *rect = window->frame;
  if (window->parent && !IsDialog(window)) {
    RECT parentRect{};
    GetWindowRect(window->parent, &parentRect);
    const LONG dx = parentRect.left + window->parent->border;
    const LONG dy = parentRect.top + window->parent->border;
    *rect = {rect->left + dx, rect->top + dy, rect->right + dx, rect->bottom + dy};
  }
  return TRUE;
}

BOOL GetClientRect(HWND window, LPRECT rect) {
  if (!window || !rect) return FALSE;
  *rect = {0, 0, window->frame.right - window->frame.left - 2 * window->border,
           window->frame.bottom - window->frame.top - 2 * window->border};
  return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  if (!window || width < 0 || height < 0) return FALSE;
  window->frame = {x, y, x + width, y + height};
  if (IsDialog(window)) {
    gtk_window_move(GTK_WINDOW(window->widget), x, y);
    gtk_widget_set_size_request(window->canvas, std::max(0, width - 2 * window->border),
                                std::max(0, height - 2 * window->border));
  } else {
    gtk_fixed_move(WindowCanvas(window->parent), window->widget, x, y);
    gtk_widget_set_size_request(window->widget, width, height);
  }
  if (repaint) gtk_widget_queue_draw(window->widget);
  return TRUE;
}

int GetSystemMetrics(int index) {
  if ((index != SM_CXSCREEN && index != SM_CYSCREEN) || !EnsureGtk()) return 0;
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (!monitor) monitor = gdk_display_get_monitor(display, 0);
  if (!monitor) return 0;
  GdkRectangle geometry{};
  gdk_monitor_get_geometry(monitor, &geometry);
  return index == SM_CXSCREEN ? geometry.width : geometry.height;
}
