// One step of the scooter's controls on a free body in the air, facing +z, at 50 frames a
// second: throttle, braking, the push, the heading, the steering and the player's motion blur.
#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <cmath>
#include <memory>

#include "engine/render/D3DRender.h"
#include "tests/scooters/FreePlayerBody.h"
#include "tests/scooters/StraightTrack.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"

namespace {

constexpr float DT = 0.02f;
// Handling 700: k = sqrt(7); a braking step is 25 dt / k.
const float BRAKE_STEP = 25.0f * DT / std::sqrt(7.0f);

class ControlRulesTest : public StraightTrackTest {
protected:
    void SetUp() override
    {
        StraightTrackTest::SetUp();
        Step(DT);
        shape = GiveFreePlayerBody(scooter);
    }
    void TearDown() override
    {
        scooter.body.reset();
        StraightTrackTest::TearDown();
    }

    btVector3 VelocityAfter(int throttle, const btVector3& velocity, float throttleLevel)
    {
        scooter.body->setLinearVelocity(velocity);
        scooter.throttleLevel = throttleLevel;
        scooter.ApplyControls(throttle, 0.0f);
        return scooter.body->getLinearVelocity();
    }

    std::unique_ptr<btBoxShape> shape;
    CVehicle scooter;
};

TEST_F(ControlRulesTest, ThrottleBrakesAndPushesByItsRules)
{
    struct Case {
        const char* name;
        int throttle;
        float speed, level;
        float speedAfter, levelAfter;
    };
    const Case cases[] = {
        {"coasting brakes one step", 0, 10.0f, 0.0f, 10.0f - BRAKE_STEP, 0.0f},
        {"the brake key brakes four", -1, 10.0f, 0.0f, 10.0f - 4.0f * BRAKE_STEP, 0.0f},
        {"a step larger than the speed stops", 0, 0.1f, 0.0f, 0.0f, 0.0f},
        // Level + 3 x power x dt; below the level's share of the top speed the push adds power x dt.
        {"throttle from rest", 1, 0.0f, 0.0f, 0.4f, 1.2f},
        // Above 5 the push weakens by (speed - 5) / top speed.
        {"throttle at 20", 1, 20.0f, 100.0f, 20.0f + 0.4f * (1.0f - 15.0f / 45.0f), 100.0f},
        // Off the throttle the level falls by 2 x power x dt and still pushes while above the speed.
        {"coasting on a high level", 0, 10.0f, 50.0f, 10.0f - BRAKE_STEP + 0.4f * (1.0f - (5.0f - BRAKE_STEP) / 45.0f),
         49.2f},
        {"no push at the level's share", 1, 20.0f, 40.0f, 20.0f, 41.2f},
    };
    for (const Case& c : cases) {
        const btVector3 after = VelocityAfter(c.throttle, btVector3(0, 0, c.speed), c.level);
        EXPECT_NEAR(after.z(), c.speedAfter, 1e-4f) << c.name;
        EXPECT_NEAR(after.x(), 0.0f, 1e-5f) << c.name;
        EXPECT_NEAR(scooter.throttleLevel, c.levelAfter, 1e-4f) << c.name;
    }
}

// A sideways drift turns towards the scooter's heading by weight x speed x dt / k: 20 for the
// player's keys, 40 for the computer.
TEST_F(ControlRulesTest, ADriftTurnsTowardsTheHeadingTwiceAsFastForTheComputer)
{
    for (int driver : {DRIVER_PLAYER, DRIVER_COMPUTER}) {
        scooter.driver = driver;
        const btVector3 after = VelocityAfter(0, btVector3(5, 0, 0), 0.0f);
        const float speed = 5.0f - BRAKE_STEP;
        const float weight = driver == DRIVER_PLAYER ? 20.0f : 40.0f;
        const float pull = weight * speed * DT / std::sqrt(7.0f);
        const float angle = std::atan2(pull, speed);
        EXPECT_NEAR(after.x(), speed * std::cos(angle), 1e-4f) << driver;
        EXPECT_NEAR(after.z(), speed * std::sin(angle), 1e-4f) << driver;
    }
}

// Steering adds 5 dt / k of yaw; steering against the spin takes a tenth of it per 0.01 s away.
TEST_F(ControlRulesTest, SteeringTurnsAndDampsASpinTheOtherWay)
{
    const float turn = 5.0f * DT / std::sqrt(7.0f);
    struct Case {
        float steer, spin, spinAfter;
    };
    const Case cases[] = {{1.0f, 0.0f, turn}, {-1.0f, 0.0f, -turn}, {1.0f, 0.5f, 0.5f + turn},
                          {-1.0f, 0.5f, 0.5f * (1.0f - 10.0f * DT) - turn}, {0.0f, 0.5f, 0.5f}};
    for (const Case& c : cases) {
        scooter.body->setLinearVelocity(btVector3(0, 0, 0));
        scooter.body->setAngularVelocity(btVector3(0, c.spin, 0));
        scooter.ApplyControls(0, c.steer);
        EXPECT_NEAR(scooter.body->getAngularVelocity().y(), c.spinAfter, 1e-5f) << c.steer << " " << c.spin;
    }
}

// Above 0.8 of the top speed (36 of 45) the player's blur grows to full at the top speed; the
// autoplay race leaves it to its camera show.
TEST_F(ControlRulesTest, ThePlayersBlurGrowsOverTheLastFifthOfTheTopSpeed)
{
    struct Case {
        float speed;
        int sequence;
        float blur;
    };
    const Case cases[] = {{30.0f, RACE_SEQUENCE_START, 0.0f}, {35.0f, RACE_SEQUENCE_START, 0.0f},
                          {40.0f, RACE_SEQUENCE_START, 4.0f / 9.0f}, {60.0f, RACE_SEQUENCE_START, 1.0f},
                          {40.0f, RACE_SEQUENCE_AUTOPLAY, 0.25f}};
    for (const Case& c : cases) {
        race.sequence = c.sequence;
        d3dRender.blurStrength = 0.25f;
        scooter.body->setLinearVelocity(btVector3(0, 0, c.speed + BRAKE_STEP)); // coasting takes one step off
        scooter.throttleLevel = 0.0f;
        scooter.DrivePlayer();
        EXPECT_NEAR(d3dRender.blurStrength, c.blur, 1e-4f) << c.speed << " in sequence " << c.sequence;
    }
    race.sequence = 0;
    d3dRender.blurStrength = 0.0f;
}

} // namespace
