#include <gtest/gtest.h>

#include <vector>

#include "engine/MessagePump.h"
#include "platform/win/WinWindow.h"

namespace {

std::vector<UINT> dispatched;

LRESULT RecordingProcedure(HWND, UINT message, WPARAM, LPARAM)
{
    dispatched.push_back(message);
    return 0;
}

TEST(MessagePump, EachPressEndsTheBatchSoAFrameSeesItBeforeItsRelease)
{
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = RecordingProcedure;
    windowClass.lpszClassName = "PumpTest";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND window = CreateWindowExA(0, "PumpTest", "Pump", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    DispatchWaitingMessages();

    // A quick click, a quick Esc tap and a mouse move, all queued before the next frame.
    PostMessageA(window, WM_MOUSEMOVE, 0, 0);
    PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
    PostMessageA(window, WM_LBUTTONUP, 0, 0);
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(window, WM_KEYUP, VK_ESCAPE, 1);
    PostMessageA(window, WM_RBUTTONDOWN, 0, 0);
    PostMessageA(window, WM_RBUTTONUP, 0, 0);
    const std::vector<std::vector<UINT>> frames {
        {WM_MOUSEMOVE, WM_LBUTTONDOWN}, {WM_LBUTTONUP, WM_KEYDOWN}, {WM_CHAR, WM_KEYUP, WM_RBUTTONDOWN}, {WM_RBUTTONUP}, {}};
    for (const auto& frame : frames) {
        dispatched.clear();
        DispatchWaitingMessages();
        EXPECT_EQ(dispatched, frame);
    }

    // WM_QUIT ends the batch undispatched; what follows waits for the next frame.
    PostQuitMessage(0);
    PostMessageA(window, WM_MOUSEMOVE, 0, 0);
    dispatched.clear();
    DispatchWaitingMessages();
    EXPECT_TRUE(dispatched.empty());
    DispatchWaitingMessages();
    EXPECT_EQ(dispatched, std::vector<UINT> {WM_MOUSEMOVE});
    EXPECT_TRUE(DestroyWindow(window));
}

} // namespace
