#include "tests/objects/ObjectFixture.h"

#include "engine/files/FileSystem.h"
#include "engine/mesh/MeshContainer.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "tests/support/SharedDevice.h"
#include "tools/makedata/ImageWriters.h"
#include "world/World.h"

void ObjectTest::SetUp()
{
    d3dRender.device = SharedDeviceOf(SIZE, SIZE).device;
    ASSERT_NE(nullptr, d3dRender.device);
    d3dRender.SetDefaultStates();
    FileManager = 0;
    GameSettings[SLOT_BMP_TO_JPG] = 0;
    GameSettings[SLOT_DEBUG_LOG] = 1;
    GameSettings[SLOT_BUMP] = 0;
    GameSettings[SLOT_SHADOWS] = 3;
    GameSettings[SLOT_DISTANCE] = 1250;
    fileSystem.Init();
    d3dRender.screenWidth = d3dRender.screenHeight = float(SIZE);
    d3dRender.xFactor = float(SIZE) / 800.0f;
    d3dRender.yFactor = float(SIZE) / 600.0f;
    world.SetViewport(0, 0, 800, 600);
    world.activeCamera = &world;
    world.SetProjection(D3DX_PI / 2, 1.0f, 0.25f, 2000.0f);
    world.SetPosition(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 1), D3DXVECTOR3(0, 1, 0));
}

void ObjectTest::TearDown()
{
    world.activeCamera = nullptr;
    meshContainer.Release();
    d3dRender.ReleaseAllTextures();
    fileSystem.Release();
    GameSettings[SLOT_DEBUG_LOG] = 0;
}

std::string ObjectTest::Describe(const std::string& name, ObjectDescriptionSpec spec)
{
    scratch.WriteBytes(name, WriteObjectDescription(spec).Bytes());
    return name;
}

void ObjectTest::WriteMesh(const std::string& name, const MeshWriter& writer) const
{
    scratch.WriteBytes(name, writer.Encode());
}

void ObjectTest::WriteTexture(const std::string& name, std::uint32_t argb) const
{
    scratch.WriteBytes(name, WriteBmp(MakeFlatImage(4, 4, [argb](unsigned, unsigned) { return argb; }), BmpBits::Rgb24));
}

std::string ObjectTest::Log() const { return scratch.Exists("debug.txt") ? scratch.Read("debug.txt") : ""; }

MeshWriter BoxMesh()
{
    MeshWriter writer;
    const Geometry box = MakeBox({}, {1, 1, 1});
    for (int group : {0, 1, 2, 3, 4, 5, 6})
        writer.AddFrame(group, box);
    return writer;
}
