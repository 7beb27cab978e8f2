// Modal dialogs built from the program's dialog templates.

#include "launcher/platform/Controls.h"
#include "launcher/platform/DialogUnits.h"
#include "launcher/platform/GtkSession.h"
#include "launcher/platform/Window.h"

#ifdef VESTRUNE_DIALOG_COMMAND_HOOK
#include "launcher/platform/DialogCommandHook.h"
#endif

#include <string>

namespace {

// The one module of the process: the program itself.
HINSTANCE__* const kProgramModule = reinterpret_cast<HINSTANCE__*>(0x400000);

// Set by PostQuitMessage; ends every running dialog loop.
bool quitPosted = false;

const DialogTemplate* FindDialogTemplate(HINSTANCE instance, LPCSTR name) {
  const auto id = reinterpret_cast<UINT_PTR>(name);
  if (instance != kProgramModule || id > 0xFFFF) return nullptr;
  for (const DialogResource& resource : ModuleDialogResources())
    if (resource.id == id) return resource.dialog;
  return nullptr;
}

gboolean OnDeleteEvent(GtkWidget*, GdkEvent*, gpointer data) {
  SendMessageA(static_cast<HWND>(data), WM_CLOSE, 0, 0);
  return TRUE;  // the dialog procedure decides
}

gboolean DrawBorder(GtkWidget* widget, cairo_t* cairo, gpointer) {
  cairo_set_source_rgb(cairo, 0.0, 0.0, 0.0);
  cairo_set_line_width(cairo, 1.0);
  cairo_rectangle(cairo, 0.5, 0.5, gtk_widget_get_allocated_width(widget) - 1.0,
                  gtk_widget_get_allocated_height(widget) - 1.0);
  cairo_stroke(cairo);
  return FALSE;
}

// Every dialog's text uses the sans face at its template's point size.
GtkCssProvider* ApplyDialogFont(GtkWidget* window, const std::string& name, int pointSize) {
  gtk_widget_set_name(window, name.c_str());
  const std::string css = "#" + name + ", #" + name + " * { font-family: Sans; font-size: " +
                          std::to_string(pointSize) + "pt; }";
  GtkCssProvider* style = gtk_css_provider_new();
  gtk_css_provider_load_from_data(style, css.c_str(), -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(style),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
  return style;
}

std::unique_ptr<HWND__> CreateDialogWindow(const DialogTemplate& dialogTemplate, WORD resourceId, HWND parent) {
  auto dialog = std::make_unique<HWND__>();
  dialog->style = dialogTemplate.style;
  dialog->parent = parent;
  const bool captioned = (dialogTemplate.style & WS_CAPTION) == WS_CAPTION;
  dialog->border = !captioned && (dialogTemplate.style & WS_BORDER) ? 1 : 0;

  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  dialog->widget = window;
  gtk_style_context_add_class(gtk_widget_get_style_context(window), "dialog");
  gtk_window_set_decorated(GTK_WINDOW(window), captioned);
  gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
  gtk_window_set_title(GTK_WINDOW(window), dialogTemplate.caption ? dialogTemplate.caption : "");
  gtk_container_set_border_width(GTK_CONTAINER(window), dialog->border);
  if (dialog->border) g_signal_connect_after(window, "draw", G_CALLBACK(DrawBorder), nullptr);
  if (parent) gtk_window_set_transient_for(GTK_WINDOW(window), GTK_WINDOW(parent->widget));
  g_signal_connect(window, "delete-event", G_CALLBACK(OnDeleteEvent), dialog.get());
  dialog->fontStyle = ApplyDialogFont(window, "dialog-" + std::to_string(resourceId), dialogTemplate.pointSize);

  const DialogBaseUnits units = MeasureDialogBaseUnits(dialogTemplate.pointSize);
  const RECT client = MapDialogRect(units, dialogTemplate.x, dialogTemplate.y, dialogTemplate.cx, dialogTemplate.cy);
  RECT origin{};
  if (parent) GetWindowRect(parent, &origin);
  dialog->frame = {origin.left + client.left, origin.top + client.top,
                   origin.left + client.right + 2 * dialog->border, origin.top + client.bottom + 2 * dialog->border};
  dialog->canvas = gtk_fixed_new();
  gtk_widget_set_size_request(dialog->canvas, client.right - client.left, client.bottom - client.top);
  gtk_container_add(GTK_CONTAINER(window), dialog->canvas);
  gtk_widget_show(dialog->canvas);
  gtk_window_move(GTK_WINDOW(window), dialog->frame.left, dialog->frame.top);

  for (const DialogItemTemplate& item : dialogTemplate.items) CreateControl(dialog.get(), item, units);
  return dialog;
}

void ReleaseDialogWindow(HWND dialog) {
  gtk_style_context_remove_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(dialog->fontStyle));
  g_object_unref(dialog->fontStyle);
  gtk_widget_destroy(dialog->widget);
}

WORD FirstTabStop(HWND dialog) {
  for (const auto& control : dialog->children)
    if ((control->style & (WS_TABSTOP | WS_VISIBLE)) == (WS_TABSTOP | WS_VISIBLE)) return LOWORD(control->id);
  return 0;
}

}  // namespace

HINSTANCE GetModuleHandleA(LPCSTR moduleName) { return moduleName ? nullptr : kProgramModule; }

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc, LPARAM initParam) {
  const DialogTemplate* dialogTemplate = FindDialogTemplate(instance, templateName);
  if (!dialogTemplate || !dialogProc || !EnsureGtk()) return -1;

  std::unique_ptr<HWND__> dialog =
      CreateDialogWindow(*dialogTemplate, LOWORD(reinterpret_cast<UINT_PTR>(templateName)), parent);
  dialog->dialogProc = dialogProc;
#ifdef VESTRUNE_DIALOG_COMMAND_HOOK
  AttachDialogCommandHook(dialog.get());
#endif
  if (parent) gtk_widget_set_sensitive(parent->widget, FALSE);

  dialogProc(dialog.get(), WM_INITDIALOG, FirstTabStop(dialog.get()), initParam);
  if (!dialog->ended && !dialog->destroyed) gtk_widget_show(dialog->widget);
  while (!dialog->ended && !dialog->destroyed && !quitPosted) g_main_context_iteration(nullptr, TRUE);

#ifdef VESTRUNE_DIALOG_COMMAND_HOOK
  DetachDialogCommandHook(dialog.get());
#endif
  if (parent) gtk_widget_set_sensitive(parent->widget, TRUE);
  ReleaseDialogWindow(dialog.get());
  return dialog->result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  if (!dialog || !dialog->dialogProc) return FALSE;
  dialog->result = result;
  dialog->ended = true;
  g_main_context_wakeup(nullptr);
  return TRUE;
}

BOOL DestroyWindow(HWND window) {
  if (!window || !window->dialogProc) return FALSE;  // controls live as long as their dialog
  window->destroyed = true;
  gtk_widget_hide(window->widget);
  g_main_context_wakeup(nullptr);
  return TRUE;
}

void PostQuitMessage(int) {
  quitPosted = true;
  g_main_context_wakeup(nullptr);
}
