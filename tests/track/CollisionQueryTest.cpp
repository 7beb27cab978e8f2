// Collision queries over a small placed scene: a straight piece with a box on it and a tower.
#include <gtest/gtest.h>

#include "engine/helpers/VectorHelpers.h"
#include "tests/track/TrackFixture.h"
#include "world/objects/CollisionQuery.h"
#include "world/objects/ObjectManager.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"

namespace {

constexpr const char* BOX = "Data/Static/Decors/Boxes/Main01.obj";
constexpr const char* TOWER = "Data/Static/Structures/01/Main01.obj";
constexpr const char* STRAIGHT = "Data/Static/Platforms/01/AH_020_1.obj";

class CollisionQueryTest : public TrackTest {
protected:
    void SetUp() override
    {
        TrackTest::SetUp();
        sky = Place(BOX, D3DXVECTOR3(0, 500, 0)); // index 0: passed over by the segment queries
        road = Place(STRAIGHT, D3DXVECTOR3(0, 0, 0));
        box = Place(BOX, D3DXVECTOR3(0, 1.65f, 50));
        nearTower = Place(TOWER, D3DXVECTOR3(0, 0, 200));
        farTower = Place(TOWER, D3DXVECTOR3(0, 0, 300));
    }

    CSceneObject *sky = nullptr, *road = nullptr, *box = nullptr, *nearTower = nullptr, *farTower = nullptr;
};

TEST_F(CollisionQueryTest, NearestSegmentHitIsTheNearerObject)
{
    D3DXVECTOR3 hit;
    // From beyond the far tower back towards the origin: the far one is met first on the way
    // but both are on the line; mode 1 names the one nearer to the origin of the segment.
    ASSERT_EQ(collisionQuery.SegmentTest(D3DXVECTOR3(0, 10, 400), D3DXVECTOR3(0, 10, 150), &hit, 1), 1);
    EXPECT_EQ(collisionQuery.hitObject, farTower);
    EXPECT_NEAR(hit.z, 306.0f, 0.1f);
    ASSERT_EQ(collisionQuery.SegmentTest(D3DXVECTOR3(0, 10, 150), D3DXVECTOR3(0, 10, 400), &hit, 1), 1);
    EXPECT_EQ(collisionQuery.hitObject, nearTower);
    EXPECT_NEAR(hit.z, 194.0f, 0.1f);
    EXPECT_EQ(collisionQuery.hitType, GTYPE_STRUCTURE);
}

TEST_F(CollisionQueryTest, TheFirstObjectIsNeverTested)
{
    D3DXVECTOR3 hit;
    // Upwards from between the road and the first object: only the first object is on the ray.
    EXPECT_EQ(collisionQuery.SegmentTest(D3DXVECTOR3(0, 480, 0), D3DXVECTOR3(0, 520, 0), &hit, 0), 0);
    EXPECT_EQ(collisionQuery.hitObject, nullptr);
    // The any-hit queries pass over indices 0 to 2: the box (index 2) is not found.
    EXPECT_EQ(collisionQuery.AnySegmentHit(D3DXVECTOR3(0, 10, 50), D3DXVECTOR3(0, -10, 50), 20, &hit), 0);
}

TEST_F(CollisionQueryTest, GroundProbeSeesOnlyTrackPieces)
{
    D3DXVECTOR3 hit, normal;
    ASSERT_EQ(collisionQuery.NearestSegmentHitType8(D3DXVECTOR3(0, 10, 50), D3DXVECTOR3(0, -10, 50), 20, &hit, &normal), 1);
    EXPECT_NEAR(hit.y, 0.0f, 1e-3f) << "the box standing on the road does not shadow it";
    EXPECT_NEAR(normal.y, 1.0f, 1e-3f);
    EXPECT_EQ(collisionQuery.hitObject, road);
    EXPECT_EQ(collisionQuery.NearestSegmentHitType8(D3DXVECTOR3(50, 10, 50), D3DXVECTOR3(50, -10, 50), 20, &hit, &normal), 0);

    ASSERT_EQ(collisionQuery.NearestHitType8(D3DXVECTOR3(3, 0.5f, 20), 1.0f, &hit, &normal), 1);
    EXPECT_NEAR(hit.y, 0.0f, 1e-3f);
    EXPECT_EQ(collisionQuery.NearestHitType8(D3DXVECTOR3(3, 5, 20), 1.0f, &hit, &normal), 0);
}

TEST_F(CollisionQueryTest, PassesOverPlanetsOfTheFirstKindAndUncollidableObjects)
{
    D3DXVECTOR3 hit;
    nearTower->objectType = GTYPE_PLANET1;
    farTower->collidable = 0;
    EXPECT_EQ(collisionQuery.SegmentTest(D3DXVECTOR3(0, 10, 150), D3DXVECTOR3(0, 10, 400), &hit, 1), 0);
    EXPECT_EQ(collisionQuery.hitObject, nullptr);
}

TEST_F(CollisionQueryTest, ContactOfOverlappingObjects)
{
    CSceneObject* second = Place(BOX, D3DXVECTOR3(1, 1.65f, 50.5f)); // index 5, overlapping box
    D3DXVECTOR3 hit, normal;
    EXPECT_EQ(collisionQuery.AnyContact(box, &hit, &normal), 1);
    EXPECT_EQ(collisionQuery.hitObject, second);
    EXPECT_EQ(collisionQuery.AnyContact(second, &hit, &normal), 0) << "the box at index 2 is not tried, nor itself";
}

// Each query starts at its own table index: the segment test at 1 (the road), the any-hit
// queries at 3 (the near tower); mode 0 takes the first hit in table order, not the nearest.
TEST_F(CollisionQueryTest, QueriesStartAtTheirFirstIndexAndModeZeroTakesTheFirstInTableOrder)
{
    D3DXVECTOR3 hit;
    ASSERT_EQ(collisionQuery.SegmentTest(D3DXVECTOR3(3, 10, 10), D3DXVECTOR3(3, -10, 10), &hit, 0), 1);
    EXPECT_EQ(collisionQuery.hitObject, road);
    ASSERT_EQ(collisionQuery.AnySegmentHit(D3DXVECTOR3(0, 10, 150), D3DXVECTOR3(0, 10, 250), 100, &hit), 1);
    EXPECT_EQ(collisionQuery.hitObject, nearTower);
    ASSERT_EQ(collisionQuery.SegmentTest(D3DXVECTOR3(0, 10, 400), D3DXVECTOR3(0, 10, 150), &hit, 0), 1);
    EXPECT_EQ(collisionQuery.hitObject, nearTower) << "the near tower comes first in the table";
}

// Of two pieces under one another the ground probes name the one nearer to their start.
TEST_F(CollisionQueryTest, GroundProbesNameTheNearerOfTwoPieces)
{
    CSceneObject* lower = Place(STRAIGHT, D3DXVECTOR3(0, -5, 0));
    D3DXVECTOR3 hit, normal;
    ASSERT_EQ(collisionQuery.NearestSegmentHitType8(D3DXVECTOR3(3, 10, 10), D3DXVECTOR3(3, -20, 10), 30, &hit, &normal), 1);
    EXPECT_EQ(collisionQuery.hitObject, road);
    EXPECT_NEAR(hit.y, 0.0f, 1e-3f);
    ASSERT_EQ(collisionQuery.NearestSegmentHitType8(D3DXVECTOR3(3, -3, 10), D3DXVECTOR3(3, -20, 10), 30, &hit, &normal), 1);
    EXPECT_EQ(collisionQuery.hitObject, lower);
    EXPECT_NEAR(hit.y, -5.0f, 1e-3f);
    ASSERT_EQ(collisionQuery.NearestHitType8(D3DXVECTOR3(3, -4.5f, 10), 5.0f, &hit, &normal), 1);
    EXPECT_EQ(collisionQuery.hitObject, lower) << "0.5 from the lower piece, 4.5 from the road";
    ASSERT_EQ(collisionQuery.NearestHitType8(D3DXVECTOR3(3, -0.5f, 10), 5.0f, &hit, &normal), 1);
    EXPECT_EQ(collisionQuery.hitObject, road);
}

// Scooters are tried only when no table object is hit, in both modes (the probes are rays from the
// origin through the end point).
TEST_F(CollisionQueryTest, AScooterIsHitOnlyWhenNoObjectIs)
{
    CVehicle scooter; // a box for a body, on the line before the near tower
    scooter.CStaticObject::Load(BOX, 1, -1);
    D3DXMatrixTranslation(&scooter.world, 0, 10, 100);
    vehicleManager.vehicles[0] = &scooter;
    vehicleManager.vehicleCount = 1;
    D3DXVECTOR3 hit;
    for (int mode : {0, 1}) {
        ASSERT_EQ(collisionQuery.SegmentTest(D3DXVECTOR3(0, 10, 110), D3DXVECTOR3(0, 10, 90), &hit, mode), 1);
        EXPECT_EQ(collisionQuery.hitObject, &scooter) << mode;
        ASSERT_EQ(collisionQuery.SegmentTest(D3DXVECTOR3(0, 10, 90), D3DXVECTOR3(0, 10, 400), &hit, mode), 1);
        EXPECT_EQ(collisionQuery.hitObject, nearTower) << "the nearer scooter is not tried, mode " << mode;
    }
    vehicleManager.vehicleCount = 0;
    vehicleManager.vehicles[0] = nullptr;
}

TEST(CollisionQueryEmptyTest, EmptySceneHitsNothingAndKeepsTheRecord)
{
    CSceneObject marker;
    collisionQuery.SetHit(&marker);
    D3DXVECTOR3 hit, normal;
    EXPECT_EQ(collisionQuery.SegmentTest(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 10), &hit, 1), 0);
    EXPECT_EQ(collisionQuery.AnySegmentHit(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 10), 10, &hit), 0);
    EXPECT_EQ(collisionQuery.NearestHitType8(D3DXVECTOR3(0, 0, 0), 5, &hit, &normal), 0);
    EXPECT_EQ(collisionQuery.NearestSegmentHitType8(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 10), 10, &hit, &normal), 0);
    EXPECT_EQ(collisionQuery.hitObject, &marker);
    EXPECT_EQ(collisionQuery.Reset(), 1);
    EXPECT_EQ(collisionQuery.hitClass, -1);
}

} // namespace
