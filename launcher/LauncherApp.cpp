#include "launcher/LauncherApp.h"

#include "launcher/LauncherDialogs.h"
#include "launcher/LauncherResources.h"
#include "launcher/Portal.h"
#include "launcher/platform/ShellApi.h"

namespace {

const char* TargetForResult(INT_PTR result) {
  switch (result) {
    case IDC_PLAY:
      return ".\\Data\\Vestrune.exe";
    case IDC_GAMEPAD:
      return ".\\xpad.exe";
    default:
      return kPortalStatisticsPage;
  }
}

}  // namespace

void CLauncherApp::Run() {
  const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDlgProc, 0);
  if (g_browserHost) {
    g_browserHost->CloseBrowser();
    g_browserHost->Release();
    g_browserHost = nullptr;
  }
  OleUninitialize();
  ShellExecuteA(nullptr, "open", TargetForResult(result), "", "", SW_SHOWNORMAL);
}
