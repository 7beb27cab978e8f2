#include "tests/support/DeviceFixture.h"

#include <cstdlib>

#include "platform/gfx/GfxControl.h"

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
