// A placed scooter's body and hover pads: four pads at the corners under its body with their
// tuning, a body that never sleeps, and the shape and pads switched by the camera distance.
#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include "engine/mesh/MeshContainer.h"
#include "tests/race/RaceDataFixture.h"
#include "world/World.h"
#include "world/scooters/Vehicle.h"

namespace {

using ScooterBodyTest = RaceDataTest;

TEST_F(ScooterBodyTest, PlaceGivesFourPadsUnderTheBodysCornersAndABodyThatNeverSleeps)
{
    CVehicle* scooter = PlaceScooter(D3DXVECTOR3(0, 10, 50));
    ASSERT_NE(scooter, nullptr);
    ASSERT_NE(scooter->raycastVehicle, nullptr);
    const D3DXVECTOR3 h = 0.45f * 0.99f * scooter->mesh->sizes[MESH_GROUP_BODY][0];
    const D3DXVECTOR3 c = scooter->mesh->centres[MESH_GROUP_BODY][0];
    // Front left, front right, rear left, rear right.
    const D3DXVECTOR3 pads[4] = {{c.x - h.x, c.y - h.y, c.z + h.z}, {c.x + h.x, c.y - h.y, c.z + h.z},
                                 {c.x - h.x, c.y - h.y, c.z - h.z}, {c.x + h.x, c.y - h.y, c.z - h.z}};
    ASSERT_EQ(scooter->raycastVehicle->getNumWheels(), 4);
    for (int i = 0; i < 4; ++i) {
        const btWheelInfo& wheel = scooter->raycastVehicle->getWheelInfo(i);
        SCOPED_TRACE(i);
        EXPECT_NEAR(wheel.m_chassisConnectionPointCS.x(), pads[i].x, 1e-4f);
        EXPECT_NEAR(wheel.m_chassisConnectionPointCS.y(), pads[i].y, 1e-4f);
        EXPECT_NEAR(wheel.m_chassisConnectionPointCS.z(), pads[i].z, 1e-4f);
        EXPECT_EQ(wheel.m_wheelDirectionCS, btVector3(0, -1, 0));
        EXPECT_EQ(wheel.m_wheelAxleCS, btVector3(-1, 0, 0));
        EXPECT_FLOAT_EQ(wheel.m_suspensionRestLength1, scooter->padRadius * 0.5f);
        EXPECT_FLOAT_EQ(wheel.m_wheelsRadius, scooter->padRadius);
        EXPECT_FLOAT_EQ(wheel.m_rollInfluence, 10.1f);
        EXPECT_FLOAT_EQ(wheel.m_suspensionStiffness, 0.1f);
        EXPECT_FLOAT_EQ(wheel.m_wheelsDampingCompression, 6.83f);
        EXPECT_FLOAT_EQ(wheel.m_wheelsDampingRelaxation, 0.03f);
        EXPECT_FLOAT_EQ(wheel.m_maxSuspensionTravelCm, 100.0f);
        EXPECT_FLOAT_EQ(wheel.m_frictionSlip, 0.0f);
    }
    const D3DXVECTOR3 padMean = 0.25f * (pads[0] + pads[1] + pads[2] + pads[3]);
    EXPECT_NEAR(scooter->padCentre.y, padMean.y, 1e-4f);
    EXPECT_NEAR(scooter->padCentre.z, padMean.z, 1e-4f);

    const btRigidBody& body = *scooter->body;
    EXPECT_FLOAT_EQ(body.getInvMass(), 1.0f / scooter->handling) << "the mass is the handling";
    btVector3 inertia;
    scooter->mesh->primitiveShape->Shape().calculateLocalInertia(10.0f * scooter->handling, inertia);
    EXPECT_NEAR(body.getInvInertiaDiagLocal().y(), 1.0f / inertia.y(), 1e-9f) << "ten times the mass, primitive shape";
    EXPECT_FLOAT_EQ(body.getLinearDamping(), 0.0f);
    EXPECT_FLOAT_EQ(body.getAngularDamping(), 0.5f);
    EXPECT_FLOAT_EQ(body.getFriction(), 0.0f);
    EXPECT_FLOAT_EQ(body.getRestitution(), 0.0f);
    EXPECT_EQ(body.getActivationState(), DISABLE_DEACTIVATION);
    EXPECT_EQ(body.getUserPointer(), static_cast<CStaticObject*>(scooter));
}

// Within 20 of the eye the body takes its primitive shape, beyond it the box; within 40 its pads
// are simulated.
TEST_F(ScooterBodyTest, ShapeAndPadsFollowTheCameraDistance)
{
    CVehicle* scooter = PlaceScooter(D3DXVECTOR3(0, 10, 50));
    ASSERT_NE(scooter, nullptr);
    struct Case {
        float distance;
        bool primitive, pads;
    };
    const Case cases[] = {{15.0f, true, true}, {30.0f, false, true}, {50.0f, false, false}, {19.0f, true, true}};
    scooter->Update(); // its centre in the world
    for (const Case& c : cases) {
        world.eye = scooter->worldCentre - D3DXVECTOR3(0, 0, c.distance + scooter->radius);
        scooter->Update();
        EXPECT_NEAR(scooter->cameraDistance, c.distance, 0.5f);
        EXPECT_EQ(scooter->body->getCollisionShape() == &scooter->mesh->primitiveShape->Shape(), c.primitive)
            << c.distance;
        EXPECT_EQ(scooter->inWorld, c.pads ? 1 : 0) << c.distance;
    }
}

} // namespace
