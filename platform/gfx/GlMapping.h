#pragma once
// Direct3D state values as GL enums.
#include <epoxy/gl.h>

#include "platform/gfx/D3D9.h"

GLenum GlCompare(DWORD function);
GLenum GlBlendFactor(DWORD blend);
GLenum GlBlendEquation(DWORD operation);
GLenum GlStencilOp(DWORD operation);
GLenum GlAddress(DWORD address);
GLenum GlMinFilter(DWORD minFilter, DWORD mipFilter);
GLenum GlMagFilter(DWORD magFilter);
GLenum GlPrimitive(D3DPRIMITIVETYPE type);
// Vertices drawn for a count of primitives; 0 for an unknown type.
UINT VertexCountOf(D3DPRIMITIVETYPE type, UINT primitiveCount);
void ColourToFloats(D3DCOLOR colour, float rgba[4]);
