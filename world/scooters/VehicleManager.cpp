#include "world/scooters/VehicleManager.h"

#include <cstdio>

#include "engine/render/D3DRender.h"
#include "frontend/GameMenu.h"
#include "world/World.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/shadows/ObjectShadow.h"
#include "world/track/GridLayout.h"
#include "world/track/Track.h"

CVehicle* playerVehicle;

void VehicleFileName(char* out, int size, int index)
{
    std::snprintf(out, std::size_t(size), "Data/Vehicles/%02d/Main.obj", index + 1);
}

CVehicleManager::CVehicleManager() : vehicles {}, vehicleCount(0) {}

int CVehicleManager::Init()
{
    vehicleCount = 0;
    return 1;
}

void CVehicleManager::Release()
{
    Clear();
}

void CVehicleManager::Clear()
{
    for (int i = 0; i < vehicleCount; ++i) {
        vehicles[i]->Destroy();
        delete vehicles[i];
        vehicles[i] = nullptr;
    }
    vehicleCount = 0;
    playerVehicle = nullptr;
}

CVehicle* CVehicleManager::AddVehicle(const char* file, const D3DXVECTOR3* position, const D3DXVECTOR3* target,
                                      const D3DXVECTOR3* up, int driver)
{
    if (vehicleCount >= MAX_VEHICLES)
        return nullptr;
    CVehicle* vehicle = new CVehicle;
    vehicles[vehicleCount++] = vehicle;
    if (vehicleCount == 1)
        playerVehicle = vehicle;
    vehicle->Load(file);
    vehicle->Place(position, target, up, driver);
    return vehicle;
}

void CVehicleManager::Update()
{
    if (playerVehicle && playerVehicle->InFinishZone()) {
        if (RaceMode == RACE_MODE_AUTOPLAY) {
            gameMenu.SetActive(true);
            gameMenu.fade = 100.0f;
            world.Clear();
            return;
        }
        if (race.sequence != RACE_SEQUENCE_FINISH)
            race.SetPhase(RACE_SEQUENCE_FINISH, playerVehicle);
    }
    for (int i = 1; i < vehicleCount; ++i)
        vehicles[i]->Update();
}

void CVehicleManager::EnableRacers(int state)
{
    for (int i = 0; i < vehicleCount; ++i) {
        vehicles[i]->raceState = state;
        vehicles[i]->fallStep = FALL_STEP_FALLEN;
        vehicles[i]->effectTimer = 0.0f;
        vehicles[i]->stateTime = 0.0f;
    }
}

void CVehicleManager::Reset()
{
    // Back onto the grid slots the racers were given at the start, in the same order.
    const D3DXVECTOR3 up(0, 1, 0);
    for (int i = 0; i < vehicleCount; ++i) {
        const GridSlot slot = GridSlotOf(track.segmentPoints, i);
        vehicles[i]->Place(&slot.position, &slot.target, &up, DRIVER_COMPUTER);
        vehicles[i]->SetGridSlot(0, 0, 1);
    }
}

void CVehicleManager::SetOpponentLevels()
{
    for (int i = 1; i < vehicleCount; ++i)
        vehicles[i]->SetOpponentLevels();
}

void CVehicleManager::Render()
{
    d3dRender.SetZEnable(1);
    d3dRender.SetZWrite(1);
    d3dRender.SetLighting(1);
    d3dRender.SetAlphaBlend(0);
    for (int i = 0; i < vehicleCount; ++i)
        vehicles[i]->Draw();
}

void CVehicleManager::RenderEffects()
{
    for (int i = 0; i < vehicleCount; ++i)
        vehicles[i]->DrawEffects();
}

void CVehicleManager::RenderTransparent()
{
    for (int i = 0; i < vehicleCount; ++i)
        vehicles[i]->DrawTransparent();
}

void CVehicleManager::RenderShadows()
{
    for (int i = 0; i < vehicleCount; ++i) {
        if (vehicles[i]->components.shadow)
            vehicles[i]->components.shadow->Draw();
    }
}
