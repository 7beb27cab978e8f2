#pragma once
// A menu item with a value text beside its caption.
#include "frontend/MenuButton.h"

class CMenuSelector : public CMenuButton {
public:
    // The value is drawn opaque: a is kept but not used.
    void SetValue(const char* text, float r, float g, float b, float a, int alignment);
    // The button's Draw, then the value at the button's unshrunk scale, aligned to x.
    void Draw();

    char value[MENU_CAPTION_LENGTH];
    int valueAlignment;
    float valueColour[4];
};
