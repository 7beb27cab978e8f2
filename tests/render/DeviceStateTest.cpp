// The device's state cache, flexible vertex formats, and device loss with its reset.
#include "platform/gfx/FvfLayout.h"
#include "platform/gfx/GfxControl.h"
#include "tests/support/DeviceFixture.h"

namespace {

struct PixelVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
};

void DrawPoint(IDirect3DDevice9* device)
{
    const PixelVertex vertex {5, 5, 0, 1, 0xFFFFFFFF};
    device->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE);
    device->DrawPrimitiveUP(D3DPT_POINTLIST, 1, &vertex, sizeof vertex);
}

} // namespace

using DeviceStateTest = DeviceTest;

TEST_F(DeviceStateTest, AStateReachesGlOnlyWhenItChanges)
{
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    DrawPoint(device);
    const auto settled = GlStateCallCount(device);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    DrawPoint(device);
    DrawPoint(device);
    EXPECT_EQ(GlStateCallCount(device), settled);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    DrawPoint(device);
    EXPECT_EQ(GlStateCallCount(device), settled + 1);
    device->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL); // unchanged value
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);     // one change
    DrawPoint(device);
    EXPECT_EQ(GlStateCallCount(device), settled + 2);
}

TEST(FvfLayoutTest, DecodesTheGameVertexFormats)
{
    struct Case {
        DWORD fvf;
        unsigned stride;
        int diffuse;
        unsigned sets;
        unsigned components[4];
    };
    const Case cases[] = {
        {0xC0244, 32, 16, 2, {2, 1}},           // screen vertex
        {0x242, 32, 12, 2, {2, 2}},             // world debug vertex
        {0x940442, 64, 12, 4, {2, 3, 3, 4}},    // glow vertex
        {D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1, 32, -1, 1, {2}},
    };
    for (const Case& c : cases) {
        const FvfLayout layout = DecodeFvf(c.fvf);
        ASSERT_TRUE(layout.valid) << std::hex << c.fvf;
        EXPECT_EQ(layout.stride, c.stride) << std::hex << c.fvf;
        EXPECT_EQ(layout.diffuseOffset, c.diffuse) << std::hex << c.fvf;
        ASSERT_EQ(layout.textureSets, c.sets);
        for (unsigned set = 0; set < c.sets; ++set)
            EXPECT_EQ(layout.textureComponents[set], c.components[set]) << std::hex << c.fvf << " set " << set;
    }
    EXPECT_FALSE(DecodeFvf(0x006).valid) << "blended positions are not offered";
}

TEST_F(DeviceStateTest, ALostDeviceResetsOnceItsDefaultPoolResourcesAreGone)
{
    LoseDevice(device, DeviceLoss::Restorable);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);

    IDirect3DTexture9* target = nullptr;
    ASSERT_EQ(device->CreateTexture(16, 16, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT, &target,
                                    nullptr),
              D3D_OK);
    D3DPRESENT_PARAMETERS parameters = SharedDeviceOf(WIDTH, HEIGHT).presentation;
    EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL);
    target->Release();
    EXPECT_EQ(device->Reset(&parameters), D3D_OK);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
}

TEST_F(DeviceStateTest, AnUnrestorableDeviceRefusesTheReset)
{
    LoseDevice(device, DeviceLoss::Unrestorable);
    device->Present(nullptr, nullptr, nullptr, nullptr);
    device->TestCooperativeLevel();
    ASSERT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    D3DPRESENT_PARAMETERS parameters = SharedDeviceOf(WIDTH, HEIGHT).presentation;
    EXPECT_TRUE(FAILED(device->Reset(&parameters)));
    LoseDevice(device, DeviceLoss::Restorable); // leave a device that the next test can reset
    device->Present(nullptr, nullptr, nullptr, nullptr);
    device->TestCooperativeLevel();
}

TEST_F(DeviceStateTest, LockedLevelsKeepTheirBytesAndReportTheirSizes)
{
    IDirect3DVolumeTexture9* volume = nullptr;
    ASSERT_EQ(device->CreateVolumeTexture(8, 8, 4, 0, 0, D3DFMT_L8, D3DPOOL_MANAGED, &volume, nullptr), D3D_OK);
    EXPECT_EQ(volume->GetLevelCount(), 4u);
    D3DVOLUME_DESC desc {};
    volume->GetLevelDesc(1, &desc);
    EXPECT_EQ(desc.Width, 4u);
    EXPECT_EQ(desc.Depth, 2u);
    D3DLOCKED_BOX box {};
    ASSERT_EQ(volume->LockBox(0, &box, nullptr, 0), D3D_OK);
    EXPECT_EQ(box.RowPitch, 8);
    EXPECT_EQ(box.SlicePitch, 64);
    static_cast<unsigned char*>(box.pBits)[64 * 3 + 7] = 0xAB;
    volume->UnlockBox(0);
    ASSERT_EQ(volume->LockBox(0, &box, nullptr, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(static_cast<unsigned char*>(box.pBits)[64 * 3 + 7], 0xAB);
    volume->UnlockBox(0);
    volume->Release();
}
