// Pixels drawn by the GL device: pretransformed and transformed geometry, culling, blending,
// wireframe, depth, two-sided stencil, fixed-function light, fog and texture generation,
// compressed textures and StretchRect.
#include <algorithm>

#include "platform/gfx/GfxControl.h"
#include "tests/support/DeviceFixture.h"

namespace {

struct PixelVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};
constexpr DWORD PIXEL_FVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct Corners {
    float x1, y1, x2, y2;
};

// A rectangle as a strip: (x1, y1), (x1, y2), (x2, y1), (x2, y2), counter-clockwise on screen.
void DrawRect(IDirect3DDevice9* device, Corners c, D3DCOLOR colour, float z = 0.0f, bool clockwise = false)
{
    PixelVertex vertices[4] = {{c.x1, c.y1, z, 1, colour, 0, 0}, {c.x1, c.y2, z, 1, colour, 0, 1},
                               {c.x2, c.y1, z, 1, colour, 1, 0}, {c.x2, c.y2, z, 1, colour, 1, 1}};
    if (clockwise)
        std::swap(vertices[1], vertices[2]);
    device->SetFVF(PIXEL_FVF);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices, sizeof(PixelVertex));
}

// Camera-space geometry with identity transforms: clip coordinates are the vertex coordinates.
struct LitVertex {
    float x, y, z;
    float nx, ny, nz;
};
constexpr DWORD LIT_FVF = D3DFVF_XYZ | D3DFVF_NORMAL;

void DrawFacingQuad(IDirect3DDevice9* device, float halfSize = 0.5f, float z = 0.5f)
{
    const LitVertex vertices[4] = {{-halfSize, halfSize, z, 0, 0, -1}, {-halfSize, -halfSize, z, 0, 0, -1},
                                   {halfSize, halfSize, z, 0, 0, -1}, {halfSize, -halfSize, z, 0, 0, -1}};
    device->SetFVF(LIT_FVF);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices, sizeof(LitVertex));
}

IDirect3DTexture9* SolidTexture(IDirect3DDevice9* device, D3DCOLOR colour)
{
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
    D3DLOCKED_RECT locked;
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            static_cast<D3DCOLOR*>(locked.pBits)[y * locked.Pitch / 4 + x] = colour;
    texture->UnlockRect(0);
    return texture;
}

} // namespace

using DeviceDrawingTest = DeviceTest;

TEST_F(DeviceDrawingTest, PixelCoordinatesPlaceARectangleWithRowZeroAtTheTop)
{
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    DrawRect(device, {100, 50, 300, 150}, 0xFFFF0000);
    EXPECT_TRUE(ColourNear(PixelAt(100, 50), 0xFFFF0000));
    EXPECT_TRUE(ColourNear(PixelAt(299, 149), 0xFFFF0000));
    EXPECT_TRUE(ColourNear(PixelAt(99, 50), 0xFF000000));
    EXPECT_TRUE(ColourNear(PixelAt(300, 100), 0xFF000000));
    EXPECT_TRUE(ColourNear(PixelAt(200, 150), 0xFF000000));
    EXPECT_TRUE(ColourNear(PixelAt(200, 49), 0xFF000000));
}

TEST_F(DeviceDrawingTest, CullModeRemovesTrianglesOfItsWinding)
{
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    DrawRect(device, {0, 0, 100, 100}, 0xFF00FF00);
    EXPECT_TRUE(ColourNear(PixelAt(10, 10), 0xFF000000));
    DrawRect(device, {0, 0, 100, 100}, 0xFF00FF00, 0, true);
    EXPECT_TRUE(ColourNear(PixelAt(10, 10), 0xFF00FF00));
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    DrawRect(device, {200, 0, 300, 100}, 0xFF00FF00, 0, true);
    EXPECT_TRUE(ColourNear(PixelAt(210, 10), 0xFF000000));
}

TEST_F(DeviceDrawingTest, AlphaBlendingMixesWithTheTarget)
{
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    DrawRect(device, {0, 0, 100, 100}, 0xFF0000FF);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    DrawRect(device, {0, 0, 100, 100}, 0x80FF0000);
    EXPECT_TRUE(ColourNear(PixelAt(50, 50) | 0xFF000000, 0xFF80007F, 3));
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    DrawRect(device, {0, 0, 100, 100}, 0xFF00FF00);
    EXPECT_TRUE(ColourNear(PixelAt(50, 50) | 0xFF000000, 0xFF80FF7F, 3));
}

TEST_F(DeviceDrawingTest, WireframeDrawsOnlyTheEdges)
{
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_WIREFRAME);
    DrawRect(device, {100, 100, 300, 300}, 0xFFFFFFFF);
    EXPECT_TRUE(ColourNear(PixelAt(150, 200), 0xFF000000)); // off both edges and the diagonal
    EXPECT_TRUE(ColourNear(PixelAt(100, 200), 0xFFFFFFFF));
}

TEST_F(DeviceDrawingTest, DepthTestAndDepthWrite)
{
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    DrawRect(device, {0, 0, 100, 100}, 0xFFFF0000, 0.5f);
    DrawRect(device, {0, 0, 100, 100}, 0xFF00FF00, 0.7f);
    EXPECT_TRUE(ColourNear(PixelAt(50, 50), 0xFFFF0000)) << "a farther surface stays hidden";

    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    DrawRect(device, {200, 0, 300, 100}, 0xFFFF0000, 0.5f);
    DrawRect(device, {200, 0, 300, 100}, 0xFF00FF00, 0.7f);
    EXPECT_TRUE(ColourNear(PixelAt(250, 50), 0xFF00FF00)) << "nothing was written to hide it";

    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    DrawRect(device, {0, 0, 100, 100}, 0xFF0000FF, 0.9f);
    EXPECT_TRUE(ColourNear(PixelAt(50, 50), 0xFF0000FF));
}

TEST_F(DeviceDrawingTest, TwoSidedStencilCountsEachWindingWithItsOwnOperations)
{
    struct Case {
        BOOL twoSided;
        DWORD expectedCount;
    };
    // Clockwise faces increment; counter-clockwise faces decrement only in two-sided mode.
    for (const Case c : {Case {TRUE, 0}, Case {FALSE, 2}}) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_STENCIL, 0xFF000000, 1.0f, 0);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
        device->SetRenderState(D3DRS_TWOSIDEDSTENCILMODE, c.twoSided);
        device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
        device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_INCR);
        device->SetRenderState(D3DRS_CCW_STENCILFUNC, D3DCMP_ALWAYS);
        device->SetRenderState(D3DRS_CCW_STENCILPASS, D3DSTENCILOP_DECR);
        device->SetRenderState(D3DRS_COLORWRITEENABLE, 0);
        DrawRect(device, {0, 0, 100, 100}, 0xFFFFFFFF, 0, true);
        DrawRect(device, {0, 0, 100, 100}, 0xFFFFFFFF, 0, false);
        device->SetRenderState(D3DRS_COLORWRITEENABLE, 0xF);
        device->SetRenderState(D3DRS_TWOSIDEDSTENCILMODE, FALSE);
        device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL);
        device->SetRenderState(D3DRS_STENCILREF, c.expectedCount);
        device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
        DrawRect(device, {0, 0, 200, 200}, 0xFF00FF00);
        EXPECT_TRUE(ColourNear(PixelAt(50, 50), 0xFF00FF00)) << "two-sided " << c.twoSided;
        EXPECT_TRUE(ColourNear(PixelAt(150, 150), c.expectedCount == 0 ? 0xFF00FF00 : 0xFF000000));
    }
}

TEST_F(DeviceDrawingTest, StencilOverlayAfterTwoSidedVolumesZeroesEveryCountedPixel)
{
    // Z-fail volumes: the depth buffer at 0 fails every face; counter-clockwise faces count up.
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFFFFFFFF, 0.0f, 5);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ZERO);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
    device->SetRenderState(D3DRS_STENCILZFAIL, D3DSTENCILOP_DECR);
    device->SetRenderState(D3DRS_TWOSIDEDSTENCILMODE, TRUE);
    device->SetRenderState(D3DRS_CCW_STENCILZFAIL, D3DSTENCILOP_INCR);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    DrawRect(device, {100, 100, 300, 200}, 0xFFFFFFFF, 0.5f);
    device->SetRenderState(D3DRS_TWOSIDEDSTENCILMODE, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
    EXPECT_EQ(ReadStencil(device, 150, 150, 1, 1)[0], 6);

    // The overlay: a blended screen quad wherever the stencil is 1 or more, zeroing it.
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
    device->SetRenderState(D3DRS_STENCILREF, 1);
    device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_LESSEQUAL);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_ZERO);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    DrawRect(device, {-1, -1, WIDTH + 1.0f, HEIGHT + 1.0f}, 0x80000000);

    const std::vector<unsigned char> stencil = ReadStencil(device, 0, 0, WIDTH, HEIGHT);
    EXPECT_EQ(std::count(stencil.begin(), stencil.end(), 0), long(stencil.size()));
    EXPECT_TRUE(ColourNear(PixelAt(0, 0), 0xFF7F7F7F));
    EXPECT_TRUE(ColourNear(PixelAt(WIDTH - 1, HEIGHT - 1), 0xFF7F7F7F));
    // Zeroed pixels fail the test: a second overlay leaves the colour alone.
    DrawRect(device, {-1, -1, WIDTH + 1.0f, HEIGHT + 1.0f}, 0x80000000);
    EXPECT_TRUE(ColourNear(PixelAt(150, 150), 0xFF7F7F7F));
}

TEST_F(DeviceDrawingTest, DirectionalLightAndAmbientLightTheMaterial)
{
    D3DMATERIAL9 material {};
    material.Diffuse = {1, 1, 1, 1};
    material.Ambient = {1, 1, 1, 1};
    device->SetMaterial(&material);
    D3DLIGHT9 light {};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1, 0.5f, 0, 1};
    light.Direction = {0, 0, 1};
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    DrawFacingQuad(device);
    EXPECT_TRUE(ColourNear(PixelAt(WIDTH / 2, HEIGHT / 2), 0xFFFF8000));

    light.Direction = {0, 0, -1}; // from behind the quad
    device->SetLight(0, &light);
    device->SetRenderState(D3DRS_AMBIENT, 0xFF404040);
    DrawFacingQuad(device);
    EXPECT_TRUE(ColourNear(PixelAt(WIDTH / 2, HEIGHT / 2), 0xFF404040));
}

TEST_F(DeviceDrawingTest, LinearFogMixesTowardsTheFogColour)
{
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_FOGENABLE, TRUE);
    device->SetRenderState(D3DRS_FOGVERTEXMODE, D3DFOG_LINEAR);
    device->SetRenderState(D3DRS_FOGCOLOR, 0xFF0000FF);
    device->SetRenderState(D3DRS_FOGSTART, FloatBits(0.0f));
    device->SetRenderState(D3DRS_FOGEND, FloatBits(1.0f));
    DrawFacingQuad(device, 0.05f, 0.5f); // white, half-way into the fog
    EXPECT_TRUE(ColourNear(PixelAt(WIDTH / 2, HEIGHT / 2), 0xFF8080FF, 12));
    device->SetRenderState(D3DRS_FOGENABLE, FALSE);
    DrawFacingQuad(device, 0.05f, 0.5f);
    EXPECT_TRUE(ColourNear(PixelAt(WIDTH / 2, HEIGHT / 2), 0xFFFFFFFF));
}

TEST_F(DeviceDrawingTest, ReflectionVectorTexGenThroughTheTextureTransform)
{
    const D3DCOLOR faceColours[6] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFFFF00FF, 0xFF00FFFF};
    IDirect3DCubeTexture9* cube = nullptr;
    ASSERT_EQ(device->CreateCubeTexture(4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &cube, nullptr), D3D_OK);
    for (int face = 0; face < 6; ++face) {
        D3DLOCKED_RECT locked;
        ASSERT_EQ(cube->LockRect(static_cast<D3DCUBEMAP_FACES>(face), 0, &locked, nullptr, 0), D3D_OK);
        for (int i = 0; i < 16; ++i)
            static_cast<D3DCOLOR*>(locked.pBits)[i] = faceColours[face];
        cube->UnlockRect(static_cast<D3DCUBEMAP_FACES>(face), 0);
    }
    device->SetTexture(0, cube);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR);
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT3);
    // Looking straight at a quad that faces the eye reflects back towards -z.
    DrawFacingQuad(device, 0.02f);
    EXPECT_TRUE(ColourNear(PixelAt(WIDTH / 2, HEIGHT / 2), faceColours[D3DCUBEMAP_FACE_NEGATIVE_Z]));
    // Half a turn about y sends the vector to +z.
    const D3DMATRIX halfTurn = {{{-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1}}};
    device->SetTransform(D3DTS_TEXTURE0, &halfTurn);
    DrawFacingQuad(device, 0.02f);
    EXPECT_TRUE(ColourNear(PixelAt(WIDTH / 2, HEIGHT / 2), faceColours[D3DCUBEMAP_FACE_POSITIVE_Z]));
    device->SetTexture(0, nullptr);
    cube->Release();
}

TEST_F(DeviceDrawingTest, TexturesModulateTheDiffuseColourAndDxtUploadsCompressed)
{
    IDirect3DTexture9* texture = SolidTexture(device, 0xFFFFFF00);
    device->SetTexture(0, texture);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    DrawRect(device, {0, 0, 64, 64}, 0xFF00FFFF);
    EXPECT_TRUE(ColourNear(PixelAt(32, 32), 0xFF00FF00));
    texture->Release();

    IDirect3DTexture9* dxt = nullptr;
    ASSERT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_DXT1, D3DPOOL_MANAGED, &dxt, nullptr), D3D_OK);
    D3DLOCKED_RECT locked;
    ASSERT_EQ(dxt->LockRect(0, &locked, nullptr, 0), D3D_OK);
    EXPECT_EQ(locked.Pitch, 8);
    const unsigned char block[8] = {0x00, 0xF8, 0x00, 0x00, 0, 0, 0, 0}; // colour 0 pure red, every texel 0
    std::copy(block, block + 8, static_cast<unsigned char*>(locked.pBits));
    dxt->UnlockRect(0);
    device->SetTexture(0, dxt);
    DrawRect(device, {100, 0, 164, 64}, 0xFFFFFFFF);
    EXPECT_TRUE(ColourNear(PixelAt(132, 32), 0xFFFF0000));
    device->SetTexture(0, nullptr);
    dxt->Release();
}

TEST_F(DeviceDrawingTest, StretchRectCopiesBetweenTargetsWithScaling)
{
    IDirect3DTexture9* target = nullptr;
    ASSERT_EQ(device->CreateTexture(64, 64, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT, &target,
                                    nullptr),
              D3D_OK);
    IDirect3DSurface9* targetSurface = nullptr;
    IDirect3DSurface9* backBuffer = nullptr;
    target->GetSurfaceLevel(0, &targetSurface);
    device->GetRenderTarget(0, &backBuffer);

    device->SetRenderTarget(0, targetSurface);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0);
    const RECT corner {0, 0, 32, 32};
    device->Clear(1, &corner, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
    device->SetRenderTarget(0, backBuffer);

    const RECT destination {100, 100, 228, 228};
    EXPECT_EQ(device->StretchRect(targetSurface, nullptr, backBuffer, &destination, D3DTEXF_POINT), D3D_OK);
    EXPECT_TRUE(ColourNear(PixelAt(110, 110), 0xFF0000FF)) << "the top-left quarter, doubled";
    EXPECT_TRUE(ColourNear(PixelAt(220, 220), 0xFFFF0000));
    EXPECT_TRUE(ColourNear(PixelAt(90, 90), 0xFF000000));

    // The target's texture shows the same picture the right way up.
    device->SetTexture(0, target);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    DrawRect(device, {300, 0, 364, 64}, 0xFFFFFFFF);
    EXPECT_TRUE(ColourNear(PixelAt(305, 5), 0xFF0000FF));
    EXPECT_TRUE(ColourNear(PixelAt(360, 60), 0xFFFF0000));
    device->SetTexture(0, nullptr);
    targetSurface->Release();
    backBuffer->Release();
    target->Release();
}

TEST_F(DeviceDrawingTest, LinearStretchRectKeepsEveryTexelAtTheSameSizeAndBlendsWhenScaling)
{
    IDirect3DSurface9* backBuffer = nullptr;
    device->GetRenderTarget(0, &backBuffer);
    // Columns one pixel wide, red and blue in turn.
    for (LONG x = 0; x < 16; ++x) {
        const RECT column {x, 0, x + 1, 16};
        device->Clear(1, &column, D3DCLEAR_TARGET, x % 2 ? 0xFF0000FF : 0xFFFF0000, 1.0f, 0);
    }
    IDirect3DSurface9* copy = nullptr;
    ASSERT_EQ(device->CreateRenderTarget(64, 64, D3DFMT_X8R8G8B8, D3DMULTISAMPLE_NONE, 0, FALSE, &copy, nullptr),
              D3D_OK);
    const RECT source {0, 0, 16, 16}, sameSize {0, 0, 16, 16}, doubled {0, 0, 32, 32};
    ASSERT_EQ(device->StretchRect(backBuffer, &source, copy, &sameSize, D3DTEXF_LINEAR), D3D_OK);
    ASSERT_EQ(device->StretchRect(copy, &sameSize, backBuffer, &doubled, D3DTEXF_LINEAR), D3D_OK);
    // Each doubled pixel mixes a column with its neighbour, three to one (not at the clamped edges).
    for (int x = 1; x < 31; ++x) {
        const unsigned red = (PixelAt(x, 8) >> 16) & 0xFF;
        EXPECT_TRUE(red > 0x20 && red < 0xE0) << x << ": red " << red;
    }
    ASSERT_EQ(device->StretchRect(copy, &sameSize, backBuffer, &source, D3DTEXF_LINEAR), D3D_OK);
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(PixelAt(x, 8), x % 2 ? 0xFF0000FFu : 0xFFFF0000u) << x;
    copy->Release();
    backBuffer->Release();
}

TEST_F(DeviceDrawingTest, VertexAndIndexBuffersDrawIndexedTriangles)
{
    IDirect3DVertexBuffer9* vertices = nullptr;
    IDirect3DIndexBuffer9* indices = nullptr;
    ASSERT_EQ(device->CreateVertexBuffer(8 * sizeof(PixelVertex), 0, PIXEL_FVF, D3DPOOL_MANAGED, &vertices, nullptr),
              D3D_OK);
    ASSERT_EQ(device->CreateIndexBuffer(6 * 2, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indices, nullptr), D3D_OK);
    void* data = nullptr;
    ASSERT_EQ(vertices->Lock(0, 0, &data, D3DLOCK_DISCARD), D3D_OK);
    auto* v = static_cast<PixelVertex*>(data);
    // Four junk vertices, then the quad that the base vertex index selects.
    for (int i = 0; i < 4; ++i)
        v[i] = {0, 0, 0, 1, 0xFFFFFFFF, 0, 0};
    v[4] = {10, 10, 0, 1, 0xFF00FF00, 0, 0};
    v[5] = {10, 60, 0, 1, 0xFF00FF00, 0, 0};
    v[6] = {60, 10, 0, 1, 0xFF00FF00, 0, 0};
    v[7] = {60, 60, 0, 1, 0xFF00FF00, 0, 0};
    vertices->Unlock();
    ASSERT_EQ(indices->Lock(0, 0, &data, 0), D3D_OK);
    const WORD quad[6] = {0, 1, 2, 2, 1, 3};
    std::copy(quad, quad + 6, static_cast<WORD*>(data));
    indices->Unlock();
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetFVF(PIXEL_FVF);
    device->SetStreamSource(0, vertices, 0, sizeof(PixelVertex));
    device->SetIndices(indices);
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 4, 0, 4, 0, 2), D3D_OK);
    EXPECT_TRUE(ColourNear(PixelAt(30, 30), 0xFF00FF00));
    device->SetStreamSource(0, nullptr, 0, 0);
    device->SetIndices(nullptr);
    vertices->Release();
    indices->Release();
}
