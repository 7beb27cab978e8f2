#include "engine/helpers/VectorHelpers.h"

#include <algorithm>
#include <cmath>

float SqrtF(float x)
{
    return std::sqrt(x);
}

float Vec3Length(const D3DXVECTOR3& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

float Vec3Distance(const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    return Vec3Length(a - b);
}

void Vec3Normalize(D3DXVECTOR3& destination, const D3DXVECTOR3& source)
{
    const float length = Vec3Length(source);
    destination = length > 0 ? source / length : D3DXVECTOR3();
}

float MaxComponent(const D3DXVECTOR3& v)
{
    return std::max({v.x, v.y, v.z});
}

void ColorNormalizeMax(D3DXVECTOR4& destination, const D3DXVECTOR3& source)
{
    const float largest = MaxComponent(source);
    if (largest == 0) {
        destination = D3DXVECTOR4(0, 0, 0, 1);
        return;
    }
    destination = D3DXVECTOR4(source.x / largest, source.y / largest, source.z / largest, 1);
}

void Vec4LimitMax(D3DXVECTOR4& destination, const D3DXVECTOR4& source, float limit)
{
    const float largest = std::max({source.x, source.y, source.z});
    destination = largest > limit ? source * (limit / largest) : source;
}

void BuildLookAtMatrix(D3DXMATRIX& matrix, const D3DXVECTOR3& position, const D3DXVECTOR3& target, const D3DXVECTOR3& up)
{
    D3DXVECTOR3 forward, right, trueUp, cross;
    Vec3Normalize(forward, target - position);
    D3DXVec3Cross(&cross, &up, &forward);
    Vec3Normalize(right, cross);
    trueUp = up - forward * D3DXVec3Dot(&forward, &up);
    Vec3Normalize(trueUp, trueUp);
    matrix = D3DXMATRIX(right.x, right.y, right.z, 0, trueUp.x, trueUp.y, trueUp.z, 0,
                        forward.x, forward.y, forward.z, 0, position.x, position.y, position.z, 1);
}

void LookAtRightVector(D3DXVECTOR3& out, const D3DXVECTOR3& from, const D3DXVECTOR3& to, const D3DXVECTOR3& up)
{
    D3DXVECTOR3 direction;
    Vec3Normalize(direction, to - from);
    D3DXVec3Cross(&out, &up, &direction);
}

void ToggleEdge(EdgePair* pairs, int& count, std::uint16_t a, std::uint16_t b)
{
    for (int i = 0; i < count; ++i) {
        if ((pairs[i].a == a && pairs[i].b == b) || (pairs[i].a == b && pairs[i].b == a)) {
            if (count > 1)
                pairs[i] = pairs[count - 1];
            --count;
            return;
        }
    }
    pairs[count++] = EdgePair {a, b};
}
