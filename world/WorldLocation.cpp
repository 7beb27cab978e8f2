// Locations and races: loading a location file, clearing the world, starting and restarting.
#include <cstdio>

#include "audio/AudioManager.h"
#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/ErrorBox.h"
#include "world/World.h"
#include "world/effects/FlameSystem.h"
#include "world/objects/ObjectManager.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/sky/Environment.h"
#include "world/track/Track.h"

void CWorld::LoadLocation(int location)
{
    Clear();
    d3dRender.SetEffectTexture("texCubeMap2", d3dRender.spaceSkyEnvMap);
    d3dRender.SetEffectTexture("texCubeMap1", d3dRender.planetEnvMap);

    char path[64];
    std::snprintf(path, sizeof path, "Data/Locations/%02d/LocationData.obj", location);
    const int handle = fileSystem.Open(path, FILE_MODE_OBJECTS);
    if (handle == -1) {
        ShowMessage("Load location error!", "CWorld error!");
        return;
    }
    char line[256];
    for (int i = 0; i < 3; ++i)
        fileSystem.ReadLine(line, sizeof line, handle);
    environment.LoadLighting(handle);
    objectManager.LoadLocationObjects(handle);
    fileSystem.Close(handle);
}

void CWorld::Clear()
{
    vehicleManager.Clear();
    // The track takes its pieces (and their decors) out before the object manager frees the rest:
    // it reads each piece's decor list.
    track.Clear();
    objectManager.Clear();
    flameSystem.Clear();
    race.Reset();
    environment.Clear();
    audioManager.StopAll();
    activeCamera->SetTarget(nullptr);
    RemoveCollisionObjects();
}

void CWorld::StartRace(int seed, int trackType, int length, int racers, int playerVehicleIndex)
{
    track.BuildTrack(seed, trackType, length);
    track.PlaceOnGrid(racers, playerVehicleIndex);
    activeCamera->SetMode(CAMERA_NEAR_CHASE, playerVehicle);
    activeCamera->SnapToTarget();
}

void CWorld::RestartRace()
{
    track.Reset();
    vehicleManager.Reset();
    activeCamera->SetMode(CAMERA_NEAR_CHASE, playerVehicle);
    activeCamera->SnapToTarget();
}
