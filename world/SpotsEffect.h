#pragma once
// Light cones of an object (GEFFECT_SPOTS): one glow triangle per pair of point list 3, bright at
// the lamp and black at the lit point, appended to the light-glow batch every update.
#include <cstdint>
#include <vector>

#include "engine/GlowVertex.h"
#include "platform/gfxx/D3DXMath.h"

class CStaticObject;

class CSpotsEffect {
public:
    // Reads the colour line; a structure takes its light-map or lights hue or a random one. 0.
    int Load(int file, CStaticObject* owner);
    void Update();
    void Build();
    // Stores the colour and repaints all three vertices of every cone.
    void SetColour(float r, float g, float b, float a);
    void Release();

    CStaticObject* owner = nullptr;
    unsigned spotCount = 0;
    float coneWidth = 0;
    D3DXVECTOR4 colour {0, 0, 0, 1};
    std::vector<GlowVertex> vertices;   // 3 per spot
    std::vector<std::uint16_t> indices; // 3 per spot

private:
    void RecomputeCentres();
};
