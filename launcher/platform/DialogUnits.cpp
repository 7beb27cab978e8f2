#include "launcher/platform/DialogUnits.h"

#include <gtk/gtk.h>

#include <cstdint>
#include <cstdlib>
#include <string>

DialogBaseUnits MeasureDialogBaseUnits(int pointSize) {
  PangoContext* context = gdk_pango_context_get();
  PangoFontDescription* font = pango_font_description_from_string(("Sans " + std::to_string(pointSize)).c_str());
  PangoLayout* layout = pango_layout_new(context);
  pango_layout_set_font_description(layout, font);
  pango_layout_set_text(layout, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", -1);
  int width = 0;
  int height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  g_object_unref(layout);
  pango_font_description_free(font);
  g_object_unref(context);
  // The average of the 52 letters, rounded to the nearest pixel.
  return {(width / 26 + 1) / 2, height};
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  const std::int64_t divisor = std::llabs(denominator);
  const std::int64_t quotient = (std::llabs(product) + divisor / 2) / divisor;
  if (quotient > INT32_MAX) return -1;
  return static_cast<int>((product < 0) != (denominator < 0) ? -quotient : quotient);
}

RECT MapDialogRect(const DialogBaseUnits& units, int x, int y, int cx, int cy) {
  const LONG left = MulDiv(x, units.x, 4);
  const LONG top = MulDiv(y, units.y, 8);
  return {left, top, left + MulDiv(cx, units.x, 4), top + MulDiv(cy, units.y, 8)};
}
