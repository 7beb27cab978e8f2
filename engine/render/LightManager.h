#pragma once
// The eight device lights: the sun and a second directional light that follow the location
// lighting, and up to six timed point lights that fade in over one second of game time. The
// sun's colour and direction also go to the effect.
#include <cstdint>

#include "engine/render/EnvironmentLighting.h"
#include "platform/gfx/D3D9.h"
#include "platform/gfxx/D3DXMath.h"

constexpr int LIGHT_SLOT_COUNT = 8;
constexpr int TIMED_LIGHT_COUNT = 6;
constexpr int LIGHT_KIND_POINT = 1;
constexpr int LIGHT_KIND_DIRECTIONAL = 2;

class CLightManager {
public:
    struct LightSlot {
        int deviceIndex; // -1: free; a used slot's index is its position
        int kind;
        D3DLIGHT9 light;
        int enabled;

        // Point: white, the position, the range, linear attenuation 0.006. Directional: black,
        // pointing down. Then set on the device and enabled.
        void Set(int index, int kind, const D3DXVECTOR3& position, float range);
    };

    struct TimedLight {
        int slot; // -1: free
        std::uint32_t startTime; // game milliseconds
        D3DCOLORVALUE colour;
    };

    // The ten colours 1.0; Reset sets up the rest.
    CLightManager();

    // The location lighting that Update applies (held by the world; null: none applied).
    void AttachLighting(const EnvironmentLighting* lighting);

    // Frees every slot, allocates the sun and the second light, clears the timed lights; 1.
    int Reset();
    void DisableAll();
    // At most every 0.05 s of game time: the lighting, ambient, fog, fades and the light count.
    void Update();

    int Allocate(int kind, const D3DXVECTOR3& position, float range);
    int FindFree() const;
    void Free(int slot);
    void EnableSlot(int slot);
    void DisableSlot(int slot);
    void SetSlotColour(int slot, const D3DCOLORVALUE& colour);
    void SetSlotPosition(int slot, const D3DXVECTOR3& position);
    void SetSlotDirection(int slot, const D3DXVECTOR3& direction);

    void SaveSunLight();
    void SaveSecondLight();
    void RestoreSunLight();
    void RestoreSecondLight();
    void EnableSun(int enable);
    void EnableSecond(int enable);
    void SetSunColour(const D3DCOLORVALUE& colour);
    void SetSecondColour(const D3DCOLORVALUE& colour);
    void SetSunDirection(const D3DXVECTOR3& direction);
    void SetSecondDirection(const D3DXVECTOR3& direction);
    // "DirLight_PosMS": the far sun (direction x -100000) in the model coordinates of world.
    void SetSunPosMS(const D3DXMATRIX& world);

    // Device reset: the used lights off, and on again afterwards.
    void OnLostDevice();
    void OnResetDevice();

    // Index 0..5, or -1 when six are held or no slot is free.
    int AddTimedLight(const D3DXVECTOR3& position, const D3DCOLORVALUE& colour, float range);
    void RemoveTimedLight(int index);
    void UpdateFades();
    void DisableTimedLights();
    void EnableTimedLights();
    D3DXVECTOR4 GetTimedLightColourAt(const D3DXVECTOR3& position) const;
    // Distance to the nearest timed light other than skip; 100000 when none.
    float NearestTimedLight(int skip, const D3DXVECTOR3& position) const;
    // The same over timed lights whose colour (r, g, b) is longer than brightness.
    float NearestBrightTimedLight(int skip, const D3DXVECTOR3& position, float brightness) const;

    // Hooks of the objects' lighting; nothing to do.
    void UpdateObjectLights(int, const D3DXVECTOR3&, float) {}
    void PrepareObjectLights(const D3DXMATRIX&) {}

    LightSlot slots[LIGHT_SLOT_COUNT];
    int sunSlot;
    int secondSlot;
    D3DCOLORVALUE savedSunColour;
    D3DCOLORVALUE savedSecondColour;
    D3DVECTOR savedSunDirection;
    D3DVECTOR savedSecondDirection;
    int savedSunEnabled;
    int savedSecondEnabled;
    D3DCOLORVALUE sunColour;
    D3DCOLORVALUE secondColour;
    int timedCount;
    TimedLight timed[TIMED_LIGHT_COUNT];
    std::uint32_t lastUpdateTime;

private:
    bool IsUsed(int slot) const;
    void SetSlotEnabled(int slot, BOOL enable);
    void SetLightColour(int slot, const D3DCOLORVALUE& colour);
    void SaveLight(int slot, D3DCOLORVALUE& colour, D3DVECTOR& direction, int& enabled) const;
    void RestoreLight(int slot, const D3DCOLORVALUE& colour, const D3DVECTOR& direction, int enabled);
    float NearestTimedLightWhere(int skip, const D3DXVECTOR3& position, float minimumBrightness) const;

    const EnvironmentLighting* lighting = nullptr;
};

extern CLightManager lightManager;
