#pragma once
// A suite whose tests draw through the renderer object on the shared test device.
#include <gtest/gtest.h>

#include "engine/render/D3DRender.h"
#include "tests/support/DeviceFixture.h"

class RendererDeviceSuite : public ::testing::Test {
protected:
    static constexpr UINT SIZE = 128;

    static IDirect3DDevice9* Device() { return SharedDeviceOf(SIZE, SIZE).device; }
    static void SetUpTestSuite() { d3dRender.device = Device(); }
    static void TearDownTestSuite() { d3dRender.device = nullptr; }
};
