#pragma once
// Tests on the shared device, with pixel read-back.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gfx/D3D9.h"
#include "tests/support/SharedDevice.h"

// A test on the shared device: states reset to the device defaults before each test.
class DeviceTest : public ::testing::Test {
protected:
    static constexpr UINT WIDTH = 1024;
    static constexpr UINT HEIGHT = 768;

    void SetUp() override;

    // Pixel of render target 0 as ARGB.
    D3DCOLOR PixelAt(int x, int y);
    // Pixels of a rectangle, rows from the top.
    std::vector<D3DCOLOR> Pixels(int x, int y, int width, int height);

    IDirect3DDevice9* device = nullptr;
};

// Channels of two colours differ by at most tolerance.
::testing::AssertionResult ColourNear(D3DCOLOR actual, D3DCOLOR expected, int tolerance = 8);
