#include "world/effects/SurfaceGate.h"

#include "world/World.h"
#include "world/objects/StaticObject.h"

bool SurfaceLayerInSight(const CStaticObject& owner, float limit, float scooterLimit)
{
    if (!world.activeCamera || owner.HiddenFromCamera())
        return false;
    return owner.cameraDistance <= (owner.objectType == GTYPE_VEHICLE ? scooterLimit : limit);
}
