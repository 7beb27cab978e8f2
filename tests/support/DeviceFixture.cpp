#include "tests/renderer/DeviceFixture.h"

#include <cstdlib>

#include "platform/gfx/GfxControl.h"
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

void DeviceTest::SetUp()
{
    SharedDevice& shared = SharedDeviceOf(WIDTH, HEIGHT);
    ASSERT_NE(shared.device, nullptr) << "no GL device";
    device = shared.device;
    // A reset brings every state back to the device defaults.
    D3DPRESENT_PARAMETERS parameters = shared.presentation;
    ASSERT_EQ(device->Reset(&parameters), D3D_OK);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF000000, 1.0f, 0);
}

D3DCOLOR DeviceTest::PixelAt(int x, int y) { return Pixels(x, y, 1, 1)[0]; }

std::vector<D3DCOLOR> DeviceTest::Pixels(int x, int y, int width, int height)
{
    return ReadRenderTarget(device, x, y, width, height);
}

::testing::AssertionResult ColourNear(D3DCOLOR actual, D3DCOLOR expected, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance)
            return ::testing::AssertionFailure() << std::hex << "colour 0x" << actual << ", expected 0x" << expected;
    }
    return ::testing::AssertionSuccess();
}
