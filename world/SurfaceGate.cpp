#include "world/SurfaceGate.h"

#include "world/StaticObject.h"
#include "world/World.h"

bool SurfaceLayerInSight(const CStaticObject& owner, float limit, float scooterLimit)
{
    if (!world.activeCamera || owner.HiddenFromCamera())
        return false;
    return owner.cameraDistance <= (owner.objectType == GTYPE_VEHICLE ? scooterLimit : limit);
}
