#include <btBulletDynamicsCommon.h>

#include "engine/helpers/VectorHelpers.h"
#include "world/BodyPlacement.h"
#include "world/World.h"
#include "world/objects/StaticObject.h"

namespace {

D3DXVECTOR3 Row(const D3DXMATRIX& m, int row) { return D3DXVECTOR3(m.m[row][0], m.m[row][1], m.m[row][2]); }

} // namespace

void CStaticObject::CreatePhysics(float bodyMass, const D3DXVECTOR3& position, const D3DXVECTOR3& target,
                                  const D3DXVECTOR3& up)
{
    D3DXVECTOR3 from = position, to = target, upward = up;
    if (bodyMass == -1.0f) {
        from = Row(placement, 3);
        to = from + Row(placement, 2) * 100.0f;
        upward = Row(placement, 1);
        bodyMass = mass;
    }
    mass = bodyMass;

    if (!body) {
        if (!mesh)
            return;
        btCollisionShape* shape = nullptr;
        btVector3 inertia(0, 0, 0);
        if (objectType == GTYPE_DECORS) {
            mesh->BuildCollisionShapes();
            // A mesh without physics boxes or spheres falls back to its body box.
            OwningCompoundShape& compound = mesh->primitiveShape->Shape().getNumChildShapes() > 0 ? *mesh->primitiveShape
                                                                                                  : *mesh->bodyBoxShape;
            shape = &compound.Shape();
            if (mass != 0.0f)
                shape->calculateLocalInertia(mass, inertia);
        } else {
            mesh->BuildTriangleMeshShape();
            if (!mesh->triangleMeshShape)
                return; // no collision group: nothing to collide with
            shape = &mesh->triangleMeshShape->Shape();
        }
        motionState = std::make_unique<btDefaultMotionState>(StartTransform(from, to, upward));
        body = std::make_unique<btRigidBody>(
            btRigidBody::btRigidBodyConstructionInfo(mass, motionState.get(), shape, inertia));
        body->setUserPointer(this);
        if (objectType != GTYPE_DECORS && ::world.dynamicsWorld)
            ::world.dynamicsWorld->addRigidBody(body.get());
    } else {
        const btTransform start = motionState->m_startWorldTrans;
        motionState->m_graphicsWorldTrans = start;
        body->setWorldTransform(start);
        body->setInterpolationWorldTransform(start);
        if (::world.dynamicsWorld && body->getBroadphaseHandle()) {
            ::world.dynamicsWorld->getBroadphase()->getOverlappingPairCache()->cleanProxyFromPairs(
                body->getBroadphaseHandle(), ::world.dynamicsWorld->getDispatcher());
        }
    }

    body->setDeactivationTime(0.8f);
    body->setFriction(0.5f);
    body->setRestitution(0.0f);
    body->setHitFraction(1.0f);
    body->setSleepingThresholds(1.6f, 2.5f);
    body->setActivationState(ISLAND_SLEEPING);
    body->forceActivationState(ISLAND_SLEEPING);
    switch (objectType) {
    case GTYPE_PLATFORM:
        body->setFriction(0.25f);
        [[fallthrough]];
    case GTYPE_STRUCTURE:
        body->setCollisionFlags(body->getCollisionFlags() | btCollisionObject::CF_STATIC_OBJECT);
        body->forceActivationState(DISABLE_SIMULATION);
        break;
    case GTYPE_DECORS:
        body->setFriction(0.5f);
        body->setDamping(0.5f, 0.85f);
        body->setLinearVelocity(btVector3(0, 0, 0));
        body->setAngularVelocity(btVector3(0, 0, 0));
        break;
    default: break;
    }
}

void CStaticObject::RemoveBody()
{
    if (body && ::world.dynamicsWorld && body->isInWorld())
        ::world.dynamicsWorld->removeRigidBody(body.get());
    body.reset();
    motionState.reset();
}
