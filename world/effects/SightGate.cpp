#include "world/effects/SightGate.h"

#include "world/objects/StaticObject.h"

bool OwnerNear(const CStaticObject& owner, float limit, float scooterLimit)
{
    const float reach = owner.objectType == GTYPE_VEHICLE ? scooterLimit : limit;
    return owner.visible && owner.cameraDistance <= reach;
}

bool OwnerInSight(const CStaticObject& owner, float limit, float scooterLimit)
{
    return !owner.HiddenFromCamera() && OwnerNear(owner, limit, scooterLimit);
}
