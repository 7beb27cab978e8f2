#include "engine/shell/MessagePump.h"

#include "platform/win/WinWindow.h"

namespace {

constexpr LPARAM KEY_WAS_DOWN = LPARAM(1) << 30;

bool IsFirstPress(const MSG& message)
{
    if (message.message == WM_KEYDOWN)
        return (message.lParam & KEY_WAS_DOWN) == 0;
    return message.message == WM_LBUTTONDOWN || message.message == WM_RBUTTONDOWN;
}

} // namespace

void DispatchWaitingMessages()
{
    MSG message {};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            return;
        TranslateMessage(&message);
        DispatchMessageA(&message);
        if (IsFirstPress(message))
            return;
    }
}
