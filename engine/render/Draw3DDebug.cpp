#include "engine/render/Draw3DDebug.h"

#include <initializer_list>

#include "engine/render/D3DRender.h"
#include "engine/render/VertexTemplates.h"

namespace {

struct WorldVertex {
    float x, y, z;
    D3DCOLOR colour;
    float u1, v1, u2, v2;
};
static_assert(sizeof(WorldVertex) == 32);

WorldVertex At(const D3DXVECTOR3& p, D3DCOLOR colour) { return {p.x, p.y, p.z, colour, 0, 0, 0, 0}; }

bool AllOpaque(std::initializer_list<D3DCOLOR> colours)
{
    for (D3DCOLOR colour : colours)
        if ((colour >> 24) != 0xFF)
            return false;
    return true;
}

// No texture, blending unless every colour is opaque (never in wireframe fill mode).
void Untextured(bool blend)
{
    d3dRender.device->SetTexture(0, nullptr);
    d3dRender.textureId = -1;
    if (blend && d3dRender.fillMode != D3DFILL_WIREFRAME) {
        d3dRender.SetAlphaBlend(1);
        d3dRender.SetBlend(D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
    } else {
        d3dRender.SetAlphaBlend(0);
        d3dRender.SetBlend(D3DBLEND_ONE, D3DBLEND_ZERO);
    }
}

void Draw(D3DPRIMITIVETYPE type, UINT count, const WorldVertex* vertices)
{
    d3dRender.SetLighting(0);
    d3dRender.device->SetFVF(WORLD_VERTEX_FVF);
    d3dRender.device->DrawPrimitiveUP(type, count, vertices, sizeof(WorldVertex));
}

} // namespace

void DrawPoint3D(const D3DXVECTOR3& point, D3DCOLOR colour)
{
    const WorldVertex vertex = At(point, colour);
    Untextured(!AllOpaque({colour}));
    Draw(D3DPT_POINTLIST, 1, &vertex);
}

void DrawLine3D2(const D3DXVECTOR3& a, const D3DXVECTOR3& b, D3DCOLOR ca, D3DCOLOR cb)
{
    const WorldVertex vertices[2] = {At(a, ca), At(b, cb)};
    Untextured(!AllOpaque({ca, cb}));
    Draw(D3DPT_LINELIST, 1, vertices);
}

void DrawLine3D(const D3DXVECTOR3& a, const D3DXVECTOR3& b, D3DCOLOR colour) { DrawLine3D2(a, b, colour, colour); }

void DrawTriangle3D3(const D3DXVECTOR3& a, const D3DXVECTOR3& b, const D3DXVECTOR3& c, D3DCOLOR ca, D3DCOLOR cb,
                     D3DCOLOR cc)
{
    const WorldVertex vertices[3] = {At(a, ca), At(b, cb), At(c, cc)};
    Untextured(!AllOpaque({ca, cb, cc}));
    Draw(D3DPT_TRIANGLESTRIP, 1, vertices);
    d3dRender.facesDrawn += 1;
}

void DrawTriangle3D(const D3DXVECTOR3& a, const D3DXVECTOR3& b, const D3DXVECTOR3& c, D3DCOLOR colour)
{
    DrawTriangle3D3(a, b, c, colour, colour, colour);
}

void DrawQuad3D4(const D3DXVECTOR3& a, const D3DXVECTOR3& b, const D3DXVECTOR3& c, const D3DXVECTOR3& d,
                 D3DCOLOR ca, D3DCOLOR cb, D3DCOLOR cc, D3DCOLOR cd, int textureId)
{
    WorldVertex vertices[4] = {At(a, ca), At(b, cb), At(c, cc), At(d, cd)};
    const float uv[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        vertices[i].u1 = uv[i][0];
        vertices[i].v1 = uv[i][1];
    }
    d3dRender.SetTextureById(textureId, AllOpaque({ca, cb, cc, cd}) ? 0 : 1, 0);
    Draw(D3DPT_TRIANGLESTRIP, 2, vertices);
    d3dRender.facesDrawn += 2;
}

void DrawQuad3D(const D3DXVECTOR3& a, const D3DXVECTOR3& b, const D3DXVECTOR3& c, const D3DXVECTOR3& d,
                D3DCOLOR colour, int textureId)
{
    DrawQuad3D4(a, b, c, d, colour, colour, colour, colour, textureId);
}

void DrawCircle3D(const D3DXVECTOR3& centre, float radius, D3DCOLOR colour)
{
    WorldVertex vertices[33];
    for (int i = 0; i < 33; ++i) {
        const ScreenVertex& t = CircleVerticesB[i];
        vertices[i] = At(D3DXVECTOR3(centre.x + t.x * radius, centre.y + t.y * radius, centre.z + t.z * radius), colour);
    }
    Untextured(!AllOpaque({colour}));
    Draw(D3DPT_LINESTRIP, 32, vertices);
}

void DrawDisc3D(const D3DXVECTOR3& centre, float radius, D3DCOLOR centreColour, D3DCOLOR rimColour, float xStretch,
                float yStretch)
{
    WorldVertex vertices[34];
    for (int i = 0; i < 34; ++i) {
        const ScreenVertex& t = FanVerticesB[i];
        vertices[i] = At(D3DXVECTOR3(t.x * radius * xStretch + centre.x, t.y * radius * yStretch + centre.y, centre.z),
                         i == 0 ? centreColour : rimColour);
    }
    Untextured(!AllOpaque({centreColour, rimColour}));
    d3dRender.device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    Draw(D3DPT_TRIANGLEFAN, 32, vertices);
    d3dRender.device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
}
