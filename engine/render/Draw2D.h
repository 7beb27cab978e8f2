#pragma once
// Drawing on the 800 x 600 virtual screen: points, lines, frames, quads, cut-corner and bevel
// rectangles, circles and discs, scaled to pixels by the renderer's factors and drawn from
// memory. Corner colours c1..c4 belong to (x1, y1), (x1, y2), (x2, y1), (x2, y2).
#include "platform/gfx/D3D9.h"

constexpr DWORD SCREEN_VERTEX_FVF = 0xC0244; // XYZRHW | DIFFUSE | TEX2, second set one component

void DrawPoint(float x, float y, D3DCOLOR colour);
void DrawLine(float x1, float y1, float x2, float y2, D3DCOLOR colour);
void DrawLine2(float x1, float y1, float x2, float y2, D3DCOLOR c1, D3DCOLOR c2);
void DrawFrame(float x1, float y1, float x2, float y2, D3DCOLOR colour);
void DrawFrame2(float x1, float y1, float x2, float y2, D3DCOLOR left, D3DCOLOR right);
void DrawFrame4(float x1, float y1, float x2, float y2, D3DCOLOR c1, D3DCOLOR c2, D3DCOLOR c3, D3DCOLOR c4);
void DrawQuad4(float x1, float y1, float x2, float y2, D3DCOLOR c1, D3DCOLOR c2, D3DCOLOR c3, D3DCOLOR c4,
               int textureId);
void DrawQuad(float x1, float y1, float x2, float y2, D3DCOLOR colour, int textureId);
void DrawQuadTex(float x1, float y1, float x2, float y2, D3DCOLOR colour, IDirect3DBaseTexture9* texture);
void DrawQuadAdd4(float x1, float y1, float x2, float y2, D3DCOLOR c1, D3DCOLOR c2, D3DCOLOR c3, D3DCOLOR c4,
                  int textureId);
void DrawQuadAdd(float x1, float y1, float x2, float y2, D3DCOLOR colour, int textureId);
void DrawQuadTexAdd(float x1, float y1, float x2, float y2, D3DCOLOR colour, IDirect3DBaseTexture9* texture);
void DrawQuadTexUVAdd(float x1, float y1, float x2, float y2, D3DCOLOR colour, IDirect3DBaseTexture9* texture,
                      float ua, float va, float ub, float vb);
void DrawQuadUV(float x1, float y1, float x2, float y2, D3DCOLOR colour, int textureId, float ua, float va, float ub,
                float vb);
void DrawQuadTexUV(float x1, float y1, float x2, float y2, D3DCOLOR colour, IDirect3DBaseTexture9* texture,
                   float ua, float va, float ub, float vb);
// cut 5: a call from outside, in virtual units, with its states and two halo outlines; any other
// cut: corners and cut in pixels, no states set.
void DrawCutCornerRect4(float x1, float y1, float x2, float y2, D3DCOLOR c1, D3DCOLOR c2, D3DCOLOR c3, D3DCOLOR c4,
                        int cut);
void DrawCutCornerRect(float x1, float y1, float x2, float y2, D3DCOLOR colour, int cut);
void DrawBevelRect4(float x1, float y1, float x2, float y2, D3DCOLOR c1, D3DCOLOR c2, D3DCOLOR c3, D3DCOLOR c4);
void DrawBevelRect(float x1, float y1, float x2, float y2, D3DCOLOR colour);
// Drawn under the depth, stencil and lighting states as the caller left them.
void DrawFullScreenQuad(float x1, float y1, float x2, float y2, D3DCOLOR colour);
void DrawCircle(float x, float y, float radius, D3DCOLOR colour, float xStretch, float yStretch);
void DrawDiscTex(float x, float y, float radius, D3DCOLOR centre, D3DCOLOR rim, float xStretch, float yStretch,
                 IDirect3DBaseTexture9* texture);
void DrawDisc(float x, float y, float radius, D3DCOLOR centre, D3DCOLOR rim, float xStretch, float yStretch);
void DrawGlowDisc(float x, float y, float radius, D3DCOLOR centre, D3DCOLOR rim, float xStretch, float yStretch,
                  IDirect3DBaseTexture9* texture);
