#pragma once
// A camera at the origin looking along +z on an 800 x 600 back buffer, no device.
#include <gtest/gtest.h>

#include "engine/render/D3DRender.h"
#include "world/camera/Camera.h"

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        d3dRender.device = nullptr;
        d3dRender.effect = nullptr;
        d3dRender.screenWidth = 800.0f;
        d3dRender.screenHeight = 600.0f;
        d3dRender.xFactor = d3dRender.yFactor = 1.0f;
        camera.SetProjection(D3DX_PI / 2.0f, 800.0f / 600.0f, 0.25f, 2000.0f);
        camera.SetViewport(0, 0, 800, 600);
        camera.SetPosition({0, 0, 0}, {0, 0, 10}, {0, 1, 0});
    }

    CCamera camera {}; // zeroed: no target, no fade data
};
