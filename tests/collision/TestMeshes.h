#pragma once

// Triangle sets and transforms for the collision tests and benchmarks (fixed seeds).

#include <cmath>
#include <random>
#include <vector>

#include "collision/CollisionMatrix.h"
#include "collision/CollisionModel3D.h"
#include "collision/Triangle.h"

namespace testmesh {

using Mesh = std::vector<Triangle>;

inline Vec3 RandomPoint(std::mt19937& rng, float extent)
{
    std::uniform_real_distribution<float> coord(-extent, extent);
    const float x = coord(rng);
    const float y = coord(rng);
    return {x, y, coord(rng)};
}

// count triangles with centres in [-extent, extent]^3 and vertices up to size from them.
inline Mesh RandomSoup(int count, unsigned seed, float extent, float size)
{
    std::mt19937 rng(seed);
    Mesh mesh;
    for (int i = 0; i < count; ++i)
    {
        const Vec3 c = RandomPoint(rng, extent);
        const Vec3 a = c + RandomPoint(rng, size);
        const Vec3 b = c + RandomPoint(rng, size);
        mesh.emplace_back(a, b, c + RandomPoint(rng, size));
    }
    return mesh;
}

// A cells x cells grid of quads (two triangles each) on [-half, half]^2 in the plane y = 0,
// each vertex lifted by a random height up to noise: many nearly coplanar triangles.
inline Mesh Sheet(int cells, float half, float noise, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> lift(-noise, noise);
    std::vector<float> height(static_cast<size_t>((cells + 1) * (cells + 1)));
    for (float& h : height)
        h = noise > 0.0f ? lift(rng) : 0.0f;
    auto vertex = [&](int i, int j) {
        const float step = 2.0f * half / static_cast<float>(cells);
        return Vec3{-half + step * static_cast<float>(i), height[static_cast<size_t>(j * (cells + 1) + i)],
                    -half + step * static_cast<float>(j)};
    };
    Mesh mesh;
    for (int j = 0; j < cells; ++j)
    {
        for (int i = 0; i < cells; ++i)
        {
            mesh.emplace_back(vertex(i, j), vertex(i, j + 1), vertex(i + 1, j));
            mesh.emplace_back(vertex(i + 1, j), vertex(i, j + 1), vertex(i + 1, j + 1));
        }
    }
    return mesh;
}

// Rolling terrain of cellsX x cellsZ quads over [-half, half]^2.
inline Mesh Terrain(int cellsX, int cellsZ, float half)
{
    auto vertex = [&](int i, int j) {
        const float x = -half + 2.0f * half * static_cast<float>(i) / static_cast<float>(cellsX);
        const float z = -half + 2.0f * half * static_cast<float>(j) / static_cast<float>(cellsZ);
        return Vec3{x, 3.0f * std::sin(x * 0.15f) * std::cos(z * 0.11f), z};
    };
    Mesh mesh;
    for (int j = 0; j < cellsZ; ++j)
    {
        for (int i = 0; i < cellsX; ++i)
        {
            mesh.emplace_back(vertex(i, j), vertex(i, j + 1), vertex(i + 1, j));
            mesh.emplace_back(vertex(i + 1, j), vertex(i, j + 1), vertex(i + 1, j + 1));
        }
    }
    return mesh;
}

inline CollisionModel3D* BuildModel(const Mesh& mesh, bool isStatic = false)
{
    CollisionModel3D* model = CreateCollisionModel(isStatic);
    model->SetTriangleCount(static_cast<int>(mesh.size()));
    for (const Triangle& t : mesh)
        model->AddTriangleCoords(t.vertex1.x, t.vertex1.y, t.vertex1.z, t.vertex2.x, t.vertex2.y,
                                 t.vertex2.z, t.vertex3.x, t.vertex3.y, t.vertex3.z);
    model->Build();
    return model;
}

// Rotation by angle about a unit axis, then translation; row-vector convention.
inline CollisionMatrix RotationTranslation(Vec3 axis, float angle, Vec3 translation)
{
    const Vec3 u = Normalise(axis);
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float k = 1.0f - c;
    CollisionMatrix m;
    // Row i is the image of unit axis i.
    const float rows[3][3] = {
        {c + u.x * u.x * k, u.y * u.x * k + u.z * s, u.z * u.x * k - u.y * s},
        {u.x * u.y * k - u.z * s, c + u.y * u.y * k, u.z * u.y * k + u.x * s},
        {u.x * u.z * k + u.y * s, u.y * u.z * k - u.x * s, c + u.z * u.z * k}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            m.m[i * 4 + j] = rows[i][j];
    m.m[12] = translation.x;
    m.m[13] = translation.y;
    m.m[14] = translation.z;
    return m;
}

inline CollisionMatrix RandomTransform(std::mt19937& rng, float maxShift)
{
    std::uniform_real_distribution<float> angle(-3.14159f, 3.14159f);
    const Vec3 axis = RandomPoint(rng, 1.0f);
    const float a = angle(rng);
    return RotationTranslation(axis, a, RandomPoint(rng, maxShift));
}

}  // namespace testmesh
