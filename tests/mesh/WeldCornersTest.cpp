// Welded shapes are closed solids: what a shadow source must be for its volume to close.
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "tools/makedata/Shapes.h"

namespace {

// Each directed edge of the triangles, with how often it occurs.
std::map<std::pair<int, int>, int> DirectedEdges(const Geometry& geometry)
{
    std::map<std::pair<int, int>, int> edges;
    for (std::size_t t = 0; t + 2 < geometry.indices.size(); t += 3)
        for (int k = 0; k < 3; ++k)
            ++edges[{geometry.indices[t + k], geometry.indices[t + (k + 1) % 3]}];
    return edges;
}

TEST(WeldCornersTest, ClosedShapesShareEveryEdgeBetweenTwoFacesOfOneWinding)
{
    const struct {
        const char* name;
        Geometry shape;
        std::size_t vertices;
    } cases[] = {
        {"box", MakeBox({1, 2, 3}, {1, 2, 0.5f}), 8},
        {"capped cylinder", MakeCylinder({0, -1, 0}, 2, 5, 12, true), 2 * 12 + 2},
        {"sphere (seam and poles)", MakeSphere({0, 0, 0}, 3, 8, 12), 7 * 12 + 2},
        {"two boxes", Join({MakeBox({0, 0, 0}, {1, 1, 1}), MakeBox({5, 0, 0}, {1, 1, 1})}), 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Geometry welded = WeldCorners(c.shape);
        EXPECT_EQ(welded.vertices.size(), c.vertices);
        const std::map<std::pair<int, int>, int> edges = DirectedEdges(welded);
        for (const auto& [edge, count] : edges) {
            EXPECT_NE(edge.first, edge.second) << "a triangle without area";
            EXPECT_EQ(count, 1) << edge.first << "-" << edge.second << " twice in one direction";
            EXPECT_TRUE(edges.count({edge.second, edge.first})) << edge.first << "-" << edge.second << " is open";
        }
    }
}

} // namespace
