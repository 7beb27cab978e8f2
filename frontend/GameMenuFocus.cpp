// Keyboard focus: the arrows move along the page's focus list, Enter and Space press.
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "frontend/GameMenu.h"

namespace {

// The next index from start in the direction, past disabled items; start itself when every
// other item is disabled.
int StepFocus(CMenuButton* const* list, int count, int start, int direction)
{
    int index = start;
    for (int tries = 0; tries < count; ++tries) {
        index = (index + direction + count) % count;
        if (list[index]->enabled)
            return index;
    }
    return start;
}

} // namespace

void CGameMenu::UpdateSelection()
{
    if (focusCount == 0)
        return;
    const int startIndex = focusIndex;

    if (page == MENU_PAGE_QUICK_RACE) {
        const int last = focusCount - 1;
        if (MenuSelection.sector == 0) {
            if (inputState.left && focusIndex == 0)
                focusIndex = 1;
            else if (inputState.right && focusIndex == 0)
                focusIndex = 2;
            else if (inputState.left && focusIndex > 1)
                focusIndex = 1;
            else if (inputState.right && focusIndex == 1)
                focusIndex = 2;
        } else if (inputState.down && focusIndex == 0) {
            focusIndex = last;
            inputState.down = 0;
        } else if (inputState.up && focusIndex == last) {
            focusIndex = 0;
            inputState.up = 0;
        }
        focused = focusList[focusIndex];
    }

    const bool mouseOnFocused = focused && focused->hover;
    if (inputState.up && !mouseOnFocused) {
        focusIndex = StepFocus(focusList, focusCount, focusIndex, -1);
        focused = focusList[focusIndex];
        inputState.up = 0;
    }
    if (inputState.down && !mouseOnFocused) {
        focusIndex = StepFocus(focusList, focusCount, focusIndex, 1);
        focused = focusList[focusIndex];
        inputState.down = 0;
    }
    if (focusIndex != startIndex)
        PlayHoverSound();

    if (inputState.enter || inputState.space) {
        if (focused)
            focused->PressIfFocused();
        inputState.enter = 0;
        inputState.space = 0;
    }
}
