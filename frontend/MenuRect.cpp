#include "frontend/MenuRect.h"

#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"

void CMenuRect::SetSprite(int textureId_, float textureSize_, float left, float top, float width, float height)
{
    textureId = textureId_;
    textureSize = textureSize_;
    spriteWidth = width - 1;
    spriteHeight = height - 1;
    const float uLeft = (left + 0.5f) / textureSize;
    const float vTop = (top + 0.5f) / textureSize;
    const float uRight = (left + 0.5f + spriteWidth) / textureSize;
    const float vBottom = (top + 0.5f + spriteHeight) / textureSize;
    const float corners[4][2] = {{uLeft, vTop}, {uLeft, vBottom}, {uRight, vTop}, {uRight, vBottom}};
    for (int i = 0; i < 4; ++i)
        vertices[i] = ScreenVertex {0, 0, 0, 2.0f, 0, corners[i][0], corners[i][1], 0};
}

void CMenuRect::Set(float x0, float y0, float x1, float y1, D3DCOLOR colour)
{
    Set(x0, y0, x1, y1, colour, colour, colour, colour);
}

void CMenuRect::Set(float x0, float y0, float x1, float y1, D3DCOLOR c0, D3DCOLOR c1, D3DCOLOR c2, D3DCOLOR c3)
{
    const float xf = d3dRender.xFactor;
    const float yf = d3dRender.yFactor;
    const float corners[4][2] = {{x0, y0}, {x0, y1}, {x1, y0}, {x1, y1}};
    const D3DCOLOR colours[4] = {c0, c1, c2, c3};
    for (int i = 0; i < 4; ++i) {
        vertices[i].x = corners[i][0] * xf;
        vertices[i].y = corners[i][1] * yf;
        vertices[i].colour = colours[i];
    }
    d3dRender.SetZWrite(0);
    d3dRender.SetZEnable(0);
    d3dRender.SetLighting(0);
    d3dRender.SetTextureById(textureId, 1, 0);
    d3dRender.device->SetFVF(SCREEN_VERTEX_FVF);
    d3dRender.device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices, sizeof(ScreenVertex));
    d3dRender.facesDrawn += 2;
}
