#include "engine/render/LightManager.h"

#include <algorithm>
#include <iterator>

#include "engine/helpers/VectorHelpers.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameTimer.h"

namespace {

constexpr float UPDATE_INTERVAL = 0.05f; // game seconds
constexpr float DIRECTIONAL_RANGE = 600.0f; // not used by a directional light
constexpr float POINT_ATTENUATION = 0.006f;
constexpr float SUN_DISTANCE = -100000.0f;
constexpr float NO_LIGHT_DISTANCE = 100000.0f;
constexpr D3DCOLORVALUE WHITE {1, 1, 1, 1};
constexpr D3DCOLORVALUE BLACK {0, 0, 0, 1};

IDirect3DDevice9* Device() { return d3dRender.device; }

void SetEffectVector(const char* name, const D3DXVECTOR4& value)
{
    if (d3dRender.effect)
        d3dRender.effect->SetVector(name, &value);
}

D3DXVECTOR4 ToVector(const D3DCOLORVALUE& colour) { return {colour.r, colour.g, colour.b, colour.a}; }

D3DCOLORVALUE Scaled(const D3DXVECTOR4& colour, float factor)
{
    return {colour.x * factor, colour.y * factor, colour.z * factor, colour.w * factor};
}

} // namespace

void CLightManager::LightSlot::Set(int index, int kindOfLight, const D3DXVECTOR3& position, float range)
{
    deviceIndex = index;
    kind = kindOfLight;
    light = D3DLIGHT9 {};
    if (kind == LIGHT_KIND_POINT) {
        light.Type = D3DLIGHT_POINT;
        light.Diffuse = light.Specular = WHITE;
        light.Position = position;
        light.Range = range;
        light.Attenuation1 = POINT_ATTENUATION;
    } else if (kind == LIGHT_KIND_DIRECTIONAL) {
        light.Type = D3DLIGHT_DIRECTIONAL;
        light.Diffuse = light.Specular = BLACK;
        light.Direction = D3DVECTOR {0, -1, 0};
    }
    Device()->SetLight(index, &light);
    Device()->LightEnable(index, TRUE);
    enabled = 1;
}

CLightManager::CLightManager()
{
    savedSunColour = savedSecondColour = sunColour = secondColour = WHITE;
    for (TimedLight& entry : timed)
        entry.colour = WHITE;
}

void CLightManager::AttachLighting(const EnvironmentLighting* environmentLighting)
{
    lighting = environmentLighting;
}

int CLightManager::Reset()
{
    for (LightSlot& slot : slots) {
        slot = LightSlot {};
        slot.deviceIndex = -1;
    }
    sunSlot = Allocate(LIGHT_KIND_DIRECTIONAL, D3DXVECTOR3(), DIRECTIONAL_RANGE);
    secondSlot = Allocate(LIGHT_KIND_DIRECTIONAL, D3DXVECTOR3(), DIRECTIONAL_RANGE);
    timedCount = 0;
    for (TimedLight& entry : timed)
        entry.slot = -1;
    lastUpdateTime = 0;
    return 1;
}

void CLightManager::DisableAll()
{
    for (int slot = 0; slot < LIGHT_SLOT_COUNT; ++slot)
        Free(slot);
}

void CLightManager::Update()
{
    if (gameTimer.SecondsSince(lastUpdateTime) <= UPDATE_INTERVAL)
        return;
    lastUpdateTime = gameTimer.gameTime;
    if (lighting) {
        if (lighting->intensity1 == 0) {
            EnableSun(FALSE);
        } else {
            sunColour = Scaled(lighting->colour1, lighting->intensity1);
            SetSunColour(sunColour);
            EnableSun(TRUE);
            SetSunDirection(lighting->direction1);
        }
        if (lighting->intensity2 == 0) {
            EnableSecond(FALSE);
        } else {
            secondColour = Scaled(lighting->colour2, lighting->intensity2);
            SetSecondColour(secondColour);
            EnableSecond(TRUE);
            SetSecondDirection(lighting->direction2);
        }
        const D3DXVECTOR4& ambient = lighting->colour2;
        Device()->SetRenderState(D3DRS_AMBIENT, D3DCOLOR_ARGB(0xFF, static_cast<unsigned>(ambient.x * 255),
                                                              static_cast<unsigned>(ambient.y * 255),
                                                              static_cast<unsigned>(ambient.z * 255)));
        SetEffectVector("GlobalAmbient", ambient);
    }
    Device()->SetRenderState(D3DRS_FOGCOLOR, 0xFF000000);
    SetEffectVector("FogColor", D3DXVECTOR4(0, 0, 0, 1));
    UpdateFades();
    const int lightCounts[2][4] = {{slots[sunSlot].enabled + slots[secondSlot].enabled, 0, 0, 0}, {0, 0, 0, 0}};
    Device()->SetVertexShaderConstantI(0, lightCounts[0], 2);
}

int CLightManager::Allocate(int kind, const D3DXVECTOR3& position, float range)
{
    const int slot = FindFree();
    if (slot >= 0)
        slots[slot].Set(slot, kind, position, range);
    return slot;
}

int CLightManager::FindFree() const
{
    for (int slot = 0; slot < LIGHT_SLOT_COUNT; ++slot)
        if (slots[slot].deviceIndex == -1)
            return slot;
    return -1;
}

bool CLightManager::IsUsed(int slot) const
{
    return slot >= 0 && slot < LIGHT_SLOT_COUNT && slots[slot].deviceIndex != -1;
}

void CLightManager::Free(int slot)
{
    if (!IsUsed(slot))
        return;
    SetSlotEnabled(slot, FALSE);
    slots[slot].deviceIndex = -1;
}

void CLightManager::SetSlotEnabled(int slot, BOOL enable)
{
    if (!IsUsed(slot))
        return;
    Device()->LightEnable(slot, enable);
    slots[slot].enabled = enable ? 1 : 0;
}

void CLightManager::EnableSlot(int slot) { SetSlotEnabled(slot, TRUE); }
void CLightManager::DisableSlot(int slot) { SetSlotEnabled(slot, FALSE); }

void CLightManager::SetLightColour(int slot, const D3DCOLORVALUE& colour)
{
    if (!IsUsed(slot))
        return;
    slots[slot].light.Diffuse = slots[slot].light.Specular = colour;
    Device()->SetLight(slot, &slots[slot].light);
}

void CLightManager::SetSlotColour(int slot, const D3DCOLORVALUE& colour) { SetLightColour(slot, colour); }

void CLightManager::SetSlotPosition(int slot, const D3DXVECTOR3& position)
{
    if (!IsUsed(slot))
        return;
    slots[slot].light.Position = position;
    Device()->SetLight(slot, &slots[slot].light);
}

void CLightManager::SetSlotDirection(int slot, const D3DXVECTOR3& direction)
{
    if (!IsUsed(slot))
        return;
    slots[slot].light.Direction = direction;
    Device()->SetLight(slot, &slots[slot].light);
}

void CLightManager::SaveLight(int slot, D3DCOLORVALUE& colour, D3DVECTOR& direction, int& enabled) const
{
    colour = slots[slot].light.Diffuse;
    direction = slots[slot].light.Direction;
    enabled = slots[slot].enabled;
}

void CLightManager::SaveSunLight() { SaveLight(sunSlot, savedSunColour, savedSunDirection, savedSunEnabled); }

void CLightManager::SaveSecondLight()
{
    SaveLight(secondSlot, savedSecondColour, savedSecondDirection, savedSecondEnabled);
}

void CLightManager::RestoreSunLight()
{
    SetSunColour(savedSunColour);
    SetSunDirection(savedSunDirection);
    EnableSun(savedSunEnabled);
}

void CLightManager::RestoreSecondLight()
{
    SetSecondColour(savedSecondColour);
    SetSecondDirection(savedSecondDirection);
    EnableSecond(savedSecondEnabled);
}

void CLightManager::EnableSun(int enable) { SetSlotEnabled(sunSlot, enable ? TRUE : FALSE); }
void CLightManager::EnableSecond(int enable) { SetSlotEnabled(secondSlot, enable ? TRUE : FALSE); }

void CLightManager::SetSunColour(const D3DCOLORVALUE& colour)
{
    SetLightColour(sunSlot, colour);
    SetEffectVector("DirLight_Diff", ToVector(colour));
    SetEffectVector("DirLight_Spec", ToVector(colour));
}

void CLightManager::SetSecondColour(const D3DCOLORVALUE& colour) { SetLightColour(secondSlot, colour); }

void CLightManager::SetSunDirection(const D3DXVECTOR3& direction)
{
    SetSlotDirection(sunSlot, direction);
    SetEffectVector("DirLight_Dir", D3DXVECTOR4(direction, 1.0f));
}

void CLightManager::SetSecondDirection(const D3DXVECTOR3& direction) { SetSlotDirection(secondSlot, direction); }

void CLightManager::SetSunPosMS(const D3DXMATRIX& world)
{
    const D3DXVECTOR3 sun = D3DXVECTOR3(slots[sunSlot].light.Direction) * SUN_DISTANCE;
    D3DXMATRIX inverse;
    D3DXMatrixInverse(&inverse, nullptr, &world);
    D3DXVECTOR3 local;
    D3DXVec3TransformCoord(&local, &sun, &inverse);
    SetEffectVector("DirLight_PosMS", D3DXVECTOR4(local, 1.0f));
}

void CLightManager::OnLostDevice()
{
    for (int slot = 0; slot < LIGHT_SLOT_COUNT; ++slot)
        if (IsUsed(slot))
            Device()->LightEnable(slot, FALSE);
}

void CLightManager::OnResetDevice()
{
    for (int slot = 0; slot < LIGHT_SLOT_COUNT; ++slot)
        if (IsUsed(slot))
            Device()->LightEnable(slot, TRUE);
}

int CLightManager::AddTimedLight(const D3DXVECTOR3& position, const D3DCOLORVALUE& colour, float range)
{
    if (timedCount >= TIMED_LIGHT_COUNT)
        return -1;
    TimedLight* const entry =
        std::find_if(std::begin(timed), std::end(timed), [](const TimedLight& light) { return light.slot == -1; });
    if (entry == std::end(timed))
        return -1;
    const int slot = Allocate(LIGHT_KIND_POINT, position, range);
    if (slot < 0)
        return -1;
    entry->slot = slot;
    entry->startTime = gameTimer.gameTime;
    entry->colour = colour;
    SetLightColour(slot, BLACK);
    ++timedCount;
    return static_cast<int>(entry - std::begin(timed));
}

void CLightManager::RemoveTimedLight(int index)
{
    if (index < 0 || index >= TIMED_LIGHT_COUNT || timed[index].slot == -1)
        return;
    Free(timed[index].slot);
    timed[index].slot = -1;
    --timedCount;
}

void CLightManager::UpdateFades()
{
    for (const TimedLight& entry : timed) {
        if (entry.slot == -1)
            continue;
        const float share = std::clamp(gameTimer.SecondsSince(entry.startTime), 0.0f, 1.0f);
        SetLightColour(entry.slot, Scaled(ToVector(entry.colour), share));
    }
}

void CLightManager::DisableTimedLights()
{
    for (const TimedLight& entry : timed)
        if (entry.slot != -1)
            Device()->LightEnable(entry.slot, FALSE);
}

void CLightManager::EnableTimedLights()
{
    for (const TimedLight& entry : timed)
        if (entry.slot != -1)
            Device()->LightEnable(entry.slot, TRUE);
}

D3DXVECTOR4 CLightManager::GetTimedLightColourAt(const D3DXVECTOR3& position) const
{
    D3DXVECTOR4 sum(0, 0, 0, 1);
    for (const TimedLight& entry : timed) {
        if (entry.slot == -1)
            continue;
        const D3DLIGHT9& light = slots[entry.slot].light;
        const float distance = Vec3Distance(position, light.Position);
        if (light.Range <= distance)
            continue;
        const float attenuation = std::min(1.0f, 1.0f / (distance * distance * light.Attenuation2 + light.Attenuation1 * distance));
        sum = sum + ToVector(light.Diffuse) * ((1.0f - distance / light.Range) * attenuation);
    }
    return sum;
}

float CLightManager::NearestTimedLightWhere(int skip, const D3DXVECTOR3& position, float minimumBrightness) const
{
    float nearest = NO_LIGHT_DISTANCE;
    for (int index = 0; index < TIMED_LIGHT_COUNT; ++index) {
        const TimedLight& entry = timed[index];
        if (index == skip || entry.slot == -1)
            continue;
        if (minimumBrightness >= 0 && Vec3Length(D3DXVECTOR3(entry.colour.r, entry.colour.g, entry.colour.b)) <= minimumBrightness)
            continue;
        nearest = std::min(nearest, Vec3Distance(position, slots[entry.slot].light.Position));
    }
    return nearest;
}

float CLightManager::NearestTimedLight(int skip, const D3DXVECTOR3& position) const
{
    return NearestTimedLightWhere(skip, position, -1.0f);
}

float CLightManager::NearestBrightTimedLight(int skip, const D3DXVECTOR3& position, float brightness) const
{
    return NearestTimedLightWhere(skip, position, brightness);
}
