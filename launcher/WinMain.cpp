#include "launcher/WinMain.h"

#include "launcher/LauncherApp.h"
#include "launcher/platform/Ole.h"

#include <memory>

int WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CoInitialize(nullptr);
  auto application = std::make_unique<CLauncherApp>();
  application->Run();
  application.reset();
  CoUninitialize();
  return 0;
}
