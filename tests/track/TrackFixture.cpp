#include "tests/track/TrackFixture.h"

#include <memory>

#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "tests/support/GeneratedData.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/SharedDevice.h"
#include "world/World.h"
#include "world/objects/CollisionQuery.h"
#include "world/objects/ObjectManager.h"
#include "world/track/Track.h"

namespace {

std::unique_ptr<ScratchFolder> dataFolder;

} // namespace

void TrackTest::SetUpTestSuite()
{
    if (dataFolder)
        return;
    dataFolder = std::make_unique<ScratchFolder>();
    WriteGeneratedData({"platforms", "trackobjects"});
    d3dRender.device = SharedDeviceOf(64, 64).device;
    FileManager = 0;
    GameSettings[SLOT_BUMP] = 0;
    GameSettings[SLOT_DISTANCE] = 2000;
    fileSystem.Init();
    world.activeCamera = &world;
    world.InitPhysics();
    objectManager.Init();
    track.Init();
}

void TrackTest::SetUp()
{
    ASSERT_NE(d3dRender.device, nullptr) << "no GL device";
    collisionQuery.Reset();
}

void TrackTest::TearDown()
{
    track.Clear();
    objectManager.Clear();
}

CSceneObject* TrackTest::Place(const char* file, const D3DXVECTOR3& position)
{
    CSceneObject* object = objectManager.AddObject(file, position, position + D3DXVECTOR3(0, 0, 1), D3DXVECTOR3(0, 1, 0), -1);
    object->CreatePhysics(0.0f, position, position + D3DXVECTOR3(0, 0, 1), D3DXVECTOR3(0, 1, 0));
    return object;
}
