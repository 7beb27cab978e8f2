// The physics world: set-up, the step of each frame and tear-down.
#include <btBulletDynamicsCommon.h>

#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "world/World.h"

namespace {

constexpr int POOL_SIZE = 4096;
constexpr float WORLD_EXTENT = 10000.0f;
constexpr unsigned short MAX_HANDLES = 4096;
constexpr int MAX_SUBSTEPS = 100;
constexpr float FIXED_STEP = 1.0f / 60.0f;

} // namespace

int CWorld::InitPhysics()
{
    btDefaultCollisionConstructionInfo info;
    info.m_persistentManifoldPool = nullptr;
    info.m_collisionAlgorithmPool = nullptr;
    info.m_defaultMaxPersistentManifoldPoolSize = POOL_SIZE;
    info.m_defaultMaxCollisionAlgorithmPoolSize = POOL_SIZE;
    info.m_customCollisionAlgorithmMaxElementSize = 0;
    info.m_useEpaPenetrationAlgorithm = 1;
    collisionConfiguration = new btDefaultCollisionConfiguration(info);

    const btVector3 worldMin(-WORLD_EXTENT, -WORLD_EXTENT, -WORLD_EXTENT);
    const btVector3 worldMax(WORLD_EXTENT, WORLD_EXTENT, WORLD_EXTENT);
    broadphase = new btAxisSweep3(worldMin, worldMax, MAX_HANDLES, nullptr, false);
    dispatcher = new btCollisionDispatcher(collisionConfiguration);
    solver = new btSequentialImpulseConstraintSolver;
    dynamicsWorld = new btDiscreteDynamicsWorld(dispatcher, broadphase, solver, collisionConfiguration);
    vehicleRaycaster = new btDefaultVehicleRaycaster(dynamicsWorld);
    dynamicsWorld->setGravity(btVector3(0.0f, -10.0f, 0.0f));
    return 1;
}

void CWorld::StepPhysics()
{
    // In debug mode physics stands still while Delete is held.
    if (GameSettings[SLOT_DEBUG_MODE] && inputState.del)
        return;
    dynamicsWorld->stepSimulation(gameTimer.gameStep, MAX_SUBSTEPS, FIXED_STEP);
    ProcessContacts();
}

// The bodies belong to the objects that made them (each deletes its own when it is released);
// here they only leave the simulation.
void CWorld::RemoveCollisionObjects()
{
    if (!dynamicsWorld)
        return;
    for (int i = dynamicsWorld->getNumCollisionObjects() - 1; i >= 0; --i)
        dynamicsWorld->removeCollisionObject(dynamicsWorld->getCollisionObjectArray()[i]);
}

void CWorld::ReleasePhysics()
{
    RemoveCollisionObjects();
    delete vehicleRaycaster;
    vehicleRaycaster = nullptr;
    delete dynamicsWorld;
    dynamicsWorld = nullptr;
    delete solver;
    solver = nullptr;
    delete dispatcher;
    dispatcher = nullptr;
    delete broadphase;
    broadphase = nullptr;
    delete collisionConfiguration;
    collisionConfiguration = nullptr;
}
