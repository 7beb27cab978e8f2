#include "tests/world/WorldFixture.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/render/VertexTemplates.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/InputState.h"
#include "engine/shell/MainWindow.h"
#include "frontend/GameMenu.h"
#include "platform/gfx/GfxControl.h"
#include "tests/support/GeneratedData.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/SharedRenderer.h"
#include "world/World.h"

namespace {

std::unique_ptr<ScratchFolder> dataFolder;
bool worldReady = false;

} // namespace

void WorldTest::SetUpTestSuite()
{
    if (dataFolder)
        return;
    dataFolder = std::make_unique<ScratchFolder>();
    WriteGeneratedData({"fonts", "glows", "hud", "locations", "menupictures", "platforms", "techniques", "textures",
                        "trackobjects", "vehicles"});
    FileManager = 0;
    GameSettings[SLOT_AUDIO] = 0;
    GameSettings[SLOT_BLUR] = 0;
    GameSettings[SLOT_BUMP] = 0;
    GameSettings[SLOT_DEBUG_LOG] = 0;
    GameSettings[SLOT_SHADOWS] = 3;
    GameSettings[SLOT_DISTANCE] = 2000;
    fileSystem.Init();
    FillVertexTemplates();
    worldReady = AdoptSharedDevice(WORLD_SCREEN_WIDTH, WORLD_SCREEN_HEIGHT) && world.Init() == 1;
}

void WorldTest::SetUp()
{
    ASSERT_TRUE(worldReady) << "the world did not come up";
    windowActive = 1;
    inputState = {};
    GameSettings[SLOT_RACE_RUNNING] = 0;
    GameSettings[SLOT_DEBUG_MODE] = 0;
    GameSettings[SLOT_DEBUG_VIEW] = 0;
    GameSettings[SLOT_SHADOWS] = 3;
    gameMenu.active = 0;
    world.Clear();
}

void WorldTest::TearDown()
{
    if (worldReady)
        world.Clear();
}

void WorldTest::WriteLocation(int location, const std::string& text)
{
    char folder[32];
    std::snprintf(folder, sizeof folder, "Data/Locations/%02d", location);
    std::filesystem::create_directories(folder);
    std::ofstream(std::string(folder) + "/LocationData.obj", std::ios::binary) << text;
}

std::string WorldTest::LocationText(const std::string& objectLines)
{
    return "// Test location\n//\n//\n// Lighting\n"
           "Light 1 colour:                 255 102  51\n"
           "Light 2 colour:                   0  51 255\n"
           "Light 1 direction:                0  -3   4\n"
           "Light 2 direction:               10   0   0\n"
           "// Objects\n" +
           objectLines;
}

std::vector<unsigned char> WorldTest::ReadStencil()
{
    return ::ReadStencil(d3dRender.device, 0, 0, int(WORLD_SCREEN_WIDTH), int(WORLD_SCREEN_HEIGHT));
}
