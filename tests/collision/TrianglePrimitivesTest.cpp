#include <gtest/gtest.h>

#include "collision/CollisionModel3D.h"
#include "collision/TrianglePrimitives.h"

namespace {

const Triangle unitXY({0, 0, 0}, {1, 0, 0}, {0, 1, 0});  // in the plane z = 0

Triangle Shifted(const Triangle& t, Vec3 d)
{
    return Triangle(t.vertex1 + d, t.vertex2 + d, t.vertex3 + d);
}

}  // namespace

TEST(CollisionTriangleOverlap, Cases)
{
    struct Case
    {
        const char* name;
        Triangle other;
        bool overlap;
    };
    const Case cases[] = {
        {"piercing", Triangle({0.2f, 0.2f, -1}, {0.3f, 0.2f, 1}, {0.2f, 0.3f, 1}), true},
        {"above", Shifted(unitXY, {0, 0, 0.5f}), false},
        {"crossing the plane beside it", Triangle({2, 2, -1}, {3, 2, 1}, {2, 3, 1}), false},
        {"touching at a vertex", Triangle({1, 0, 0}, {2, 0, 1}, {2, 0, -1}), true},
        {"edge resting on the face", Triangle({0.1f, 0.1f, 0}, {0.5f, 0.1f, 0}, {0.3f, 0.1f, 1}), true},
        {"coplanar crossing edges", Shifted(unitXY, {0.5f, 0.5f, 0}), true},
        {"coplanar contained", Triangle({0.1f, 0.1f, 0}, {0.2f, 0.1f, 0}, {0.1f, 0.2f, 0}), true},
        {"coplanar containing", Triangle({-1, -1, 0}, {5, -1, 0}, {-1, 5, 0}), true},
        {"coplanar apart", Shifted(unitXY, {2, 0, 0}), false},
        {"within 1e-6 of the plane counts as coplanar", Shifted(unitXY, {0.5f, 0.5f, 5e-7f}), true},
        {"just beyond 1e-6 of the plane", Shifted(unitXY, {0.5f, 0.5f, 4e-6f}), false},
        // Without area every distance to its "plane" would snap to zero.
        {"degenerate, far off the face", Triangle({0.2f, 5, 0}, {0.4f, 5, 0.1f}, {0.6f, 5, 0.2f}), false},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(TestTriangleOverlap(c.other, unitXY), c.overlap) << c.name;
        EXPECT_EQ(TestTriangleOverlap(unitXY, c.other), c.overlap) << c.name << " (swapped)";
    }
}

TEST(CollisionRayTriangle, Cases)
{
    struct Case
    {
        const char* name;
        Vec3 origin, direction;
        float limit;
        bool hit;
        float t;
    };
    const Case cases[] = {
        {"straight down", {0.25f, 0.25f, 2}, {0, 0, -1}, 10, true, 2},
        {"scaled direction measures in its units", {0.25f, 0.25f, 2}, {0, 0, -4}, 10, true, 0.5f},
        {"from below", {0.25f, 0.25f, -1}, {0, 0, 1}, 10, true, 1},
        {"outside the triangle", {0.75f, 0.75f, 2}, {0, 0, -1}, 10, false, 0},
        {"pointing away", {0.25f, 0.25f, 2}, {0, 0, 1}, 10, false, 0},
        {"parallel to the plane", {0.25f, 0.25f, 0}, {1, 0, 0}, 10, false, 0},
        {"nearly parallel (|n.r| < 1e-8)", {-1, 0.25f, 5e-9f}, {1, 0, -5e-9f}, 10, false, 0},
        {"starting on the plane (t = 0)", {0.25f, 0.25f, 0}, {0, 0, -1}, 10, false, 0},
        {"ending on the plane (t = limit)", {0.25f, 0.25f, 2}, {0, 0, -1}, 2, true, 2},
        {"ending short of the plane", {0.25f, 0.25f, 2}, {0, 0, -1}, 1.999f, false, 0},
        {"through a vertex", {0, 0, 1}, {0, 0, -1}, 10, true, 1},
        {"through the hypotenuse", {0.5f, 0.5f, 1}, {0, 0, -1}, 10, true, 1},
    };
    for (const Case& c : cases)
    {
        float t = -1;
        Vec3 point;
        ASSERT_EQ(TestRayTriangle(unitXY, c.origin, c.direction, c.limit, t, point), c.hit) << c.name;
        if (!c.hit)
            continue;
        EXPECT_FLOAT_EQ(t, c.t) << c.name;
        EXPECT_NEAR(point.z, 0.0f, 1e-6f) << c.name;
    }
}

TEST(CollisionRayTriangle, DegenerateTriangleIsNeverHit)
{
    float t;
    Vec3 point;
    const Triangle line({0, 0, 0}, {1, 0, 0}, {2, 0, 0});
    EXPECT_FALSE(TestRayTriangle(line, {0.5f, 1, 0}, {0, -1, 0}, 10, t, point));
    EXPECT_FALSE(TestRayTriangle(line, {0.5f, 0, 1}, {0, 0, -1}, 10, t, point));
}

TEST(CollisionInsideTriangle2D, EveryDroppedAxisAndVertexOrder)
{
    // The same triangle laid in each coordinate plane, in both windings.
    for (int axis = 0; axis < 3; ++axis)
    {
        auto lay = [axis](float a, float b) {
            Vec3 v;
            v[(axis + 1) % 3] = a;
            v[(axis + 2) % 3] = b;
            return v;
        };
        for (bool reversed : {false, true})
        {
            const Triangle t = reversed ? Triangle(lay(0, 0), lay(0, 2), lay(2, 0))
                                        : Triangle(lay(0, 0), lay(2, 0), lay(0, 2));
            const Vec3 n = t.Normal();
            EXPECT_TRUE(InsideTriangle2D(t, n, lay(0.5f, 0.5f))) << axis;
            EXPECT_TRUE(InsideTriangle2D(t, n, lay(1, 1))) << axis;
            EXPECT_FALSE(InsideTriangle2D(t, n, lay(1.5f, 1.5f))) << axis;
            EXPECT_FALSE(InsideTriangle2D(t, n, lay(-0.1f, 0.5f))) << axis;
            EXPECT_FALSE(InsideTriangle2D(t, n, lay(0.5f, -0.1f))) << axis;
        }
    }
}

TEST(CollisionInsideTriangle2D, FirstEdgeAlmostAlongTheKeptAxis)
{
    // Half a quad of a sloped road: the first edge runs down the slope with an x component of
    // float noise. Points across the middle of the triangle are inside it.
    const Triangle t({10.0f, -9.44812f, 46.7807f}, {9.999999f, -10.7252f, 50.5657f}, {-10.0f, -10.7252f, 50.5657f});
    const Vec3 n = t.Normal();
    for (const float x : {-5.0f, 0.0f, 5.0f, 9.0f})
    {
        const float z = 50.2f;
        const float y = -9.44812f + (z - 46.7807f) / (50.5657f - 46.7807f) * (-10.7252f + 9.44812f);
        EXPECT_TRUE(InsideTriangle2D(t, n, {x, y, z})) << x;
    }
    EXPECT_FALSE(InsideTriangle2D(t, n, {-5.0f, -9.6f, 47.2f})) << "the other half of the quad";
}

TEST(CollisionSphereTriangle, Cases)
{
    struct Case
    {
        const char* name;
        Vec3 centre;
        float radius;
        bool hit;
    };
    const Case cases[] = {
        {"cutting the face", {0.25f, 0.25f, 0.5f}, 1.0f, true},
        {"grazing the plane inside", {0.25f, 0.25f, 0.5f}, 0.5f, true},
        {"short of the plane", {0.25f, 0.25f, 0.5f}, 0.49f, false},
        {"below the face", {0.25f, 0.25f, -0.3f}, 0.5f, true},
        {"over an edge only, projection outside", {0.5f, -0.1f, 0}, 0.5f, false},
        {"over a corner only", {-0.1f, -0.1f, 0.1f}, 1.0f, false},
    };
    for (const Case& c : cases)
    {
        Vec3 point{9, 9, 9};
        EXPECT_EQ(TestSphereTriangle(unitXY, c.centre, c.radius, point), c.hit) << c.name;
        if (c.hit)
        {
            EXPECT_FLOAT_EQ(point.x, c.centre.x) << c.name;
            EXPECT_FLOAT_EQ(point.y, c.centre.y) << c.name;
            EXPECT_FLOAT_EQ(point.z, 0.0f) << c.name;
        }
    }
}

TEST(CollisionIntersectTriangles, ContactOfTwoCrossingTriangles)
{
    // A vertical triangle standing through unitXY along x = 0.25.
    const Triangle wall({0.25f, 0.1f, -1}, {0.25f, 0.1f, 1}, {0.25f, 0.6f, 0});
    const Vec3 p = IntersectTriangles(unitXY, wall);
    EXPECT_FLOAT_EQ(p.x, 0.25f);
    EXPECT_GE(p.y, 0.1f);
    EXPECT_LE(p.y, 0.6f);
    EXPECT_TRUE(InsideTriangle2D(unitXY, unitXY.Normal(), p));
}

TEST(CollisionIntersectTriangles, FallsBackToTheFirstTrianglesEdges)
{
    // The big triangle's edges cross the cutting plane far outside the small spike, so the
    // point comes from the spike's edges, inside the big one.
    const Triangle big({-5, -5, 0}, {5, -5, 0}, {0, 5, 0});
    const Triangle spike({0.1f, 0.1f, -0.5f}, {0.3f, 0.1f, 0.5f}, {0.1f, 0.3f, 0.5f});
    const Vec3 p = IntersectTriangles(spike, big);
    EXPECT_FALSE(p.x == 0.0f && p.y == 0.0f && p.z == 0.0f);
    EXPECT_TRUE(InsideTriangle2D(big, big.Normal(), p));
    EXPECT_NEAR(p.x, 0.15f, 0.1f);
    EXPECT_NEAR(p.z, 0.0f, 0.5f);
}

TEST(CollisionIntersectTriangles, NoPointWhenTheSecondLiesOnOneSide)
{
    const Vec3 p = IntersectTriangles(unitXY, Shifted(unitXY, {0, 0, 1}));
    EXPECT_EQ(p.x, 0.0f);
    EXPECT_EQ(p.y, 0.0f);
    EXPECT_EQ(p.z, 0.0f);
}

TEST(CollisionIntersectRaySphere, Cases)
{
    const float centre[3] = {0, 0, 10};
    float point[3];
    const float origin[3] = {0, 0, 0};
    const float ahead[3] = {0, 0, 4};  // not unit length
    ASSERT_TRUE(IntersectRaySphere(centre, 2, origin, ahead, point));
    EXPECT_FLOAT_EQ(point[2], 8.0f);

    const float behind[3] = {0, 0, -1};  // the line still meets it behind the origin
    ASSERT_TRUE(IntersectRaySphere(centre, 2, origin, behind, point));
    EXPECT_FLOAT_EQ(point[2], 12.0f);

    const float inside[3] = {0, 0, 10};
    ASSERT_TRUE(IntersectRaySphere(centre, 2, inside, ahead, point));
    EXPECT_FLOAT_EQ(point[2], 8.0f);

    const float aside[3] = {0, 1, 0};
    EXPECT_FALSE(IntersectRaySphere(centre, 2, origin, aside, point));
    const float zero[3] = {0, 0, 0};
    EXPECT_FALSE(IntersectRaySphere(centre, 2, origin, zero, point));
}
