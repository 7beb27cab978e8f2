#include "tests/render/RendererFixture.h"

#include <filesystem>
#include <fstream>

#include "engine/files/FileSystem.h"
#include "engine/render/VertexTemplates.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/MainWindow.h"
#include "engine/shell/WindowProcedure.h"
#include "platform/gfx/GfxControl.h"
#include "platform/win/WinWindow.h"
#include "tests/gfxx/TechniqueFiles.h"
#include "tests/support/ScratchFolder.h"

namespace {

void WriteGeneratedFiles(const char* generator)
{
    for (const auto& [name, file] : GeneratedFiles(generator)) {
        const std::filesystem::path path(name);
        if (path.has_parent_path())
            std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(file.bytes.data()), static_cast<std::streamsize>(file.bytes.size()));
    }
}

bool MakeWindowAndFiles()
{
    // The test processes run in parallel: each writes its files into a folder of its own.
    static ScratchFolder files;
    productName = "Vestrune";
    WriteGeneratedFiles("techniques");
    WriteGeneratedFiles("textures");
    FileManager = 0;
    fileSystem.Init();
    FillVertexTemplates();
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = WndProc;
    windowClass.lpszClassName = productName;
    RegisterClassA(&windowClass);
    mainWindow = CreateWindowExA(0, productName, productName, WS_POPUP | WS_VISIBLE, 0, 0,
                                 static_cast<int>(RENDER_WIDTH), static_cast<int>(RENDER_HEIGHT), nullptr, nullptr,
                                 nullptr, nullptr);
    return mainWindow != nullptr && BringUpRenderer();
}

} // namespace

bool BringUpRenderer()
{
    d3dRender.FreeD3DRender();
    SetReportedDisplayModes({{640, 480, 60, D3DFMT_X8R8G8B8},
                             {800, 600, 60, D3DFMT_X8R8G8B8},
                             {RENDER_WIDTH, RENDER_HEIGHT, 60, D3DFMT_X8R8G8B8}},
                            {RENDER_WIDTH, RENDER_HEIGHT, 60, D3DFMT_X8R8G8B8});
    GameSettings[SLOT_MODE] = 2;
    GameSettings[SLOT_DEBUG_LOG] = 0;
    return d3dRender.InitD3D(1) == 0 && d3dRender.CreateDevice(mainWindow, 1, 0, 0) == 0;
}

void RendererTest::SetUp()
{
    static const bool ready = MakeWindowAndFiles();
    ASSERT_TRUE(ready) << "renderer did not come up";
    if (!d3dRender.device) {
        ASSERT_TRUE(BringUpRenderer());
    }
    ResetRendererStates();
}

void RendererTest::ResetRendererStates()
{
    if (d3dRender.fillMode != D3DFILL_SOLID)
        d3dRender.ToggleWireframe();
    d3dRender.SetDefaultStates();
    d3dRender.textureId = -1;
    d3dRender.device->SetTexture(0, nullptr);
    d3dRender.facesDrawn = 0;
}

D3DCOLOR RendererTest::PixelAt(int x, int y) { return ReadRenderTarget(d3dRender.device, x, y, 1, 1)[0]; }
