// The data builder's shapes and lofts: triangles face outwards and agree with their vertex normals.
#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "tools/makedata/Loft.h"
#include "tools/makedata/Shapes.h"

namespace {

Vec3 PositionOf(const MeshVertex& vertex) { return {vertex.position[0], vertex.position[1], vertex.position[2]}; }
Vec3 NormalOf(const MeshVertex& vertex) { return {vertex.normal[0], vertex.normal[1], vertex.normal[2]}; }

// Every triangle's face normal (c - a) x (b - a) points away from inside and along its corners'
// normals; every vertex normal has unit length.
void ExpectOutwardFacing(const Geometry& geometry, Vec3 inside)
{
    ASSERT_EQ(0u, geometry.indices.size() % 3);
    for (std::size_t t = 0; t < geometry.indices.size(); t += 3) {
        const MeshVertex& a = geometry.vertices.at(geometry.indices[t]);
        const MeshVertex& b = geometry.vertices.at(geometry.indices[t + 1]);
        const MeshVertex& c = geometry.vertices.at(geometry.indices[t + 2]);
        const Vec3 face = Cross(PositionOf(c) - PositionOf(a), PositionOf(b) - PositionOf(a));
        ASSERT_GT(Length(face), 0.0f) << "triangle " << t / 3 << " is degenerate";
        const Vec3 middle = (PositionOf(a) + PositionOf(b) + PositionOf(c)) * (1.0f / 3.0f);
        EXPECT_GT(Dot(face, middle - inside), 0.0f) << "triangle " << t / 3;
        EXPECT_GT(Dot(face, NormalOf(a) + NormalOf(b) + NormalOf(c)), 0.0f) << "triangle " << t / 3;
    }
    for (const MeshVertex& vertex : geometry.vertices)
        EXPECT_NEAR(1.0f, Length(NormalOf(vertex)), 1e-4f);
}

} // namespace

TEST(Shapes, ClosedShapesFaceOutwards)
{
    const Vec3 centre {1, 2, 3};
    struct Case {
        const char* name;
        Geometry geometry;
        std::size_t vertices, triangles;
    };
    const Case cases[] = {
        {"box", MakeBox(centre, {1, 2, 3}), 24, 12},
        {"capped cylinder", MakeCylinder(centre - Vec3 {0, 1, 0}, 2, 2, 12, true), 26 + 2 * 13, 24 + 24},
        {"sphere", MakeSphere(centre, 2, 6, 8), 7 * 9, 8 * 2 * 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.vertices, c.geometry.vertices.size());
        EXPECT_EQ(c.triangles, c.geometry.indices.size() / 3);
        ExpectOutwardFacing(c.geometry, centre);
    }
}

TEST(Shapes, SweptProfileFacesLeftOfItsDirection)
{
    // A flat road from x = -2 to 2 along a bend: it faces up.
    const std::vector<Vec3> path {{0, 0, 0}, {0, 0, 10}, {5, 0, 15}};
    const Geometry road = SweepProfile({{-2, 0}, {2, 0}}, path, {0, 1, 0}, 0.25f, 0.1f);
    ASSERT_EQ(6u, road.vertices.size());
    ExpectOutwardFacing(road, {0, -1, 0});
    EXPECT_FLOAT_EQ(1.0f, road.vertices[1].u); // 4 units across x 0.25
    EXPECT_FLOAT_EQ(1.0f, road.vertices[2].v); // 10 units along x 0.1
    EXPECT_FLOAT_EQ(-2.0f, road.vertices[0].position[0]); // right is +x when heading +z

    // A clockwise loop swept straight is a tube facing outwards.
    const std::vector<ProfilePoint> loop {{1, 0}, {0, -1}, {-1, 0}, {0, 1}, {1, 0}};
    const Geometry tube = SweepProfile(loop, {{0, 0, 0}, {0, 0, 4}}, {0, 1, 0});
    for (std::size_t t = 0; t < tube.indices.size(); t += 3) {
        const Vec3 a = PositionOf(tube.vertices[tube.indices[t]]);
        const Vec3 face = Cross(PositionOf(tube.vertices[tube.indices[t + 2]]) - a,
                                PositionOf(tube.vertices[tube.indices[t + 1]]) - a);
        EXPECT_GT(Dot(face, Vec3 {a.x, a.y, 0}), 0.0f);
    }
}

TEST(Shapes, AppendKeepsTrianglesAndGuardsTheIndexRange)
{
    Geometry both = MakeBox({}, {1, 1, 1});
    both.Append(MakeBox({5, 0, 0}, {1, 1, 1}));
    ASSERT_EQ(48u, both.vertices.size());
    for (std::size_t i = 36; i < both.indices.size(); ++i)
        EXPECT_GE(both.vertices[both.indices[i]].position[0], 4.0f);

    Geometry large = MakeSphere({}, 1, 200, 200); // 40,401 vertices
    EXPECT_THROW(large.Append(large), std::length_error);
    EXPECT_EQ(40401u, large.vertices.size());
}

// A hull lofted nose first towards -z through boxy rings, closed by a cap at each end.
TEST(Shapes, LoftedRingsWithCapsCloseASolidFacingOutwards)
{
    std::vector<std::vector<Vec3>> rings;
    for (const auto& [z, width] : {std::pair {2.0f, 0.3f}, {1.0f, 1.0f}, {-1.0f, 0.8f}, {-2.0f, 0.5f}})
        rings.push_back(SuperEllipseRing({0, 1, z}, width, 0.6f, 0.4f, 3.0f, 10));
    Geometry hull = LoftRings(rings, true, {0.0f, 0.25f, 0.5f, 0.75f});
    ASSERT_EQ(4u * 11u, hull.vertices.size()) << "the seam has its own vertices";
    ASSERT_EQ(3u * 10u * 2u, hull.indices.size() / 3);
    EXPECT_FLOAT_EQ(0.0f, hull.vertices.front().u);
    EXPECT_FLOAT_EQ(0.5f, hull.vertices[10].u);
    EXPECT_FLOAT_EQ(0.25f, hull.vertices.front().v);
    EXPECT_FLOAT_EQ(0.75f, hull.vertices.back().v);
    for (std::size_t ring = 0; ring < 4; ++ring) {
        const MeshVertex& first = hull.vertices[ring * 11];
        const MeshVertex& seam = hull.vertices[ring * 11 + 10];
        EXPECT_FLOAT_EQ(Dot(NormalOf(first), NormalOf(seam)), 1.0f) << "ring " << ring << " shows no seam";
    }
    hull.Append(CapRing(rings.front(), {0, 0, 1}, {}));
    hull.Append(CapRing(rings.back(), {0, 0, -1}, {}));
    ExpectOutwardFacing(hull, {0, 1, 0});

    EXPECT_THROW(LoftRings({rings[0]}, true, {}), std::invalid_argument);
    EXPECT_THROW(LoftRings({rings[0], SuperEllipseRing({}, 1, 1, 1, 2, 8)}, true, {}), std::invalid_argument);
}
