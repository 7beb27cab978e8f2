#pragma once

// Public interface of the collision library: triangle-mesh collision models with a box tree,
// a world transform, and tests against other models, rays, segments and spheres.
//
// Coordinates are single-precision floats. Matrices are 16 floats, row-major, used with row
// vectors: a point p maps to p x M, the translation sits in elements 12, 13 and 14.
//
// Typical use:
//   CollisionModel3D* model = CreateCollisionModel(false);
//   model->SetTriangleCount(n);
//   for each triangle: model->AddTriangleVertices(v1, v2, v3);
//   model->Build();
//   model->SetTransform(worldMatrix);
//   if (model->TestRay(origin, direction, true, 0.0f, 3.4e38f)) model->GetHitPoint(p, false);
//   delete model;
//
// Misuse throws Inconsistency; a model test that runs past its time limit throws
// TimeoutExpired. A model must not be tested from two threads at once: tests write its hit
// record.

#include <exception>

// Thrown on misuse: adding triangles to or building a built model, a model test on a model
// that is not built.
class Inconsistency : public std::exception
{
public:
    const char* what() const noexcept override { return "collision model misused"; }
};

// Thrown when a model test reaches its time limit.
class TimeoutExpired : public std::exception
{
public:
    const char* what() const noexcept override { return "collision test timed out"; }
};

class CollisionModel3D
{
public:
    virtual ~CollisionModel3D() = default;

    // Reserves room for count triangles; does nothing after Build.
    virtual void SetTriangleCount(int count) = 0;
    // Appends a triangle (the vertices are copied; each points to x, y, z). Its index is the
    // number of triangles added before it. Throws Inconsistency after Build.
    virtual void AddTriangleVertices(const float* vertex1, const float* vertex2,
                                     const float* vertex3) = 0;
    virtual void AddTriangleCoords(float x1, float y1, float z1, float x2, float y2, float z2,
                                   float x3, float y3, float z3) = 0;
    // Builds the box tree; no triangle can be added afterwards. Throws Inconsistency when
    // called twice.
    virtual void Build() = 0;

    // Copies the model's world matrix (16 floats). Allowed at any time.
    virtual void SetTransform(const float* matrix) = 0;

    // Whether any triangle of this model overlaps any triangle of other. accuracy is not used.
    // maxTimeMs limits the test (0: 0xFFFFFF ms) and throws TimeoutExpired when reached.
    // otherMatrix, when not null, replaces other's own transform (for two placements of one
    // model). Throws Inconsistency when either model is not built.
    virtual bool TestModel(const CollisionModel3D& other, int accuracy, unsigned maxTimeMs,
                           const float* otherMatrix) = 0;
    // Ray or segment in world coordinates: origin + direction t for segmentMin < t <=
    // segmentMax, measured in units of direction (which need not be unit length); pass
    // segmentMax 3.4e38 for a ray. closest false stops at the first triangle found, closest
    // true finds the nearest.
    virtual bool TestRay(const float* origin, const float* direction, bool closest,
                         float segmentMin, float segmentMax) = 0;
    // Whether the sphere (centre in world coordinates, radius not scaled) reaches a triangle's
    // plane with the centre's projection inside the triangle.
    virtual bool TestSphere(const float* centre, float radius) = 0;

    // Hit record of the last test. Indices are positions in the order of addition; the other
    // index is written by model tests only.
    virtual bool GetHitTriangleIndices(int* mine, int* other) const = 0;
    // Nine floats each (either pointer may be null): this model's hit triangle and, after a
    // model test, the other model's, both in this model's coordinates, or in world coordinates
    // (through this model's transform) when modelFrame is false.
    virtual bool GetHitTriangles(float* mine, float* other, bool modelFrame) const = 0;
    // The hit point of the last ray or sphere test, or the contact point of the last model
    // test; (0, 0, 0) before any test.
    virtual bool GetHitPoint(float* point, bool modelFrame) const = 0;
};

// A new, empty model owned by the caller. A static model keeps the inverse of its transform
// instead of computing it in every test.
CollisionModel3D* CreateCollisionModel(bool isStatic);

// Nearest intersection of the line origin + direction t with a sphere, also behind the
// origin; false when the line misses the sphere or direction is zero.
bool IntersectRaySphere(const float* centre, float radius, const float* origin,
                        const float* direction, float* point);
