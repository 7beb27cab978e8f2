#pragma once
// The label table through which the game menu passes every button and selector caption. The
// menu shows its English captions as they are: the lookup hands back the label it is given.

constexpr int MENU_TEXT_SLOTS = 512;
constexpr int MENU_TEXT_LENGTH = 255;

class CMenuText {
public:
    // Fills the table with the menu's 44 English labels.
    CMenuText();

    const char* Translate(const char* label) const { return label; }

    char labels[MENU_TEXT_SLOTS][MENU_TEXT_LENGTH];
    int count;

private:
    void Add(const char* label);
};

extern CMenuText menuText;
