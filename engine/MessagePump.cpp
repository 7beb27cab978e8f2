#include "engine/MessagePump.h"

#include "platform/win/WinWindow.h"

namespace {

bool IsPress(UINT message)
{
    return message == WM_KEYDOWN || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
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
        if (IsPress(message.message))
            return;
    }
}
