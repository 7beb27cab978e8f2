#pragma once
// The surface components: layers of the owner's mesh repainted as chrome, reflective glass,
// light maps and self-illuminated screens. Each reads its own lines of the owner's description
// and draws its vertex group when the owner is visible and near enough.
#include "world/effects/MeshLayer.h"

// Chrome (group 6): the owner's environment reflected from its slot-1 map.
class CChromeEffect : public CMeshLayer {
public:
    // Reads mip levels, the slot-0 texture and the reflection map; returns 0.
    int Init(int handle, CStaticObject* owner);
    void Draw();
};

// Reflective glass (group 5): the renderer's shared planet cube map reflected.
class CRGlassEffect : public CMeshLayer {
public:
    // Reads mip levels and the slot-0 texture; returns 0.
    int Init(int handle, CStaticObject* owner);
    void Draw();
};

// Light maps (group 3): an additive, self-lit layer in one colour.
class CLightMapsEffect : public CMeshLayer {
public:
    CLightMapsEffect();
    // Reads the frame count, mip levels, the name or name pattern and the colour; returns 0.
    int Load(int handle, CStaticObject* owner);
    void Draw();

    D3DXVECTOR4 colour;
};

// Self-illuminated screens (group 4): a fixed texture, or info-screen pages shown for 3 s each
// and cross-faded over 1 s.
class CSelfIllumEffect : public CMeshLayer {
public:
    CSelfIllumEffect();
    // Reads mip levels and the texture line (or "INFOSCREENS"); returns 0.
    int Load(int handle, CStaticObject* owner);
    // Advances the page timer and draws.
    void Update();

    int blended;
    int infoScreen;
    int currentPage; // texture id, -1 none
    int nextPage;    // texture id, -1 none
    float pageTimer; // seconds

private:
    void AdvancePages();
    void DrawPage(int texture, int blend, int zWrite, float alpha);
};
