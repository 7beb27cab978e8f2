#pragma once
// Small float helpers beside the utility library's math.
#include <cstdint>

#include "platform/gfxx/D3DXMath.h"

float SqrtF(float x);
float Vec3Length(const D3DXVECTOR3& v);
float Vec3Distance(const D3DXVECTOR3& a, const D3DXVECTOR3& b);
// source / length; a zero vector gives (0, 0, 0).
void Vec3Normalize(D3DXVECTOR3& destination, const D3DXVECTOR3& source);
float MaxComponent(const D3DXVECTOR3& v);
// (x, y, z) / max(x, y, z) with w = 1; (0, 0, 0, 1) when the largest component is 0.
void ColorNormalizeMax(D3DXVECTOR4& destination, const D3DXVECTOR3& source);
// All four components scaled by limit / m when m = max(x, y, z) exceeds the limit.
void Vec4LimitMax(D3DXVECTOR4& destination, const D3DXVECTOR4& source, float limit);
// World matrix of an object at position facing target: rows right, up, forward, position.
void BuildLookAtMatrix(D3DXMATRIX& matrix, const D3DXVECTOR3& position, const D3DXVECTOR3& target, const D3DXVECTOR3& up);
// up x normalise(to - from), not normalised.
void LookAtRightVector(D3DXVECTOR3& out, const D3DXVECTOR3& from, const D3DXVECTOR3& to, const D3DXVECTOR3& up);

struct EdgePair {
    std::uint16_t a, b;
};
// Removes the edge {a, b} (either order) when listed, else appends it; the list must have room
// for one more pair.
void ToggleEdge(EdgePair* pairs, int& count, std::uint16_t a, std::uint16_t b);
