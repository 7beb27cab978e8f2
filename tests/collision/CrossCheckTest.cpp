// Randomised cross-checks: every tree walk must agree with a brute-force loop over all
// triangles using the same exact triangle test and the same transforms.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "collision/CollisionMatrix.h"
#include "collision/CollisionModel3D.h"
#include "collision/TrianglePrimitives.h"
#include "tests/collision/TestMeshes.h"

namespace {

using testmesh::Mesh;
using ModelPtr = std::unique_ptr<CollisionModel3D>;

struct Scene
{
    const char* name;
    Mesh mesh;
};

std::vector<Scene> RayScenes()
{
    return {{"random soup", testmesh::RandomSoup(1500, 11, 8.0f, 1.0f)},
            {"nearly coplanar sheet", testmesh::Sheet(30, 8.0f, 1e-4f, 5)},
            {"flat sheet", testmesh::Sheet(30, 8.0f, 0.0f, 5)},
            {"terrain", testmesh::Terrain(40, 40, 8.0f)}};
}

// Best ray hit over all triangles, as the closest-hit walk defines it.
struct BruteRay
{
    bool hit = false;
    bool anyHit = false;
    float best = 9e9f;
};

BruteRay BruteForceRay(const Mesh& mesh, Vec3 origin, Vec3 direction, float length)
{
    BruteRay result;
    for (const Triangle& t : mesh)
    {
        float hitT;
        Vec3 point;
        if (!TestRayTriangle(t, origin, direction, length, hitT, point))
            continue;
        result.anyHit = true;
        if (hitT < result.best)
        {
            result.best = hitT;
            result.hit = true;
        }
    }
    return result;
}

}  // namespace

TEST(CollisionCrossCheck, ClosestAndFirstRayHitsMatchBruteForce)
{
    std::mt19937 rng(1234);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (const Scene& scene : RayScenes())
    {
        const ModelPtr model(testmesh::BuildModel(scene.mesh));
        int hits = 0;
        for (int trial = 0; trial < 400; ++trial)
        {
            const CollisionMatrix transform = testmesh::RandomTransform(rng, 5.0f);
            model->SetTransform(transform.m);
            // Aim from outside at a point near the mesh; some rays graze it at shallow angles.
            const Vec3 target = transform.TransformPoint(testmesh::RandomPoint(rng, 8.0f) *
                                                         (trial % 2 == 0 ? 1.0f : 0.02f));
            const Vec3 origin = target + testmesh::RandomPoint(rng, 20.0f);
            const Vec3 direction = (target - origin) * (0.5f + unit(rng));
            const float length = trial % 3 == 0 ? 3.4e38f : 2.0f * unit(rng);

            const CollisionMatrix toModel = transform.Inverse();
            const BruteRay expected =
                BruteForceRay(scene.mesh, toModel.TransformPoint(origin),
                              toModel.TransformVector(direction), length);
            float o[3], d[3];
            origin.ToArray(o);
            direction.ToArray(d);

            ASSERT_EQ(model->TestRay(o, d, false, 0.0f, length), expected.anyHit)
                << scene.name << " trial " << trial;
            ASSERT_EQ(model->TestRay(o, d, true, 0.0f, length), expected.hit)
                << scene.name << " trial " << trial;
            if (!expected.hit)
                continue;
            ++hits;
            int index = -1;
            model->GetHitTriangleIndices(&index, nullptr);
            float t;
            Vec3 point;
            ASSERT_TRUE(TestRayTriangle(scene.mesh[static_cast<size_t>(index)],
                                        toModel.TransformPoint(origin),
                                        toModel.TransformVector(direction), length, t, point));
            ASSERT_EQ(t, expected.best) << scene.name << " trial " << trial;
        }
        EXPECT_GT(hits, 40) << scene.name;
        EXPECT_LT(hits, 360) << scene.name;
    }
}

TEST(CollisionCrossCheck, SphereHitsMatchBruteForce)
{
    std::mt19937 rng(99);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (const Scene& scene : RayScenes())
    {
        const ModelPtr model(testmesh::BuildModel(scene.mesh));
        int hits = 0;
        for (int trial = 0; trial < 400; ++trial)
        {
            const CollisionMatrix transform = testmesh::RandomTransform(rng, 5.0f);
            model->SetTransform(transform.m);
            // Near a random triangle, so that hits and misses both occur.
            const Triangle& near = scene.mesh[rng() % scene.mesh.size()];
            const Vec3 centre =
                transform.TransformPoint(near.centre + testmesh::RandomPoint(rng, 1.0f));
            const float radius = 0.02f + unit(rng) * unit(rng);

            const Vec3 local = transform.Inverse().TransformPoint(centre);
            bool expected = false;
            for (const Triangle& t : scene.mesh)
            {
                Vec3 point;
                expected = expected || TestSphereTriangle(t, local, radius, point);
            }
            float c[3];
            centre.ToArray(c);
            ASSERT_EQ(model->TestSphere(c, radius), expected) << scene.name << " trial " << trial;
            if (!expected)
                continue;
            ++hits;
            int index = -1;
            model->GetHitTriangleIndices(&index, nullptr);
            Vec3 point;
            ASSERT_TRUE(TestSphereTriangle(scene.mesh[static_cast<size_t>(index)], local, radius, point));
        }
        EXPECT_GT(hits, 20) << scene.name;
        EXPECT_LT(hits, 380) << scene.name;
    }
}

namespace {

// Whether two nearly parallel triangles lie side by side: their shadows on the plane of b are
// apart by more than gap along some edge normal.
bool SideBySide(const Triangle& a, const Triangle& b, float gap)
{
    const Vec3 n = b.Normal();
    const Vec3 pa[3] = {a.vertex1, a.vertex2, a.vertex3};
    const Vec3 pb[3] = {b.vertex1, b.vertex2, b.vertex3};
    for (const Vec3* edges : {pa, pb})
    {
        for (int e = 0; e < 3; ++e)
        {
            const Vec3 axis = Normalise(Cross(n, edges[(e + 1) % 3] - edges[e]));
            float minA = 9e9f, maxA = -9e9f, minB = 9e9f, maxB = -9e9f;
            for (int k = 0; k < 3; ++k)
            {
                minA = std::min(minA, Dot(axis, pa[k]));
                maxA = std::max(maxA, Dot(axis, pa[k]));
                minB = std::min(minB, Dot(axis, pb[k]));
                maxB = std::max(maxB, Dot(axis, pb[k]));
            }
            if (minA > maxB + gap || minB > maxA + gap)
                return true;
        }
    }
    return false;
}

struct BruteModels
{
    bool overlap = false;
    // Every overlapping pair lies side by side in nearly parallel planes, where the triangle
    // test's 1e-6 snapping makes triangles "touch" that are clearly apart.
    bool onlySnapArtefacts = true;
};

BruteModels BruteForceModels(const Mesh& a, const Mesh& b, const CollisionMatrix& ma,
                             const CollisionMatrix& mb)
{
    const RelativeTransform bToA(mb * ma.Inverse());
    BruteModels result;
    for (const Triangle& tb : b)
    {
        const Triangle moved(bToA.Apply(tb.vertex1), bToA.Apply(tb.vertex2), bToA.Apply(tb.vertex3));
        for (const Triangle& ta : a)
        {
            if (!TestTriangleOverlap(moved, ta))
                continue;
            result.overlap = true;
            const Vec3 normals = Cross(moved.Normal(), ta.Normal());
            const bool nearlyParallel = Dot(normals, normals) < 1e-6f;
            if (!nearlyParallel || !SideBySide(moved, ta, 1e-3f))
                result.onlySnapArtefacts = false;
        }
    }
    return result;
}

struct PairCase
{
    CollisionMatrix ma;
    CollisionMatrix mb;
};

// Checks one model pair over many placements; returns the number of hits.
int CheckModelPairs(const char* name, const Mesh& a, const Mesh& b,
                    const std::vector<PairCase>& placements)
{
    const ModelPtr modelA(testmesh::BuildModel(a));
    const ModelPtr modelB(testmesh::BuildModel(b));
    int hits = 0;
    int artefacts = 0;
    for (size_t i = 0; i < placements.size(); ++i)
    {
        const PairCase& p = placements[i];
        modelA->SetTransform(p.ma.m);
        modelB->SetTransform(p.mb.m);
        const BruteModels expected = BruteForceModels(a, b, p.ma, p.mb);
        const bool found = modelA->TestModel(*modelB, -1, 0, nullptr);
        if (expected.overlap && !found && expected.onlySnapArtefacts)
        {
            ++artefacts;
            continue;
        }
        EXPECT_EQ(found, expected.overlap) << name << " placement " << i;
        if (!found)
            continue;
        ++hits;
        int ia = -1, ib = -1;
        modelA->GetHitTriangleIndices(&ia, &ib);
        const RelativeTransform bToA(p.mb * p.ma.Inverse());
        const Triangle& tb = b[static_cast<size_t>(ib)];
        const Triangle moved(bToA.Apply(tb.vertex1), bToA.Apply(tb.vertex2), bToA.Apply(tb.vertex3));
        EXPECT_TRUE(TestTriangleOverlap(moved, a[static_cast<size_t>(ia)])) << name << " placement " << i;
    }
    EXPECT_LE(artefacts * 20, static_cast<int>(placements.size())) << name;
    return hits;
}

}  // namespace

TEST(CollisionCrossCheck, ModelHitsMatchBruteForceOnRandomSoups)
{
    std::mt19937 rng(2024);
    const Mesh a = testmesh::RandomSoup(150, 21, 3.0f, 0.4f);
    const Mesh b = testmesh::RandomSoup(150, 22, 3.0f, 0.4f);
    std::vector<PairCase> placements;
    for (int i = 0; i < 300; ++i)
        placements.push_back({testmesh::RandomTransform(rng, 4.0f), testmesh::RandomTransform(rng, 4.0f)});
    const int hits = CheckModelPairs("random soups", a, b, placements);
    EXPECT_GT(hits, 30);
    EXPECT_LT(hits, 270);
}

TEST(CollisionCrossCheck, ModelHitsMatchBruteForceOnNearlyCoplanarSheets)
{
    // Both sheets share a random orientation; the second is turned about the common normal and
    // lifted by a hair, so contacts hinge on distances near the plane tolerance.
    std::mt19937 rng(77);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (const float noise : {0.0f, 1e-4f})
    {
        const Mesh a = testmesh::Sheet(12, 2.0f, noise, 31);
        const Mesh b = testmesh::Sheet(12, 2.0f, noise, 32);
        std::vector<PairCase> placements;
        for (int i = 0; i < 200; ++i)
        {
            const CollisionMatrix common = testmesh::RandomTransform(rng, 3.0f);
            const float lift = (unit(rng) - 0.5f) * 6e-4f * (i % 4 == 0 ? 0.0f : 1.0f);
            const CollisionMatrix local = testmesh::RotationTranslation(
                {0, 1, 0}, unit(rng) * 6.0f, {(unit(rng) - 0.5f) * 6.0f, lift, (unit(rng) - 0.5f) * 6.0f});
            placements.push_back({common, local * common});
        }
        const int hits = CheckModelPairs(noise == 0.0f ? "flat sheets" : "nearly coplanar sheets", a, b, placements);
        EXPECT_GT(hits, 20);
        EXPECT_LT(hits, 190);
    }
}
