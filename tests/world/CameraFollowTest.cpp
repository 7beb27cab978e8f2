// The camera's follow modes: the chase offsets and how fast they are reached, looking back,
// switching modes, watching and the fly-to, observed through the eye and the look-at point.
#include <algorithm>
#include <cmath>
#include <ostream>

#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "tests/world/CameraFixture.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"

namespace {

D3DXVECTOR3 Row(const D3DXMATRIX& m, int row) { return D3DXVECTOR3(m.m[row][0], m.m[row][1], m.m[row][2]); }

void ExpectNear(const D3DXVECTOR3& actual, const D3DXVECTOR3& expected, const char* what, float tolerance = 1e-3f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
    EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
    EXPECT_NEAR(actual.z, expected.z, tolerance) << what;
}

// A scooter tilted and turned (so that its up row is not the world's), away from the origin.
class CameraFollowTest : public CameraTest {
protected:
    void SetUp() override
    {
        CameraTest::SetUp();
        D3DXMatrixRotationYawPitchRoll(&scooter.world, 0.6f, 0.3f, 0.2f);
        scooter.world.m[3][0] = 40.0f;
        scooter.world.m[3][1] = 12.0f;
        scooter.world.m[3][2] = 90.0f;
        scooter.topSpeed = 60.0f;
        scooter.speed = 0.0f;
        gameTimer.realStep = 0.02f;
        gameTimer.realTime = 10000;
        GameSettings[SLOT_DEBUG_MODE] = 0;
        std::fill(std::begin(actionPressed), std::end(actionPressed), 0);
        playerVehicle = nullptr;
    }
    void TearDown() override
    {
        std::fill(std::begin(actionPressed), std::end(actionPressed), 0);
        playerVehicle = nullptr;
    }

    D3DXVECTOR3 Position() const { return Row(scooter.world, 3); }
    D3DXVECTOR3 Up() const { return Row(scooter.world, 1); }
    D3DXVECTOR3 Forward() const { return Row(scooter.world, 2); }
    // Eye or look-at point at u along the scooter's up row and f along its forward row.
    D3DXVECTOR3 Beside(float u, float f) const { return Position() + Up() * u + Forward() * f; }

    CVehicle scooter;
};

struct ChaseCase {
    const char* name;
    int mode;
    float speed; // of a top speed of 60
    float eyeUp, eyeForward, lookUp, lookForward;
};

void PrintTo(const ChaseCase& c, std::ostream* os) { *os << c.name; }

class ChaseOffsetTest : public CameraFollowTest, public ::testing::WithParamInterface<ChaseCase> {};

TEST_P(ChaseOffsetTest, SnappedChaseSitsAboveAndBehindByModeAndSpeed)
{
    const ChaseCase& c = GetParam();
    scooter.speed = c.speed;
    camera.SetMode(c.mode, &scooter);
    camera.SnapToTarget();
    camera.Update();
    ExpectNear(camera.eye, Beside(c.eyeUp, c.eyeForward), "eye");
    ExpectNear(camera.lookAt, Beside(c.lookUp, c.lookForward), "look-at");
    ExpectNear(camera.up, Up(), "up");
}

INSTANTIATE_TEST_SUITE_P(
    Camera, ChaseOffsetTest,
    ::testing::Values(ChaseCase {"NearAtRest", CAMERA_NEAR_CHASE, 0.0f, 3.75f, -5.0f, 1.6665f, 5.0f},
                      ChaseCase {"FarAtRest", CAMERA_FAR_CHASE, 0.0f, 7.5f, -10.0f, 3.333f, 10.0f},
                      ChaseCase {"NearAtHalfSpeed", CAMERA_NEAR_CHASE, 30.0f, 3.75f, -6.25f, 1.6665f, 3.75f},
                      ChaseCase {"NearAtTopSpeed", CAMERA_NEAR_CHASE, 60.0f, 3.75f, -7.5f, 1.6665f, 2.5f},
                      ChaseCase {"NearAboveTopSpeedIsCapped", CAMERA_NEAR_CHASE, 120.0f, 3.75f, -7.5f, 1.6665f, 2.5f}),
    [](const ::testing::TestParamInfo<ChaseCase>& info) { return std::string(info.param.name); });

// The offsets close the gap by (speed x 0.1 + 1) x real step per frame; here 10 % and 20 %.
TEST_F(CameraFollowTest, ChaseClosesTheGapFasterWithSpeed)
{
    const D3DXVECTOR3 lift(0.0f, 10.0f, 0.0f);
    const float speeds[] = {0.0f, 10.0f};
    const float closed[] = {0.1f, 0.2f};
    scooter.topSpeed = 1e9f; // the wanted offsets stay those of rest
    for (int i = 0; i < 2; ++i) {
        scooter.speed = speeds[i];
        camera.SetPosition(Beside(3.75f, -5.0f) + lift, Beside(1.6665f, 5.0f), Up());
        camera.SetMode(CAMERA_NEAR_CHASE, &scooter);
        gameTimer.realStep = 0.1f;
        camera.Update();
        ExpectNear(camera.eye, Beside(3.75f, -5.0f) + lift * (1.0f - closed[i]), "eye");
        ExpectNear(camera.lookAt, Beside(1.6665f, 5.0f), "look-at");
    }
}

TEST_F(CameraFollowTest, KeyBLooksFromTheFrontForItsFramesOnly)
{
    camera.SetMode(CAMERA_NEAR_CHASE, &scooter);
    camera.SnapToTarget();
    actionPressed[ACTION_CAMERA_B] = 1;
    camera.Update();
    ExpectNear(camera.eye, Beside(3.75f, 5.0f), "eye in front");
    ExpectNear(camera.lookAt, Beside(1.6665f, -5.0f), "looking back at the scooter");
    actionPressed[ACTION_CAMERA_B] = 0;
    camera.Update();
    ExpectNear(camera.eye, Beside(3.75f, -5.0f), "behind again");
}

TEST_F(CameraFollowTest, WithoutAPlayersScooterTheChaseStaysPut)
{
    camera.mode = CAMERA_NEAR_CHASE;
    camera.Update();
    ExpectNear(camera.eye, {0, 0, 0}, "eye");
    ExpectNear(camera.lookAt, {0, 0, 10}, "look-at");
}

TEST_F(CameraFollowTest, KeyCStepsThroughTheModesAndSkipsDebugFlightOutsideDebugMode)
{
    struct Case {
        int debug;
        int start;
        int sequence[3];
    };
    const Case cases[] = {
        {0, CAMERA_FROM_SCOOTER, {CAMERA_NEAR_CHASE, CAMERA_FROM_SCOOTER, CAMERA_NEAR_CHASE}},
        {1, CAMERA_DEBUG_FLIGHT, {CAMERA_FROM_SCOOTER, CAMERA_NEAR_CHASE, CAMERA_DEBUG_FLIGHT}},
    };
    playerVehicle = &scooter;
    for (const Case& c : cases) {
        GameSettings[SLOT_DEBUG_MODE] = c.debug;
        camera.SetMode(c.start, nullptr);
        for (int expected : c.sequence) {
            const int before = camera.mode;
            actionPressed[ACTION_CAMERA_C] = 1;
            camera.Update();
            EXPECT_EQ(camera.mode, expected) << "debug " << c.debug << " from " << before;
            EXPECT_EQ(camera.previousMode, before);
            EXPECT_EQ(actionPressed[ACTION_CAMERA_C], 0);
            if (expected != CAMERA_DEBUG_FLIGHT) {
                EXPECT_EQ(camera.target, &scooter);
            }
        }
    }
    GameSettings[SLOT_DEBUG_MODE] = 0;
}

// The fall camera remembers the chase it interrupts; a mode without an object does not.
TEST_F(CameraFollowTest, OnlyAModeWithAnObjectRemembersThePreviousMode)
{
    camera.SetMode(CAMERA_FAR_CHASE, &scooter);
    camera.SetMode(CAMERA_WATCHING, &scooter);
    EXPECT_EQ(camera.previousMode, CAMERA_FAR_CHASE);
    camera.SetMode(CAMERA_WATCHING, nullptr);
    EXPECT_EQ(camera.previousMode, CAMERA_FAR_CHASE);
    EXPECT_EQ(camera.target, nullptr);
}

TEST_F(CameraFollowTest, WatchingKeepsTheEyeAndLooksAtTheScooter)
{
    camera.SetPosition({5, 50, 5}, {0, 0, 10}, {0, 1, 0});
    camera.SetMode(CAMERA_WATCHING, &scooter);
    camera.Update();
    ExpectNear(camera.eye, {5, 50, 5}, "eye");
    ExpectNear(camera.lookAt, Position(), "look-at");
}

// Rate 0.5 about +y: a quarter turn after pi seconds, so a full circle takes 4 pi seconds.
TEST_F(CameraFollowTest, OrbitTurnsTheOffsetAboutItsAxisAtItsRate)
{
    camera.SetMode(CAMERA_FLY_TO, &scooter);
    const D3DXVECTOR3 offset(10.0f, 5.0f, 0.0f);
    const D3DXVECTOR3 axis(0.0f, 1.0f, 0.0f);
    camera.StartFlyTo(&offset, nullptr, 0.0f, &axis, 0.5f, 1);
    gameTimer.realStep = D3DX_PI;
    camera.Update();
    ExpectNear(camera.eye, Position() + D3DXVECTOR3(0.0f, 5.0f, -10.0f), "a quarter turn");
    ExpectNear(camera.lookAt, Position(), "look-at");
    camera.Update();
    ExpectNear(camera.eye, Position() + D3DXVECTOR3(-10.0f, 5.0f, 0.0f), "half a turn");
}

TEST_F(CameraFollowTest, FlyToEasesAlongACosineAndThenHolds)
{
    const D3DXVECTOR3 destination(100.0f, 20.0f, 0.0f);
    const D3DXVECTOR3 lookAt(100.0f, 0.0f, 50.0f);
    camera.StartFlyTo(&destination, &lookAt, 2.0f, nullptr, 0.0f, 0);
    EXPECT_EQ(camera.mode, CAMERA_FLY_TO);
    struct Step {
        unsigned milliseconds;
        float share; // of the way
    };
    // (1 - cos(pi t / 2)) / 2 at t = 0.5, 1 and 2 s; then the flight holds its end.
    const Step steps[] = {{500, 0.1464466f}, {1000, 0.5f}, {2000, 1.0f}, {3000, 1.0f}};
    const unsigned start = gameTimer.realTime;
    for (const Step& s : steps) {
        gameTimer.realTime = start + s.milliseconds;
        camera.Update();
        ExpectNear(camera.eye, destination * s.share, "eye");
        ExpectNear(camera.lookAt, D3DXVECTOR3(0, 0, 10) + (lookAt - D3DXVECTOR3(0, 0, 10)) * s.share, "look-at");
    }
    EXPECT_EQ(camera.flyDuration, 0.0f);
}

// Debug flight at 50 units a second of real time along the view's axes; the look-at moves along.
TEST_F(CameraFollowTest, DebugFlightMovesFiftyUnitsASecondAlongTheView)
{
    struct Case {
        const char* name;
        bool left, right, up, down, shift;
        D3DXVECTOR3 move; // in 0.1 s, for a camera looking along +z
    };
    const Case cases[] = {
        {"left", true, false, false, false, false, {-5, 0, 0}},  {"right", false, true, false, false, false, {5, 0, 0}},
        {"forward", false, false, true, false, false, {0, 0, 5}}, {"back", false, false, false, true, false, {0, 0, -5}},
        {"climb", false, false, true, false, true, {0, 5, 0}},
    };
    mouseState = {};
    for (const Case& c : cases) {
        camera.SetPosition({0, 0, 0}, {0, 0, 10}, {0, 1, 0});
        camera.SetMode(CAMERA_DEBUG_FLIGHT, nullptr);
        inputState = {};
        inputState.left = c.left;
        inputState.right = c.right;
        inputState.up = c.up;
        inputState.down = c.down;
        inputState.shift = c.shift;
        gameTimer.realStep = 0.1f;
        camera.Update();
        ExpectNear(camera.eye, c.move, c.name);
        ExpectNear(camera.lookAt, c.move + D3DXVECTOR3(0, 0, 10), c.name);
    }
    inputState = {};
}

} // namespace
