#include "frontend/MenuSelector.h"

#include <cstring>

void CMenuSelector::SetValue(const char* text, float r, float g, float b, float a, int alignment_)
{
    std::strncpy(value, text, MENU_CAPTION_LENGTH - 1);
    value[MENU_CAPTION_LENGTH - 1] = 0;
    valueColour[0] = r;
    valueColour[1] = g;
    valueColour[2] = b;
    valueColour[3] = a;
    valueAlignment = alignment_;
}

void CMenuSelector::Draw()
{
    CMenuButton::Draw();
    const float height = font->GetTextHeight(scale);
    const float width = font->GetTextWidth(value, scale, 0);
    const D3DCOLOR colour = MenuArgb(1.0f, valueColour[0], valueColour[1], valueColour[2]);
    font->DrawTextGlow(MenuTextLeft(x, width, valueAlignment), y - height * 0.5f, value, colour,
                       D3DCOLOR_ARGB(0xFF, 0, 0, 0), scale);
}
