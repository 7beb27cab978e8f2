#pragma once
// Direct3D's basic value types: vectors, matrices (row-major, used with row vectors) and colours.
#include "platform/win/WinTypes.h"

struct D3DVECTOR {
    float x, y, z;
};

struct D3DMATRIX {
    union {
        struct {
            float _11, _12, _13, _14;
            float _21, _22, _23, _24;
            float _31, _32, _33, _34;
            float _41, _42, _43, _44;
        };
        float m[4][4];
    };
};

struct D3DCOLORVALUE {
    float r, g, b, a;
};

using D3DCOLOR = DWORD;

constexpr D3DCOLOR D3DCOLOR_ARGB(unsigned a, unsigned r, unsigned g, unsigned b)
{
    return ((a & 0xFF) << 24) | ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
}
constexpr D3DCOLOR D3DCOLOR_XRGB(unsigned r, unsigned g, unsigned b) { return D3DCOLOR_ARGB(0xFF, r, g, b); }
constexpr D3DCOLOR D3DCOLOR_RGBA(unsigned r, unsigned g, unsigned b, unsigned a) { return D3DCOLOR_ARGB(a, r, g, b); }
