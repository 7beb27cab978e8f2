#include "launcher/platform/Controls.h"

#include <cstring>

namespace {

void OnButtonClicked(GtkButton*, gpointer data) {
  const auto control = static_cast<HWND>(data);
  SendMessageA(control->parent, WM_COMMAND, MAKEWPARAM(LOWORD(static_cast<UINT_PTR>(control->id)), BN_CLICKED),
               reinterpret_cast<LPARAM>(control));
}

gboolean PaintBlack(GtkWidget* widget, cairo_t* cairo, gpointer) {
  cairo_set_source_rgb(cairo, 0.0, 0.0, 0.0);
  cairo_paint(cairo);
  return FALSE;  // children draw on top
}

GtkWidget* CreateButton(const DialogItemTemplate& item) {
  switch (item.style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
      return gtk_check_button_new_with_label(item.text);
    case BS_GROUPBOX:
      return gtk_frame_new(item.text);
    default: {
      GtkWidget* button = gtk_button_new_with_label(item.text);
      GtkStyleContext* style = gtk_widget_get_style_context(button);
      if (item.style & BS_FLAT) gtk_style_context_add_class(style, "flat");
      if ((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) gtk_style_context_add_class(style, "default");
      return button;
    }
  }
}

// A static control is a container, so that an embedded object can live inside it.
GtkWidget* CreateStatic(const DialogItemTemplate& item, HWND control) {
  GtkWidget* area = gtk_fixed_new();
  if ((item.style & SS_TYPEMASK) == SS_BLACKRECT) g_signal_connect(area, "draw", G_CALLBACK(PaintBlack), nullptr);
  control->canvas = area;
  return area;
}

}  // namespace

void CreateControl(HWND dialog, const DialogItemTemplate& item, const DialogBaseUnits& units) {
  auto control = std::make_unique<HWND__>();
  control->id = item.id;
  control->style = item.style | WS_CHILD;
  control->parent = dialog;
  control->frame = MapDialogRect(units, item.x, item.y, item.cx, item.cy);

  const bool isButton = std::strcmp(item.windowClass, "button") == 0;
  GtkWidget* widget = isButton ? CreateButton(item) : CreateStatic(item, control.get());
  control->widget = widget;
  if (GTK_IS_BUTTON(widget)) {
    g_signal_connect(widget, "clicked", G_CALLBACK(OnButtonClicked), control.get());
    gtk_widget_set_can_focus(widget, (item.style & WS_TABSTOP) != 0);
  }
  gtk_widget_set_sensitive(widget, (item.style & WS_DISABLED) == 0);
  gtk_widget_set_size_request(widget, control->frame.right - control->frame.left,
                              control->frame.bottom - control->frame.top);
  gtk_fixed_put(GTK_FIXED(dialog->canvas), widget, control->frame.left, control->frame.top);
  if (isButton && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
    gtk_widget_set_can_default(widget, TRUE);
    gtk_widget_grab_default(widget);
  }
  if (item.style & WS_VISIBLE) gtk_widget_show_all(widget);
  dialog->children.push_back(std::move(control));
}

void SetControlText(HWND control, const char* text) {
  if (GTK_IS_FRAME(control->widget))
    gtk_frame_set_label(GTK_FRAME(control->widget), text);
  else if (GTK_IS_BUTTON(control->widget))
    gtk_button_set_label(GTK_BUTTON(control->widget), text);
}
