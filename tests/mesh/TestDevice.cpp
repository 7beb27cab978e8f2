#include "tests/mesh/TestDevice.h"

#include <stdexcept>

namespace {

LRESULT TestWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

TestDevice::TestDevice(int width, int height)
{
    static const ATOM windowClass = [] {
        WNDCLASSA description {};
        description.lpfnWndProc = TestWindowProcedure;
        description.lpszClassName = "VestruneMeshTest";
        return RegisterClassA(&description);
    }();
    (void)windowClass;
    window_ = CreateWindowExA(0, "VestruneMeshTest", "test", WS_POPUP, 0, 0, width, height, nullptr, nullptr, nullptr,
                              nullptr);
    direct3D_ = Direct3DCreate9(D3D_SDK_VERSION);
    if (!window_ || !direct3D_)
        throw std::runtime_error("no window or Direct3D for the test device");
    D3DPRESENT_PARAMETERS parameters {};
    parameters.BackBufferWidth = static_cast<UINT>(width);
    parameters.BackBufferHeight = static_cast<UINT>(height);
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.BackBufferCount = 1;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.hDeviceWindow = window_;
    parameters.Windowed = TRUE;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
    parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    if (direct3D_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window_, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                &parameters, &device_) != D3D_OK)
        throw std::runtime_error("the test device cannot be created");
}

TestDevice::~TestDevice()
{
    if (device_)
        device_->Release();
    if (direct3D_)
        direct3D_->Release();
    if (window_)
        DestroyWindow(window_);
}
