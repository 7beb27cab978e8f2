#include <gtest/gtest.h>

#include <vector>

#include "engine/shell/MessagePump.h"
#include "platform/win/WinWindow.h"

namespace {

std::vector<UINT> dispatched;

LRESULT RecordingProcedure(HWND, UINT message, WPARAM, LPARAM)
{
    dispatched.push_back(message);
    return 0;
}

constexpr LPARAM FIRST_PRESS = 1;
constexpr LPARAM REPEAT = 1 | LPARAM(1) << 30;

class MessagePump : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = RecordingProcedure;
        windowClass.lpszClassName = "PumpTest";
        ASSERT_NE(RegisterClassA(&windowClass), 0);
    }
    void SetUp() override
    {
        window = CreateWindowExA(0, "PumpTest", "Pump", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        DispatchWaitingMessages();
    }
    void TearDown() override { EXPECT_TRUE(DestroyWindow(window)); }

    HWND window = nullptr;
};

TEST_F(MessagePump, EachPressEndsTheBatchSoAFrameSeesItBeforeItsRelease)
{
    // A quick click, a quick Esc tap and a mouse move, all queued before the next frame.
    PostMessageA(window, WM_MOUSEMOVE, 0, 0);
    PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
    PostMessageA(window, WM_LBUTTONUP, 0, 0);
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, FIRST_PRESS);
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
}

TEST_F(MessagePump, AutoRepeatDoesNotHoldBackTheRelease)
{
    // A key held through a slow frame: its first press, then repeats piled up behind it, then
    // its release, all queued before the next frame.
    PostMessageA(window, WM_KEYDOWN, VK_UP, FIRST_PRESS);
    for (int i = 0; i < 5; ++i)
        PostMessageA(window, WM_KEYDOWN, VK_UP, REPEAT);
    PostMessageA(window, WM_KEYUP, VK_UP, REPEAT | LPARAM(1) << 31);
    PostMessageA(window, WM_KEYDOWN, VK_LEFT, FIRST_PRESS);
    dispatched.clear();
    DispatchWaitingMessages();
    EXPECT_EQ(dispatched, std::vector<UINT> {WM_KEYDOWN}) << "the first press is seen on its own";
    dispatched.clear();
    DispatchWaitingMessages();
    std::vector<UINT> nextFrame(5, WM_KEYDOWN);
    nextFrame.insert(nextFrame.end(), {WM_KEYUP, WM_KEYDOWN});
    EXPECT_EQ(dispatched, nextFrame) << "the repeats and the release in the next frame, up to the next first press";
}

} // namespace
