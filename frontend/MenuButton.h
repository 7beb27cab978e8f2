#pragma once
// A menu item: a caption drawn with a bitmap font that lights up under the mouse, takes clicks
// and the keyboard focus, and fires its action 0.1 s of real time after its press, so that the
// pressed look (10 percent smaller) and the press sound come before the page changes.
#include "engine/font/Font.h"

// Where x lies on a text: its right end, its centre or its left end.
enum MenuAlignment {
    MENU_ALIGN_RIGHT = 0,
    MENU_ALIGN_CENTRE = 1,
    MENU_ALIGN_LEFT = 2,
};

// A colour from parts in 0..1, each times 255, truncated.
D3DCOLOR MenuArgb(float a, float r, float g, float b);
// The left end of a text of the width placed at x with the alignment.
float MenuTextLeft(float x, float width, int alignment);

constexpr int MENU_CAPTION_LENGTH = 64;

class CMenuButton {
public:
    // Position (0, 0), not pressed, not hovered; the page layout sets x and y afterwards.
    void Init(const char* caption, CFont* font, float r, float g, float b, float a, int alignment, float scale,
              int enabled);
    // Update and draw, once per frame while the item's page is shown.
    void Draw();
    // The mouse is over the unshrunk caption; plays the hover sound when it was not before.
    int HitTest();
    // Takes a pending left click when the item is enabled, hovered and not pressed.
    int OnClick();
    // The keyboard's press of the focused item.
    void PressIfFocused();
    // 1 once, when more than 0.1 s of real time have passed since the press.
    int IsActivated();

    CFont* font; // not owned
    char caption[MENU_CAPTION_LENGTH];
    float x, y; // y: the text's vertical centre
    float scale;
    int alignment;
    int enabled;
    int pressed;
    int hover;
    unsigned pressTime; // real milliseconds
    float colour[4];    // r, g, b, a in 0..1

private:
    void Press();
};
