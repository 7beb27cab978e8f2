#pragma once
// Values and handles shared by the utility library's parts.
#include "platform/gfx/D3D9.h"

// Sizes and level counts: take them from the file (rounding is not applied: GL textures need
// no power-of-two sizes).
constexpr DWORD D3DX_DEFAULT = 0xFFFFFFFF;
constexpr DWORD D3DX_DEFAULT_NONPOW2 = 0xFFFFFFFE;
// Mip levels: exactly the levels the file holds.
constexpr DWORD D3DX_FROM_FILE = 0xFFFFFFFD;

constexpr HRESULT D3DXERR_INVALIDDATA = MAKE_D3DHRESULT(2905);

// Effect parameters and techniques: a handle from GetParameterByName / GetTechniqueByName, or
// the name itself.
using D3DXHANDLE = const char*;
