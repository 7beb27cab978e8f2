#pragma once
// Helpers of the mesh code over vertex declarations.
#include "platform/gfxx/D3DXMesh.h"

// The FVF code that lays out the same bytes as the declaration (tangents and binormals as
// texture sets in their place); 0 when there is none.
DWORD DrawFVFOfDeclaration(const D3DVERTEXELEMENT9* declaration);
// The element of that usage and usage index, or null.
const D3DVERTEXELEMENT9* FindElement(const D3DVERTEXELEMENT9* declaration, BYTE usage, BYTE usageIndex);
