#include "platform/win/SdlEventTranslator.h"

#include "platform/win/SdlKeyMap.h"
#include "platform/win/WinTime.h"

namespace {

MSG Message(HWND window, UINT code, WPARAM wParam, LPARAM lParam)
{
    return MSG {window, code, wParam, lParam, timeGetTime(), {0, 0}};
}

LPARAM MousePosition(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(x < 0 ? 0 : x), static_cast<WORD>(y < 0 ? 0 : y));
}

void TranslateKey(const SDL_KeyboardEvent& key, HWND window, std::vector<MSG>& out)
{
    const int virtualKey = VirtualKeyOf(key.keysym.sym);
    if (virtualKey == 0)
        return;
    const bool down = key.type == SDL_KEYDOWN;
    const bool system = virtualKey == VK_MENU || (key.keysym.mod & KMOD_ALT);
    const UINT code = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    // lParam: repeat count 1, bit 30 the previous state, bit 31 the transition.
    LPARAM flags = 1;
    if (!down || key.repeat)
        flags |= LPARAM(1) << 30;
    if (!down)
        flags |= LPARAM(1) << 31;
    out.push_back(Message(window, code, static_cast<WPARAM>(virtualKey), flags));
}

// Printable text as WM_CHAR, one per character of the Latin-1 range.
void TranslateText(const char* utf8, HWND window, std::vector<MSG>& out)
{
    const auto* c = reinterpret_cast<const unsigned char*>(utf8);
    while (*c) {
        unsigned codePoint = *c++;
        if (codePoint >= 0xC0 && codePoint < 0xE0 && (*c & 0xC0) == 0x80)
            codePoint = ((codePoint & 0x1F) << 6) | (*c++ & 0x3F);
        else if (codePoint >= 0x80) {
            while ((*c & 0xC0) == 0x80)
                ++c;
            continue;
        }
        if (codePoint < 0x100)
            out.push_back(Message(window, WM_CHAR, codePoint, 1));
    }
}

void TranslateWindowEvent(const SDL_WindowEvent& event, HWND window, std::vector<MSG>& out)
{
    switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        out.push_back(Message(window, WM_ACTIVATE, WA_ACTIVE, 0));
        out.push_back(Message(window, WM_SETFOCUS, 0, 0));
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        out.push_back(Message(window, WM_ACTIVATE, WA_INACTIVE, 0));
        out.push_back(Message(window, WM_KILLFOCUS, 0, 0));
        break;
    case SDL_WINDOWEVENT_CLOSE:
        out.push_back(Message(window, WM_CLOSE, 0, 0));
        break;
    default:
        break;
    }
}

} // namespace

void TranslateSdlEvent(const SDL_Event& event, HWND window, std::vector<MSG>& out)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        TranslateKey(event.key, window, out);
        break;
    case SDL_TEXTINPUT:
        TranslateText(event.text.text, window, out);
        break;
    case SDL_MOUSEMOTION:
        out.push_back(Message(window, WM_MOUSEMOVE, 0, MousePosition(event.motion.x, event.motion.y)));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        UINT code = 0;
        if (event.button.button == SDL_BUTTON_LEFT)
            code = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        else if (event.button.button == SDL_BUTTON_RIGHT)
            code = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        if (code)
            out.push_back(Message(window, code, 0, MousePosition(event.button.x, event.button.y)));
        break;
    }
    case SDL_WINDOWEVENT:
        TranslateWindowEvent(event.window, window, out);
        break;
    case SDL_QUIT:
        // A quit request from outside the window (a signal, the session ending) closes it too.
        if (window)
            out.push_back(Message(window, WM_CLOSE, 0, 0));
        break;
    default:
        break;
    }
}
