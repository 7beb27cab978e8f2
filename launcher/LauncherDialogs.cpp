#include "launcher/LauncherDialogs.h"

#include "launcher/LauncherResources.h"
#include "launcher/platform/ShellApi.h"

CBrowserHost* g_browserHost = nullptr;

namespace {

constexpr char kReadMeFile[] = "Fennimark.txt";

void CentreOnScreen(HWND dialog) {
  RECT frame{};
  GetWindowRect(dialog, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  MoveWindow(dialog, (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width,
             height, TRUE);
}

}  // namespace

INT_PTR MainDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowTextA(dialog, "Vestrune");
      CentreOnScreen(dialog);
      OleInitialize(nullptr);
      g_browserHost = CBrowserHost::Create();
      g_browserHost->Embed(GetDlgItem(dialog, IDC_BROWSER));
      return DefWindowProcA(dialog, message, wParam, lParam);
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_PLAY:
        case IDC_CLOSE:
        case IDC_GAMEPAD:
        case IDC_END:
          EndDialog(dialog, LOWORD(wParam));
          break;
        case IDC_OPTIONS:
          DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_OPTIONS), dialog, OptionsDlgProc, 0);
          break;
        case IDC_README:
          ShellExecuteA(dialog, "open", kReadMeFile, "", "", SW_SHOWNORMAL);
          break;
      }
      return DefWindowProcA(dialog, message, wParam, lParam);
    case WM_CLOSE:
      EndDialog(dialog, IDC_CLOSE);
      return DefWindowProcA(dialog, message, wParam, lParam);
    default:
      return FALSE;
  }
}

INT_PTR OptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CentreOnScreen(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) EndDialog(dialog, IDOK);
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, IDC_CLOSE);
      return TRUE;
    default:
      return FALSE;
  }
}
