// Collision library benchmarks: tree build, ray and model tests, and the same rays through
// Bullet's BVH triangle mesh and a brute-force loop.

#include <benchmark/benchmark.h>

#include <btBulletCollisionCommon.h>
#include <BulletCollision/NarrowPhaseCollision/btRaycastCallback.h>

#include <chrono>
#include <memory>
#include <random>

#include "collision/CollisionModel3D.h"
#include "collision/TrianglePrimitives.h"
#include "tests/collision/TestMeshes.h"

namespace {

using ModelPtr = std::unique_ptr<CollisionModel3D>;

constexpr float rayLength = 200.0f;

struct Ray
{
    Vec3 origin;
    Vec3 direction;  // unit length
};

const testmesh::Mesh& RayMesh()
{
    static const testmesh::Mesh mesh = testmesh::Terrain(100, 50, 50.0f);  // 10,000 triangles
    return mesh;
}

// Rays from above the terrain, slanted, most of them hitting it.
const std::vector<Ray>& Rays()
{
    static const std::vector<Ray> rays = [] {
        std::mt19937 rng(17);
        std::vector<Ray> result;
        for (int i = 0; i < 4096; ++i)
        {
            const Vec3 origin = testmesh::RandomPoint(rng, 60.0f) * 1.0f + Vec3{0, 80, 0};
            const Vec3 target = testmesh::RandomPoint(rng, 55.0f);
            result.push_back({origin, Normalise(Vec3{target.x, 0, target.z} - origin)});
        }
        return result;
    }();
    return rays;
}

ModelPtr RayModel()
{
    return ModelPtr(testmesh::BuildModel(RayMesh()));
}

// Bullet's BVH over the same triangles, with a callback keeping the nearest hit.
class BulletMesh
{
public:
    BulletMesh()
    {
        for (const Triangle& t : RayMesh())
        {
            for (const Vec3& v : {t.vertex1, t.vertex2, t.vertex3})
            {
                indices.push_back(static_cast<int>(vertices.size() / 3));
                vertices.insert(vertices.end(), {v.x, v.y, v.z});
            }
        }
        btIndexedMesh part;
        part.m_numTriangles = static_cast<int>(indices.size() / 3);
        part.m_triangleIndexBase = reinterpret_cast<const unsigned char*>(indices.data());
        part.m_triangleIndexStride = 3 * sizeof(int);
        part.m_numVertices = static_cast<int>(vertices.size() / 3);
        part.m_vertexBase = reinterpret_cast<const unsigned char*>(vertices.data());
        part.m_vertexStride = 3 * sizeof(float);
        array.addIndexedMesh(part, PHY_INTEGER);
        shape = std::make_unique<btBvhTriangleMeshShape>(&array, true);
    }

    bool ClosestHit(const Ray& ray, float& fraction) const
    {
        const Vec3 end = ray.origin + ray.direction * rayLength;
        const btVector3 from(ray.origin.x, ray.origin.y, ray.origin.z);
        const btVector3 to(end.x, end.y, end.z);
        NearestCallback callback(from, to);
        shape->performRaycast(&callback, from, to);
        fraction = callback.nearest;
        return callback.hit;
    }

private:
    struct NearestCallback : btTriangleRaycastCallback
    {
        NearestCallback(const btVector3& from, const btVector3& to)
            : btTriangleRaycastCallback(from, to)
        {
        }
        btScalar reportHit(const btVector3&, btScalar hitFraction, int, int) override
        {
            hit = true;
            nearest = hitFraction;
            return hitFraction;  // clips the ray: only nearer hits follow
        }
        bool hit = false;
        btScalar nearest = 1;
    };

    std::vector<float> vertices;
    std::vector<int> indices;
    btTriangleIndexVertexArray array;
    std::unique_ptr<btBvhTriangleMeshShape> shape;
};

bool BruteForceClosest(const Ray& ray, float& best)
{
    bool hit = false;
    best = 9e9f;
    for (const Triangle& t : RayMesh())
    {
        float distance;
        Vec3 point;
        if (TestRayTriangle(t, ray.origin, ray.direction, rayLength, distance, point) &&
            distance < best)
        {
            best = distance;
            hit = true;
        }
    }
    return hit;
}

bool TreeRay(CollisionModel3D& model, const Ray& ray, bool closest)
{
    float o[3], d[3];
    ray.origin.ToArray(o);
    ray.direction.ToArray(d);
    return model.TestRay(o, d, closest, 0.0f, rayLength);
}

void BM_Build(benchmark::State& state)
{
    const int cells = static_cast<int>(state.range(0));  // cells x (cells / 2) quads
    const testmesh::Mesh mesh = testmesh::Terrain(cells, cells / 2, 100.0f);
    for (auto _ : state)
    {
        ModelPtr model(testmesh::BuildModel(mesh));
        benchmark::DoNotOptimize(model.get());
    }
    state.counters["triangles"] = static_cast<double>(mesh.size());
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(mesh.size()));
}
// 1,000 (cells 32 -> 1,024), 10,000 and 100,000 triangles.
BENCHMARK(BM_Build)->Arg(32)->Arg(100)->Arg(316)->Unit(benchmark::kMillisecond);

template <typename RayFunction>
void RunRays(benchmark::State& state, RayFunction rayFunction)
{
    const std::vector<Ray>& rays = Rays();
    size_t next = 0;
    int64_t hits = 0;
    for (auto _ : state)
    {
        hits += rayFunction(rays[next]) ? 1 : 0;
        next = (next + 1) % rays.size();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["hit_rate"] =
        static_cast<double>(hits) / static_cast<double>(state.iterations());
}

void BM_TreeClosestRay(benchmark::State& state)
{
    const ModelPtr model = RayModel();
    RunRays(state, [&](const Ray& ray) { return TreeRay(*model, ray, true); });
}
BENCHMARK(BM_TreeClosestRay);

void BM_TreeFirstRay(benchmark::State& state)
{
    const ModelPtr model = RayModel();
    RunRays(state, [&](const Ray& ray) { return TreeRay(*model, ray, false); });
}
BENCHMARK(BM_TreeFirstRay);

void BM_BulletClosestRay(benchmark::State& state)
{
    const BulletMesh bullet;
    RunRays(state, [&](const Ray& ray) {
        float fraction;
        return bullet.ClosestHit(ray, fraction);
    });
}
BENCHMARK(BM_BulletClosestRay);

void BM_BruteForceClosestRay(benchmark::State& state)
{
    RunRays(state, [&](const Ray& ray) {
        float best;
        return BruteForceClosest(ray, best);
    });
}
BENCHMARK(BM_BruteForceClosestRay);

// Seconds per ray of one method over the whole ray set.
template <typename RayFunction>
double SecondsPerRay(RayFunction rayFunction, int passes)
{
    const std::vector<Ray>& rays = Rays();
    const auto start = std::chrono::steady_clock::now();
    int hits = 0;
    for (int pass = 0; pass < passes; ++pass)
        for (const Ray& ray : rays)
            hits += rayFunction(ray) ? 1 : 0;
    benchmark::DoNotOptimize(hits);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / (static_cast<double>(passes) * static_cast<double>(rays.size()));
}

// Speed of the tree's closest-hit ray relative to Bullet and to brute force (above 1: the tree
// is faster), measured on the same rays.
void BM_ClosestRaySpeedRatios(benchmark::State& state)
{
    const ModelPtr model = RayModel();
    const BulletMesh bullet;
    double tree = 0, viaBullet = 0, brute = 0;
    for (auto _ : state)
    {
        tree = SecondsPerRay([&](const Ray& ray) { return TreeRay(*model, ray, true); }, 20);
        viaBullet = SecondsPerRay(
            [&](const Ray& ray) {
                float fraction;
                return bullet.ClosestHit(ray, fraction);
            },
            20);
        brute = SecondsPerRay(
            [&](const Ray& ray) {
                float best;
                return BruteForceClosest(ray, best);
            },
            1);
    }
    state.counters["tree_us"] = tree * 1e6;
    state.counters["bullet_us"] = viaBullet * 1e6;
    state.counters["brute_us"] = brute * 1e6;
    state.counters["bullet_over_tree"] = viaBullet / tree;
    state.counters["brute_over_tree"] = brute / tree;
}
BENCHMARK(BM_ClosestRaySpeedRatios)->Iterations(1)->Unit(benchmark::kMillisecond);

// Two 5,000-triangle terrains, one 0.05 above the other and turned a little: every level of
// both trees overlaps, no triangle pair does.
void BM_ModelTestNearContact(benchmark::State& state)
{
    const testmesh::Mesh mesh = testmesh::Terrain(50, 50, 25.0f);
    const ModelPtr a(testmesh::BuildModel(mesh));
    const ModelPtr b(testmesh::BuildModel(mesh));
    const CollisionMatrix lifted = testmesh::RotationTranslation({0, 1, 0}, 0.0f, {0, 0.05f, 0});
    b->SetTransform(lifted.m);
    int64_t hits = 0;
    for (auto _ : state)
        hits += a->TestModel(*b, -1, 0, nullptr) ? 1 : 0;
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_ModelTestNearContact)->Unit(benchmark::kMillisecond);

}  // namespace
