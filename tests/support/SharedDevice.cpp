#include "tests/support/SharedDevice.h"

#include "platform/win/WinWindow.h"

namespace {

LRESULT TestWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

SharedDevice& SharedDeviceOf(UINT width, UINT height)
{
    static SharedDevice shared;
    if (!shared.window) {
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = TestWindowProcedure;
        windowClass.lpszClassName = "RendererTest";
        RegisterClassA(&windowClass);
        shared.window = CreateWindowExA(0, "RendererTest", "RendererTest", WS_POPUP | WS_VISIBLE, 0, 0,
                                        static_cast<int>(width), static_cast<int>(height), nullptr, nullptr,
                                        nullptr, nullptr);
        shared.direct3D = Direct3DCreate9(D3D_SDK_VERSION);
        if (!shared.window || !shared.direct3D)
            return shared;
    }
    if (shared.device && shared.presentation.BackBufferWidth == width &&
        shared.presentation.BackBufferHeight == height)
        return shared;
    D3DPRESENT_PARAMETERS parameters {};
    parameters.BackBufferWidth = width;
    parameters.BackBufferHeight = height;
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.BackBufferCount = 1;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.hDeviceWindow = shared.window;
    parameters.Windowed = TRUE;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
    parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    if (shared.device) {
        if (FAILED(shared.device->Reset(&parameters)))
            return shared;
    } else if (FAILED(shared.direct3D->CreateDevice(0, D3DDEVTYPE_HAL, shared.window, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                                   &parameters, &shared.device))) {
        shared.device = nullptr;
        return shared;
    }
    shared.presentation = parameters;
    return shared;
}
