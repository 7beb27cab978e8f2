#include "engine/mesh/ShadowMeshInset.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace {

using Vector = std::array<float, 3>;

// Normals closer than this (cosine) count as one.
constexpr float SAME_NORMAL = 0.999f;

float* VertexAt(const ShadowMeshBuffers& mesh, std::uint32_t index)
{
    return reinterpret_cast<float*>(mesh.vertices + std::size_t {index} * mesh.stride);
}

float Dot(const Vector& a, const Vector& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The move that takes a corner with these normals inwards: the sum of its distinct normals,
// scaled so that no face moves in by more than inset.
Vector InsetOf(const std::vector<Vector>& normals, float inset)
{
    std::vector<Vector> distinct;
    for (const Vector& n : normals) {
        bool seen = false;
        for (const Vector& d : distinct)
            seen = seen || Dot(n, d) > SAME_NORMAL;
        if (!seen)
            distinct.push_back(n);
    }
    Vector sum {0, 0, 0};
    for (const Vector& n : distinct) {
        for (int axis = 0; axis < 3; ++axis)
            sum[axis] += n[axis];
    }
    float largest = 0.0f;
    for (const Vector& n : distinct)
        largest = std::max(largest, Dot(sum, n));
    if (largest <= 1e-6f)
        return {0, 0, 0};
    const float scale = inset / largest;
    return {sum[0] * scale, sum[1] * scale, sum[2] * scale};
}

} // namespace

void WeldAndInsetShadowMesh(const ShadowMeshBuffers& mesh, float inset)
{
    std::map<Vector, std::uint16_t> firstAt;
    std::vector<std::uint16_t> canonical(mesh.vertexCount);
    std::vector<std::vector<Vector>> normals(mesh.vertexCount);
    for (std::uint32_t i = 0; i < mesh.vertexCount; ++i) {
        const float* v = VertexAt(mesh, i);
        const auto [at, added] = firstAt.try_emplace(Vector {v[0], v[1], v[2]}, static_cast<std::uint16_t>(i));
        canonical[i] = at->second;
        normals[at->second].push_back(Vector {v[3], v[4], v[5]});
    }
    std::vector<Vector> moves(mesh.vertexCount);
    for (const auto& [position, first] : firstAt)
        moves[first] = InsetOf(normals[first], inset);
    for (std::uint32_t i = 0; i < mesh.vertexCount; ++i) {
        float* v = VertexAt(mesh, i);
        for (int axis = 0; axis < 3; ++axis)
            v[axis] -= moves[canonical[i]][axis];
    }
    for (std::uint32_t k = 0; k < mesh.indexCount; ++k) {
        if (mesh.indices[k] < mesh.vertexCount)
            mesh.indices[k] = canonical[mesh.indices[k]];
    }
}
