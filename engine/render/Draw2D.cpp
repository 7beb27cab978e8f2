#include "engine/render/Draw2D.h"

#include <initializer_list>

#include "engine/render/D3DRender.h"
#include "engine/render/ScreenVertex.h"
#include "engine/render/VertexTemplates.h"

namespace {

constexpr int OUTSIDE_CALL_CUT = 5;
constexpr float BEVEL = 5.0f;
constexpr float UV_LOW = 0.001f;
constexpr float UV_HIGH = 0.999f;

bool Opaque(D3DCOLOR colour) { return (colour >> 24) == 0xFF; }

bool AllOpaque(std::initializer_list<D3DCOLOR> colours)
{
    for (D3DCOLOR colour : colours)
        if (!Opaque(colour))
            return false;
    return true;
}

float PixelX(float x) { return x * d3dRender.xFactor; }
float PixelY(float y) { return y * d3dRender.yFactor; }

ScreenVertex At(float x, float y, D3DCOLOR colour, float u = 0, float v = 0)
{
    return {x, y, 0.0f, 1.0f, colour, u, v, 0.0f};
}

void BindNoTexture()
{
    d3dRender.device->SetTexture(0, nullptr);
    d3dRender.textureId = -1;
}

// Blending on or off through the renderer's caches; always off in wireframe fill mode.
void Blend(bool on)
{
    if (on && d3dRender.fillMode != D3DFILL_WIREFRAME) {
        d3dRender.SetAlphaBlend(1);
        d3dRender.SetBlend(D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
    } else {
        d3dRender.SetAlphaBlend(0);
        d3dRender.SetBlend(D3DBLEND_ONE, D3DBLEND_ZERO);
    }
}

void Additive()
{
    Blend(true);
    d3dRender.SetBlend(D3DBLEND_ONE, D3DBLEND_ONE);
}

void ScreenStates()
{
    d3dRender.SetZEnable(0);
    d3dRender.SetZWrite(0);
    d3dRender.SetLighting(0);
}

void Draw(D3DPRIMITIVETYPE type, UINT count, const ScreenVertex* vertices)
{
    d3dRender.device->SetFVF(SCREEN_VERTEX_FVF);
    d3dRender.device->DrawPrimitiveUP(type, count, vertices, sizeof(ScreenVertex));
}

struct QuadUV {
    float ua = UV_LOW, va = UV_LOW, ub = UV_HIGH, vb = UV_HIGH;
};

// The strip (x1, y1), (x1, y2), (x2, y1), (x2, y2), after texture and blending are set.
void DrawQuadStrip(float x1, float y1, float x2, float y2, D3DCOLOR c1, D3DCOLOR c2, D3DCOLOR c3, D3DCOLOR c4,
                   QuadUV uv = {})
{
    const float px1 = PixelX(x1), py1 = PixelY(y1), px2 = PixelX(x2), py2 = PixelY(y2);
    const ScreenVertex vertices[4] = {At(px1, py1, c1, uv.ua, uv.va), At(px1, py2, c2, uv.ua, uv.vb),
                                      At(px2, py1, c3, uv.ub, uv.va), At(px2, py2, c4, uv.ub, uv.vb)};
    ScreenStates();
    Draw(D3DPT_TRIANGLESTRIP, 2, vertices);
    d3dRender.facesDrawn += 2;
}

// The template scaled about the centre; the first vertex takes the centre colour when
// centreFirst, every other the rim colour.
template <std::size_t N>
void FillCircle(ScreenVertex (&out)[N], const ScreenVertex (&shape)[N], float x, float y, float radius,
                float xStretch, float yStretch, D3DCOLOR centre, D3DCOLOR rim, bool centreFirst)
{
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = shape[i];
        out[i].x = shape[i].x * radius * d3dRender.xFactor * xStretch + x * d3dRender.xFactor;
        out[i].y = shape[i].y * radius * d3dRender.yFactor * yStretch + y * d3dRender.yFactor;
        out[i].colour = (centreFirst && i == 0) ? centre : rim;
    }
}

D3DCOLOR HalfAlpha(D3DCOLOR colour) { return ((colour >> 25) << 24) | (colour & 0x00FFFFFF); }

} // namespace

void DrawPoint(float x, float y, D3DCOLOR colour)
{
    const ScreenVertex vertex = At(PixelX(x), PixelY(y), colour);
    BindNoTexture();
    Blend(!Opaque(colour));
    ScreenStates();
    Draw(D3DPT_POINTLIST, 1, &vertex);
}

void DrawLine(float x1, float y1, float x2, float y2, D3DCOLOR colour) { DrawLine2(x1, y1, x2, y2, colour, colour); }

void DrawLine2(float x1, float y1, float x2, float y2, D3DCOLOR c1, D3DCOLOR c2)
{
    const ScreenVertex vertices[2] = {At(PixelX(x1), PixelY(y1), c1), At(PixelX(x2), PixelY(y2), c2)};
    BindNoTexture();
    Blend(!AllOpaque({c1, c2}));
    ScreenStates();
    Draw(D3DPT_LINELIST, 1, vertices);
}

void DrawFrame(float x1, float y1, float x2, float y2, D3DCOLOR colour)
{
    DrawFrame4(x1, y1, x2, y2, colour, colour, colour, colour);
}

void DrawFrame2(float x1, float y1, float x2, float y2, D3DCOLOR left, D3DCOLOR right)
{
    DrawFrame4(x1, y1, x2, y2, left, left, right, right);
}

void DrawFrame4(float x1, float y1, float x2, float y2, D3DCOLOR c1, D3DCOLOR c2, D3DCOLOR c3, D3DCOLOR c4)
{
    const float px1 = PixelX(x1), py1 = PixelY(y1), px2 = PixelX(x2), py2 = PixelY(y2);
    const ScreenVertex vertices[5] = {At(px1, py1, c1), At(px1, py2, c2), At(px2, py2, c4), At(px2, py1, c3),
                                      At(px1, py1, c1)};
    BindNoTexture();
    Blend(!AllOpaque({c1, c2, c3, c4}));
    ScreenStates();
    Draw(D3DPT_LINESTRIP, 4, vertices);
}

void DrawQuad4(float x1, float y1, float x2, float y2, D3DCOLOR c1, D3DCOLOR c2, D3DCOLOR c3, D3DCOLOR c4,
               int textureId)
{
    d3dRender.SetTextureById(textureId, AllOpaque({c1, c2, c3, c4}) ? 0 : 1, 0);
    DrawQuadStrip(x1, y1, x2, y2, c1, c2, c3, c4);
}

void DrawQuad(float x1, float y1, float x2, float y2, D3DCOLOR colour, int textureId)
{
    DrawQuad4(x1, y1, x2, y2, colour, colour, colour, colour, textureId);
}

void DrawQuadTex(float x1, float y1, float x2, float y2, D3DCOLOR colour, IDirect3DBaseTexture9* texture)
{
    d3dRender.SetTexture(texture, !texture && Opaque(colour) ? 0 : 1);
    DrawQuadStrip(x1, y1, x2, y2, colour, colour, colour, colour);
}

void DrawQuadAdd4(float x1, float y1, float x2, float y2, D3DCOLOR c1, D3DCOLOR c2, D3DCOLOR c3, D3DCOLOR c4,
                  int textureId)
{
    d3dRender.SetTextureById(textureId, 1, 0);
    Additive();
    DrawQuadStrip(x1, y1, x2, y2, c1, c2, c3, c4);
}

void DrawQuadAdd(float x1, float y1, float x2, float y2, D3DCOLOR colour, int textureId)
{
    DrawQuadAdd4(x1, y1, x2, y2, colour, colour, colour, colour, textureId);
}

void DrawQuadTexAdd(float x1, float y1, float x2, float y2, D3DCOLOR colour, IDirect3DBaseTexture9* texture)
{
    d3dRender.SetTexture(texture, 1);
    Additive();
    DrawQuadStrip(x1, y1, x2, y2, colour, colour, colour, colour);
}

void DrawQuadTexUVAdd(float x1, float y1, float x2, float y2, D3DCOLOR colour, IDirect3DBaseTexture9* texture,
                      float ua, float va, float ub, float vb)
{
    d3dRender.SetTexture(texture, 1);
    Additive();
    DrawQuadStrip(x1, y1, x2, y2, colour, colour, colour, colour, {ua, va, ub, vb});
}

void DrawQuadUV(float x1, float y1, float x2, float y2, D3DCOLOR colour, int textureId, float ua, float va, float ub,
                float vb)
{
    d3dRender.SetTextureById(textureId, textureId == -1 && Opaque(colour) ? 0 : 1, 0);
    DrawQuadStrip(x1, y1, x2, y2, colour, colour, colour, colour, {ua, va, ub, vb});
}

void DrawQuadTexUV(float x1, float y1, float x2, float y2, D3DCOLOR colour, IDirect3DBaseTexture9* texture,
                   float ua, float va, float ub, float vb)
{
    d3dRender.SetTexture(texture, !texture && Opaque(colour) ? 0 : 1);
    DrawQuadStrip(x1, y1, x2, y2, colour, colour, colour, colour, {ua, va, ub, vb});
}

void DrawCutCornerRect4(float x1, float y1, float x2, float y2, D3DCOLOR c1, D3DCOLOR c2, D3DCOLOR c3, D3DCOLOR c4,
                        int cut)
{
    const bool outsideCall = cut == OUTSIDE_CALL_CUT;
    if (outsideCall) {
        BindNoTexture();
        Blend(true);
        ScreenStates();
        d3dRender.device->SetFVF(SCREEN_VERTEX_FVF);
        x1 = PixelX(x1);
        y1 = PixelY(y1);
        x2 = PixelX(x2);
        y2 = PixelY(y2);
    }
    const float c = static_cast<float>(cut);
    const ScreenVertex vertices[9] = {At(x1 + c, y1, c1), At(x1, y1 + c, c1), At(x1, y2 - c, c2),
                                      At(x1 + c, y2, c2), At(x2 - c, y2, c4), At(x2, y2 - c, c4),
                                      At(x2, y1 + c, c3), At(x2 - c, y1, c3), At(x1 + c, y1, c1)};
    d3dRender.device->DrawPrimitiveUP(D3DPT_LINESTRIP, 8, vertices, sizeof(ScreenVertex));
    if (!outsideCall)
        return;
    const D3DCOLOR h1 = HalfAlpha(c1), h2 = HalfAlpha(c2), h3 = HalfAlpha(c3), h4 = HalfAlpha(c4);
    constexpr int HALO_CUT = 6;
    for (float outset : {1.0f, 1.5f})
        DrawCutCornerRect4(x1 - outset, y1 - outset, x2 + outset, y2 + outset, h1, h2, h3, h4, HALO_CUT);
}

void DrawCutCornerRect(float x1, float y1, float x2, float y2, D3DCOLOR colour, int cut)
{
    DrawCutCornerRect4(x1, y1, x2, y2, colour, colour, colour, colour, cut);
}

void DrawBevelRect4(float x1, float y1, float x2, float y2, D3DCOLOR c1, D3DCOLOR c2, D3DCOLOR c3, D3DCOLOR c4)
{
    const float px1 = PixelX(x1), py1 = PixelY(y1), px2 = PixelX(x2), py2 = PixelY(y2);
    const ScreenVertex vertices[8] = {At(px1, py1 + BEVEL, c1), At(px1, py2 - BEVEL, c2), At(px1 + BEVEL, py1, c1),
                                      At(px1 + BEVEL, py2, c2), At(px2 - BEVEL, py1, c3), At(px2 - BEVEL, py2, c4),
                                      At(px2, py1 + BEVEL, c3), At(px2, py2 - BEVEL, c4)};
    BindNoTexture();
    Blend(!AllOpaque({c1, c2, c3, c4}));
    ScreenStates();
    Draw(D3DPT_TRIANGLESTRIP, 6, vertices);
    d3dRender.facesDrawn += 6;
}

void DrawBevelRect(float x1, float y1, float x2, float y2, D3DCOLOR colour)
{
    DrawBevelRect4(x1, y1, x2, y2, colour, colour, colour, colour);
}

void DrawFullScreenQuad(float x1, float y1, float x2, float y2, D3DCOLOR colour)
{
    const float px1 = PixelX(x1), py1 = PixelY(y1), px2 = PixelX(x2), py2 = PixelY(y2);
    const ScreenVertex vertices[4] = {At(px1, py1, colour, UV_LOW, UV_LOW), At(px1, py2, colour, UV_LOW, UV_HIGH),
                                      At(px2, py1, colour, UV_HIGH, UV_LOW), At(px2, py2, colour, UV_HIGH, UV_HIGH)};
    BindNoTexture();
    Blend(true);
    Draw(D3DPT_TRIANGLESTRIP, 2, vertices);
}

void DrawCircle(float x, float y, float radius, D3DCOLOR colour, float xStretch, float yStretch)
{
    ScreenVertex vertices[33];
    FillCircle(vertices, CircleVerticesA, x, y, radius, xStretch, yStretch, colour, colour, false);
    BindNoTexture();
    Blend(!Opaque(colour));
    ScreenStates();
    Draw(D3DPT_LINESTRIP, 32, vertices);
}

void DrawDiscTex(float x, float y, float radius, D3DCOLOR centre, D3DCOLOR rim, float xStretch, float yStretch,
                 IDirect3DBaseTexture9* texture)
{
    ScreenVertex vertices[34];
    FillCircle(vertices, FanVerticesA, x, y, radius, xStretch, yStretch, centre, rim, true);
    d3dRender.SetTexture(texture, AllOpaque({centre, rim}) ? 0 : 1);
    ScreenStates();
    Draw(D3DPT_TRIANGLEFAN, 32, vertices);
}

void DrawDisc(float x, float y, float radius, D3DCOLOR centre, D3DCOLOR rim, float xStretch, float yStretch)
{
    ScreenVertex vertices[17];
    FillCircle(vertices, DiscVertices, x, y, radius, xStretch, yStretch, centre, rim, true);
    BindNoTexture();
    Additive();
    ScreenStates();
    Draw(D3DPT_TRIANGLEFAN, 15, vertices);
}

void DrawGlowDisc(float x, float y, float radius, D3DCOLOR centre, D3DCOLOR rim, float xStretch, float yStretch,
                  IDirect3DBaseTexture9* texture)
{
    ScreenVertex vertices[17];
    FillCircle(vertices, DiscVertices, x, y, radius, xStretch, yStretch, centre, rim, true);
    d3dRender.SetTexture(texture, AllOpaque({centre, rim}) ? 0 : 1);
    ScreenStates();
    Draw(D3DPT_TRIANGLEFAN, 15, vertices);
}
