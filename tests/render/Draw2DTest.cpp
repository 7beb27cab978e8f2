// 2D drawing on the virtual screen through the renderer: scaling, blend rules, cut-corner
// outlines, the states left behind and wireframe.
#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "tests/render/RendererFixture.h"
#include "tests/support/DeviceFixture.h"

namespace {

DWORD RenderState(D3DRENDERSTATETYPE state)
{
    DWORD value = 0;
    d3dRender.device->GetRenderState(state, &value);
    return value;
}

IDirect3DTexture9* SolidTexture(D3DCOLOR colour)
{
    IDirect3DTexture9* texture = nullptr;
    d3dRender.device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr);
    D3DLOCKED_RECT locked;
    texture->LockRect(0, &locked, nullptr, 0);
    for (int i = 0; i < 16; ++i)
        static_cast<D3DCOLOR*>(locked.pBits)[i] = colour;
    texture->UnlockRect(0);
    return texture;
}

} // namespace

using Draw2DTest = RendererTest;

TEST_F(Draw2DTest, TheWholeVirtualScreenCoversTheBackBuffer)
{
    EXPECT_FLOAT_EQ(d3dRender.xFactor, 1.28f);
    EXPECT_FLOAT_EQ(d3dRender.yFactor, 1.28f);
    DrawQuad(0, 0, 800, 600, 0xFFFF0000, -1);
    for (const auto& [x, y] : {std::pair {0, 0}, {1023, 0}, {0, 767}, {1023, 767}, {512, 384}})
        EXPECT_TRUE(ColourNear(PixelAt(x, y), 0xFFFF0000)) << x << ", " << y;
    EXPECT_EQ(d3dRender.facesDrawn, 2);
}

TEST_F(Draw2DTest, QuadsBlendOnlyWithATranslucentColour)
{
    DrawQuad(0, 0, 100, 100, 0xFF0000FF, -1);
    DrawQuad(0, 0, 100, 100, 0xFFFF0000, -1);
    EXPECT_EQ(RenderState(D3DRS_ALPHABLENDENABLE), 0u);
    EXPECT_TRUE(ColourNear(PixelAt(60, 60), 0xFFFF0000));

    DrawQuad(0, 0, 100, 100, 0xFF0000FF, -1);
    DrawQuad4(0, 0, 100, 100, 0x80FF0000, 0x80FF0000, 0x80FF0000, 0xFFFF0000, -1);
    EXPECT_EQ(RenderState(D3DRS_ALPHABLENDENABLE), 1u);
    EXPECT_TRUE(ColourNear(PixelAt(10, 10), 0xFF80007F, 4)) << "one translucent corner blends the quad";
}

TEST_F(Draw2DTest, DrawQuadUVBlendsWithATextureEvenWhenOpaque)
{
    DrawQuadUV(0, 0, 100, 100, 0xFFFFFFFF, -1, 0, 0, 1, 1);
    EXPECT_EQ(RenderState(D3DRS_ALPHABLENDENABLE), 0u) << "no texture and opaque: no blending";
    const int id = d3dRender.LoadTexture("Data/Misc/LightMap.bmp", 1);
    ASSERT_NE(id, -1);
    DrawQuadUV(0, 0, 100, 100, 0xFFFFFFFF, id, 0, 0, 1, 1);
    EXPECT_EQ(RenderState(D3DRS_ALPHABLENDENABLE), 1u);
    EXPECT_EQ(RenderState(D3DRS_SRCBLEND), static_cast<DWORD>(D3DBLEND_SRCALPHA));
    d3dRender.ReleaseTexture(id);
}

TEST_F(Draw2DTest, ATextureBoundByInterfaceDoesNotHideTheNextBindById)
{
    const int id = d3dRender.LoadTexture("Data/Misc/LightMap.bmp", 1);
    ASSERT_NE(id, -1);
    IDirect3DTexture9* other = SolidTexture(0xFF00FF00);
    DrawQuad(0, 0, 10, 10, 0xFFFFFFFF, id);
    DrawQuadTex(0, 0, 10, 10, 0xFFFFFFFF, other);
    DrawQuad(0, 0, 10, 10, 0xFFFFFFFF, id);
    IDirect3DBaseTexture9* bound = nullptr;
    d3dRender.device->GetTexture(0, &bound);
    EXPECT_EQ(bound, d3dRender.GetTexture(id));
    if (bound)
        bound->Release();
    d3dRender.device->SetTexture(0, nullptr);
    other->Release();
    d3dRender.ReleaseTexture(id);
}

TEST_F(Draw2DTest, CutCornerFiveDrawsThreeOutlinesOtherCutsOneInPixels)
{
    DrawCutCornerRect(100, 100, 300, 200, 0xFFFFFFFF, 5);
    // Corners scale by 1.28: the outline runs at x = 128 and its halo 1 and 1.5 pixels outside.
    EXPECT_TRUE(ColourNear(PixelAt(128, 192), 0xFFFFFFFF));
    EXPECT_NE(PixelAt(127, 192) & 0xFFFFFF, 0u) << "halo";
    EXPECT_TRUE(ColourNear(PixelAt(129, 192), 0xFF000000));
    EXPECT_TRUE(ColourNear(PixelAt(128, 128), 0xFF000000)) << "the corner is cut";

    ResetRendererStates();
    d3dRender.device->SetFVF(SCREEN_VERTEX_FVF);
    DrawCutCornerRect(100, 100, 300, 200, 0xFFFFFFFF, 10);
    EXPECT_TRUE(ColourNear(PixelAt(100, 150), 0xFFFFFFFF)) << "raw pixels";
    EXPECT_TRUE(ColourNear(PixelAt(99, 150), 0xFF000000)) << "no halo";
    EXPECT_TRUE(ColourNear(PixelAt(128, 150), 0xFF000000));
}

TEST_F(Draw2DTest, ScreenDrawingLeavesDepthAndLightingOff)
{
    struct Member {
        const char* name;
        void (*draw)();
    };
    const Member members[] = {
        {"DrawQuad", [] { DrawQuad(0, 0, 10, 10, 0xFFFFFFFF, -1); }},
        {"DrawLine", [] { DrawLine(0, 0, 10, 10, 0xFFFFFFFF); }},
        {"DrawFrame", [] { DrawFrame(0, 0, 10, 10, 0x80FFFFFF); }},
        {"DrawBevelRect", [] { DrawBevelRect(0, 0, 50, 50, 0xFFFFFFFF); }},
        {"DrawCutCornerRect", [] { DrawCutCornerRect(0, 0, 50, 50, 0xFFFFFFFF, 5); }},
        {"DrawCircle", [] { DrawCircle(50, 50, 10, 0xFFFFFFFF, 1, 1); }},
        {"DrawDisc", [] { DrawDisc(50, 50, 10, 0xFFFFFFFF, 0x00FFFFFF, 1, 1); }},
    };
    for (const Member& member : members) {
        ResetRendererStates();
        member.draw();
        EXPECT_EQ(RenderState(D3DRS_ZENABLE), 0u) << member.name;
        EXPECT_EQ(RenderState(D3DRS_ZWRITEENABLE), 0u) << member.name;
        EXPECT_EQ(RenderState(D3DRS_LIGHTING), 0u) << member.name;
    }
}

TEST_F(Draw2DTest, WireframeShowsTexturedDrawsUntexturedAndUnblended)
{
    IDirect3DTexture9* texture = SolidTexture(0x8000FF00);
    d3dRender.ToggleWireframe();
    DrawQuadTex(100, 100, 300, 300, 0x80FF0000, texture);
    EXPECT_EQ(RenderState(D3DRS_ALPHABLENDENABLE), 0u);
    IDirect3DBaseTexture9* bound = nullptr;
    d3dRender.device->GetTexture(0, &bound);
    EXPECT_EQ(bound, nullptr);
    // An edge at x = 128 in the quad's colour, its inside left empty.
    EXPECT_EQ(PixelAt(128, 200) & 0x00FFFFFF, 0x00FF0000u);
    EXPECT_TRUE(ColourNear(PixelAt(300, 200), 0xFF000000));
    d3dRender.ToggleWireframe();
    texture->Release();
}
