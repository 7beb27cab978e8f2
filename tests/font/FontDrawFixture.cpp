#include "tests/font/FontDrawFixture.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/render/VertexTemplates.h"
#include "engine/shell/GameSettings.h"
#include "platform/gfx/GfxControl.h"
#include "tests/support/DeviceFixture.h"
#include "tests/support/GeneratedData.h"
#include "tests/support/ScratchFolder.h"

namespace {

// Where the test process started, and its own folder for the generated fonts.
const std::filesystem::path startFolder = std::filesystem::current_path();
std::unique_ptr<ScratchFolder> fontFolder;

} // namespace

void FontDrawTest::SetUpTestSuite()
{
    if (!fontFolder) {
        fontFolder = std::make_unique<ScratchFolder>();
        WriteGeneratedData({"fonts"});
    }
    FileManager = 0; // packs off: every mode reads the loose files
    fileSystem.Init();
    FillVertexTemplates();
}

void FontDrawTest::SetUp()
{
    SharedDevice& shared = SharedDeviceOf(WIDTH, HEIGHT);
    ASSERT_NE(shared.device, nullptr) << "no GL device";
    D3DPRESENT_PARAMETERS parameters = shared.presentation;
    ASSERT_EQ(shared.device->Reset(&parameters), D3D_OK);

    d3dRender.device = shared.device;
    d3dRender.screenWidth = WIDTH;
    d3dRender.screenHeight = HEIGHT;
    d3dRender.xFactor = WIDTH * 0.00125f;
    d3dRender.yFactor = HEIGHT * 0.0016666667f;
    d3dRender.SetDefaultStates();
    // The caches hold what the device now has.
    d3dRender.zEnable = 1;
    d3dRender.zWrite = 1;
    d3dRender.lighting = 1;
    d3dRender.alphaBlend = 1;
    d3dRender.sourceBlend = D3DBLEND_ONE;
    d3dRender.destinationBlend = D3DBLEND_ZERO;
    d3dRender.textureId = -1;
    shared.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
}

std::vector<D3DCOLOR> FontDrawTest::Pixels(int x, int y, int width, int height)
{
    return ReadRenderTarget(d3dRender.device, x, y, width, height);
}

void FontDrawTest::SaveImage(const std::string& name)
{
    const std::vector<D3DCOLOR> pixels = Pixels(0, 0, WIDTH, HEIGHT);
    std::ofstream file(startFolder / name, std::ios::binary);
    file << "P6\n" << WIDTH << ' ' << HEIGHT << "\n255\n";
    for (D3DCOLOR pixel : pixels) {
        const char rgb[3] = {static_cast<char>(pixel >> 16), static_cast<char>(pixel >> 8), static_cast<char>(pixel)};
        file.write(rgb, 3);
    }
}
