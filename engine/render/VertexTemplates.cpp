#include "engine/render/VertexTemplates.h"

#include <cmath>

ScreenVertex CircleVerticesB[33];
ScreenVertex CircleVerticesA[33];
ScreenVertex FanVerticesA[34];
ScreenVertex FanVerticesB[34];
ScreenVertex DiscVertices[17];

namespace {

constexpr float TURN = 6.2831853f;

ScreenVertex Vertex(float x, float y, float z, float rhw, float u = 0, float v = 0)
{
    return ScreenVertex {x, y, z, rhw, 0, u, v, 0};
}

// (1, 0, 0) rotated about Z by the fraction of a turn, with texture coordinates from x and y.
ScreenVertex RimAboutZ(float fraction, float rhw, bool textured)
{
    const float x = std::cos(fraction * TURN), y = std::sin(fraction * TURN);
    return textured ? Vertex(x, y, 0, rhw, (x + 1) / 2, (y + 1) / 2) : Vertex(x, y, 0, rhw);
}

} // namespace

void FillVertexTemplates()
{
    for (int k = 0; k <= 32; ++k) {
        const float angle = k / 32.0f * TURN;
        CircleVerticesB[k] = Vertex(std::cos(angle), 0, -std::sin(angle), 0);
        CircleVerticesA[k] = RimAboutZ(k / 32.0f, 1.0f, false);
        FanVerticesA[k + 1] = RimAboutZ(-k / 32.0f, 1.0f, true);
        FanVerticesB[k + 1] = RimAboutZ(k / 32.0f, 0.0f, false);
    }
    FanVerticesA[0] = Vertex(0, 0, 0, 1.0f, 0.5f, 0.5f);
    FanVerticesB[0] = Vertex(0, 0, 0, 0.0f);
    DiscVertices[0] = Vertex(0, 0, 0, 1.0f, 0.5f, 0.5f);
    for (int k = 0; k <= 15; ++k)
        DiscVertices[k + 1] = RimAboutZ(-k / 15.0f, 1.0f, true);
    // Each rim is a closed ring: its last point is exactly its first.
    CircleVerticesB[32] = CircleVerticesB[0];
    CircleVerticesA[32] = CircleVerticesA[0];
    FanVerticesA[33] = FanVerticesA[1];
    FanVerticesB[33] = FanVerticesB[1];
    DiscVertices[16] = DiscVertices[1];
}
