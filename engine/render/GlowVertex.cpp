#include "engine/render/GlowVertex.h"

#include <algorithm>

#include "engine/helpers/VectorHelpers.h"

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

void CopyTurnedToEye(GlowVertex* destination, const GlowVertex* source, std::size_t count, const D3DXVECTOR3& eye)
{
    for (std::size_t i = 0; i < count; ++i) {
        const D3DXVECTOR3 turned = FacingCorner(source[i], eye);
        destination[i] = source[i];
        destination[i].x = turned.x;
        destination[i].y = turned.y;
        destination[i].z = turned.z;
    }
}

void WriteWholeTextureSprite(GlowVertex* quad, const D3DXVECTOR3& centre, float halfSize, std::uint32_t colour)
{
    for (int k = 0; k < 4; ++k) {
        const GlowCorner& corner = WHOLE_TEXTURE_CORNERS[k];
        GlowVertex& vertex = quad[k];
        vertex = GlowVertex {};
        vertex.x = corner.x * halfSize;
        vertex.y = corner.y * halfSize;
        vertex.colour = colour;
        vertex.u = corner.u;
        vertex.v = corner.v;
        vertex.centreX = centre.x;
        vertex.centreY = centre.y;
        vertex.centreZ = centre.z;
        vertex.upY = 1.0f;
    }
}
