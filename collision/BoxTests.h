#pragma once

#include "collision/BoxTree.h"
#include "collision/CollisionMatrix.h"
#include "collision/CollisionVector.h"

// The 15 candidate separating axes of a box of model A against a box of model B carried into
// A's coordinates by a relative transform, prepared once per model test.
class OrientedBoxTest
{
public:
    explicit OrientedBoxTest(const RelativeTransform& bToA);

    // Whether a (in A's coordinates) and b (in B's) may hold overlapping triangles: no axis
    // separates them by more than a tolerance. The tolerance covers the rounding of the
    // transform and the distance at which the triangle test takes points to lie in a plane, so
    // flat boxes of coplanar triangles in contact are not pruned.
    bool Overlap(const BoxTreeNode& a, const BoxTreeNode& b) const;

private:
    struct Axis
    {
        Vec3 direction;       // in A's coordinates
        Vec3 absDirection;    // projects A's half extents
        float length;         // scales distance tolerances onto the axis
        Vec3 bProjection;     // |B's axis k . direction|, projects B's half extents
    };

    RelativeTransform bToA;
    Axis axes[15];
};

// Conservative test of a ray (length above 3e30) or segment o + r t, 0 <= t <= length,
// against a box twice the size of the node's box about the same centre.
bool RayMayHitBox(const Box& box, Vec3 origin, Vec3 direction, float length);

// Whether the sphere reaches the box [pos, pos + size].
bool SphereReachesBox(const Box& box, Vec3 centre, float radius);
