// Impact sounds from the contact manifolds of the last physics step.
#include <btBulletDynamicsCommon.h>

#include "audio/AudioManager.h"
#include "engine/shell/GameTimer.h"
#include "world/ImpactSound.h"
#include "world/World.h"
#include "world/objects/ObjectDescription.h"
#include "world/scooters/Vehicle.h"

namespace {

CStaticObject* ObjectOf(const btCollisionObject* body)
{
    return static_cast<CStaticObject*>(body->getUserPointer());
}

// A scooter keeps its working velocity as a sound owner; other objects in the static object.
ImpactParty PartyOf(const CStaticObject* object)
{
    if (object->objectType == GTYPE_VEHICLE)
        return {GTYPE_VEHICLE, static_cast<const CVehicle*>(object)->velocity};
    return {object->objectType, object->linearVelocity};
}

std::uint32_t LastImpactTime(const CStaticObject* object)
{
    if (object->objectType == GTYPE_VEHICLE)
        return static_cast<const CVehicle*>(object)->lastImpactTime;
    return object->lastContactSoundTime;
}

} // namespace

// A scooter is its own sound owner; any other object sounds through one of the scene owners,
// which takes the object's position, speed and last impact and hands the new stamp back.
void CWorld::PlayImpactAt(CStaticObject* object, float volume)
{
    if (object->objectType == GTYPE_VEHICLE) {
        audioManager.PlayImpact(volume, static_cast<EngineSoundOwner*>(static_cast<CVehicle*>(object)));
        return;
    }
    SoundOwner* owner = sceneImpactOwners.Next();
    owner->position = object->worldCentre;
    owner->velocity = object->linearVelocity;
    owner->cameraDistance = object->cameraDistance;
    owner->lastImpactTime = object->lastContactSoundTime;
    audioManager.PlayImpact(volume, owner);
    object->lastContactSoundTime = owner->lastImpactTime;
}

void CWorld::ProcessContacts()
{
    manifoldCount = dispatcher->getNumManifolds();
    for (int i = 0; i < manifoldCount; ++i) {
        btPersistentManifold* manifold = dispatcher->getManifoldByIndexInternal(i);
        if (manifold->getNumContacts() == 0)
            continue;
        manifold->clearManifold();
        CStaticObject* objects[2] = {ObjectOf(manifold->getBody0()), ObjectOf(manifold->getBody1())};
        // Every body the game makes carries its object; any other takes no part in the sounds.
        if (!objects[0] || !objects[1])
            continue;
        ImpactChoice choice;
        if (!ChooseImpact(PartyOf(objects[0]), PartyOf(objects[1]), &choice))
            continue;
        CStaticObject* sounding = objects[choice.sounding];
        if (gameTimer.SecondsSince(LastImpactTime(sounding)) > IMPACT_QUIET_SECONDS)
            PlayImpactAt(sounding, choice.volume);
    }
}
