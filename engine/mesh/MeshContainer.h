#pragma once
// The mesh container: every mesh file loaded once per (name, layout key) into a shared,
// reference-counted record with its D3DX meshes (one per animation frame of each vertex group),
// bounds, control points, collision models and, on request, physics shapes.
//
// Fixed roles of the vertex groups: 0 body, 1 shadow source, 2 collision, 3 to 10 visual
// components, 11 ground collision, 12 physics spheres, 13 physics boxes, 14 and 15 free.
#include <cstdint>
#include <memory>
#include <vector>

#include "collision/CollisionModel3D.h"
#include "engine/mesh/MeshFile.h"
#include "engine/mesh/MeshPhysicsShapes.h"
#include "platform/gfxx/D3DXMath.h"
#include "platform/gfxx/D3DXMesh.h"

constexpr int MESH_GROUP_BODY = 0;
constexpr int MESH_GROUP_SHADOW = 1;
constexpr int MESH_GROUP_COLLISION = 2;
constexpr int MESH_GROUP_GROUND_COLLISION = 11;
constexpr int MESH_GROUP_PHYSICS_SPHERES = 12;
constexpr int MESH_GROUP_PHYSICS_BOXES = 13;

struct MeshBox {
    D3DXVECTOR3 minimum;
    D3DXVECTOR3 maximum;
};

struct MeshReleaser {
    void operator()(ID3DXMesh* mesh) const { mesh->Release(); }
};
using MeshPointer = std::unique_ptr<ID3DXMesh, MeshReleaser>;

// Zero-initialised global storage; no constructor.
class CMeshContainer {
public:
    struct MeshRecord {
        std::int32_t key = 0; // the layout of groups 0 and 12-15 asked by the first caller
        char name[256] = {};
        std::int32_t id = -1;
        std::int32_t referenceCount = 1;
        std::uint32_t fvf[MESH_GROUP_COUNT] = {};
        std::uint32_t frameCount[MESH_GROUP_COUNT] = {};
        std::vector<MeshPointer> meshes[MESH_GROUP_COUNT]; // one per frame
        std::vector<std::unique_ptr<CollisionModel3D>> collisionModels; // per frame of group 2
        std::vector<std::vector<D3DXVECTOR3>> collisionFaceNormals; // per frame of group 2
        std::vector<std::vector<D3DXVECTOR3>> shadowFaceNormals; // per frame of group 1
        std::unique_ptr<CollisionModel3D> secondCollisionModel; // group 11 frame 0
        std::vector<D3DXVECTOR3> secondCollisionFaceNormals;
        // Per group, per frame.
        std::vector<MeshBox> boxes[MESH_GROUP_COUNT];
        std::vector<D3DXVECTOR3> sizes[MESH_GROUP_COUNT]; // maximum - minimum
        std::vector<D3DXVECTOR3> centres[MESH_GROUP_COUNT];
        std::vector<float> radii[MESH_GROUP_COUNT];
        // Frame 0 of the first group with frames; zero when there is none.
        MeshBox box = {};
        D3DXVECTOR3 size;
        D3DXVECTOR3 centre;
        float radius = 0;
        std::uint32_t controlPointCount[MESH_GROUP_COUNT] = {};
        std::vector<D3DXVECTOR3> controlPoints[MESH_GROUP_COUNT];
        std::unique_ptr<OwningTriangleMeshShape> triangleMeshShape; // group 2 frame 0
        std::unique_ptr<OwningCompoundShape> bodyBoxShape; // one box from group 0 frame 0
        std::unique_ptr<OwningCompoundShape> primitiveShape; // group 13 boxes, group 12 spheres
        MeshRecord* next = nullptr;

        // Moves group 1 inwards by 0.1 along its normals and computes its face normals; once.
        void PrepareShadowMesh();
        // primitiveShape and bodyBoxShape, each when absent.
        void BuildCollisionShapes();
        // triangleMeshShape from group 2 frame 0 (indices reversed), when absent.
        void BuildTriangleMeshShape();
        // The collision models and face normals of groups 2 and 11; once.
        void BuildCollisionModels();

        // Takes the file's contents: bounds, meshes in their layouts and pools, control points;
        // false, with the record left without groups, when the device cannot make a mesh.
        bool Fill(const MeshFile& file, IDirect3DDevice9* device, int key, DWORD poolFlags);
        // Everything but the identity, the count and the link, back to empty.
        void DropContents();
    };

    // The shared record of (name, key), loading the file from the World pack on first use; null
    // with the "Mesh error!" box when the file is missing or damaged. key: the layout of groups
    // 0 and 12-15; poolFlags: their mesh creation options (callers pass D3DXMESH_MANAGED).
    MeshRecord* Load(const char* name, int key, DWORD poolFlags);
    // Drops a reference; the last one unlinks and destroys the record.
    void ReleaseMesh(MeshRecord* record);
    // Destroys every record still listed, logging each as lost.
    void Release();

    std::int32_t idCounter;
    MeshRecord* head;

private:
    MeshRecord* Find(const char* name, int key) const;
    MeshRecord* Append(const char* name, int key);
    void Unlink(MeshRecord* record);
};

extern CMeshContainer meshContainer;
