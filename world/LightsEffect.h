#pragma once
// Glow components of an object (GEFFECT_LIGHTS, GEFFECT_DIRECTLIGHTS): camera-facing sprites at
// the points of the owner's mesh, built once and appended to the light-glow batch every update.
// Plain lights sit at point list 1; direct lights at the first points of the pairs of list 2 and
// shine only towards a camera they point at.
#include <cstdint>
#include <vector>

#include "engine/GlowVertex.h"
#include "platform/gfxx/D3DXMath.h"

class CStaticObject;

class CLightsEffect {
public:
    // Reads the size and colour lines; a structure takes its light-map hue or a random one. 0.
    int Load(int file, CStaticObject* owner);
    void Update();
    void Build();
    // Stores the colour and repaints every vertex.
    void SetColour(float r, float g, float b, float a);
    void Release();

    CStaticObject* owner = nullptr;
    unsigned spriteCount = 0;
    float size = 0; // half the sprite's width
    D3DXVECTOR4 colour {0, 0, 0, 1};
    std::vector<GlowVertex> vertices;    // 4 per sprite
    std::vector<std::uint16_t> indices;  // 6 per sprite

protected:
    // n sprites of half-size s whose corners are (s, t s), (s, -t s), (-s, t s), (-s, -t s).
    void AllocateSprites(unsigned count, float tallness);
    void PlaceSprite(unsigned sprite, const D3DXVECTOR3& centre, std::uint32_t spriteColour);
    void AppendToBatch(unsigned sprites) const;
    // The half-size of every sprite of a track piece, swelling as a wave runs along the list.
    void RunWave();
    void RecomputeCentres();
};

class CDirectLightsEffect : public CLightsEffect {
public:
    void Update();
    void Build();
    void Release();

    std::vector<D3DXVECTOR3> directions; // one unit vector per sprite, model coordinates
};
