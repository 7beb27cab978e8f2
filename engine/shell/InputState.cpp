#include "engine/shell/InputState.h"

#include "platform/win/WinMessages.h"

InputState inputState;
MouseState mouseState;
int actionPressed[ACTION_COUNT];
ActionKey ActionKeyBinding[ACTION_COUNT] = {
    {&actionPressed[ACTION_ACCELERATE], VK_UP},
    {&actionPressed[ACTION_BRAKE], VK_DOWN},
    {&actionPressed[ACTION_LEFT], VK_LEFT},
    {&actionPressed[ACTION_RIGHT], VK_RIGHT},
    {&actionPressed[ACTION_CAMERA_C], 'C'},
    {&actionPressed[ACTION_CAMERA_B], 'B'},
};

int* InputFlagOfKey(int virtualKey)
{
    switch (virtualKey) {
    case VK_ESCAPE: return &inputState.escape;
    case VK_SHIFT: return &inputState.shift;
    case VK_TAB: return &inputState.tab;
    case VK_RETURN: return &inputState.enter;
    case VK_SPACE: return &inputState.space;
    case VK_LEFT: return &inputState.left;
    case VK_RIGHT: return &inputState.right;
    case VK_UP: return &inputState.up;
    case VK_DOWN: return &inputState.down;
    case VK_NEXT: return &inputState.pageDown;
    case VK_PRIOR: return &inputState.pageUp;
    case VK_HOME: return &inputState.home;
    case VK_END: return &inputState.end;
    case VK_INSERT: return &inputState.insert;
    case VK_DELETE: return &inputState.del;
    default: return nullptr;
    }
}
