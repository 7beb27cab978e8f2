#include "tests/race/RaceDataFixture.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "frontend/GameMenu.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/SharedDevice.h"
#include "tools/makedata/Generators.h"
#include "world/World.h"
#include "world/objects/CollisionQuery.h"
#include "world/objects/ObjectManager.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Track.h"

namespace {

class LooseFileSink : public AssetSink {
public:
    void Add(const std::string& name, Pack, std::vector<std::uint8_t> bytes) override
    {
        std::filesystem::create_directories(std::filesystem::path(name).parent_path());
        std::ofstream(name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
};

std::unique_ptr<ScratchFolder> dataFolder;

} // namespace

void RaceDataTest::SetUpTestSuite()
{
    if (dataFolder)
        return;
    dataFolder = std::make_unique<ScratchFolder>();
    LooseFileSink sink;
    for (const GeneratorEntry& generator : AllGenerators()) {
        const std::string name = generator.name;
        if (name == "platforms" || name == "trackobjects" || name == "vehicles")
            generator.generate(sink);
    }
    d3dRender.device = SharedDeviceOf(64, 64).device;
    FileManager = 0;
    GameSettings[SLOT_BUMP] = 0;
    GameSettings[SLOT_AUDIO] = 0;
    GameSettings[SLOT_DISTANCE] = 2000;
    fileSystem.Init();
    world.activeCamera = &world;
    world.InitPhysics();
    objectManager.Init();
    vehicleManager.Init();
    track.Init();
}

void RaceDataTest::SetUp()
{
    ASSERT_NE(d3dRender.device, nullptr) << "no GL device";
    collisionQuery.Reset();
    race.Reset();
    gameTimer.gameTime = gameTimer.realTime = 10000;
    gameTimer.gameStep = gameTimer.realStep = 0.0f;
}

void RaceDataTest::TearDown()
{
    vehicleManager.Clear();
    track.Clear();
    objectManager.Clear();
}

CSceneObject* RaceDataTest::PlacePiece(const char* file, const D3DXVECTOR3& position)
{
    const D3DXVECTOR3 target = position + D3DXVECTOR3(0, 0, 1), up(0, 1, 0);
    CSceneObject* object = objectManager.AddObject(file, position, target, up, -1);
    object->CreatePhysics(0.0f, position, target, up);
    return object;
}

CVehicle* RaceDataTest::PlaceScooter(const D3DXVECTOR3& position)
{
    char file[64];
    VehicleFileName(file, sizeof file, 0);
    const D3DXVECTOR3 target = position + D3DXVECTOR3(0, 0, 100), up(0, 1, 0);
    return vehicleManager.AddVehicle(file, &position, &target, &up, DRIVER_COMPUTER);
}

void RaceDataTest::Step(float dt)
{
    gameTimer.gameStep = gameTimer.realStep = dt;
    gameTimer.gameTime += unsigned(dt * 1000.0f + 0.5f);
    gameTimer.realTime = gameTimer.gameTime;
}

void RaceDataTest::StartComputerRace(int racers)
{
    track.PlaceOnGrid(racers, 0);
    vehicleManager.EnableRacers(RACE_STATE_RACING);
    playerVehicle->SetDriver(DRIVER_COMPUTER);
    track.raceStartTime = gameTimer.gameTime;
    RaceMode = RACE_MODE_QUICK;
}

void RaceDataTest::RaceFrameBehindPlayer(float dt)
{
    Step(dt);
    const D3DXVECTOR3 forward(playerVehicle->world._31, playerVehicle->world._32, playerVehicle->world._33);
    world.eye = playerVehicle->position + D3DXVECTOR3(0, 4, 0) - 6.0f * forward;
    world.StepPhysics();
    playerVehicle->Update();
    vehicleManager.Update();
}

float RaceDataTest::AcrossCentreLine(const D3DXVECTOR3& position, int segment)
{
    const D3DXVECTOR3 up(0, 1, 0);
    D3DXMATRIX frame;
    D3DXMatrixLookAtLH(&frame, &track.segmentPoints[segment], &track.segmentPoints[segment + 1], &up);
    D3DXVECTOR3 local;
    D3DXVec3TransformCoord(&local, &position, &frame);
    return local.x;
}
