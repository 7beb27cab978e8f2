#include "world/ShadowVolume.h"

namespace {

// Silhouettes of meshes up to 3,333 faces need no allocation.
constexpr std::size_t SCRATCH_PAIRS = 10000;

D3DXVECTOR3 Position(const ShadowMeshView& mesh, std::uint16_t index)
{
    const float* p = reinterpret_cast<const float*>(mesh.vertices + std::size_t(index) * mesh.stride);
    return D3DXVECTOR3(p[0], p[1], p[2]);
}

float Dot(const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

D3DXVECTOR3 Cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    return D3DXVECTOR3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

} // namespace

std::vector<EdgePair> SilhouetteEdges(const ShadowMeshView& mesh, const D3DXVECTOR3& light)
{
    static EdgePair scratch[SCRATCH_PAIRS];
    std::vector<EdgePair> heap;
    const std::size_t room = std::size_t(mesh.faceCount) * 3;
    EdgePair* pairs = scratch;
    if (room > SCRATCH_PAIRS) {
        heap.resize(room);
        pairs = heap.data();
    }
    int count = 0;
    for (std::uint32_t face = 0; face < mesh.faceCount; ++face) {
        const std::uint16_t* corner = mesh.indices + face * 3;
        const D3DXVECTOR3 p = Position(mesh, corner[0]);
        const D3DXVECTOR3 q = Position(mesh, corner[1]);
        const D3DXVECTOR3 r = Position(mesh, corner[2]);
        if (Dot(Cross(q - p, r - q), light) > 0.0f)
            continue;
        ToggleEdge(pairs, count, corner[0], corner[1]);
        ToggleEdge(pairs, count, corner[1], corner[2]);
        ToggleEdge(pairs, count, corner[2], corner[0]);
    }
    return std::vector<EdgePair>(pairs, pairs + count);
}

std::uint32_t ShadowVolumeVertexCount(std::uint32_t edgeCount, std::uint32_t faceCount)
{
    return edgeCount * 6 + faceCount * 3;
}

std::uint32_t WriteShadowVolume(const ShadowMeshView& mesh, const std::vector<EdgePair>& edges,
                                const D3DXVECTOR3& light, float extrusion, D3DXVECTOR3* out)
{
    const D3DXVECTOR3 away = light * extrusion;
    D3DXVECTOR3* cursor = out;
    for (const EdgePair& edge : edges) {
        const D3DXVECTOR3 a = Position(mesh, edge.a);
        const D3DXVECTOR3 b = Position(mesh, edge.b);
        *cursor++ = a;
        *cursor++ = b;
        *cursor++ = a - away;
        *cursor++ = b;
        *cursor++ = b - away;
        *cursor++ = a - away;
    }
    for (std::uint32_t face = 0; face < mesh.faceCount; ++face) {
        const std::uint16_t* corner = mesh.indices + face * 3;
        const D3DXVECTOR3 shift = Dot(mesh.faceNormals[face], light) < 0.0f ? away : D3DXVECTOR3(0, 0, 0);
        *cursor++ = Position(mesh, corner[0]) - shift;
        *cursor++ = Position(mesh, corner[2]) - shift;
        *cursor++ = Position(mesh, corner[1]) - shift;
    }
    return static_cast<std::uint32_t>(cursor - out);
}
