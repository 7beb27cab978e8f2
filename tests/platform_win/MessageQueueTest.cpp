#include <gtest/gtest.h>

#include <vector>

#include "platform/win/SdlEventTranslator.h"
#include "platform/win/SdlKeyMap.h"
#include "platform/win/WinWindow.h"

namespace {

TEST(KeyMap, SdlKeysBecomeVirtualKeys)
{
    const std::pair<SDL_Keycode, int> cases[] = {
        {SDLK_a, 'A'}, {SDLK_z, 'Z'}, {SDLK_0, '0'}, {SDLK_UP, VK_UP}, {SDLK_LEFT, VK_LEFT},
        {SDLK_RSHIFT, VK_SHIFT}, {SDLK_LSHIFT, VK_SHIFT}, {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN},
        {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_PAGEDOWN, VK_NEXT}, {SDLK_PAGEUP, VK_PRIOR}, {SDLK_PAUSE, VK_PAUSE},
        {SDLK_F12, VK_F12}, {SDLK_KP_5, VK_NUMPAD0 + 5}, {SDLK_SEMICOLON, VK_OEM_1}, {SDLK_UNKNOWN, 0},
        // The rest of the keys the game reads.
        {SDLK_DOWN, VK_DOWN}, {SDLK_RIGHT, VK_RIGHT}, {SDLK_TAB, VK_TAB}, {SDLK_SPACE, VK_SPACE},
        {SDLK_HOME, VK_HOME}, {SDLK_END, VK_END}, {SDLK_INSERT, VK_INSERT}, {SDLK_DELETE, VK_DELETE},
        {SDLK_BACKSPACE, VK_BACK}, {SDLK_p, 'P'}, {SDLK_9, '9'}, {SDLK_F1, VK_F1}, {SDLK_KP_0, VK_NUMPAD0},
        {SDLK_KP_1, VK_NUMPAD0 + 1}, {SDLK_KP_9, VK_NUMPAD0 + 9},
    };
    for (const auto& [key, expected] : cases)
        EXPECT_EQ(VirtualKeyOf(key), expected) << SDL_GetKeyName(key);
}

std::vector<MSG> Translate(const SDL_Event& event)
{
    std::vector<MSG> out;
    TranslateSdlEvent(event, nullptr, out);
    return out;
}

TEST(EventTranslator, KeysMouseAndText)
{
    SDL_Event event {};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = SDLK_c;
    auto messages = Translate(event);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, WM_KEYDOWN);
    EXPECT_EQ(messages[0].wParam, WPARAM('C'));

    event.type = SDL_KEYUP;
    messages = Translate(event);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, WM_KEYUP);

    event = {};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = SDL_BUTTON_RIGHT;
    event.button.x = 640;
    event.button.y = 480;
    messages = Translate(event);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, WM_RBUTTONDOWN);
    EXPECT_EQ(LOWORD(messages[0].lParam), 640);
    EXPECT_EQ(HIWORD(messages[0].lParam), 480);

    event = {};
    event.type = SDL_TEXTINPUT;
    std::snprintf(event.text.text, sizeof event.text.text, "a\xC3\xA9\xE2\x82\xAC");
    messages = Translate(event);
    ASSERT_EQ(messages.size(), 2u); // 'a' and e-acute; the euro sign has no Latin-1 code
    EXPECT_EQ(messages[0].wParam, WPARAM('a'));
    EXPECT_EQ(messages[1].wParam, WPARAM(0xE9));
}

TEST(EventTranslator, FocusAndClose)
{
    SDL_Event event {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    auto messages = Translate(event);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, WM_ACTIVATE);
    EXPECT_EQ(messages[0].wParam, WPARAM(WA_INACTIVE));
    EXPECT_EQ(messages[1].message, WM_KILLFOCUS);

    event.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    messages = Translate(event);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].wParam, WPARAM(WA_ACTIVE));
    EXPECT_EQ(messages[1].message, WM_SETFOCUS);

    event.window.event = SDL_WINDOWEVENT_CLOSE;
    messages = Translate(event);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, WM_CLOSE);
}

std::vector<UINT> received;

LRESULT RecordingProcedure(HWND, UINT message, WPARAM wParam, LPARAM)
{
    received.push_back(message == WM_CHAR ? 0x10000 + static_cast<UINT>(wParam) : message);
    return 0;
}

TEST(MessageQueue, PostedMessagesDispatchInOrder)
{
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = RecordingProcedure;
    windowClass.lpszClassName = "QueueTest";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND window = CreateWindowExA(0, "queuetest", "Queue", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);

    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    received.clear();
    PostMessageA(window, WM_KEYDOWN, VK_BACK, 1);
    PostQuitMessage(3);
    PostMessageA(window, WM_CLOSE, 0, 0);

    std::vector<UINT> taken;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        taken.push_back(message.message);
        if (message.message == WM_QUIT) {
            EXPECT_EQ(message.wParam, 3u);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // Backspace's WM_CHAR is taken right after its key-down; WM_QUIT is taken, never dispatched.
    EXPECT_EQ(taken, (std::vector<UINT> {WM_KEYDOWN, WM_CHAR, WM_QUIT, WM_CLOSE}));
    EXPECT_EQ(received, (std::vector<UINT> {WM_KEYDOWN, 0x10000 + VK_BACK, WM_CLOSE}));
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_FALSE(PeekMessageA(&message, window, 0, 0, PM_NOREMOVE));
}

} // namespace
