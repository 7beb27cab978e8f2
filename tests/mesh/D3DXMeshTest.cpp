// The utility meshes on a real device: layouts of FVF codes and declarations, conversion on
// clone, tangent frames and DrawSubset.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/gfxx/D3DXMesh.h"
#include "tests/support/DeviceFixture.h"

namespace {

class D3DXMeshTest : public testing::Test {
protected:
    static IDirect3DDevice9* Device() { return SharedDeviceOf(128, 128).device; }

    // A quad in the x-z plane facing up: position, normal, uv (u along x, v along z).
    static ID3DXMesh* FloorQuad()
    {
        const float vertices[4][8] = {
            {0, 0, 0, 0, 1, 0, 0, 0}, {1, 0, 0, 0, 1, 0, 1, 0}, {0, 0, 1, 0, 1, 0, 0, 1}, {1, 0, 1, 0, 1, 0, 1, 1}};
        const std::uint16_t indices[6] = {0, 1, 2, 1, 3, 2};
        ID3DXMesh* mesh = nullptr;
        EXPECT_EQ(D3D_OK, D3DXCreateMeshFVF(2, 4, D3DXMESH_SYSTEMMEM, 0x112, Device(), &mesh));
        void* data = nullptr;
        mesh->LockVertexBuffer(0, &data);
        std::memcpy(data, vertices, sizeof vertices);
        mesh->UnlockVertexBuffer();
        mesh->LockIndexBuffer(0, &data);
        std::memcpy(data, indices, sizeof indices);
        mesh->UnlockIndexBuffer();
        return mesh;
    }

    static std::vector<float> Floats(ID3DXMesh* mesh)
    {
        void* data = nullptr;
        mesh->LockVertexBuffer(D3DLOCK_READONLY, &data);
        std::vector<float> copy(mesh->GetNumVertices() * mesh->GetNumBytesPerVertex() / sizeof(float));
        std::memcpy(copy.data(), data, copy.size() * sizeof(float));
        mesh->UnlockVertexBuffer();
        return copy;
    }

};

} // namespace

TEST(D3DXVertexLayout, SizesOfTheGameLayouts)
{
    struct Case {
        DWORD fvf;
        UINT size;
    };
    for (const Case c : {Case {0x112, 32}, Case {0x242, 32}, Case {0x40202, 32}, Case {0x940442, 64},
                         Case {0x140312, 56}, Case {D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1, 28}})
        EXPECT_EQ(c.size, D3DXGetFVFVertexSize(c.fvf)) << std::hex << c.fvf;
    D3DVERTEXELEMENT9 declaration[MAX_FVF_DECL_SIZE];
    ASSERT_EQ(D3D_OK, D3DXDeclaratorFromFVF(0x940442, declaration));
    EXPECT_EQ(D3DDECLUSAGE_COLOR, declaration[1].Usage);
    EXPECT_EQ(12, declaration[1].Offset);
    EXPECT_EQ(D3DDECLTYPE_FLOAT4, declaration[5].Type);
    EXPECT_EQ(48, declaration[5].Offset);
    EXPECT_EQ(0xFF, declaration[6].Stream);
}

TEST_F(D3DXMeshTest, CloneConvertsMatchingElementsAndZeroesTheRest)
{
    ID3DXMesh* quad = FloorQuad();
    ID3DXMesh* clone = nullptr;
    ASSERT_EQ(D3D_OK, quad->CloneMeshFVF(D3DXMESH_MANAGED, 0x40202, Device(), &clone));
    EXPECT_EQ(D3DXMESH_MANAGED, clone->GetOptions());
    EXPECT_EQ(32u, clone->GetNumBytesPerVertex());
    const std::vector<float> floats = Floats(clone);
    EXPECT_EQ((std::vector<float> {1, 0, 1, 1, 1, 0, 0, 0}), std::vector<float>(floats.begin() + 24, floats.end()));
    void* indices = nullptr;
    clone->LockIndexBuffer(D3DLOCK_READONLY, &indices);
    EXPECT_EQ(3, static_cast<const std::uint16_t*>(indices)[4]);
    clone->UnlockIndexBuffer();
    clone->Release();
    quad->Release();
}

TEST_F(D3DXMeshTest, TangentFramesFollowTheTextureAxes)
{
    const D3DVERTEXELEMENT9 declaration[] = {
        {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
        {0, 12, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_NORMAL, 0},
        {0, 24, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
        {0, 32, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TANGENT, 0},
        {0, 44, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_BINORMAL, 0},
        D3DDECL_END(),
    };
    ID3DXMesh* quad = FloorQuad();
    ID3DXMesh* clone = nullptr;
    ASSERT_EQ(D3D_OK, quad->CloneMesh(D3DXMESH_MANAGED, declaration, Device(), &clone));
    EXPECT_EQ(0x140312u, clone->GetFVF()) << "drawn as the FVF of the same layout";
    ASSERT_EQ(D3D_OK, D3DXComputeTangent(clone, 0, 0, 0, 1, nullptr));
    const std::vector<float> floats = Floats(clone);
    for (int v = 0; v < 4; ++v) {
        const float* vertex = floats.data() + v * 14;
        EXPECT_NEAR(1.0f, vertex[8], 1e-5f) << v;  // tangent x
        EXPECT_NEAR(0.0f, vertex[9], 1e-5f) << v;
        EXPECT_NEAR(1.0f, vertex[13], 1e-5f) << v; // binormal z
    }
    EXPECT_EQ(D3DERR_INVALIDCALL, D3DXComputeTangent(quad, 0, 0, 0, 1, nullptr)) << "no tangent element";
    clone->Release();
    quad->Release();
}

TEST_F(D3DXMeshTest, RefusesEmptyOrOversizedMeshes)
{
    ID3DXMesh* mesh = reinterpret_cast<ID3DXMesh*>(1);
    EXPECT_EQ(D3DERR_INVALIDCALL, D3DXCreateMeshFVF(0, 3, D3DXMESH_MANAGED, 0x112, Device(), &mesh));
    EXPECT_EQ(nullptr, mesh);
    EXPECT_EQ(D3DERR_INVALIDCALL, D3DXCreateMeshFVF(1, 65537, D3DXMESH_MANAGED, 0x112, Device(), &mesh));
    EXPECT_EQ(D3DERR_INVALIDCALL, D3DXCreateMeshFVF(1, 3, D3DXMESH_MANAGED, 0x112, nullptr, &mesh));
}
