// A scooter set down over one straight track piece settles over it through the physics world and
// its ground probe from the pads keeps seeing the road, never starting under it. Near the camera
// the hover pads hold it; far from it, with no pads simulated, its body comes to rest on the road.
// A scooter landing hard near the camera sinks its shape into the road for a moment; its probe
// still sees the road and the scooter comes back to rest on its pads.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/race/RaceDataFixture.h"
#include "world/World.h"
#include "world/objects/CollisionQuery.h"
#include "world/scooters/Vehicle.h"

namespace {

constexpr const char* STRAIGHT = "Data/Static/Platforms/01/AH_020_1.obj";
constexpr float FRAME = 1.0f / 60.0f;
constexpr int SETTLE_SECONDS = 30;
constexpr int LANDING_SECONDS = 10;
// Movement of a resting scooter over its last second.
constexpr float REST_MOVEMENT = 0.005f;
// Pads over the road at rest: held by the pads' suspension near the camera, by the body's box
// (whose bottom lies just under the pads) far from it.
constexpr float MIN_REST_PAD_HEIGHT = 0.03f;
constexpr float MAX_REST_PAD_HEIGHT = 0.2f;

// Height of the road under (x, z), probing down from high above.
float RoadHeight(float x, float z)
{
    D3DXVECTOR3 point, normal;
    const D3DXVECTOR3 from(x, 100.0f, z);
    if (!collisionQuery.NearestSegmentHitType8(from, from - D3DXVECTOR3(0, 1, 0), 200.0f, &point, &normal))
        return NAN;
    return point.y;
}

struct HoverCase {
    const char* name;
    D3DXVECTOR3 eyeOffset; // camera eye from the scooter, kept each frame
};

class HoverTest : public RaceDataTest, public ::testing::WithParamInterface<HoverCase> {};

TEST_P(HoverTest, ScooterSettlesOverAStraightPieceWithItsPadsOverTheRoad)
{
    PlacePiece(STRAIGHT, D3DXVECTOR3(0, 0, 0));
    const float road = RoadHeight(0.0f, 50.0f);
    ASSERT_FALSE(std::isnan(road)) << "the probe finds no road on the piece";

    CVehicle* scooter = PlaceScooter(D3DXVECTOR3(0, road + 1.0f, 50.0f));
    ASSERT_NE(scooter, nullptr);
    ASSERT_NE(scooter->body, nullptr);

    float heightSecondAgo = 0.0f;
    for (int frame = 1; frame <= SETTLE_SECONDS * 60; ++frame) {
        Step(FRAME);
        world.eye = scooter->position + GetParam().eyeOffset;
        world.StepPhysics();
        scooter->Update();
        ASSERT_TRUE(scooter->hasGround) << "frame " << frame << ": the probe lost the road";
        ASSERT_GT(scooter->groundDistance, 0.0f) << "frame " << frame << ": the pads sank under the road";
        if (frame == (SETTLE_SECONDS - 1) * 60)
            heightSecondAgo = scooter->position.y;
    }
    EXPECT_TRUE(scooter->groundContacts);
    EXPECT_GT(scooter->groundDistance, MIN_REST_PAD_HEIGHT) << "the pads reached the road";
    EXPECT_LT(scooter->groundDistance, MAX_REST_PAD_HEIGHT);
    EXPECT_NEAR(scooter->position.y, heightSecondAgo, REST_MOVEMENT) << "still sinking";
}

struct LandingCase {
    const char* name;
    float dropHeight;    // over the road at the release
    float downwardSpeed; // given to the body at the release
};

class LandingTest : public RaceDataTest, public ::testing::WithParamInterface<LandingCase> {};

TEST_P(LandingTest, HardLandingNearTheCameraKeepsTheProbeOverTheRoadAndEndsOnThePads)
{
    PlacePiece(STRAIGHT, D3DXVECTOR3(0, 0, 0));
    const float road = RoadHeight(0.0f, 50.0f);
    ASSERT_FALSE(std::isnan(road)) << "the probe finds no road on the piece";

    CVehicle* scooter = PlaceScooter(D3DXVECTOR3(0, road + GetParam().dropHeight, 50.0f));
    ASSERT_NE(scooter, nullptr);
    ASSERT_NE(scooter->body, nullptr);
    scooter->body->setLinearVelocity(btVector3(0, -GetParam().downwardSpeed, 0));

    for (int frame = 1; frame <= LANDING_SECONDS * 60; ++frame) {
        Step(FRAME);
        world.eye = scooter->position + D3DXVECTOR3(0, 3, -8);
        world.StepPhysics();
        scooter->Update();
        ASSERT_TRUE(scooter->hasGround) << "frame " << frame << ": the probe lost the road";
        ASSERT_GT(scooter->groundDistance + scooter->padRadius, 0.0f)
            << "frame " << frame << ": the probe started under the road";
    }
    EXPECT_TRUE(scooter->groundContacts) << "bounced off the road";
    EXPECT_GT(scooter->groundDistance, MIN_REST_PAD_HEIGHT) << "the pads stay under or on the road";
}

INSTANTIATE_TEST_SUITE_P(Landings, LandingTest,
                         ::testing::Values(LandingCase {"DroppedFromTwentyUnits", 20.0f, 0.0f},
                                           LandingCase {"SlammedDownAtFortyPerSecond", 1.0f, 40.0f},
                                           LandingCase {"DroppedFastFromTenUnits", 10.0f, 25.0f}),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(CameraDistances, HoverTest,
                         ::testing::Values(HoverCase {"NearOnItsPads", {0, 3, -8}},
                                           HoverCase {"FarOnItsBody", {0, 3, -80}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
