#pragma once
// The sun: a glow sprite far along the sun light, a glare with lens ghosts on the screen while it
// is in view and not behind an object, and a glow mirrored in the planets' oceans.
#include "engine/render/GlowVertex.h"
#include "platform/gfx/D3D9.h"
#include "platform/gfxx/D3DXMath.h"

class CSun {
public:
    // Texture ids -1, no sprite buffer.
    CSun();

    void Load();
    void Release();
    // After every lighting load: the sprite at direction1 x -1400 in the sun's colour.
    void UpdatePosition(const D3DXVECTOR3& direction1, const D3DXVECTOR4& colour1);
    void Render();
    // Once per frame, after the scooters' effect layers; follows the environment's sun light.
    void DrawGlare();
    // From each ocean draw: the sun mirrored below the horizon.
    void DrawGlow();

    int glowTextureId;
    int glareGlowTextureId; // a second reference to the glow texture, drawn by the glare
    int glareTextureId;     // drawn by the mirrored glow
    IDirect3DVertexBuffer9* spriteBuffer;
    GlowVertex sprite[4];
    float glareSize; // virtual-screen units
    int occluded;
    int glowHidden;
    float occlusionTimer; // seconds
    int offScreen;        // the sun was off screen at the last glare

private:
    void ClearGlare();
    // Every 0.2 s of real time: the segment from the eye to the sun against the world's objects.
    void TestOcclusion(const D3DXVECTOR3& eye, const D3DXVECTOR3& sun);
    void DrawLensGhosts(float x, float y);
};
