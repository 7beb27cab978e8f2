// The Windowed setting as a player sees it: a decorated, centred window of the mode's size, or the
// mode's size on the whole screen.
#include <gtest/gtest.h>

#include "engine/shell/MainWindowPlacement.h"
#include "platform/gfx/D3D9.h"
#include "platform/win/WinSdl.h"
#include "platform/win/WinWindow.h"

namespace {

LRESULT TestWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

class WindowMode : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = TestWindowProcedure;
        windowClass.lpszClassName = "WindowModeTest";
        RegisterClassA(&windowClass);
    }

    // The window the entry creates for the mode, with a device on it as the renderer makes it.
    SDL_Window* Start(const DisplayModeRow& mode, const DisplayModeRow& desktop, bool windowed)
    {
        const MainWindowPlacement place = PlaceMainWindow(mode, desktop, windowed);
        window = CreateWindowExA(0, "WindowModeTest", "WindowModeTest", place.style, place.x, place.y, place.width,
                                 place.height, nullptr, nullptr, nullptr, nullptr);
        direct3D = Direct3DCreate9(D3D_SDK_VERSION);
        if (!window || !direct3D)
            return nullptr;
        D3DPRESENT_PARAMETERS parameters {};
        parameters.BackBufferWidth = mode.width;
        parameters.BackBufferHeight = mode.height;
        parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
        parameters.BackBufferCount = 1;
        parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        parameters.hDeviceWindow = window;
        parameters.Windowed = windowed;
        parameters.EnableAutoDepthStencil = TRUE;
        parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
        if (FAILED(direct3D->CreateDevice(0, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters,
                                          &device)))
            device = nullptr;
        return SdlWindowOf(window);
    }

    void TearDown() override
    {
        if (device)
            device->Release();
        if (direct3D)
            direct3D->Release();
        DestroyWindow(window);
    }

    HWND window = nullptr;
    IDirect3D9* direct3D = nullptr;
    IDirect3DDevice9* device = nullptr;
};

TEST_F(WindowMode, WindowedIsADecoratedWindowCentredOnTheDesktop)
{
    SDL_Window* sdlWindow = Start({640, 480, 60, D3DFMT_X8R8G8B8}, {1024, 768, 60, D3DFMT_X8R8G8B8}, true);
    ASSERT_NE(sdlWindow, nullptr);
    ASSERT_NE(device, nullptr);
    const Uint32 flags = SDL_GetWindowFlags(sdlWindow);
    EXPECT_FALSE(flags & SDL_WINDOW_BORDERLESS);
    EXPECT_FALSE(flags & SDL_WINDOW_FULLSCREEN);
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(sdlWindow, &x, &y);
    SDL_GetWindowSize(sdlWindow, &width, &height);
    EXPECT_EQ(x, 192);
    EXPECT_EQ(y, 144);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
}

TEST_F(WindowMode, NotWindowedIsFullScreen)
{
    SDL_Window* sdlWindow = Start({640, 480, 60, D3DFMT_X8R8G8B8}, {1024, 768, 60, D3DFMT_X8R8G8B8}, false);
    ASSERT_NE(sdlWindow, nullptr);
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN);
}

TEST(MainWindowPlacement, WindowLargerThanTheDesktopStartsAtItsCorner)
{
    const MainWindowPlacement place =
        PlaceMainWindow({1600, 1200, 60, D3DFMT_X8R8G8B8}, {1280, 1024, 60, D3DFMT_X8R8G8B8}, true);
    EXPECT_EQ(place.x, 0);
    EXPECT_EQ(place.y, 0);
    EXPECT_EQ(place.width, 1600);
    EXPECT_EQ(place.height, 1200);
}

} // namespace
