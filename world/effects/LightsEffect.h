#pragma once
// Glow components of an object (GEFFECT_LIGHTS, GEFFECT_DIRECTLIGHTS): camera-facing sprites at
// the points of the owner's mesh, built once and appended to the light-glow batch every update.
// Plain lights sit at point list 1; direct lights at the first points of the pairs of list 2 and
// shine only towards a camera they point at.
#include <cstdint>
#include <vector>

#include "world/effects/GlowSprites.h"

// Its vertices: 4 per sprite; its indices: 6 per sprite.
class CLightsEffect : public CGlowComponent {
public:
    // Reads the size and colour lines; a structure takes its light-map hue or a random one. 0.
    int Load(int file, CStaticObject* owner);
    void Update();
    void Build();
    void Release();

    unsigned spriteCount = 0;
    float size = 0; // half the sprite's width

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
