// One step of a scooter's hover over a straight piece: the fall slowed near the road, the lift
// within the pads' reach, the pull down above it, the fall off the course and the time away from
// the road.
#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <memory>

#include "engine/shell/GameTimer.h"
#include "tests/track/TrackFixture.h"
#include "world/scooters/Vehicle.h"

namespace {

constexpr const char* STRAIGHT = "Data/Static/Platforms/01/AH_020_1.obj";
constexpr float DT = 0.02f;

// A free body facing +z whose pads sit at its origin, over the road (y 0) at z 50 or beside the piece.
class HoverRulesTest : public TrackTest {
protected:
    void SetUp() override
    {
        TrackTest::SetUp();
        Place(STRAIGHT, D3DXVECTOR3(0, 0, 0));
        gameTimer.gameStep = DT;
        shape = std::make_unique<btBoxShape>(btVector3(1, 1, 1));
        scooter.body = std::make_unique<btRigidBody>(700.0f, nullptr, shape.get(), btVector3(1, 1, 1));
        scooter.padCentre = D3DXVECTOR3(0, 0, 0);
        scooter.padRadius = 0.5f;
        scooter.raceState = RACE_STATE_RACING;
    }
    void TearDown() override
    {
        scooter.body.reset();
        TrackTest::TearDown();
    }

    float RiseAfter(float x, float height, float rise)
    {
        scooter.body->setWorldTransform(btTransform(btQuaternion::getIdentity(), btVector3(x, height, 50)));
        scooter.body->setLinearVelocity(btVector3(0, rise, 0));
        scooter.UpdateGroundAndHover();
        return scooter.body->getLinearVelocity().y();
    }

    std::unique_ptr<btBoxShape> shape;
    CVehicle scooter;
};

TEST_F(HoverRulesTest, TheRoadSlowsAFallLiftsWithinTwoAndPullsDownAboveIt)
{
    const float slow = 1.0f - 2.0f * DT; // a fall keeps this much per threshold passed (8, 4, 1)
    struct Case {
        const char* name;
        float height, rise;
        float riseAfter;
        int contact;
    };
    const Case cases[] = {
        {"falling at 1", 1.0f, -10.0f, -10.0f * slow * slow * slow + 0.5f * DT * 10.0f, 1},
        {"falling at 1.5", 1.5f, -10.0f, -10.0f * slow * slow + 0.25f * DT * 10.0f, 1},
        {"falling at 3", 3.0f, -10.0f, -10.0f * slow * slow - 27.0f / 30.0f * 50.0f * DT, 0},
        {"falling at 10", 10.0f, -5.0f, -5.0f - 20.0f / 30.0f * 50.0f * DT, 0},
        {"rising at 6", 6.0f, 2.0f, (2.0f - 24.0f / 30.0f * 50.0f * DT) * (1.0f - 10.0f * DT), 0},
        {"rising at 1.5 on the pads", 1.5f, 2.0f, 2.0f + 0.25f * DT * 10.0f, 1},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(RiseAfter(0.0f, c.height, c.rise), c.riseAfter, 1e-3f) << c.name;
        EXPECT_EQ(scooter.hasGround, 1) << c.name;
        EXPECT_EQ(scooter.groundContacts, c.contact) << c.name;
        EXPECT_NEAR(scooter.groundDistance, c.height, 1e-3f) << c.name;
    }
}

TEST_F(HoverRulesTest, OffTheCourseThePlayerFallsFasterThanTheComputer)
{
    for (int driver : {DRIVER_PLAYER, DRIVER_COMPUTER}) {
        scooter.driver = driver;
        EXPECT_NEAR(RiseAfter(500.0f, 1.0f, 0.0f), driver == DRIVER_PLAYER ? -20.0f * DT : -15.0f * DT, 1e-5f);
        EXPECT_EQ(scooter.hasGround, 0);
        EXPECT_FLOAT_EQ(scooter.groundDistance, 30.0f);
    }
}

TEST_F(HoverRulesTest, TheTimeOffTheRoadGrowsWithoutContactWhileRacingOnly)
{
    RiseAfter(0.0f, 3.0f, 0.0f);  // over the road, out of the pads' reach
    RiseAfter(500.0f, 1.0f, 0.0f); // beside the piece
    EXPECT_FLOAT_EQ(scooter.offRoadTime, 2.0f * DT);
    RiseAfter(0.0f, 1.0f, 0.0f);
    EXPECT_FLOAT_EQ(scooter.offRoadTime, 0.0f) << "on the pads";
    for (const int state : {RACE_STATE_GRID, RACE_STATE_FALLEN}) {
        scooter.raceState = RACE_STATE_RACING;
        RiseAfter(500.0f, 1.0f, 0.0f);
        scooter.raceState = state;
        RiseAfter(500.0f, 1.0f, 0.0f);
        EXPECT_FLOAT_EQ(scooter.offRoadTime, 0.0f) << "not racing, state " << state;
    }
}

} // namespace
