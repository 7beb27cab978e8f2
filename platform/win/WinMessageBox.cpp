#include "platform/win/WinMessageBox.h"

#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/win/WinSdl.h"

namespace {

// A box can only be shown, and closed by someone, on a real display.
bool DisplayAvailable()
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

Uint32 SdlBoxFlags(UINT type)
{
    switch (type & 0xF0) {
    case MB_ICONERROR: return SDL_MESSAGEBOX_ERROR;
    case MB_ICONWARNING: return SDL_MESSAGEBOX_WARNING;
    default: return SDL_MESSAGEBOX_INFORMATION;
    }
}

// The game's process id while it shows a box, else 0. SDL shows a box on X11 from a child
// process of its own (a helper program on other displays); that child holds the game's display
// connection, so the box and the game's window would stay on the screen after the game was
// killed.
std::atomic<pid_t> boxOwner {0};

// In every child forked while a box is shown: end with the game.
void EndWithTheBoxOwner()
{
    const pid_t owner = boxOwner.load();
    if (owner == 0)
        return;
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != owner) // the game ended before the tie was made
        ::_exit(1);
}

void ShowSdlBox(UINT type, const char* caption, const char* text, HWND owner)
{
    static std::once_flag tie;
    std::call_once(tie, [] { ::pthread_atfork(nullptr, nullptr, EndWithTheBoxOwner); });
    boxOwner = ::getpid();
    SDL_ShowSimpleMessageBox(SdlBoxFlags(type), caption, text, SdlWindowOf(owner));
    boxOwner = 0;
}

} // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    if (DisplayAvailable())
        ShowSdlBox(type, caption ? caption : "", text ? text : "", owner);
    return IDOK;
}
