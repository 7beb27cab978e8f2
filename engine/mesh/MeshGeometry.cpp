#include "engine/mesh/MeshGeometry.h"

#include <cstring>

#include "engine/helpers/VectorHelpers.h"

D3DXVECTOR3 LockedGeometry::Position(std::uint16_t index) const
{
    D3DXVECTOR3 position;
    std::memcpy(&position.x, vertices + std::size_t {index} * stride, 3 * sizeof(float));
    return position;
}

std::vector<D3DXVECTOR3> ComputeFaceNormals(const LockedGeometry& geometry)
{
    std::vector<D3DXVECTOR3> normals(geometry.triangleCount);
    for (std::uint32_t t = 0; t < geometry.triangleCount; ++t) {
        const std::uint16_t* corner = geometry.indices + 3 * t;
        const D3DXVECTOR3 a = geometry.Position(corner[0]);
        D3DXVECTOR3 cross;
        const D3DXVECTOR3 ca = geometry.Position(corner[2]) - a;
        const D3DXVECTOR3 ba = geometry.Position(corner[1]) - a;
        D3DXVec3Cross(&cross, &ca, &ba);
        Vec3Normalize(normals[t], cross);
    }
    return normals;
}

CollisionModel3D* BuildCollisionModel(const LockedGeometry& geometry)
{
    CollisionModel3D* model = CreateCollisionModel(false);
    model->SetTriangleCount(static_cast<int>(geometry.triangleCount));
    for (std::uint32_t t = 0; t < geometry.triangleCount; ++t) {
        const std::uint16_t* corner = geometry.indices + 3 * t;
        const D3DXVECTOR3 a = geometry.Position(corner[0]);
        const D3DXVECTOR3 b = geometry.Position(corner[1]);
        const D3DXVECTOR3 c = geometry.Position(corner[2]);
        model->AddTriangleVertices(&a.x, &b.x, &c.x);
    }
    model->Build();
    return model;
}
