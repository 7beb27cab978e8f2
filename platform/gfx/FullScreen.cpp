#include "platform/gfx/FullScreen.h"

#include <algorithm>
#include <cstdio>

namespace {

bool EnterFullScreen(SDL_Window* window, const D3DPRESENT_PARAMETERS& parameters)
{
    const SDL_DisplayMode wanted {0, static_cast<int>(parameters.BackBufferWidth),
                                  static_cast<int>(parameters.BackBufferHeight),
                                  static_cast<int>(parameters.FullScreen_RefreshRateInHz), nullptr};
    SDL_DisplayMode closest {};
    const int display = std::max(0, SDL_GetWindowDisplayIndex(window));
    return SDL_GetClosestDisplayMode(display, &wanted, &closest) && SDL_SetWindowDisplayMode(window, &closest) == 0 &&
           SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0;
}

} // namespace

void ApplyPresentationMode(SDL_Window* window, const D3DPRESENT_PARAMETERS& parameters)
{
    const bool fullScreen = SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN;
    if (parameters.Windowed) {
        if (fullScreen && SDL_SetWindowFullscreen(window, 0) != 0)
            std::fprintf(stderr, "Windowed: %s\n", SDL_GetError());
        return;
    }
    if (!fullScreen && !EnterFullScreen(window, parameters))
        std::fprintf(stderr, "Full screen: %s; the game stays in its window\n", SDL_GetError());
}
