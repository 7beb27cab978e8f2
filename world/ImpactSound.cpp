#include "world/ImpactSound.h"

#include <algorithm>

#include "engine/helpers/VectorHelpers.h"
#include "world/objects/ObjectDescription.h"

namespace {

// The pair sorted by type; the lists keep the contact's order.
struct SortedPair {
    const ImpactParty* platform = nullptr;
    const ImpactParty* structure = nullptr;
    const ImpactParty* decors[2] {};
    int decorCount = 0;
    const ImpactParty* vehicles[2] {};
    int vehicleCount = 0;

    void Add(const ImpactParty& party)
    {
        switch (party.type) {
        case GTYPE_PLATFORM: platform = &party; break;
        case GTYPE_STRUCTURE: structure = &party; break;
        case GTYPE_DECORS: decors[decorCount++] = &party; break;
        case GTYPE_VEHICLE: vehicles[vehicleCount++] = &party; break;
        default: break;
        }
    }
};

bool Silent(int typeA, int typeB)
{
    const auto pair = [&](int x, int y) { return (typeA == x && typeB == y) || (typeA == y && typeB == x); };
    return pair(GTYPE_PLATFORM, GTYPE_VEHICLE) || pair(GTYPE_DECORS, GTYPE_DECORS);
}

} // namespace

bool ChooseImpact(const ImpactParty& a, const ImpactParty& b, ImpactChoice* choice)
{
    if (Silent(a.type, b.type))
        return false;
    SortedPair sorted;
    sorted.Add(a);
    sorted.Add(b);

    const auto sounds = [choice, &a](const ImpactParty* sounding, float speed) {
        if (speed <= IMPACT_MIN_SPEED)
            return false;
        choice->sounding = sounding == &a ? 0 : 1;
        choice->volume = std::min(100.0f, std::min(speed, IMPACT_MAX_SPEED) * 0.05f * 200.0f);
        return true;
    };
    const ImpactParty* decor = sorted.decors[0];
    const ImpactParty* vehicle = sorted.vehicles[0];
    if (decor && vehicle && sounds(decor, Vec3Length(decor->velocity - vehicle->velocity) * 0.5f))
        return true;
    if (decor && sorted.platform && sounds(decor, Vec3Length(decor->velocity)))
        return true;
    if (sorted.vehicleCount == 2 && sounds(vehicle, Vec3Length(vehicle->velocity - sorted.vehicles[1]->velocity) * 0.5f))
        return true;
    if (sorted.structure && vehicle && sounds(vehicle, Vec3Length(vehicle->velocity)))
        return true;
    return false;
}
