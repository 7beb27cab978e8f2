// Pixels drawn by the GL device: pretransformed and transformed geometry, culling, blending,
// wireframe, depth and stencil.
#include "tests/renderer/DeviceFixture.h"

namespace {

struct PixelVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
};
constexpr DWORD PIXEL_FVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;

struct Corners {
    float x1, y1, x2, y2;
};

// A rectangle as a strip of two triangles: (x1, y1), (x1, y2), (x2, y1), (x2, y2).
void DrawRect(IDirect3DDevice9* device, Corners c, D3DCOLOR colour, float z = 0.0f)
{
    const PixelVertex vertices[4] = {{c.x1, c.y1, z, 1, colour}, {c.x1, c.y2, z, 1, colour},
                                     {c.x2, c.y1, z, 1, colour}, {c.x2, c.y2, z, 1, colour}};
    device->SetFVF(PIXEL_FVF);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices, sizeof(PixelVertex));
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
    // On screen (y down) the strip's first triangle (x1,y1), (x1,y2), (x2,y1) runs counter-clockwise.
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    DrawRect(device, {0, 0, 100, 100}, 0xFF00FF00);
    EXPECT_TRUE(ColourNear(PixelAt(10, 10), 0xFF000000));
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    DrawRect(device, {0, 0, 100, 100}, 0xFF00FF00);
    EXPECT_TRUE(ColourNear(PixelAt(10, 10), 0xFF00FF00));
}
