#pragma once
// The utility library's meshes: a vertex buffer and a 16-bit index buffer of one device, one
// subset (every face has attribute 0), made from an FVF code or a vertex declaration, cloned
// into another layout or pool, with tangent frames computed from the texture coordinates.
//
// The device draws by FVF codes only, so a mesh made from a declaration keeps the FVF of the
// same memory layout as its draw format: tangents and binormals (3 floats) count as texture
// sets of 3 floats in their place.
#include "platform/gfx/D3D9.h"
#include "platform/gfxx/D3DXTypes.h"

// Creation options: the pools of the two buffers.
constexpr DWORD D3DXMESH_VB_SYSTEMMEM = 0x010;
constexpr DWORD D3DXMESH_VB_MANAGED = 0x020;
constexpr DWORD D3DXMESH_IB_SYSTEMMEM = 0x100;
constexpr DWORD D3DXMESH_IB_MANAGED = 0x200;
constexpr DWORD D3DXMESH_SYSTEMMEM = D3DXMESH_VB_SYSTEMMEM | D3DXMESH_IB_SYSTEMMEM;
constexpr DWORD D3DXMESH_MANAGED = D3DXMESH_VB_MANAGED | D3DXMESH_IB_MANAGED;

// ---- Vertex declarations ----
enum D3DDECLTYPE : BYTE {
    D3DDECLTYPE_FLOAT1 = 0,
    D3DDECLTYPE_FLOAT2 = 1,
    D3DDECLTYPE_FLOAT3 = 2,
    D3DDECLTYPE_FLOAT4 = 3,
    D3DDECLTYPE_D3DCOLOR = 4,
    D3DDECLTYPE_UNUSED = 17,
};
enum D3DDECLMETHOD : BYTE { D3DDECLMETHOD_DEFAULT = 0 };
enum D3DDECLUSAGE : BYTE {
    D3DDECLUSAGE_POSITION = 0,
    D3DDECLUSAGE_NORMAL = 3,
    D3DDECLUSAGE_PSIZE = 4,
    D3DDECLUSAGE_TEXCOORD = 5,
    D3DDECLUSAGE_TANGENT = 6,
    D3DDECLUSAGE_BINORMAL = 7,
    D3DDECLUSAGE_POSITIONT = 9,
    D3DDECLUSAGE_COLOR = 10,
};

struct D3DVERTEXELEMENT9 {
    WORD Stream;
    WORD Offset;
    BYTE Type;
    BYTE Method;
    BYTE Usage;
    BYTE UsageIndex;
};

constexpr D3DVERTEXELEMENT9 D3DDECL_END() { return {0xFF, 0, D3DDECLTYPE_UNUSED, 0, 0, 0}; }
constexpr int MAX_FVF_DECL_SIZE = 65;

class ID3DXMesh : public IUnknownLike {
public:
    // Draws the faces of the subset (0: all of them) as an indexed triangle list with the
    // mesh's FVF, buffers and stride.
    virtual HRESULT DrawSubset(DWORD attributeId) = 0;
    virtual DWORD GetNumFaces() = 0;
    virtual DWORD GetNumVertices() = 0;
    virtual DWORD GetFVF() = 0;
    virtual HRESULT GetDeclaration(D3DVERTEXELEMENT9 declaration[MAX_FVF_DECL_SIZE]) = 0;
    virtual DWORD GetNumBytesPerVertex() = 0;
    virtual DWORD GetOptions() = 0;
    virtual HRESULT GetDevice(IDirect3DDevice9** device) = 0;
    // The buffers carry a reference for the caller.
    virtual HRESULT GetVertexBuffer(IDirect3DVertexBuffer9** buffer) = 0;
    virtual HRESULT GetIndexBuffer(IDirect3DIndexBuffer9** buffer) = 0;
    virtual HRESULT LockVertexBuffer(DWORD flags, void** data) = 0;
    virtual HRESULT UnlockVertexBuffer() = 0;
    virtual HRESULT LockIndexBuffer(DWORD flags, void** data) = 0;
    virtual HRESULT UnlockIndexBuffer() = 0;
    // A copy in another layout and pool: elements of the same usage and usage index are
    // converted, the rest of the new layout is zero; the indices are copied.
    virtual HRESULT CloneMeshFVF(DWORD options, DWORD fvf, IDirect3DDevice9* device, ID3DXMesh** clone) = 0;
    virtual HRESULT CloneMesh(DWORD options, const D3DVERTEXELEMENT9* declaration, IDirect3DDevice9* device,
                              ID3DXMesh** clone) = 0;
};

HRESULT D3DXCreateMeshFVF(DWORD faceCount, DWORD vertexCount, DWORD options, DWORD fvf, IDirect3DDevice9* device,
                          ID3DXMesh** mesh);
HRESULT D3DXCreateMesh(DWORD faceCount, DWORD vertexCount, DWORD options, const D3DVERTEXELEMENT9* declaration,
                       IDirect3DDevice9* device, ID3DXMesh** mesh);

// Bytes of one vertex of the FVF code.
UINT D3DXGetFVFVertexSize(DWORD fvf);
// Bytes of one vertex of stream 0 of the declaration.
UINT D3DXGetDeclVertexSize(const D3DVERTEXELEMENT9* declaration, DWORD stream);
// The declaration of an FVF code, ended by D3DDECL_END.
HRESULT D3DXDeclaratorFromFVF(DWORD fvf, D3DVERTEXELEMENT9 declaration[MAX_FVF_DECL_SIZE]);

// Per-vertex tangent and binormal (binormalIndex D3DX_DEFAULT: tangents only) from the positions, normals and texture set texStage:
// summed over the vertex's faces, made orthogonal to the normal and normalised. wrap and
// adjacency are accepted; texture coordinates are taken as they are.
HRESULT D3DXComputeTangent(ID3DXMesh* mesh, DWORD texStage, DWORD tangentIndex, DWORD binormalIndex, DWORD wrap,
                           const DWORD* adjacency);
