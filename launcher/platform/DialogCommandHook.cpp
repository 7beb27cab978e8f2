#include "launcher/platform/DialogCommandHook.h"

#include "launcher/platform/Window.h"

#include <X11/Xlib.h>
#include <gdk/gdkx.h>

namespace {

GdkFilterReturn FilterCommand(GdkXEvent* native, GdkEvent*, gpointer data) {
  const auto dialog = static_cast<HWND>(data);
  const auto* event = static_cast<const XEvent*>(native);
  GdkWindow* window = gtk_widget_get_window(dialog->widget);
  if (event->type != ClientMessage || !window || !GDK_IS_X11_WINDOW(window) ||
      event->xclient.window != GDK_WINDOW_XID(window) ||
      event->xclient.message_type != gdk_x11_get_xatom_by_name("VESTRUNE_DIALOG_COMMAND"))
    return GDK_FILTER_CONTINUE;
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(static_cast<UINT_PTR>(event->xclient.data.l[0])), 0), 0);
  return GDK_FILTER_REMOVE;
}

}  // namespace

void AttachDialogCommandHook(HWND dialog) { gdk_window_add_filter(nullptr, FilterCommand, dialog); }

void DetachDialogCommandHook(HWND dialog) { gdk_window_remove_filter(nullptr, FilterCommand, dialog); }
