// Flame emitters: particles for the flame system at the owner's flame points.
#include "world/effects/FlameEffect.h"

#include <algorithm>

#include "engine/helpers/VectorHelpers.h"
#include "engine/shell/GameTimer.h"
#include "world/effects/FlameSystem.h"
#include "world/effects/GlowSprites.h"
#include "world/effects/SightGate.h"
#include "world/objects/ColumnFields.h"
#include "world/objects/ObjectDescription.h"
#include "world/objects/StaticObject.h"
#include "world/scooters/Vehicle.h"

namespace {

constexpr float FLAME_LIMIT = 1000.0f;
constexpr float FLAME_SCOOTER_LIMIT = 300.0f;
constexpr float ENGINE_FLAME_LIMIT = 300.0f;
constexpr float ENGINE_FLAME_SCOOTER_LIMIT = 90.0f;

float ReadRealLine(int file)
{
    char line[DESCRIPTION_LINE_SIZE];
    ReadDescriptionLine(file, line);
    return RealValue(line);
}

} // namespace

int CFlameEffect::Load(int file, CStaticObject* flameOwner)
{
    owner = flameOwner;
    particleSize = ReadRealLine(file);
    particleLife = ReadRealLine(file);
    interval = ReadRealLine(file);
    growth = ReadRealLine(file);
    char line[DESCRIPTION_LINE_SIZE];
    ReadDescriptionLine(file, line);
    velocity = TripleValue(line);
    colour = ReadColourLine(file);
    hot = ReadIntegerLine(file);
    return 0;
}

bool CFlameEffect::EmissionDue()
{
    timer += gameTimer.gameStep;
    if (timer < interval)
        return false;
    timer = 0.0f;
    return true;
}

void CFlameEffect::Update()
{
    const std::vector<D3DXVECTOR3>& points = OwnerPoints(*owner, POINTS_FLAMES);
    if (points.empty() || !OwnerInSight(*owner, FLAME_LIMIT, FLAME_SCOOTER_LIMIT) || !EmissionDue())
        return;
    for (const D3DXVECTOR3& point : points) {
        emissionPosition = ToWorld(*owner, point);
        flameSystem.AddParticle(emissionPosition, velocity, particleSize, particleLife, growth, colour, hot, nullptr);
    }
}

void CFlameEffect::UpdateEngine()
{
    const std::vector<D3DXVECTOR3>& points = OwnerPoints(*owner, POINTS_FLAMES);
    if (points.empty() || !OwnerNear(*owner, ENGINE_FLAME_LIMIT, ENGINE_FLAME_SCOOTER_LIMIT) || !EmissionDue())
        return;
    D3DXVECTOR4 flameColour = colour;
    float size = particleSize * 0.5f;
    if (owner->objectType == GTYPE_VEHICLE) {
        // Hotter and larger with speed; f is 0 from half the top speed on near the ground.
        const auto& scooter = static_cast<const CVehicle&>(*owner);
        const float pace = scooter.topSpeed > 0.0f ? std::min(1.0f, 2.0f * scooter.speed / scooter.topSpeed) : 0.0f;
        const float f = 1.0f - pace + scooter.groundDistance;
        if (f < 1.0f) {
            const float heat = 1.0f - f;
            flameColour.w += 1.0f;
            flameColour.x = std::min(1.0f, flameColour.x + heat);
            flameColour.y = std::max(0.0f, flameColour.y - heat);
            flameColour.z = std::max(0.0f, flameColour.z - heat);
            const D3DXVECTOR4 shifted = flameColour;
            Vec4LimitMax(flameColour, shifted, 1.0f);
            size *= 4.0f - 3.0f * f;
        }
    }
    // The model-space point stands in for the velocity: the particle stays attached to the owner.
    for (const D3DXVECTOR3& point : points) {
        emissionPosition = ToWorld(*owner, point);
        flameSystem.AddParticle(emissionPosition, point, size, particleLife, growth, flameColour, hot, owner);
    }
}
