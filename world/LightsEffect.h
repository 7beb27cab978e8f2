#pragma once
// Glow components of an object (GEFFECT_LIGHTS, GEFFECT_DIRECTLIGHTS): camera-facing sprites at
// the points of the owner's mesh, built once and appended to the light-glow batch every update.
// Plain lights sit at point list 1; direct lights at the first points of the pairs of list 2 and
// shine only towards a camera they point at.
#include <cstdint>

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
    GlowVertex* vertices = nullptr; // 4 per sprite
    std::uint16_t* indices = nullptr; // 6 per sprite

protected:
    // The owner passes the gate of the glow sprites: visible, near enough, not the chase view.
    bool OwnerInSight(float limit, float scooterLimit) const;
    // 4n vertices and 6n indices; corners (s, tall s), (s, -tall s), (-s, tall s), (-s, -tall s).
    void AllocateSprites(unsigned count, float tallness);
    void PlaceSprite(unsigned sprite, const D3DXVECTOR3& centre, std::uint32_t spriteColour);
    void AppendToBatch(unsigned sprites) const;
    // The size of every sprite of a track piece, swelling as a wave runs along the list.
    void RunWave();
    void RecomputeCentres();
};

class CDirectLightsEffect : public CLightsEffect {
public:
    void Update();
    void Build();
    void Release();

    D3DXVECTOR3* directions = nullptr; // one unit vector per sprite, model coordinates
};
