#include "world/shadows/ShadowVolume.h"

namespace {

// Silhouettes of meshes up to 3,333 faces need no allocation.
constexpr std::size_t SCRATCH_PAIRS = 10000;

D3DXVECTOR3 Position(const ShadowMeshView& mesh, std::uint16_t index)
{
    const float* p = reinterpret_cast<const float*>(mesh.vertices + std::size_t(index) * mesh.stride);
    return D3DXVECTOR3(p[0], p[1], p[2]);
}

float Dot(const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The silhouette and the caps take one answer per face, so that the caps meet the sides exactly;
// faces edge-on to the light count as lit.
bool FacesLight(const ShadowMeshView& mesh, std::uint32_t face, const D3DXVECTOR3& light)
{
    return Dot(mesh.faceNormals[face], light) >= 0.0f;
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
        if (!FacesLight(mesh, face, light))
            continue;
        const std::uint16_t* corner = mesh.indices + face * 3;
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
        const D3DXVECTOR3 shift = FacesLight(mesh, face, light) ? D3DXVECTOR3(0, 0, 0) : away;
        *cursor++ = Position(mesh, corner[0]) - shift;
        *cursor++ = Position(mesh, corner[2]) - shift;
        *cursor++ = Position(mesh, corner[1]) - shift;
    }
    return static_cast<std::uint32_t>(cursor - out);
}
