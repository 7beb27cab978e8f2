#pragma once

#include "collision/CollisionVector.h"

// 4x4 row-major float matrix used with row vectors: p' = p x M, translation in m[12..14].
struct CollisionMatrix
{
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static CollisionMatrix FromArray(const float* values);

    // General inverse: the adjugate divided by the determinant (expanded along the first
    // row). A singular matrix is not detected.
    CollisionMatrix Inverse() const;

    Vec3 TransformPoint(Vec3 p) const
    {
        return {p.x * m[0] + p.y * m[4] + p.z * m[8] + m[12],
                p.x * m[1] + p.y * m[5] + p.z * m[9] + m[13],
                p.x * m[2] + p.y * m[6] + p.z * m[10] + m[14]};
    }
    // Rotation (and scale) only, no translation.
    Vec3 TransformVector(Vec3 v) const
    {
        return {v.x * m[0] + v.y * m[4] + v.z * m[8], v.x * m[1] + v.y * m[5] + v.z * m[9],
                v.x * m[2] + v.y * m[6] + v.z * m[10]};
    }
};

// Product a x b: applying the result equals applying a, then b.
CollisionMatrix operator*(const CollisionMatrix& a, const CollisionMatrix& b);

// The rows of a matrix's upper-left 3x3 (the images of the unit axes) and its translation:
// maps another model's coordinates into this model's.
struct RelativeTransform
{
    explicit RelativeTransform(const CollisionMatrix& matrix);

    Vec3 Apply(Vec3 p) const { return row[0] * p.x + row[1] * p.y + row[2] * p.z + translation; }

    Vec3 row[3];
    Vec3 translation;
};
