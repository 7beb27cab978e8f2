#pragma once
// Small helpers of the glow components: packed colours, the owner's mesh points and where they
// are in the world.
#include <cstdint>
#include <vector>

#include "engine/render/GlowVertex.h"
#include "platform/gfxx/D3DXMath.h"

class CStaticObject;

// Point lists of the owner's mesh read by the light and flame components.
constexpr int POINTS_LIGHTS = 1;
constexpr int POINTS_DIRECT_LIGHTS = 2;
constexpr int POINTS_SPOTS = 3;
constexpr int POINTS_FLAMES = 4;

// The list of the owner's mesh; empty without a mesh.
const std::vector<D3DXVECTOR3>& OwnerPoints(const CStaticObject& owner, int list);
D3DXVECTOR3 ToWorld(const CStaticObject& owner, const D3DXVECTOR3& point);
// Owners that move after their sprites are built: scooters, structures and decors.
bool OwnerMoves(const CStaticObject& owner);
// Centre in world coordinates and up axis (0, 1, 0).
void SetCentre(GlowVertex& vertex, const D3DXVECTOR3& centre);
// The eye of the active camera; the origin without one.
D3DXVECTOR3 CameraEye();

// What the light and cone components share: the owner, the colour and the glow geometry that
// they append to the light-glow batch.
class CGlowComponent {
public:
    // Stores the colour and repaints every vertex.
    void SetColour(float r, float g, float b, float a);

    CStaticObject* owner = nullptr;
    D3DXVECTOR4 colour {0, 0, 0, 1};
    std::vector<GlowVertex> vertices;
    std::vector<std::uint16_t> indices;

protected:
    // Frees the vertices and indices.
    void ReleaseGeometry();
};
