#pragma once
// The 64-byte vertex of the light-glow batch, the flames, the stars and the sun: a corner in the
// sprite's own frame (x right, y up, z towards the eye), its colour, its place in the sprite
// texture, the sprite's centre in world coordinates, its up vector and four spare floats.
#include <cstddef>
#include <cstdint>

#include "platform/gfx/D3D9.h"
#include "platform/gfxx/D3DXMath.h"

// XYZ | DIFFUSE | TEX4 with coordinate sets of 2, 3, 3 and 4 floats.
constexpr DWORD GLOW_VERTEX_FVF = 0x940442;

struct GlowVertex {
    float x, y, z;
    std::uint32_t colour; // ARGB
    float u, v;
    float centreX, centreY, centreZ;
    float upX, upY, upZ;
    float spare[4];
};
static_assert(sizeof(GlowVertex) == 64);

// The corners of a glow quad in drawing order (signs of x and y) with texture coordinates over
// the whole sprite texture.
struct GlowCorner {
    float x, y, u, v;
};
constexpr GlowCorner WHOLE_TEXTURE_CORNERS[4] = {
    {1, 1, 0.001f, 0.001f}, {1, -1, 0.001f, 0.999f}, {-1, 1, 0.999f, 0.001f}, {-1, -1, 0.999f, 0.999f}};

// Each lane truncated from 255 x its value, clamped to 0..255: ARGB from (r, g, b, a).
std::uint32_t ArgbColour(const D3DXVECTOR4& colour);
// The same with alpha 255.
std::uint32_t OpaqueColour(const D3DXVECTOR4& colour);

// Indices of quad i: 4i, 4i+1, 4i+2, 4i+2, 4i+1, 4i+3 (two triangles over the corner order).
inline void WriteQuadIndices(std::uint16_t* indices, unsigned quad)
{
    const auto first = static_cast<std::uint16_t>(quad * 4);
    indices[0] = first;
    indices[1] = static_cast<std::uint16_t>(first + 1);
    indices[2] = static_cast<std::uint16_t>(first + 2);
    indices[3] = static_cast<std::uint16_t>(first + 2);
    indices[4] = static_cast<std::uint16_t>(first + 1);
    indices[5] = static_cast<std::uint16_t>(first + 3);
}

// The corner placed around centre in the frame that faces eye with the given up direction: what
// the glow technique's vertex shader does, for the fixed-function path.
D3DXVECTOR3 FacingCorner(const D3DXVECTOR3& corner, const D3DXVECTOR3& centre, const D3DXVECTOR3& eye,
                         const D3DXVECTOR3& up);
// The vertex's own corner, centre and up turned to eye.
D3DXVECTOR3 FacingCorner(const GlowVertex& vertex, const D3DXVECTOR3& eye);
// Copies count vertices with their corners turned to eye (source may be destination).
void CopyTurnedToEye(GlowVertex* destination, const GlowVertex* source, std::size_t count, const D3DXVECTOR3& eye);
// The four vertices of a sprite of the given half-size over the whole texture, centred at centre
// with up axis (0, 1, 0) and nothing else set.
void WriteWholeTextureSprite(GlowVertex* quad, const D3DXVECTOR3& centre, float halfSize, std::uint32_t colour);
