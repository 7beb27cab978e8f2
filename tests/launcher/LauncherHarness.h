#pragma once
// Runs a launcher program in a folder and watches and drives its windows on the X display.

#include <sys/types.h>

#include <filesystem>
#include <string>

// An X window id.
using Window = unsigned long;
struct _XDisplay;

struct ScreenRect {
  int x = 0, y = 0, width = 0, height = 0;
};

class TestDisplay {
 public:
  TestDisplay();
  ~TestDisplay();
  TestDisplay(const TestDisplay&) = delete;
  TestDisplay& operator=(const TestDisplay&) = delete;

  bool IsOpen() const { return display_ != nullptr; }
  int ScreenWidth() const;
  int ScreenHeight() const;

  // The viewable top-level window of the process with the title, waiting up to the timeout; 0 if none.
  Window WaitForWindow(pid_t pid, const std::string& title, double timeoutSeconds) const;
  bool IsShown(Window window) const;
  ScreenRect Geometry(Window window) const;
  // Red, green and blue of the screen pixel, as 0xRRGGBB.
  unsigned long ScreenPixel(int x, int y) const;

  void Raise(Window window) const;
  void Click(int x, int y) const;
  // The window manager's close request (WM_DELETE_WINDOW).
  void RequestClose(Window window) const;
  // A dialog command through the test builds' command hook.
  void SendCommand(Window window, int command) const;

 private:
  Window FindWindow(pid_t pid, const std::string& title) const;
  void SendClientMessage(Window window, unsigned long type, long first, long second) const;

  _XDisplay* display_ = nullptr;
};

class LauncherProcess {
 public:
  // Starts the program in the folder with `pathFolder` ahead on PATH.
  LauncherProcess(const std::string& program, const std::filesystem::path& folder,
                  const std::filesystem::path& pathFolder);
  ~LauncherProcess();
  LauncherProcess(const LauncherProcess&) = delete;
  LauncherProcess& operator=(const LauncherProcess&) = delete;

  pid_t Pid() const { return pid_; }
  bool Running();
  // Waits up to the timeout for the exit; true with the exit code when it came.
  bool WaitForExit(double timeoutSeconds, int* exitCode);

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
  int exitCode_ = 0;
};
