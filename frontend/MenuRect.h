#pragma once
// A screen quad on the 800 x 600 virtual screen, textured with a sprite cut from a square
// texture or coloured: the cursor's and the head-up display's panels. Call SetSprite before
// the first Set.
#include "engine/render/ScreenVertex.h"
#include "platform/gfx/D3DTypes.h"

class CMenuRect {
public:
    // The sprite (left, top, width, height) in texels of a square texture of the given size;
    // texture id -1 draws untextured.
    void SetSprite(int textureId, float textureSize, float left, float top, float width, float height);
    // Places the corners in virtual units, colours them (top-left c0, bottom-left c1, top-right
    // c2, bottom-right c3) and draws at once.
    void Set(float x0, float y0, float x1, float y1, D3DCOLOR c0, D3DCOLOR c1, D3DCOLOR c2, D3DCOLOR c3);
    void Set(float x0, float y0, float x1, float y1, D3DCOLOR colour);

    ScreenVertex vertices[4]; // strip order: top-left, bottom-left, top-right, bottom-right
    int textureId;
    float spriteWidth;  // width - 1
    float spriteHeight; // height - 1
    float textureSize;
};
