#pragma once
// Debug shapes in world coordinates under the current world, view and projection transforms:
// lighting off through the renderer's cache, depth states as the caller left them.
#include "platform/gfx/D3D9.h"
#include "platform/gfxx/D3DXMath.h"

constexpr DWORD WORLD_VERTEX_FVF = 0x242; // XYZ | DIFFUSE | TEX2

void DrawPoint3D(const D3DXVECTOR3& point, D3DCOLOR colour);
void DrawLine3D2(const D3DXVECTOR3& a, const D3DXVECTOR3& b, D3DCOLOR ca, D3DCOLOR cb);
void DrawLine3D(const D3DXVECTOR3& a, const D3DXVECTOR3& b, D3DCOLOR colour);
void DrawTriangle3D3(const D3DXVECTOR3& a, const D3DXVECTOR3& b, const D3DXVECTOR3& c, D3DCOLOR ca, D3DCOLOR cb,
                     D3DCOLOR cc);
void DrawTriangle3D(const D3DXVECTOR3& a, const D3DXVECTOR3& b, const D3DXVECTOR3& c, D3DCOLOR colour);
// Corners in strip order.
void DrawQuad3D4(const D3DXVECTOR3& a, const D3DXVECTOR3& b, const D3DXVECTOR3& c, const D3DXVECTOR3& d,
                 D3DCOLOR ca, D3DCOLOR cb, D3DCOLOR cc, D3DCOLOR cd, int textureId);
void DrawQuad3D(const D3DXVECTOR3& a, const D3DXVECTOR3& b, const D3DXVECTOR3& c, const D3DXVECTOR3& d,
                D3DCOLOR colour, int textureId);
// In the x-z plane about the centre.
void DrawCircle3D(const D3DXVECTOR3& centre, float radius, D3DCOLOR colour);
// In the plane z = centre z, both faces shown.
void DrawDisc3D(const D3DXVECTOR3& centre, float radius, D3DCOLOR centreColour, D3DCOLOR rimColour, float xStretch,
                float yStretch);
