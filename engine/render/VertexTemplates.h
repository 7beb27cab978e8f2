#pragma once
// Unit circles and fans that the 2D drawing functions scale and place; filled once at start-up.
#include "engine/render/ScreenVertex.h"

extern ScreenVertex CircleVerticesB[33]; // x-z plane outline, rhw 0
extern ScreenVertex CircleVerticesA[33]; // screen outline, rhw 1
extern ScreenVertex FanVerticesA[34];    // screen fan, clockwise rim, texture coordinates
extern ScreenVertex FanVerticesB[34];    // world fan, counter-clockwise rim
extern ScreenVertex DiscVertices[17];    // small screen fan, 15 triangles

void FillVertexTemplates();
