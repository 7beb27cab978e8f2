#pragma once
// What the menu's widgets share with the menu that shows them: the keyboard focus among the
// items of the page shown and the two button sounds. One global object, zero-initialised.

class CMenuButton;
class CSound;

constexpr int MENU_FOCUS_ITEMS = 32;

class CMenuFocus {
public:
    // Makes the item the focused one when it is in the focus list.
    void SetFocus(CMenuButton* item);
    // Each plays its sound once from the start, when there is one.
    void PlayHoverSound();
    void PlayPressSound();

    CMenuButton* focused;
    CMenuButton* items[MENU_FOCUS_ITEMS]; // the page's items in keyboard order
    int index;
    int count;
    CSound* hoverSound; // each may be null
    CSound* pressSound;
};

extern CMenuFocus menuFocus;
