// Mesh instances: what they draw and count, their textures, and a lit draw read back.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "engine/files/FileSystem.h"
#include "engine/mesh/MeshObject.h"
#include "engine/render/D3DRender.h"
#include "engine/render/LightManager.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "platform/gfx/GfxControl.h"
#include "tests/mesh/RendererDeviceSuite.h"
#include "tests/support/ScratchFolder.h"
#include "tools/makedata/ImageWriters.h"
#include "tools/makedata/MeshWriter.h"

namespace {

class MeshObjectTest : public RendererDeviceSuite {
protected:
    void SetUp() override
    {
        FileManager = 0;
        GameSettings[SLOT_BMP_TO_JPG] = 0;
        fileSystem.Init();
        MeshWriter writer;
        writer.AddFrame(GROUP_BODY, MakeBox({}, {1, 1, 1}));
        Write("box.msh", writer.Encode());
    }
    void TearDown() override
    {
        meshContainer.Release();
        fileSystem.Release();
    }

    void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const { scratch.WriteBytes(name, bytes); }

    ScratchFolder scratch;
};

} // namespace

TEST_F(MeshObjectTest, DrawsOnlyGroupsAndFramesThatExist)
{
    CMeshObject object;
    const int faces = d3dRender.facesDrawn;
    object.DrawGroup(0);
    EXPECT_EQ(faces, d3dRender.facesDrawn) << "no mesh loaded";
    object.LoadMesh("box.msh", 0, D3DXMESH_MANAGED);
    ASSERT_NE(nullptr, object.mesh);
    EXPECT_NEAR(std::sqrt(3.0f), object.radius, 1e-5f);
    EXPECT_FLOAT_EQ(1.0f, object.material.Diffuse.g);
    EXPECT_FLOAT_EQ(0.0f, object.material.Specular.r);
    object.DrawGroup(3);
    object.frame = 1;
    object.DrawGroup(0);
    EXPECT_EQ(faces, d3dRender.facesDrawn) << "absent group, frame past the last";
    object.frame = 0;
    object.DrawGroup(0);
    EXPECT_EQ(faces + 12, d3dRender.facesDrawn);
    object.ReleaseMesh();
    EXPECT_EQ(nullptr, object.mesh);
    EXPECT_EQ(nullptr, meshContainer.head);
}

TEST_F(MeshObjectTest, TexturesCountOnlySuccessfulLoads)
{
    Write("red.bmp", WriteBmp(MakeFlatImage(4, 4, [](unsigned, unsigned) { return 0xFFFF0000u; }), BmpBits::Rgb24));
    CMeshObject object;
    object.textureIds[2] = 77;
    EXPECT_EQ(-1, object.LoadTexture(2, "", 0));
    EXPECT_EQ(-1, object.LoadTexture(2, nullptr, 0));
    EXPECT_EQ(77, object.textureIds[2]) << "an empty name leaves the slot alone";
    object.textureIds[2] = -1;

    EXPECT_EQ(-1, object.LoadTexture(0, "missing.bmp", 1));
    EXPECT_EQ(-1, object.textureIds[0]);
    EXPECT_EQ(0u, object.textureCount);
    const int id = object.LoadTexture(1, "red.bmp", 1);
    ASSERT_NE(-1, id);
    EXPECT_STREQ("red.bmp", object.textureNames[1]);
    EXPECT_EQ(1u, object.textureCount);
    object.ReleaseTextures();
    EXPECT_EQ(-1, object.textureIds[1]);
    EXPECT_EQ(0u, object.textureCount);
    EXPECT_EQ(-1, d3dRender.textureManager.FindByName("red.bmp"));
}

TEST_F(MeshObjectTest, LookAtAndLocalDirections)
{
    CMeshObject object;
    object.SetLookAt({10, 0, 0}, {10, 0, 5}, {0, 1, 0});
    D3DXVECTOR3 local;
    object.WorldToLocalDirection(local, {10, 0, 3});
    EXPECT_NEAR(3.0f, local.z, 1e-5f);
    EXPECT_NEAR(0.0f, local.x, 1e-5f);
}

TEST_F(MeshObjectTest, LitInstanceDrawsInItsMaterialColour)
{
    IDirect3DDevice9* d = Device();
    gameTimer.gameTime = 10000;
    EnvironmentLighting lighting {{1, 1, 1, 1}, {0, 0, 0, 1}, 1, 0, {0, 0, 1}, {0, -1, 0}};
    lightManager.AttachLighting(&lighting);
    lightManager.Reset();
    lightManager.Update();

    D3DXMATRIX view, projection;
    const D3DXVECTOR3 eye(0, 0, -5), at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 3, 1, 0.1f, 100);
    d->SetTransform(D3DTS_VIEW, &view);
    d->SetTransform(D3DTS_PROJECTION, &projection);
    d->SetRenderState(D3DRS_LIGHTING, TRUE);
    d->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    d->SetRenderState(D3DRS_ZENABLE, TRUE);
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    d->SetTexture(0, nullptr);

    CMeshObject object;
    object.LoadMesh("box.msh", 0, D3DXMESH_MANAGED);
    object.material.Diffuse = {1, 0, 0, 1};
    object.material.Ambient = {0, 0, 0, 1};
    d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    d->BeginScene();
    object.DrawGroup(0);
    d->EndScene();
    const D3DCOLOR centre = ReadRenderTarget(d, 64, 64, 1, 1).at(0);
    EXPECT_GE((centre >> 16) & 0xFF, 240u) << std::hex << centre;
    EXPECT_LE((centre >> 8) & 0xFF, 16u) << std::hex << centre;
    EXPECT_LE(centre & 0xFF, 16u) << std::hex << centre;
    EXPECT_EQ(0xFF000000u, ReadRenderTarget(d, 2, 2, 1, 1).at(0)) << "outside the box";
    object.ReleaseMesh();
    lightManager.DisableAll();
    lightManager.AttachLighting(nullptr);
}
