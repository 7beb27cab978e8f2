#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <memory>

#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "world/World.h"

namespace {

// A sphere dropped 2 units above a ground box, both without game objects.
class PhysicsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(physics.InitPhysics(), 1);
        ground = MakeBody(groundShape, 0.0f, btVector3(0, -1, 0));
        ball = MakeBody(ballShape, 1.0f, btVector3(0, 2.5f, 0));
        gameTimer.gameStep = 0.1f;
        GameSettings[SLOT_DEBUG_MODE] = 0;
        inputState.del = 0;
    }
    void TearDown() override { physics.ReleasePhysics(); }

    std::unique_ptr<btRigidBody> MakeBody(btCollisionShape& shape, float mass, const btVector3& at)
    {
        btVector3 inertia(0, 0, 0);
        if (mass > 0.0f)
            shape.calculateLocalInertia(mass, inertia);
        states.push_back(std::make_unique<btDefaultMotionState>(btTransform(btQuaternion::getIdentity(), at)));
        auto body = std::make_unique<btRigidBody>(mass, states.back().get(), &shape, inertia);
        physics.dynamicsWorld->addRigidBody(body.get());
        return body;
    }

    float BallHeight() const { return ball->getWorldTransform().getOrigin().y(); }

    CWorld physics;
    btBoxShape groundShape {btVector3(50, 1, 50)};
    btSphereShape ballShape {0.5f};
    std::vector<std::unique_ptr<btDefaultMotionState>> states;
    std::unique_ptr<btRigidBody> ground, ball;
};

TEST_F(PhysicsTest, SetUpGivesTheWorldItsGravityAndRaycaster)
{
    EXPECT_EQ(physics.dynamicsWorld->getGravity(), btVector3(0, -10, 0));
    EXPECT_NE(physics.vehicleRaycaster, nullptr);
    EXPECT_EQ(physics.dynamicsWorld->getNumCollisionObjects(), 2);
}

TEST_F(PhysicsTest, StepsFallOntoTheGroundAndTouchedManifoldsAreCleared)
{
    for (int frame = 0; frame < 30; ++frame)
        physics.StepPhysics();
    EXPECT_NEAR(BallHeight(), 0.5f, 0.1f);
    ASSERT_GT(physics.manifoldCount, 0);
    for (int i = 0; i < physics.dispatcher->getNumManifolds(); ++i)
        EXPECT_EQ(physics.dispatcher->getManifoldByIndexInternal(i)->getNumContacts(), 0);
}

// A frame of 0.11 s runs six fixed steps of 1/60 s: the free fall after n steps of h under
// gravity 10 is 10 h^2 n (n + 1) / 2.
TEST_F(PhysicsTest, AFrameRunsWholeSixtiethsOfASecond)
{
    gameTimer.gameStep = 0.11f;
    physics.StepPhysics();
    const float h = 1.0f / 60.0f;
    EXPECT_NEAR(BallHeight(), 2.5f - 10.0f * h * h * 21.0f, 1e-4f);
}

TEST_F(PhysicsTest, DeleteHeldInDebugModeFreezesTheBodies)
{
    GameSettings[SLOT_DEBUG_MODE] = 1;
    inputState.del = 1;
    physics.StepPhysics();
    EXPECT_FLOAT_EQ(BallHeight(), 2.5f);
    inputState.del = 0;
    physics.StepPhysics();
    EXPECT_LT(BallHeight(), 2.5f);
}

TEST_F(PhysicsTest, ClearingLeavesNoCollisionObjectsAndReleaseNullsEveryPart)
{
    physics.RemoveCollisionObjects();
    EXPECT_EQ(physics.dynamicsWorld->getNumCollisionObjects(), 0);
    physics.ReleasePhysics();
    EXPECT_EQ(physics.dynamicsWorld, nullptr);
    EXPECT_EQ(physics.dispatcher, nullptr);
    EXPECT_EQ(physics.broadphase, nullptr);
    EXPECT_EQ(physics.collisionConfiguration, nullptr);
}

} // namespace
