#pragma once
// Window classes, windows and the message queue, on SDL2.
#include "platform/win/WinMessages.h"
#include "platform/win/WinTypes.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

struct POINT {
    LONG x;
    LONG y;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_VISIBLE = 0x10000000u;
constexpr DWORD WS_CAPTION = 0x00C00000u;
constexpr DWORD WS_SYSMENU = 0x00080000u;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000u;
constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000u;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

constexpr int BLACK_BRUSH = 4;

using ATOM = WORD;

ATOM RegisterClassA(const WNDCLASSA* windowClass);
// Creates the window with an OpenGL-capable SDL window at (x, y) with a client area of width by
// height; WS_POPUP windows without WS_CAPTION have no border.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND window);
BOOL ShowWindow(HWND window, int command);
BOOL UpdateWindow(HWND window);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Takes the next message (SDL events become window messages first); FALSE when none waits.
BOOL PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
// Posts the WM_CHAR of keys that type a control character (Backspace, Tab, Enter, Esc);
// printable characters come from the text input as WM_CHAR of their own.
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessageA(const MSG* message);

// Shows (a non-null cursor) or hides the system cursor over the game's windows.
HCURSOR SetCursor(HCURSOR cursor);
BOOL SetCursorPos(int x, int y);
HGDIOBJ GetStockObject(int object);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HINSTANCE GetModuleHandleA(LPCSTR moduleName);

inline LPCSTR MAKEINTRESOURCEA(int id)
{
    return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id));
}
