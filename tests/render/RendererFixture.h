#pragma once
// The game's renderer brought up once per test binary on a 1024 x 768 back buffer, with the
// generated technique files and shared textures as loose files in a scratch folder of the process.
#include <gtest/gtest.h>

#include <vector>

#include "engine/render/D3DRender.h"

constexpr UINT RENDER_WIDTH = 1024;
constexpr UINT RENDER_HEIGHT = 768;

// FreeD3DRender, InitD3D and CreateDevice again with the test's display modes; false on failure.
bool BringUpRenderer();

class RendererTest : public ::testing::Test {
protected:
    void SetUp() override;
    // The default states with no texture, solid fill, and a black frame.
    void ResetRendererStates();
    D3DCOLOR PixelAt(int x, int y);
};
