// A mesh record's contents: the file's groups turned into meshes, and what is derived from them.
#include <cstring>

#include "engine/mesh/MeshContainer.h"
#include "engine/mesh/MeshGeometry.h"
#include "engine/mesh/MeshLayouts.h"
#include "engine/mesh/ShadowMeshInset.h"

namespace {

constexpr float SHADOW_INSET = 0.1f;
constexpr float BODY_BOX_SCALE = 0.45f;

int GroupLayout(int group, int key)
{
    static constexpr int FIXED_LAYOUTS[MESH_GROUP_COUNT] = {-1, 0, 0, 2, 2, 3, 3, 2, 0, 0, 3, 0, -1, -1, -1, -1};
    const int layout = FIXED_LAYOUTS[group];
    if (layout >= 0)
        return layout;
    return key >= 0 && key < MESH_LAYOUT_COUNT ? key : 0;
}

DWORD GroupPool(int group, DWORD poolFlags)
{
    if (group == MESH_GROUP_SHADOW || group == MESH_GROUP_COLLISION || group == MESH_GROUP_GROUND_COLLISION)
        return D3DXMESH_SYSTEMMEM;
    if (group >= 3 && group <= 10)
        return D3DXMESH_MANAGED;
    return poolFlags;
}

// The layout 5 declaration: position, normal, texture set 0, tangent, binormal.
constexpr D3DVERTEXELEMENT9 TANGENT_FRAME_DECLARATION[] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {0, 12, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_NORMAL, 0},
    {0, 24, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
    {0, 32, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TANGENT, 0},
    {0, 44, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_BINORMAL, 0},
    D3DDECL_END(),
};

// One frame's mesh: filled in a system-memory mesh, then cloned into the group's layout and pool.
MeshPointer CreateFrameMesh(IDirect3DDevice9* device, int layout, DWORD pool, const std::vector<std::uint8_t>& vertices,
                            const MeshGroupData& group)
{
    const MeshLayout& format = MeshLayoutOf(layout);
    ID3DXMesh* staging = nullptr;
    if (D3DXCreateMeshFVF(group.triangleCount, group.vertexCount, D3DXMESH_SYSTEMMEM, format.fvf, device, &staging) != D3D_OK)
        return nullptr;
    void* data = nullptr;
    staging->LockVertexBuffer(0, &data);
    std::memcpy(data, vertices.data(), vertices.size());
    staging->UnlockVertexBuffer();
    staging->LockIndexBuffer(0, &data);
    std::memcpy(data, group.indices.data(), group.indices.size() * sizeof(std::uint16_t));
    staging->UnlockIndexBuffer();

    ID3DXMesh* clone = nullptr;
    HRESULT result;
    if (layout == MESH_LAYOUT_TANGENT_FRAME) {
        result = staging->CloneMesh(D3DXMESH_MANAGED, TANGENT_FRAME_DECLARATION, device, &clone);
        if (result == D3D_OK)
            D3DXComputeTangent(clone, 0, 0, 0, 1, nullptr);
    } else {
        result = staging->CloneMeshFVF(pool, format.fvf, device, &clone);
    }
    staging->Release();
    return MeshPointer(result == D3D_OK ? clone : nullptr);
}

// Runs work on a frame mesh's locked vertex and index buffers.
template <class Work>
void WithLockedMesh(ID3DXMesh* mesh, DWORD vertexFlags, Work work)
{
    void* vertices = nullptr;
    void* indices = nullptr;
    mesh->LockVertexBuffer(vertexFlags, &vertices);
    mesh->LockIndexBuffer(D3DLOCK_READONLY, &indices);
    work(static_cast<std::uint8_t*>(vertices),
         LockedGeometry {static_cast<const std::uint8_t*>(vertices), mesh->GetNumBytesPerVertex(),
                         static_cast<const std::uint16_t*>(indices), mesh->GetNumFaces()});
    mesh->UnlockIndexBuffer();
    mesh->UnlockVertexBuffer();
}

D3DXVECTOR3 ToVector(const MeshPoint& point) { return {point.x, point.y, point.z}; }

btVector3 ToBullet(const D3DXVECTOR3& v) { return {v.x, v.y, v.z}; }

} // namespace

bool CMeshContainer::MeshRecord::Fill(const MeshFile& file, IDirect3DDevice9* device, int key, DWORD poolFlags)
{
    for (int g = 0; g < MESH_GROUP_COUNT; ++g) {
        const MeshGroupData& group = file.groups[g];
        frameCount[g] = group.frameCount;
        for (const MeshFrameBounds& bounds : group.bounds) {
            const MeshBox frameBox {{bounds.minimum[0], bounds.minimum[1], bounds.minimum[2]},
                                    {bounds.maximum[0], bounds.maximum[1], bounds.maximum[2]}};
            boxes[g].push_back(frameBox);
            sizes[g].push_back(frameBox.maximum - frameBox.minimum);
            centres[g].push_back(ToVector(bounds.centre));
            radii[g].push_back(bounds.radius);
        }
        controlPointCount[g] = static_cast<std::uint32_t>(group.controlPoints.size());
        for (const MeshPoint& point : group.controlPoints)
            controlPoints[g].push_back(ToVector(point));
    }
    for (int g = 0; g < MESH_GROUP_COUNT; ++g) {
        const MeshGroupData& group = file.groups[g];
        if (!group.frameCount)
            continue;
        const int layout = GroupLayout(g, key);
        fvf[g] = MeshLayoutOf(layout).fvf;
        std::vector<std::uint8_t> converted(std::size_t {group.vertexCount} * MeshLayoutOf(layout).stride);
        for (std::uint32_t frame = 0; frame < group.frameCount; ++frame) {
            ConvertMeshVertices(layout, group.Frame(frame), group.vertexCount, converted.data());
            meshes[g].push_back(CreateFrameMesh(device, layout, GroupPool(g, poolFlags), converted, group));
            if (!meshes[g].back()) {
                DropContents();
                return false;
            }
        }
    }
    for (int g = 0; g < MESH_GROUP_COUNT; ++g) {
        if (frameCount[g]) {
            box = boxes[g][0];
            size = sizes[g][0];
            centre = centres[g][0];
            radius = radii[g][0];
            break;
        }
    }
    return true;
}

void CMeshContainer::MeshRecord::DropContents()
{
    MeshRecord empty;
    empty.key = key;
    std::memcpy(empty.name, name, sizeof name);
    empty.id = id;
    empty.referenceCount = referenceCount;
    empty.next = next;
    *this = std::move(empty);
}

void CMeshContainer::MeshRecord::BuildCollisionModels()
{
    if (!collisionFaceNormals.empty() || secondCollisionModel)
        return;
    for (const MeshPointer& mesh : meshes[MESH_GROUP_COLLISION]) {
        WithLockedMesh(mesh.get(), D3DLOCK_READONLY, [&](std::uint8_t*, const LockedGeometry& geometry) {
            collisionModels.emplace_back(BuildCollisionModel(geometry));
            collisionFaceNormals.push_back(ComputeFaceNormals(geometry));
        });
    }
    if (frameCount[MESH_GROUP_GROUND_COLLISION]) {
        WithLockedMesh(meshes[MESH_GROUP_GROUND_COLLISION][0].get(), D3DLOCK_READONLY,
                       [&](std::uint8_t*, const LockedGeometry& geometry) {
                           secondCollisionModel.reset(BuildCollisionModel(geometry));
                           secondCollisionFaceNormals = ComputeFaceNormals(geometry);
                       });
    }
}

void CMeshContainer::MeshRecord::PrepareShadowMesh()
{
    if (!frameCount[MESH_GROUP_SHADOW] || !shadowFaceNormals.empty())
        return;
    for (const MeshPointer& mesh : meshes[MESH_GROUP_SHADOW]) {
        void* vertices = nullptr;
        void* indices = nullptr;
        if (FAILED(mesh->LockVertexBuffer(0, &vertices))) {
            shadowFaceNormals.emplace_back(); // no faces: the frame casts nothing
            continue;
        }
        if (FAILED(mesh->LockIndexBuffer(0, &indices))) {
            mesh->UnlockVertexBuffer();
            shadowFaceNormals.emplace_back();
            continue;
        }
        const std::uint32_t stride = mesh->GetNumBytesPerVertex();
        WeldAndInsetShadowMesh({static_cast<std::uint8_t*>(vertices), stride, mesh->GetNumVertices(),
                                static_cast<std::uint16_t*>(indices), mesh->GetNumFaces() * 3},
                               SHADOW_INSET);
        shadowFaceNormals.push_back(ComputeFaceNormals({static_cast<const std::uint8_t*>(vertices), stride,
                                                        static_cast<const std::uint16_t*>(indices),
                                                        mesh->GetNumFaces()}));
        mesh->UnlockIndexBuffer();
        mesh->UnlockVertexBuffer();
    }
}

void CMeshContainer::MeshRecord::BuildCollisionShapes()
{
    if (!primitiveShape) {
        primitiveShape = std::make_unique<OwningCompoundShape>();
        for (std::uint32_t frame = 0; frame < frameCount[MESH_GROUP_PHYSICS_BOXES]; ++frame) {
            const D3DXVECTOR3 half = sizes[MESH_GROUP_PHYSICS_BOXES][frame] * 0.5f;
            primitiveShape->AddBox(ToBullet(half), ToBullet(boxes[MESH_GROUP_PHYSICS_BOXES][frame].minimum + half));
        }
        for (std::uint32_t frame = 0; frame < frameCount[MESH_GROUP_PHYSICS_SPHERES]; ++frame)
            primitiveShape->AddSphere(radii[MESH_GROUP_PHYSICS_SPHERES][frame],
                                      ToBullet(centres[MESH_GROUP_PHYSICS_SPHERES][frame]));
        primitiveShape->Shape().setMargin(MESH_SHAPE_MARGIN);
    }
    if (!bodyBoxShape) {
        // A mesh without a body gets an empty box at the origin.
        const bool hasBody = frameCount[MESH_GROUP_BODY] > 0;
        const D3DXVECTOR3 bodySize = hasBody ? sizes[MESH_GROUP_BODY][0] : D3DXVECTOR3();
        const D3DXVECTOR3 bodyCentre = hasBody ? boxes[MESH_GROUP_BODY][0].minimum + bodySize * 0.5f : D3DXVECTOR3();
        bodyBoxShape = std::make_unique<OwningCompoundShape>();
        bodyBoxShape->AddBox(ToBullet(bodySize * BODY_BOX_SCALE), ToBullet(bodyCentre));
        bodyBoxShape->Shape().setMargin(MESH_SHAPE_MARGIN);
    }
}

void CMeshContainer::MeshRecord::BuildTriangleMeshShape()
{
    if (triangleMeshShape || !frameCount[MESH_GROUP_COLLISION])
        return;
    ID3DXMesh* mesh = meshes[MESH_GROUP_COLLISION][0].get();
    WithLockedMesh(mesh, D3DLOCK_READONLY, [&](std::uint8_t*, const LockedGeometry& geometry) {
        std::vector<float> positions;
        positions.reserve(std::size_t {mesh->GetNumVertices()} * 3);
        for (DWORD i = 0; i < mesh->GetNumVertices(); ++i) {
            const D3DXVECTOR3 p = geometry.Position(static_cast<std::uint16_t>(i));
            positions.insert(positions.end(), {p.x, p.y, p.z});
        }
        std::vector<int> indices;
        indices.reserve(std::size_t {geometry.triangleCount} * 3);
        for (std::uint32_t t = 0; t < geometry.triangleCount; ++t) {
            const std::uint16_t* corner = geometry.indices + 3 * t;
            indices.insert(indices.end(), {corner[2], corner[1], corner[0]});
        }
        triangleMeshShape = std::make_unique<OwningTriangleMeshShape>(positions, std::move(indices));
    });
}
