// Locations and races: loading a location file, clearing the world, starting and restarting.
#include <cstdio>

#include "audio/AudioManager.h"
#include "engine/D3DRender.h"
#include "engine/ErrorBox.h"
#include "engine/FileSystem.h"
#include "world/Environment.h"
#include "world/FlameSystem.h"
#include "world/ObjectManager.h"
#include "world/Race.h"
#include "world/Track.h"
#include "world/Vehicle.h"
#include "world/VehicleManager.h"
#include "world/World.h"

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
