#include "platform/win/WinMessageBox.h"

#include <cstdio>
#include <cstring>

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

} // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    if (DisplayAvailable())
        SDL_ShowSimpleMessageBox(SdlBoxFlags(type), caption ? caption : "", text ? text : "", SdlWindowOf(owner));
    return IDOK;
}
