#pragma once
// Drawing tests of fonts and menu items: the shared GL device (tests/render) hooked into the
// renderer at 1024 x 768, and the data builder's fonts written loose into a scratch folder of the
// test process (tests run in parallel), read with the packs off.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/D3D9.h"

class FontDrawTest : public ::testing::Test {
protected:
    static constexpr int WIDTH = 1024;
    static constexpr int HEIGHT = 768;

    static void SetUpTestSuite();
    void SetUp() override;

    // Pixels of the back buffer as ARGB, rows from the top; in pixels, not virtual units.
    std::vector<D3DCOLOR> Pixels(int x, int y, int width, int height);
    // Writes the whole back buffer as a binary PPM into the folder the test started in.
    void SaveImage(const std::string& name);
};

inline int Brightness(D3DCOLOR colour)
{
    return static_cast<int>(((colour >> 16) & 0xFF) + ((colour >> 8) & 0xFF) + (colour & 0xFF)) / 3;
}
