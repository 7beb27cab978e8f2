#pragma once
// Dialogs, windows and screen metrics: the user-interface calls the launcher makes.

#include "launcher/platform/WinTypes.h"

#include <span>

using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// Messages
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;

// Window styles
inline constexpr DWORD WS_POPUP = 0x80000000u;
inline constexpr DWORD WS_CHILD = 0x40000000u;
inline constexpr DWORD WS_VISIBLE = 0x10000000u;
inline constexpr DWORD WS_DISABLED = 0x08000000u;
inline constexpr DWORD WS_CAPTION = 0x00C00000u;
inline constexpr DWORD WS_BORDER = 0x00800000u;
inline constexpr DWORD WS_TABSTOP = 0x00010000u;

// Dialog styles
inline constexpr DWORD DS_SETFONT = 0x0040u;

// Button styles
inline constexpr DWORD BS_PUSHBUTTON = 0x0000u;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x0001u;
inline constexpr DWORD BS_AUTOCHECKBOX = 0x0003u;
inline constexpr DWORD BS_GROUPBOX = 0x0007u;
inline constexpr DWORD BS_TYPEMASK = 0x000Fu;
inline constexpr DWORD BS_FLAT = 0x8000u;

// Static styles
inline constexpr DWORD SS_BLACKRECT = 0x0004u;
inline constexpr DWORD SS_TYPEMASK = 0x001Fu;

// Button notification sent with WM_COMMAND
inline constexpr WORD BN_CLICKED = 0;

// Dialog command ids
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// System metrics
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;

// Show commands
inline constexpr int SW_SHOWNORMAL = 1;

// A resource id in place of a resource name.
inline LPCSTR MAKEINTRESOURCEA(WORD id) { return reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(id)); }

// One control of a dialog template; positions and sizes are in dialog units.
struct DialogItemTemplate {
  int id;
  const char* windowClass;  // "button" or "static"
  const char* text;
  DWORD style;
  short x, y, cx, cy;
};

// A dialog template: the dialog's own style, caption, font and size, then its controls.
struct DialogTemplate {
  DWORD style;
  const char* caption;
  const char* fontName;
  WORD pointSize;
  short x, y, cx, cy;
  std::span<const DialogItemTemplate> items;
};

struct DialogResource {
  WORD id;
  const DialogTemplate* dialog;
};

// The program's own dialog resources, defined by the program that links this layer.
std::span<const DialogResource> ModuleDialogResources();

HINSTANCE GetModuleHandleA(LPCSTR moduleName);

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc, LPARAM initParam);
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL DestroyWindow(HWND window);

HWND GetDlgItem(HWND dialog, int id);
BOOL SetWindowTextA(HWND window, LPCSTR text);
BOOL GetWindowRect(HWND window, LPRECT rect);
BOOL GetClientRect(HWND window, LPRECT rect);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
int GetSystemMetrics(int index);
