#include "tests/effects/EffectsFixture.h"

#include <filesystem>
#include <fstream>

#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "tests/gfxx/TechniqueFiles.h"
#include "tools/makedata/ImageWriters.h"
#include "world/World.h"

namespace {

void WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    const std::filesystem::path path(name);
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Into the renderer fixture's folder of this process, which is the working folder.
bool WriteGlowSprites()
{
    for (const auto& [name, file] : GeneratedFiles("glows"))
        WriteFile(name, file.bytes);
    return true;
}

} // namespace

void EffectsTest::SetUp()
{
    RendererTest::SetUp();
    static const bool written = WriteGlowSprites();
    ASSERT_TRUE(written);
    world.SetProjection(D3DX_PI / 2, float(RENDER_WIDTH) / float(RENDER_HEIGHT), 0.25f, 2000.0f);
    world.SetViewport(0, 0, 800, 600);
    world.activeCamera = &world;
    world.mode = CAMERA_NEAR_CHASE;
    world.target = nullptr;
    LookFrom(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 1));
    gameTimer.gameStep = gameTimer.realStep = 0.0f;
    GameSettings[SLOT_BMP_TO_JPG] = 0;
}

void EffectsTest::TearDown() { world.activeCamera = nullptr; }

void EffectsTest::LookFrom(const D3DXVECTOR3& eye, const D3DXVECTOR3& lookAt)
{
    world.eye = eye;
    world.lookAt = lookAt;
    world.up = D3DXVECTOR3(0, 1, 0);
    world.UpdateView();
}

int EffectsTest::SolidTextureId(const char* name, D3DCOLOR colour)
{
    WriteFile(name, WriteBmp(MakeFlatImage(8, 8, [&](unsigned, unsigned) { return colour; }), BmpBits::Rgb24));
    return d3dRender.LoadTexture(name, 1);
}
