#include "LauncherHarness.h"

#include "StandIns.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point Deadline(double seconds) {
  return Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

// Windows vanish while the tests look at them; such errors only mean "no such window".
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

}  // namespace

TestDisplay::TestDisplay() : display_(XOpenDisplay(nullptr)) { XSetErrorHandler(IgnoreXError); }

TestDisplay::~TestDisplay() {
  if (display_) XCloseDisplay(display_);
}

int TestDisplay::ScreenWidth() const { return DisplayWidth(display_, DefaultScreen(display_)); }
int TestDisplay::ScreenHeight() const { return DisplayHeight(display_, DefaultScreen(display_)); }

Window TestDisplay::FindWindow(pid_t pid, const std::string& title) const {
  const Atom pidAtom = XInternAtom(display_, "_NET_WM_PID", False);
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) return 0;
  Window found = 0;
  for (unsigned int i = 0; i < count && !found; ++i) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items,
                           &remaining, &data) == Success &&
        data && items == 1 && static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid) {
      char* name = nullptr;
      if (XFetchName(display_, children[i], &name) && name) {
        if (title == name && IsShown(children[i])) found = children[i];
        XFree(name);
      }
    }
    if (data) XFree(data);
  }
  if (children) XFree(children);
  return found;
}

Window TestDisplay::WaitForWindow(pid_t pid, const std::string& title, double timeoutSeconds) const {
  const auto deadline = Deadline(timeoutSeconds);
  for (;;) {
    if (const Window window = FindWindow(pid, title)) return window;
    if (Clock::now() >= deadline) return 0;
    SleepSeconds(0.05);
  }
}

bool TestDisplay::IsShown(Window window) const {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display_, window, &attributes) && attributes.map_state == IsViewable;
}

ScreenRect TestDisplay::Geometry(Window window) const {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display_, window, &attributes);
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
  return {x, y, attributes.width, attributes.height};
}

unsigned long TestDisplay::ScreenPixel(int x, int y) const {
  XImage* image = XGetImage(display_, DefaultRootWindow(display_), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return 0;
  const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
  XDestroyImage(image);
  return pixel;
}

void TestDisplay::Raise(Window window) const {
  XRaiseWindow(display_, window);
  XSync(display_, False);
}

void TestDisplay::Click(int x, int y) const {
  XTestFakeMotionEvent(display_, -1, x, y, 0);
  XSync(display_, False);
  SleepSeconds(0.1);
  XTestFakeButtonEvent(display_, 1, True, 0);
  XSync(display_, False);
  SleepSeconds(0.05);
  XTestFakeButtonEvent(display_, 1, False, 0);
  XSync(display_, False);
}

void TestDisplay::RequestClose(Window window) const {
  SendClientMessage(window, XInternAtom(display_, "WM_PROTOCOLS", False),
                    static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False)), CurrentTime);
}

void TestDisplay::SendCommand(Window window, int command) const {
  SendClientMessage(window, XInternAtom(display_, "VESTRUNE_DIALOG_COMMAND", False), command, 0);
}

void TestDisplay::SendClientMessage(Window window, unsigned long type, long first, long second) const {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = type;
  event.xclient.format = 32;
  event.xclient.data.l[0] = first;
  event.xclient.data.l[1] = second;
  XSendEvent(display_, window, False, NoEventMask, &event);
  XSync(display_, False);
}

LauncherProcess::LauncherProcess(const std::string& program, const std::filesystem::path& folder,
                                 const std::filesystem::path& pathFolder) {
  std::vector<std::string> environment;
  for (char** variable = environ; *variable; ++variable)
    if (std::strncmp(*variable, "PATH=", 5) != 0) environment.emplace_back(*variable);
  const char* path = std::getenv("PATH");
  environment.push_back("PATH=" + pathFolder.string() + ":" + (path ? path : "/usr/bin:/bin"));
  std::vector<char*> envp;
  for (std::string& variable : environment) envp.push_back(variable.data());
  envp.push_back(nullptr);
  std::string programName = program;
  char* argv[] = {programName.data(), nullptr};

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, envp.data()) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
}

LauncherProcess::~LauncherProcess() {
  if (pid_ <= 0 || exited_) return;
  kill(pid_, SIGTERM);
  int exitCode = 0;
  if (!WaitForExit(5.0, &exitCode)) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

bool LauncherProcess::Running() {
  int exitCode = 0;
  return pid_ > 0 && !WaitForExit(0.0, &exitCode);
}

bool LauncherProcess::WaitForExit(double timeoutSeconds, int* exitCode) {
  if (exited_) {
    *exitCode = exitCode_;
    return true;
  }
  if (pid_ <= 0) return false;
  const auto deadline = Deadline(timeoutSeconds);
  for (;;) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      exited_ = true;
      exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      *exitCode = exitCode_;
      return true;
    }
    if (Clock::now() >= deadline) return false;
    SleepSeconds(0.05);
  }
}
