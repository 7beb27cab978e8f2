#pragma once
// The 32-byte vertex of 2D drawing (FVF XYZRHW | DIFFUSE | two texture sets, the second with one
// component), also used for the circle templates.
#include <cstdint>

struct ScreenVertex {
    float x, y, z, rhw;
    std::uint32_t colour;
    float u, v;
    float extra;
};
static_assert(sizeof(ScreenVertex) == 32);
