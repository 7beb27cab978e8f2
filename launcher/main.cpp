#include "launcher/WinMain.h"
#include "launcher/platform/WinUser.h"

int main() {
  char noCommandLine[] = "";
  return WinMain(GetModuleHandleA(nullptr), nullptr, noCommandLine, SW_SHOWNORMAL);
}
