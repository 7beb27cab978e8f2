#include "launcher/platform/GtkSession.h"

#include <gtk/gtk.h>

namespace {

// A plain dialog look: grey face, flat buttons with a thin frame, no theme padding, so controls
// keep the sizes their templates give them.
constexpr char kDialogStyle[] = R"css(
window.dialog { background-color: #f0f0f0; }
window.dialog button {
  min-height: 0; min-width: 0; padding: 0 4px; margin: 0;
  border-radius: 0; box-shadow: none; text-shadow: none;
  background-image: none; background-color: #e1e1e1; border: 1px solid #adadad; color: #000000;
}
window.dialog button:hover { background-color: #e5f1fb; border-color: #0078d7; }
window.dialog button:active { background-color: #cce4f7; border-color: #005499; }
window.dialog button.flat { background-color: #f0f0f0; border-color: #646464; }
window.dialog button.default { border: 2px solid #0078d7; }
window.dialog checkbutton { min-height: 0; padding: 0; margin: 0; }
window.dialog checkbutton check { min-width: 11px; min-height: 11px; margin: 0 3px 0 0; }
window.dialog frame > border { border: 1px solid #dcdcdc; border-radius: 0; }
)css";

bool InitialiseGtk() {
  if (!gtk_init_check(nullptr, nullptr)) return false;
  GtkCssProvider* style = gtk_css_provider_new();
  gtk_css_provider_load_from_data(style, kDialogStyle, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(style),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(style);
  return true;
}

}  // namespace

bool EnsureGtk() {
  static const bool available = InitialiseGtk();
  return available;
}
