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

    // Whether a (in A's coordinates) and b (in B's) overlap: no axis separates them, an axis
    // separating only when the centre distance strictly exceeds the projected half extents.
    bool Overlap(const Box& a, const Box& b) const;

private:
    struct Axis
    {
        Vec3 direction;       // in A's coordinates
        Vec3 absDirection;    // projects A's half extents
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
