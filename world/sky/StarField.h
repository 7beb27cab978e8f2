#pragma once
// 500 point stars and 500 star sprites on spheres around the camera that turn and move with the
// location's nebula; generated once per run.
#include <vector>

#include "engine/render/GlowVertex.h"
#include "platform/gfx/D3D9.h"

constexpr unsigned STAR_COUNT = 500;

class CStarField {
public:
    // 32-byte point star (XYZ | DIFFUSE | TEX2; only position and colour are set).
    struct PointStar {
        float x, y, z;
        std::uint32_t colour;
        float u0, v0, u1, v1;
    };

    // No stars, texture id -1.
    CStarField();

    void Load();
    void Release();
    void Render();

    unsigned starCount;
    int textureId;
    IDirect3DVertexBuffer9* pointBuffer;
    IDirect3DVertexBuffer9* spriteBuffer;
    IDirect3DIndexBuffer9* indexBuffer;
    std::vector<GlowVertex> sprites; // the 4 x 500 sprite vertices, kept for the fixed-function path

private:
    void BuildPointStars();
    void BuildSprites();
    // The fixed-function path: every sprite turned to the eye (given in the stars' own frame).
    void TurnSpritesToEye(const D3DXVECTOR3& eye);
};
