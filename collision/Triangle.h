#pragma once

#include "collision/CollisionVector.h"

// A triangle of a collision model with the mean of its vertices.
struct Triangle
{
    Vec3 vertex1;
    Vec3 vertex2;
    Vec3 vertex3;
    Vec3 centre;

    Triangle() = default;
    Triangle(Vec3 v1, Vec3 v2, Vec3 v3)
        : vertex1(v1), vertex2(v2), vertex3(v3), centre(CentreOf(v1, v2, v3))
    {
    }

    static Vec3 CentreOf(Vec3 v1, Vec3 v2, Vec3 v3)
    {
        constexpr float third = 0.33333334f;
        return {(v1.x + v2.x + v3.x) * third, (v1.y + v2.y + v3.y) * third,
                (v1.z + v2.z + v3.z) * third};
    }

    // Unit normal of the plane through the vertices (zero for a degenerate triangle).
    Vec3 Normal() const { return Normalise(Cross(vertex2 - vertex1, vertex3 - vertex1)); }
};
