#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "collision/CollisionModel3DImpl.h"
#include "tests/collision/TestMeshes.h"

namespace {

std::unique_ptr<CollisionModel3DImpl> Built(const testmesh::Mesh& mesh)
{
    auto model = std::make_unique<CollisionModel3DImpl>(false);
    for (const Triangle& t : mesh)
        model->AddTriangleCoords(t.vertex1.x, t.vertex1.y, t.vertex1.z, t.vertex2.x, t.vertex2.y,
                                 t.vertex2.z, t.vertex3.x, t.vertex3.y, t.vertex3.z);
    model->Build();
    return model;
}

// Within the box up to the rounding of pos + size.
bool Contains(const Box& box, Vec3 v)
{
    for (int i = 0; i < 3; ++i)
    {
        const float slack = 1e-6f * (std::fabs(box.pos[i]) + box.size[i]);
        if (v[i] < box.pos[i] || v[i] > box.pos[i] + box.size[i] + slack)
            return false;
    }
    return true;
}

// Checks the tree's shape and that it lists every triangle exactly once inside its boxes.
void ExpectWellFormed(const CollisionModel3DImpl& model)
{
    std::multiset<const BoxedTriangle*> seen;
    std::vector<std::pair<const BoxTreeNode*, std::vector<const Box*>>> stack{{&model.Root(), {}}};
    while (!stack.empty())
    {
        auto [node, ancestors] = stack.back();
        stack.pop_back();
        ancestors.push_back(node);
        if (node->GetChildCount() > 0)
        {
            ASSERT_EQ(node->GetChildCount(), 2);
            ASSERT_EQ(node->GetTriangleCount(), 0);
            stack.push_back({node->GetChild(0), ancestors});
            stack.push_back({node->GetChild(1), ancestors});
            continue;
        }
        for (int i = 0; i < node->GetTriangleCount(); ++i)
        {
            const BoxedTriangle* t = node->GetTriangle(i);
            seen.insert(t);
            for (const Box* box : ancestors)
                for (Vec3 v : {t->triangle.vertex1, t->triangle.vertex2, t->triangle.vertex3})
                    ASSERT_TRUE(Contains(*box, v));
        }
    }
    ASSERT_EQ(static_cast<int>(seen.size()), model.TriangleCount());
    EXPECT_EQ(std::set<const BoxedTriangle*>(seen.begin(), seen.end()).size(), seen.size());
}

}  // namespace

TEST(CollisionBoxTree, SingleTriangleStaysInTheRootList)
{
    const auto model = Built({Triangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0})});
    const BoxTreeInnerNode& root = model->Root();
    EXPECT_FALSE(root.IsLeaf());
    EXPECT_EQ(root.GetChildCount(), 0);
    ASSERT_EQ(root.GetTriangleCount(), 1);
    EXPECT_EQ(root.GetTriangle(0)->triangle.vertex2.x, 1.0f);
    EXPECT_EQ(root.GetTriangle(1), nullptr);
    EXPECT_EQ(root.GetTriangle(-1), nullptr);
}

TEST(CollisionBoxTree, TwoTrianglesApartOnXBecomeBoxedChildren)
{
    const auto model = Built({Triangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0}),
                              Triangle({5, 0, 0}, {6, 0, 0}, {5, 1, 0})});
    const BoxTreeInnerNode& root = model->Root();
    ASSERT_EQ(root.GetChildCount(), 2);
    EXPECT_EQ(root.GetTriangleCount(), 0);
    const BoxTreeNode* child0 = root.GetChild(0);
    const BoxTreeNode* child1 = root.GetChild(1);
    EXPECT_TRUE(child0->IsLeaf());
    EXPECT_TRUE(child1->IsLeaf());
    EXPECT_EQ(child0->GetTriangle(0), child0);
    EXPECT_EQ(child0->GetTriangle(0)->triangle.vertex1.x, 0.0f);
    EXPECT_EQ(child1->GetTriangle(0)->triangle.vertex1.x, 5.0f);
    EXPECT_EQ(root.GetChild(2), nullptr);
    // Tight boxes of the triangles themselves, flat on z.
    EXPECT_EQ(child1->pos.x, 5.0f);
    EXPECT_EQ(child1->size.x, 1.0f);
    EXPECT_EQ(child1->size.z, 0.0f);
    EXPECT_FLOAT_EQ(child1->centre.x, 5.5f);
}

TEST(CollisionBoxTree, FlatMeshRootGetsThicknessOnTheFlatAxis)
{
    const auto model = Built(testmesh::Sheet(4, 2.0f, 0.0f, 1));
    const Box& root = model->Root();
    EXPECT_FLOAT_EQ(root.pos.y, -0.001f);
    EXPECT_FLOAT_EQ(root.size.y, 0.002f);
    EXPECT_FLOAT_EQ(root.centre.y, 0.0f);
    EXPECT_FLOAT_EQ(root.pos.x, -2.0f);
    EXPECT_FLOAT_EQ(root.size.x, 4.0f);
}

TEST(CollisionBoxTree, TrianglesSharingOneCentreFormAMultiTriangleLeaf)
{
    // Different triangles, same centre (0, 0, 0): no split separates them.
    const auto model = Built({Triangle({-1, 0, 0}, {1, 0, 0}, {0, 0, 0}),
                              Triangle({0, -1, 0}, {0, 1, 0}, {0, 0, 0}),
                              Triangle({0, 0, -1}, {0, 0, 1}, {0, 0, 0})});
    EXPECT_EQ(model->Root().GetChildCount(), 0);
    EXPECT_EQ(model->Root().GetTriangleCount(), 3);
}

TEST(CollisionBoxTree, SplitsOnTheAxisOfWidestSpreadWithTiesToX)
{
    struct Case
    {
        Vec3 offset;  // second triangle's shift
        int axis;     // axis on which the two children separate
    };
    for (const Case& c : {Case{{4, 1, 1}, 0}, Case{{1, 4, 1}, 1}, Case{{1, 1, 4}, 2},
                          Case{{1, 3, 3}, 0}, Case{{3, 3, 3}, 0}})
    {
        const Triangle a({0, 0, 0}, {0.1f, 0, 0}, {0, 0.1f, 0.1f});
        const Triangle b(a.vertex1 + c.offset, a.vertex2 + c.offset, a.vertex3 + c.offset);
        const auto model = Built({b, a});
        const BoxTreeNode* lower = model->Root().GetChild(0);
        ASSERT_NE(lower, nullptr);
        // child0 holds the triangle whose centre lies below the mean on the split axis.
        EXPECT_EQ(lower->GetTriangle(0)->triangle.vertex1[c.axis], 0.0f) << c.axis;
        EXPECT_EQ(model->Root().GetChild(1)->GetTriangle(0)->triangle.vertex1[c.axis],
                  c.offset[c.axis]);
    }
}

TEST(CollisionBoxTree, RandomAndNearlyCoplanarMeshesAreWellFormed)
{
    for (const testmesh::Mesh& mesh :
         {testmesh::RandomSoup(2000, 7, 10.0f, 1.0f), testmesh::Sheet(30, 5.0f, 1e-4f, 3),
          testmesh::Sheet(20, 5.0f, 0.0f, 3), testmesh::Terrain(40, 20, 50.0f)})
    {
        ExpectWellFormed(*Built(mesh));
    }
}

TEST(CollisionBoxTree, DegenerateAndDuplicateTrianglesAreAccepted)
{
    testmesh::Mesh mesh(50, Triangle({1, 1, 1}, {1, 1, 1}, {1, 1, 1}));
    mesh.push_back(Triangle({0, 0, 0}, {2, 0, 0}, {4, 0, 0}));
    ExpectWellFormed(*Built(mesh));
}

TEST(CollisionLifecycle, NoTrianglesAfterBuildAndNoSecondBuild)
{
    CollisionModel3DImpl model(false);
    model.AddTriangleCoords(0, 0, 0, 1, 0, 0, 0, 1, 0);
    const float v[3] = {0, 0, 0};
    model.Build();
    EXPECT_THROW(model.AddTriangleCoords(0, 0, 0, 1, 0, 0, 0, 1, 0), Inconsistency);
    EXPECT_THROW(model.AddTriangleVertices(v, v, v), Inconsistency);
    EXPECT_THROW(model.Build(), Inconsistency);
    model.SetTriangleCount(1000);  // ignored
    EXPECT_EQ(model.TriangleCount(), 1);
    EXPECT_EQ(model.Root().GetTriangleCount(), 1);
}

TEST(CollisionLifecycle, StaticModelKeepsTheInverseOfTheLastTransform)
{
    // A ray straight down at world x = 10 hits the unit triangle only after the second move.
    std::unique_ptr<CollisionModel3D> model(
        testmesh::BuildModel({Triangle({0, 0, 0}, {0, 0, 1}, {1, 0, 0})}, true));
    const float origin[3] = {10.2f, 5.0f, 0.2f};
    const float down[3] = {0.0f, -1.0f, 0.0f};
    CollisionMatrix first = testmesh::RotationTranslation({0, 1, 0}, 0.0f, {-3, 0, 0});
    CollisionMatrix second = testmesh::RotationTranslation({0, 1, 0}, 0.0f, {10, 0, 0});
    model->SetTransform(first.m);
    EXPECT_FALSE(model->TestRay(origin, down, true, 0.0f, 3.4e38f));
    model->SetTransform(second.m);
    ASSERT_TRUE(model->TestRay(origin, down, true, 0.0f, 3.4e38f));
    float point[3];
    model->GetHitPoint(point, false);
    EXPECT_FLOAT_EQ(point[0], 10.2f);
    EXPECT_FLOAT_EQ(point[1], 0.0f);
}
