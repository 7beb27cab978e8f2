#include "collision/CollisionModel3DImpl.h"

#include "collision/TrianglePrimitives.h"

CollisionModel3D* CreateCollisionModel(bool isStatic)
{
    return new CollisionModel3DImpl(isStatic);
}

CollisionModel3DImpl::CollisionModel3DImpl(bool isStaticModel) : isStatic(isStaticModel) {}

void CollisionModel3DImpl::SetTriangleCount(int count)
{
    if (built || count <= 0)
        return;
    triangles.reserve(static_cast<size_t>(count));
}

void CollisionModel3DImpl::AddTriangle(Vec3 v1, Vec3 v2, Vec3 v3)
{
    if (built)
        throw Inconsistency();
    triangles.emplace_back(Triangle(v1, v2, v3));
}

void CollisionModel3DImpl::AddTriangleVertices(const float* vertex1, const float* vertex2,
                                               const float* vertex3)
{
    AddTriangle(Vec3::FromArray(vertex1), Vec3::FromArray(vertex2), Vec3::FromArray(vertex3));
}

void CollisionModel3DImpl::AddTriangleCoords(float x1, float y1, float z1, float x2, float y2,
                                             float z2, float x3, float y3, float z3)
{
    AddTriangle({x1, y1, z1}, {x2, y2, z2}, {x3, y3, z3});
}

void CollisionModel3DImpl::Build()
{
    if (built)
        throw Inconsistency();
    built = true;
    for (const BoxedTriangle& triangle : triangles)
        root.AddTriangle(&triangle);
    root.Divide();
}

void CollisionModel3DImpl::SetTransform(const float* matrix)
{
    transform = CollisionMatrix::FromArray(matrix);
    if (isStatic)
        inverse = transform.Inverse();
}

CollisionMatrix CollisionModel3DImpl::InverseTransform() const
{
    return isStatic ? inverse : transform.Inverse();
}

bool CollisionModel3DImpl::GetHitTriangleIndices(int* mine, int* other) const
{
    if (mine != nullptr)
        *mine = hitIndexA;
    if (other != nullptr)
        *other = hitIndexB;
    return true;
}

bool CollisionModel3DImpl::GetHitTriangles(float* mine, float* other, bool modelFrame) const
{
    auto write = [&](const Triangle& triangle, float* out) {
        if (out == nullptr)
            return;
        const Vec3 vertices[3] = {triangle.vertex1, triangle.vertex2, triangle.vertex3};
        for (int i = 0; i < 3; ++i)
            (modelFrame ? vertices[i] : transform.TransformPoint(vertices[i])).ToArray(out + 3 * i);
    };
    write(hitTriangleA, mine);
    write(hitTriangleB, other);
    return true;
}

bool CollisionModel3DImpl::GetHitPoint(float* point, bool modelFrame) const
{
    Vec3 p;
    if (hitKind == ModelHit)
        p = IntersectTriangles(hitTriangleA, hitTriangleB);
    else if (hitKind == RayHit || hitKind == SphereHit)
        p = hitPoint;
    (modelFrame ? p : transform.TransformPoint(p)).ToArray(point);
    return true;
}
