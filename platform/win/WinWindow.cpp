#include "platform/win/WinWindow.h"

#include <strings.h>

#include <cstdio>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/win/SdlEventTranslator.h"
#include "platform/win/WinSdl.h"

struct WindowRecord {
    SDL_Window* sdlWindow;
    WNDPROC procedure;
};

namespace {

struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
};

std::map<std::string, WNDCLASSA, CaseInsensitiveLess> windowClasses;
std::vector<HWND> windows;
std::deque<MSG> messageQueue;
bool cursorShown = true;

void PumpSdlEvents()
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return;
    SDL_Event event;
    std::vector<MSG> translated;
    while (SDL_PollEvent(&event)) {
        HWND target = nullptr;
        switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: target = WindowOfSdlId(event.key.windowID); break;
        case SDL_TEXTINPUT: target = WindowOfSdlId(event.text.windowID); break;
        case SDL_MOUSEMOTION: target = WindowOfSdlId(event.motion.windowID); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: target = WindowOfSdlId(event.button.windowID); break;
        case SDL_WINDOWEVENT: target = WindowOfSdlId(event.window.windowID); break;
        default: break;
        }
        if (!target && !windows.empty())
            target = windows.front();
        TranslateSdlEvent(event, target, translated);
    }
    messageQueue.insert(messageQueue.end(), translated.begin(), translated.end());
}

bool Matches(const MSG& message, HWND window, UINT filterMin, UINT filterMax)
{
    if (window && message.hwnd != window)
        return false;
    if (filterMin == 0 && filterMax == 0)
        return true;
    return message.message >= filterMin && message.message <= filterMax;
}

} // namespace

bool EnsureSdlVideo()
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL video: %s\n", SDL_GetError());
        return false;
    }
    // The GL driver stays loaded while the program runs: without this reference SDL would unload
    // and reload it with every last window closed and new one opened (the device probe's window).
    // A failure shows again, with its message, when the first window is made.
    SDL_GL_LoadLibrary(nullptr);
    SDL_StartTextInput();
    return true;
}

SDL_Window* SdlWindowOf(HWND window)
{
    return window ? window->sdlWindow : nullptr;
}

HWND WindowOfSdlId(Uint32 id)
{
    for (HWND window : windows)
        if (SDL_GetWindowID(window->sdlWindow) == id)
            return window;
    return nullptr;
}

ATOM RegisterClassA(const WNDCLASSA* windowClass)
{
    if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc)
        return 0;
    windowClasses[windowClass->lpszClassName] = *windowClass;
    return static_cast<ATOM>(windowClasses.size());
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                     int height, HWND, HMENU, HINSTANCE, LPVOID)
{
    const auto found = className ? windowClasses.find(className) : windowClasses.end();
    if (found == windowClasses.end() || !EnsureSdlVideo())
        return nullptr;
    Uint32 flags = SDL_WINDOW_OPENGL;
    flags |= (style & WS_VISIBLE) ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN;
    if ((style & WS_POPUP) && !(style & WS_CAPTION))
        flags |= SDL_WINDOW_BORDERLESS;
    SDL_Window* sdlWindow = SDL_CreateWindow(title ? title : "", x, y, width, height, flags);
    if (!sdlWindow) {
        std::fprintf(stderr, "SDL window: %s\n", SDL_GetError());
        return nullptr;
    }
    HWND window = new WindowRecord {sdlWindow, found->second.lpfnWndProc};
    windows.push_back(window);
    SDL_ShowCursor(cursorShown ? SDL_ENABLE : SDL_DISABLE);
    return window;
}

BOOL DestroyWindow(HWND window)
{
    for (auto it = windows.begin(); it != windows.end(); ++it) {
        if (*it != window)
            continue;
        window->procedure(window, WM_DESTROY, 0, 0);
        windows.erase(it);
        SDL_DestroyWindow(window->sdlWindow);
        std::erase_if(messageQueue, [window](const MSG& message) { return message.hwnd == window; });
        delete window;
        return TRUE;
    }
    return FALSE;
}

BOOL ShowWindow(HWND window, int command)
{
    if (!window)
        return FALSE;
    const bool wasVisible = SDL_GetWindowFlags(window->sdlWindow) & SDL_WINDOW_SHOWN;
    if (command == SW_HIDE)
        SDL_HideWindow(window->sdlWindow);
    else
        SDL_ShowWindow(window->sdlWindow);
    return wasVisible;
}

BOOL UpdateWindow(HWND window)
{
    return window != nullptr;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL)
{
    if (!window)
        return FALSE;
    SDL_SetWindowPosition(window->sdlWindow, x, y);
    SDL_SetWindowSize(window->sdlWindow, width, height);
    return TRUE;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE)
        DestroyWindow(window);
    return 0;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return window ? window->procedure(window, message, wParam, lParam) : 0;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    messageQueue.push_back(MSG {window, message, wParam, lParam, 0, {0, 0}});
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    PostMessageA(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}

BOOL PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    PumpSdlEvents();
    for (auto it = messageQueue.begin(); it != messageQueue.end(); ++it) {
        if (!Matches(*it, window, filterMin, filterMax))
            continue;
        *message = *it;
        if (removeFlags & PM_REMOVE)
            messageQueue.erase(it);
        return TRUE;
    }
    return FALSE;
}

BOOL TranslateMessage(const MSG* message)
{
    if (!message || message->message != WM_KEYDOWN)
        return FALSE;
    switch (message->wParam) {
    case VK_BACK:
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
        messageQueue.push_front(MSG {message->hwnd, WM_CHAR, message->wParam, message->lParam, message->time, message->pt});
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT DispatchMessageA(const MSG* message)
{
    if (!message || !message->hwnd)
        return 0;
    for (HWND window : windows)
        if (window == message->hwnd)
            return window->procedure(window, message->message, message->wParam, message->lParam);
    return 0;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    const HCURSOR previous = cursorShown ? reinterpret_cast<HCURSOR>(1) : nullptr;
    cursorShown = cursor != nullptr;
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_ShowCursor(cursorShown ? SDL_ENABLE : SDL_DISABLE);
    return previous;
}

BOOL SetCursorPos(int x, int y)
{
    if (windows.empty())
        return FALSE;
    // The game gives positions in its window's client area (on Windows its window covered the
    // screen), so they are taken relative to the main window, windowed or not.
    SDL_WarpMouseInWindow(windows.front()->sdlWindow, x, y);
    return TRUE;
}

HGDIOBJ GetStockObject(int object)
{
    static int stockObjects[8];
    return object >= 0 && object < 8 ? &stockObjects[object] : nullptr;
}

HICON LoadIconA(HINSTANCE, LPCSTR)
{
    return nullptr;
}

HINSTANCE GetModuleHandleA(LPCSTR)
{
    static int module;
    return &module;
}
