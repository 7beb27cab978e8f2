#pragma once
// Small helpers of the glow components: packed colours, the owner's mesh points and where they
// are in the world.
#include <cstdint>
#include <vector>

#include "engine/GlowVertex.h"
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
