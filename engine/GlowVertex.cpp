#include "engine/GlowVertex.h"

#include <algorithm>

#include "engine/VectorHelpers.h"

namespace {

std::uint32_t Channel(float value) { return static_cast<std::uint32_t>(std::clamp(value * 255.0f, 0.0f, 255.0f)); }

} // namespace

std::uint32_t ArgbColour(const D3DXVECTOR4& colour)
{
    return Channel(colour.w) << 24 | Channel(colour.x) << 16 | Channel(colour.y) << 8 | Channel(colour.z);
}

std::uint32_t OpaqueColour(const D3DXVECTOR4& colour) { return 0xFF000000u | (ArgbColour(colour) & 0xFFFFFFu); }

D3DXVECTOR3 FacingCorner(const D3DXVECTOR3& corner, const D3DXVECTOR3& centre, const D3DXVECTOR3& eye,
                         const D3DXVECTOR3& up)
{
    D3DXMATRIX facing;
    BuildLookAtMatrix(facing, centre, eye, up);
    D3DXVECTOR3 placed;
    D3DXVec3TransformCoord(&placed, &corner, &facing);
    return placed;
}

D3DXVECTOR3 FacingCorner(const GlowVertex& vertex, const D3DXVECTOR3& eye)
{
    return FacingCorner(D3DXVECTOR3(vertex.x, vertex.y, vertex.z),
                        D3DXVECTOR3(vertex.centreX, vertex.centreY, vertex.centreZ), eye,
                        D3DXVECTOR3(vertex.upX, vertex.upY, vertex.upZ));
}
