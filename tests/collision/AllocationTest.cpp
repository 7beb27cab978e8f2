// Ray and sphere tests of a warmed-up model allocate nothing (own executable: it replaces the
// global operator new to count).

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "tests/collision/TestMeshes.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size != 0 ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

TEST(CollisionAllocation, WarmRayAndSphereTestsAllocateNothing)
{
    const std::unique_ptr<CollisionModel3D> model(
        testmesh::BuildModel(testmesh::Terrain(50, 50, 20.0f)));
    const CollisionMatrix transform = testmesh::RotationTranslation({1, 1, 0}, 0.4f, {2, 3, 4});
    model->SetTransform(transform.m);
    std::mt19937 rng(5);
    auto run = [&](int count) {
        for (int i = 0; i < count; ++i)
        {
            float origin[3], direction[3], centre[3];
            (testmesh::RandomPoint(rng, 20.0f) + Vec3{0, 30, 0}).ToArray(origin);
            (testmesh::RandomPoint(rng, 0.5f) + Vec3{0, -1, 0}).ToArray(direction);
            testmesh::RandomPoint(rng, 20.0f).ToArray(centre);
            model->TestRay(origin, direction, true, 0.0f, 3.4e38f);
            model->TestRay(origin, direction, false, 0.0f, 40.0f);
            model->TestSphere(centre, 1.5f);
        }
    };
    run(200);  // warm-up: the work stacks reach their size
    const long before = allocations.load();
    run(2000);
    EXPECT_EQ(allocations.load(), before);
}
