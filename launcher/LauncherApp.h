#pragma once
// The launcher application: runs the main dialog, then starts what its result asks for.

class CLauncherApp {
 public:
  virtual ~CLauncherApp() = default;
  void Run();
};
