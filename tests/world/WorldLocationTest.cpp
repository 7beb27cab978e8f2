#include "tests/world/WorldFixture.h"

#include <btBulletDynamicsCommon.h>

#include <cmath>
#include <cstring>
#include <string>

#include "engine/mesh/MeshContainer.h"
#include "engine/render/D3DRender.h"
#include "frontend/Profiles.h"
#include "world/World.h"
#include "world/objects/ObjectDescription.h"
#include "world/objects/ObjectManager.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/sky/Environment.h"
#include "world/track/Track.h"

namespace {

using WorldLocationTest = WorldTest;

constexpr int FIXTURE_LOCATION = 21;

// Columns 1-32 a label, then the value.
std::string Field(const std::string& label, const std::string& value)
{
    return label + std::string(32 - label.size(), ' ') + value + "\n";
}

std::string Record(const char* file, const char* position, const char* target, const char* up)
{
    return Field("Object:", file) + Field("Position:", position) + Field("Target:", target) + Field("Up:", up) + "//\n";
}

const std::string MOON = Record("Data/Static/Sky/01/Ardan.obj", "   10.00     2.00    30.00",
                                "   10.00     2.00    40.00", "    0.00     5.00     0.00");
const std::string NEBULA =
    Record("Data/Static/Sky/01/Nebula.obj", "    0.00     0.00     0.00", "    3.00     0.00     0.00", "    0.00     0.00     0.00");

void ExpectVector(const D3DXVECTOR3& v, float x, float y, float z, const char* what)
{
    EXPECT_NEAR(v.x, x, 1e-5f) << what;
    EXPECT_NEAR(v.y, y, 1e-5f) << what;
    EXPECT_NEAR(v.z, z, 1e-5f) << what;
}

D3DXVECTOR3 Row(const D3DXMATRIX& m, int row) { return D3DXVECTOR3(m.m[row][0], m.m[row][1], m.m[row][2]); }

TEST_F(WorldLocationTest, LightingAndObjectRecordsAreReadInTheirColumns)
{
    WriteLocation(FIXTURE_LOCATION, LocationText(MOON + NEBULA + "//--\n" + MOON));
    world.LoadLocation(FIXTURE_LOCATION);

    EXPECT_NEAR(environment.colour1.x, 1.0f, 1e-5f);
    EXPECT_NEAR(environment.colour1.y, 0.4f, 1e-5f);
    EXPECT_NEAR(environment.colour1.z, 0.2f, 1e-5f);
    EXPECT_FLOAT_EQ(environment.colour1.w, 1.0f);
    EXPECT_NEAR(environment.colour2.z, 1.0f, 1e-5f);
    ExpectVector(environment.direction1, 0.0f, -0.6f, 0.8f, "sun direction, normalised");
    ExpectVector(environment.direction2, 1.0f, 0.0f, 0.0f, "second direction, normalised");

    ASSERT_EQ(objectManager.count, 2) << "the list ends at its //-- line";
    const CSceneObject& moon = *objectManager.objects[0];
    EXPECT_EQ(moon.objectType, GTYPE_PLANET2);
    ExpectVector(Row(moon.placement, 3), 10.0f, 2.0f, 30.0f, "position");
    ExpectVector(Row(moon.placement, 2), 0.0f, 0.0f, 1.0f, "faces its target");
    ExpectVector(Row(moon.placement, 1), 0.0f, 1.0f, 0.0f, "up, normalised");
    EXPECT_EQ(objectManager.objects[1]->objectType, GTYPE_NEBULA);
    ExpectVector(Row(objectManager.objects[1]->placement, 3), 0.0f, 0.0f, 0.0f, "second position");
}

TEST_F(WorldLocationTest, ListsEndingEarlyOrEmptyLoadTheLightingAndWhatIsThere)
{
    struct Case {
        const char* name;
        std::string objects;
        int expectedObjects;
    };
    const Case cases[] = {
        {"begins with its end mark", "//--\n" + MOON, 0},
        {"ends after a record without an end mark", MOON, 1},
        {"ends without any record", "", 0},
    };
    for (const Case& c : cases) {
        environment.colour1 = D3DXVECTOR4(0, 0, 0, 0);
        WriteLocation(FIXTURE_LOCATION, LocationText(c.objects));
        world.LoadLocation(FIXTURE_LOCATION);
        EXPECT_NEAR(environment.colour1.x, 1.0f, 1e-5f) << c.name;
        EXPECT_EQ(objectManager.count, c.expectedObjects) << c.name;
    }
}

TEST_F(WorldLocationTest, MissingFileShowsItsErrorAndLeavesTheWorldEmpty)
{
    world.LoadLocation(1);
    world.StartRace(1, 2, 2, 1, 6);
    ASSERT_GT(objectManager.count, 0);
    testing::internal::CaptureStderr();
    world.LoadLocation(99);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("CWorld error!: Load location error!"), std::string::npos) << message;
    EXPECT_EQ(objectManager.count, 0);
    EXPECT_EQ(vehicleManager.vehicleCount, 0);
    EXPECT_EQ(playerVehicle, nullptr);
    EXPECT_EQ(track.pieceCount, 0u);
    EXPECT_EQ(world.target, nullptr);
}

TEST_F(WorldLocationTest, ClearEmptiesTheWorldAndResetsTheRaceRecord)
{
    world.LoadLocation(1);
    world.StartRace(1, 2, 2, 1, 6);
    race.SetPhase(RACE_SEQUENCE_START, playerVehicle);
    world.Clear();
    EXPECT_EQ(objectManager.count, 0);
    EXPECT_EQ(vehicleManager.vehicleCount, 0);
    EXPECT_EQ(track.pieceCount, 0u);
    EXPECT_EQ(race.sequence, RACE_SEQUENCE_NONE);
    EXPECT_EQ(race.phase, 0);
    EXPECT_EQ(race.vehicle, nullptr);
    EXPECT_EQ(world.target, nullptr);
    EXPECT_EQ(world.dynamicsWorld->getNumCollisionObjects(), 0);
}

TEST_F(WorldLocationTest, StartAndRestartPutTheCameraBehindThePlayersScooter)
{
    world.LoadLocation(1);
    world.StartRace(1, 2, 2, 3, 6);
    ASSERT_NE(playerVehicle, nullptr);
    EXPECT_EQ(vehicleManager.vehicleCount, 3);
    EXPECT_GT(track.pieceCount, 0u);
    EXPECT_EQ(world.mode, CAMERA_NEAR_CHASE);
    EXPECT_EQ(world.target, static_cast<CStaticObject*>(playerVehicle));
    const D3DXVECTOR3 snappedOffset = world.chaseEyeOffset;

    // The camera elsewhere: a restart puts it back behind the scooter.
    world.SetMode(CAMERA_FAR_CHASE, nullptr);
    world.chaseEyeOffset = D3DXVECTOR3(0, 900, 0);
    const int pieces = int(track.pieceCount);
    world.RestartRace();
    EXPECT_EQ(int(track.pieceCount), pieces);
    EXPECT_EQ(vehicleManager.vehicleCount, 3);
    EXPECT_EQ(world.mode, CAMERA_NEAR_CHASE);
    EXPECT_EQ(world.target, static_cast<CStaticObject*>(playerVehicle));
    ExpectVector(world.chaseEyeOffset, snappedOffset.x, snappedOffset.y, snappedOffset.z, "snapped behind it");
}

TEST_F(WorldLocationTest, TheGridNamesTheRacersAndKeepsTheScootersNames)
{
    std::strcpy(PlayerName, "Ann");
    world.LoadLocation(1);
    world.StartRace(1, 2, 2, 3, 6);
    ASSERT_EQ(vehicleManager.vehicleCount, 3);
    for (int i = 0; i < vehicleManager.vehicleCount; ++i) {
        const CVehicle& racer = *vehicleManager.vehicles[i];
        EXPECT_STREQ(racer.racerName, i == 0 ? "Ann" : "CPU") << i;
        CVehicle description;
        description.Load(racer.path);
        EXPECT_STRNE(description.vehicleName, "") << i;
        EXPECT_STREQ(racer.vehicleName, description.vehicleName) << i;
        description.Destroy();
    }
}

// The game's shut-down in the middle of a race: the track takes its pieces out before the object
// manager frees them, and every mesh record (with its physics shapes) goes with its last owner
// while the physics world still stands, none left for the mesh container's final sweep.
TEST_F(WorldLocationTest, ReleaseDuringARaceFreesEveryMeshWithItsOwner)
{
    world.LoadLocation(1);
    world.StartRace(1, 2, 2, 3, 6);
    ASSERT_GT(track.pieceCount, 0u);
    ASSERT_NE(meshContainer.head, nullptr);
    world.Release();
    EXPECT_EQ(meshContainer.head, nullptr);
    EXPECT_EQ(track.pieceCount, 0u);
    EXPECT_EQ(objectManager.count, 0);
    ASSERT_EQ(world.Init(), 1); // the next test finds the world up again
}

} // namespace
