#pragma once
// Every scooter of a race; the first one added is the player's. Places the racers' files on the
// grid, updates the computer racers, detects the player's finish and draws the scooters.
#include "platform/gfxx/D3DXMath.h"

class CVehicle;

class CVehicleManager {
public:
    static constexpr int MAX_VEHICLES = 64;
    static constexpr int VEHICLE_FILES = 8;

    CVehicleManager();
    int Init();
    void Release();
    // Destroys every scooter; playerVehicle becomes null.
    void Clear();
    // Null when 64 scooters exist already; the first scooter added becomes playerVehicle.
    CVehicle* AddVehicle(const char* file, const D3DXVECTOR3* position, const D3DXVECTOR3* target,
                         const D3DXVECTOR3* up, int driver);
    // The player's finish, then every scooter from index 1 (the world updates the player's).
    void Update();
    // Every scooter's race state (1 grid, 2 racing); the respawn sequence starts over.
    void EnableRacers(int state);
    // Race restart: every scooter placed on its grid slot again, with its grid segment and column.
    void Reset();
    // The computer racers' levels from the player's and RacerLevelFactor.
    void SetOpponentLevels();

    void Render();
    void RenderEffects();
    void RenderTransparent();
    void RenderShadows();

    CVehicle* vehicles[MAX_VEHICLES];
    int vehicleCount;
};

// "Data/Vehicles/01/Main.obj" ... "Data/Vehicles/08/Main.obj" for index 0-7.
void VehicleFileName(char* out, int size, int index);

extern CVehicleManager vehicleManager;
// The player's scooter, or null.
extern CVehicle* playerVehicle;
