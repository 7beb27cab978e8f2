#pragma once
// The shared device handed to the renderer at the virtual screen's own size, in a scratch
// working folder with loose files only.
#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/render/VertexTemplates.h"
#include "engine/shell/GameSettings.h"
#include "tests/support/DeviceFixture.h"
#include "tests/support/ScratchFolder.h"

class ScreensTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        ASSERT_NE(device, nullptr) << "no GL device";
        FileManager = 0;
        fileSystem.Init();
        FillVertexTemplates();
        d3dRender.device = device;
        d3dRender.screenWidth = WIDTH;
        d3dRender.screenHeight = HEIGHT;
        d3dRender.xFactor = WIDTH * 0.00125f;
        d3dRender.yFactor = HEIGHT * 0.0016666667f;
    }
    void TearDown() override
    {
        fileSystem.Release();
        d3dRender.device = nullptr;
    }

    ScratchFolder folder;
};
