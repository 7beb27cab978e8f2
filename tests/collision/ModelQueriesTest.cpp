#include <gtest/gtest.h>

#include <memory>

#include "collision/CollisionModel3D.h"
#include "tests/collision/TestMeshes.h"

namespace {

using ModelPtr = std::unique_ptr<CollisionModel3D>;

ModelPtr Model(const testmesh::Mesh& mesh) { return ModelPtr(testmesh::BuildModel(mesh)); }

// Two triangles with the same centre (0, 0, 0), so they share one leaf: one in z = 0, one in
// the plane x = z. A ray down the z axis at (0.2, 0.1) meets the tilted one first (z = 0.2).
const Triangle flat({-1, -1, 0}, {2, -1, 0}, {-1, 2, 0});
const Triangle tilted({-1, -1, -1}, {2, -1, 2}, {-1, 2, -1});
const float down[3] = {0, 0, -1};
const float above[3] = {0.2f, 0.1f, 5};

int HitIndex(const CollisionModel3D& model)
{
    int mine = -1;
    model.GetHitTriangleIndices(&mine, nullptr);
    return mine;
}

Vec3 HitPoint(const CollisionModel3D& model, bool modelFrame = true)
{
    float p[3];
    model.GetHitPoint(p, modelFrame);
    return Vec3::FromArray(p);
}

}  // namespace

TEST(CollisionModelRayTest, FirstHitFollowsTheWalkOrderAndClosestFindsTheNearest)
{
    // Within a leaf the last triangle is tried first.
    for (const bool flatFirst : {true, false})
    {
        const ModelPtr model = flatFirst ? Model({flat, tilted}) : Model({tilted, flat});
        const int tiltedIndex = flatFirst ? 1 : 0;
        ASSERT_TRUE(model->TestRay(above, down, false, 0, 3.4e38f));
        EXPECT_EQ(HitIndex(*model), 1);
        ASSERT_TRUE(model->TestRay(above, down, true, 0, 3.4e38f));
        EXPECT_EQ(HitIndex(*model), tiltedIndex);
        EXPECT_NEAR(HitPoint(*model).z, 0.2f, 1e-6f);
    }

    // Across leaves child 0 comes first: here the farther triangle (lower centre on x).
    const Triangle nearOne({0, -1, 0}, {6, -1, 0}, {3, 5, 0});
    const Triangle farOne({-3, -1, -2}, {3, -1, -2}, {0, 5, -2});
    const ModelPtr model = Model({nearOne, farOne});
    const float origin[3] = {1.5f, 0, 5};
    ASSERT_TRUE(model->TestRay(origin, down, false, 0, 3.4e38f));
    EXPECT_EQ(HitIndex(*model), 1);
    ASSERT_TRUE(model->TestRay(origin, down, true, 0, 3.4e38f));
    EXPECT_EQ(HitIndex(*model), 0);
}

TEST(CollisionModelRayTest, SegmentLimits)
{
    const ModelPtr model = Model({flat, tilted});
    struct Case
    {
        const char* name;
        float segmentMin, segmentMax;
        bool hit;
        float z;  // of the nearest hit
    };
    const Case cases[] = {
        {"ray", 0, 3.4e38f, true, 0.2f},
        {"ends short of both", 0, 4.7f, false, 0},
        {"starts past the tilted triangle", 4.9f, 10, true, 0},
        {"starts past both", 5.5f, 10, false, 0},
        {"reversed: from z = -1 back up to z = 1", 6, 4, true, 0},
        {"reversed and short", 6, 5.5f, false, 0},
    };
    for (const Case& c : cases)
    {
        ASSERT_EQ(model->TestRay(above, down, true, c.segmentMin, c.segmentMax), c.hit) << c.name;
        if (c.hit)
        {
            EXPECT_NEAR(HitPoint(*model).z, c.z, 1e-6f) << c.name;
        }
    }

    // A hit exactly at the end of the segment counts.
    const ModelPtr flatOnly = Model({flat});
    EXPECT_TRUE(flatOnly->TestRay(above, down, false, 0, 5.0f));
    EXPECT_FALSE(flatOnly->TestRay(above, down, false, 0, 4.9999f));
}

TEST(CollisionModelRayTest, TransformedModel)
{
    const ModelPtr model = Model({flat});
    // Turned a quarter about x (its plane becomes y = 0) and moved by (10, 0, 0).
    const CollisionMatrix m = testmesh::RotationTranslation({1, 0, 0}, 1.5707964f, {10, 0, 0});
    model->SetTransform(m.m);
    const float origin[3] = {10.2f, 5, -0.1f};
    const float direction[3] = {0, -2, 0};
    ASSERT_TRUE(model->TestRay(origin, direction, true, 0, 3.4e38f));
    const Vec3 world = HitPoint(*model, false);
    EXPECT_NEAR(world.x, 10.2f, 1e-5f);
    EXPECT_NEAR(world.y, 0.0f, 1e-5f);
    EXPECT_NEAR(world.z, -0.1f, 1e-5f);
    const Vec3 local = HitPoint(*model, true);
    EXPECT_NEAR(local.x, 0.2f, 1e-5f);
    EXPECT_NEAR(local.z, 0.0f, 1e-5f);
}

TEST(CollisionModelSphereTest, ReportsTheProjectionOntoTheHitTriangle)
{
    const ModelPtr model = Model({flat, tilted});
    const float centre[3] = {0.5f, 0.5f, -3};
    EXPECT_FALSE(model->TestSphere(centre, 1.0f));
    ASSERT_TRUE(model->TestSphere(centre, 3.0f));
    EXPECT_EQ(HitIndex(*model), 0);
    EXPECT_FLOAT_EQ(HitPoint(*model).z, 0.0f);
}

TEST(CollisionModelHitRecord, StaysWithTheLastHitAndFollowsTheTestKind)
{
    const ModelPtr model = Model({flat, tilted});
    const CollisionMatrix shifted = testmesh::RotationTranslation({0, 0, 1}, 0, {0, 0, 7});
    model->SetTransform(shifted.m);
    // Before any test: the origin (carried into the world by the transform).
    EXPECT_FLOAT_EQ(HitPoint(*model, false).z, 7.0f);

    const float origin[3] = {0.2f, 0.1f, 20};
    ASSERT_TRUE(model->TestRay(origin, down, true, 0, 3.4e38f));
    const float missing[3] = {50, 50, 20};
    EXPECT_FALSE(model->TestRay(missing, down, true, 0, 3.4e38f));
    EXPECT_FLOAT_EQ(HitPoint(*model, false).z, 7.2f);  // the earlier hit
    const float farAway[3] = {50, 50, 50};
    EXPECT_FALSE(model->TestSphere(farAway, 1));
    EXPECT_FLOAT_EQ(HitPoint(*model, false).z, 7.2f);

    float mine[9];
    float other[9] = {};
    ASSERT_TRUE(model->GetHitTriangles(mine, nullptr, true));
    EXPECT_EQ(mine[8], tilted.vertex3.z);
    ASSERT_TRUE(model->GetHitTriangles(mine, other, false));
    EXPECT_EQ(mine[8], tilted.vertex3.z + 7.0f);
    EXPECT_EQ(other[2], 7.0f);  // no model test yet: zero triangle, moved by the transform
}

TEST(CollisionModelModelTest, ReportsTheCrossingPairAndItsContactPoint)
{
    const ModelPtr a = Model({Triangle({5, 5, 5}, {6, 5, 5}, {5, 6, 5}), flat});
    const ModelPtr b = Model({Triangle({0.2f, 0.2f, -1}, {0.3f, 0.2f, 1}, {0.2f, 0.3f, 1})});
    ASSERT_TRUE(a->TestModel(*b, -1, 0, nullptr));
    int mine = -1;
    int other = -1;
    a->GetHitTriangleIndices(&mine, &other);
    EXPECT_EQ(mine, 1);
    EXPECT_EQ(other, 0);
    const Vec3 p = HitPoint(*a);
    EXPECT_NEAR(p.x, 0.23f, 0.08f);
    EXPECT_NEAR(p.z, 0.0f, 1e-5f);

    // Moved apart, then brought back through an explicit matrix for the other model.
    const CollisionMatrix away = testmesh::RotationTranslation({0, 1, 0}, 0.3f, {30, 0, 0});
    b->SetTransform(away.m);
    EXPECT_FALSE(a->TestModel(*b, -1, 0, nullptr));
    const CollisionMatrix back = testmesh::RotationTranslation({0, 1, 0}, 0.0f, {0, 0, 0});
    EXPECT_TRUE(a->TestModel(*b, -1, 0, back.m));
}

TEST(CollisionModelModelTest, OneModelAtTwoPlacements)
{
    const ModelPtr model = Model(testmesh::Sheet(6, 1.0f, 0.0f, 1));
    const CollisionMatrix here = testmesh::RotationTranslation({0, 1, 0}, 0.0f, {0, 0, 0});
    const CollisionMatrix tipped = testmesh::RotationTranslation({1, 0, 0}, 1.0f, {0.1f, 0, 0});
    const CollisionMatrix lifted = testmesh::RotationTranslation({1, 0, 0}, 1.0f, {0, 3, 0});
    model->SetTransform(here.m);
    EXPECT_TRUE(model->TestModel(*model, -1, 0, tipped.m));
    EXPECT_FALSE(model->TestModel(*model, -1, 0, lifted.m));
}

TEST(CollisionModelModelTest, UnbuiltModelsThrowAndEmptyModelsNeverHit)
{
    const ModelPtr built = Model({flat});
    ModelPtr unbuilt(CreateCollisionModel(false));
    unbuilt->AddTriangleCoords(0, 0, 0, 1, 0, 0, 0, 1, 0);
    EXPECT_THROW(built->TestModel(*unbuilt, -1, 0, nullptr), Inconsistency);
    EXPECT_THROW(unbuilt->TestModel(*built, -1, 0, nullptr), Inconsistency);
    // Ray and sphere tests do not check: the empty root reports nothing.
    EXPECT_FALSE(unbuilt->TestRay(above, down, true, 0, 3.4e38f));
    const float centre[3] = {0, 0, 0};
    EXPECT_FALSE(unbuilt->TestSphere(centre, 5));

    const ModelPtr empty = Model({});
    EXPECT_FALSE(empty->TestModel(*built, -1, 0, nullptr));
    EXPECT_FALSE(built->TestModel(*empty, -1, 0, nullptr));
    EXPECT_FALSE(empty->TestModel(*empty, -1, 0, nullptr));
    EXPECT_FALSE(empty->TestRay(above, down, false, 0, 3.4e38f));
}

TEST(CollisionModelModelTest, TinyTimeLimitOnALargePairThrowsAndKeepsTheHitRecord)
{
    // Two dense sheets 0.0005 apart: every inner box pair overlaps, no triangle pair does.
    const ModelPtr a = Model(testmesh::Sheet(200, 10.0f, 0.0f, 1));
    const ModelPtr b = Model(testmesh::Sheet(200, 10.0f, 0.0f, 1));
    const CollisionMatrix gap = testmesh::RotationTranslation({0, 1, 0}, 0.0f, {0, 0.0005f, 0});
    b->SetTransform(gap.m);

    const float origin[3] = {0.01f, 1, 0.02f};
    const float downY[3] = {0, -1, 0};
    ASSERT_TRUE(a->TestRay(origin, downY, true, 0, 3.4e38f));
    const int before = HitIndex(*a);

    EXPECT_THROW(a->TestModel(*b, -1, 1, nullptr), TimeoutExpired);
    EXPECT_EQ(HitIndex(*a), before);
    // No limit (0 means 0xFFFFFF ms): the walk completes and finds nothing.
    EXPECT_FALSE(a->TestModel(*b, -1, 0, nullptr));
}
