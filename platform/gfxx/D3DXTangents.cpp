// Tangent frames of a mesh from its texture coordinates.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/gfxx/D3DXMath.h"
#include "platform/gfxx/D3DXMesh.h"
#include "platform/gfxx/D3DXVertexLayout.h"

namespace {

D3DXVECTOR3 ReadVector(const std::uint8_t* vertex, const D3DVERTEXELEMENT9* element)
{
    D3DXVECTOR3 value;
    std::memcpy(&value, vertex + element->Offset, sizeof value);
    return value;
}

void WriteVector(std::uint8_t* vertex, const D3DVERTEXELEMENT9* element, const D3DXVECTOR3& value)
{
    std::memcpy(vertex + element->Offset, &value, sizeof value);
}

// v without its part along the unit vector axis, normalised; a unit vector across axis when
// nothing is left.
D3DXVECTOR3 OrthogonalUnit(const D3DXVECTOR3& v, const D3DXVECTOR3& axis)
{
    D3DXVECTOR3 rest = v - axis * D3DXVec3Dot(&axis, &v);
    if (D3DXVec3LengthSq(&rest) < 1e-12f) {
        const D3DXVECTOR3 other = std::abs(axis.x) < 0.9f ? D3DXVECTOR3(1, 0, 0) : D3DXVECTOR3(0, 1, 0);
        rest = other - axis * D3DXVec3Dot(&axis, &other);
    }
    D3DXVec3Normalize(&rest, &rest);
    return rest;
}

bool IsFloat3(const D3DVERTEXELEMENT9* element) { return element && element->Type == D3DDECLTYPE_FLOAT3; }

} // namespace

HRESULT D3DXComputeTangent(ID3DXMesh* mesh, DWORD texStage, DWORD tangentIndex, DWORD binormalIndex, DWORD wrap,
                           const DWORD* adjacency)
{
    if (!mesh || texStage > 7 || tangentIndex > 7)
        return D3DERR_INVALIDCALL;
    D3DVERTEXELEMENT9 layout[MAX_FVF_DECL_SIZE];
    mesh->GetDeclaration(layout);
    const D3DVERTEXELEMENT9* position = FindElement(layout, D3DDECLUSAGE_POSITION, 0);
    const D3DVERTEXELEMENT9* normal = FindElement(layout, D3DDECLUSAGE_NORMAL, 0);
    const D3DVERTEXELEMENT9* uv = FindElement(layout, D3DDECLUSAGE_TEXCOORD, static_cast<BYTE>(texStage));
    const D3DVERTEXELEMENT9* tangent = FindElement(layout, D3DDECLUSAGE_TANGENT, static_cast<BYTE>(tangentIndex));
    const D3DVERTEXELEMENT9* binormal =
        binormalIndex == D3DX_DEFAULT ? nullptr : FindElement(layout, D3DDECLUSAGE_BINORMAL, static_cast<BYTE>(binormalIndex));
    if (!IsFloat3(position) || !IsFloat3(normal) || !uv || uv->Type != D3DDECLTYPE_FLOAT2 || !IsFloat3(tangent)
        || (binormalIndex != D3DX_DEFAULT && !IsFloat3(binormal)))
        return D3DERR_INVALIDCALL;

    const DWORD vertexCount = mesh->GetNumVertices();
    const DWORD faceCount = mesh->GetNumFaces();
    const DWORD stride = mesh->GetNumBytesPerVertex();
    void* vertexData = nullptr;
    void* indexData = nullptr;
    mesh->LockVertexBuffer(0, &vertexData);
    mesh->LockIndexBuffer(D3DLOCK_READONLY, &indexData);
    auto* vertices = static_cast<std::uint8_t*>(vertexData);
    const auto* indices = static_cast<const std::uint16_t*>(indexData);

    std::vector<D3DXVECTOR3> tangents(vertexCount, D3DXVECTOR3(0, 0, 0));
    std::vector<D3DXVECTOR3> binormals(vertexCount, D3DXVECTOR3(0, 0, 0));
    for (DWORD face = 0; face < faceCount; ++face) {
        const std::uint16_t* corner = indices + face * 3;
        D3DXVECTOR3 p[3];
        float u[3], v[3];
        for (int k = 0; k < 3; ++k) {
            const std::uint8_t* vertex = vertices + std::size_t {corner[k]} * stride;
            p[k] = ReadVector(vertex, position);
            std::memcpy(&u[k], vertex + uv->Offset, sizeof(float));
            std::memcpy(&v[k], vertex + uv->Offset + sizeof(float), sizeof(float));
        }
        const D3DXVECTOR3 edge1 = p[1] - p[0], edge2 = p[2] - p[0];
        const float du1 = u[1] - u[0], dv1 = v[1] - v[0], du2 = u[2] - u[0], dv2 = v[2] - v[0];
        const float area = du1 * dv2 - du2 * dv1;
        if (std::abs(area) < 1e-12f)
            continue;
        const D3DXVECTOR3 faceTangent = (edge1 * dv2 - edge2 * dv1) / area;
        const D3DXVECTOR3 faceBinormal = (edge2 * du1 - edge1 * du2) / area;
        for (int k = 0; k < 3; ++k) {
            tangents[corner[k]] += faceTangent;
            binormals[corner[k]] += faceBinormal;
        }
    }
    for (DWORD i = 0; i < vertexCount; ++i) {
        std::uint8_t* vertex = vertices + std::size_t {i} * stride;
        D3DXVECTOR3 n = ReadVector(vertex, normal);
        D3DXVec3Normalize(&n, &n);
        const D3DXVECTOR3 t = OrthogonalUnit(tangents[i], n);
        WriteVector(vertex, tangent, t);
        if (!binormal)
            continue;
        D3DXVECTOR3 b = binormals[i] - n * D3DXVec3Dot(&n, &binormals[i]) - t * D3DXVec3Dot(&t, &binormals[i]);
        if (D3DXVec3LengthSq(&b) < 1e-12f)
            D3DXVec3Cross(&b, &n, &t);
        D3DXVec3Normalize(&b, &b);
        WriteVector(vertex, binormal, b);
    }
    mesh->UnlockIndexBuffer();
    mesh->UnlockVertexBuffer();
    return D3D_OK;
}
