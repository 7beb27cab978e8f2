#pragma once
// The mouse cursor: a 64 x 64 sprite pulsing from white to orange under an additive halo.
// One global object, zero-initialised.
#include <cstdint>

#include "frontend/MenuRect.h"

// The pulse at a real-time reading in milliseconds: the green and blue weights of the colour
// (1 down to 0.51 and 0.02 over 2.5 s and back) and the growth of the sprite (0 to 3.5 units
// over 240 ms and back).
struct CursorPulse {
    float green;
    float blue;
    float grow;
};
CursorPulse CursorPulseAt(std::uint32_t milliseconds);

class CCursor {
public:
    // "Data/Interface/Cursor/Cursor.dds" and the halo "Data/Interface/Cursor/Galo.bmp".
    void Load();
    void Release();
    void Update();
    // At the mouse position, while visible and loaded.
    void Draw();

    int visible;
    int cursorTexture;
    int haloTexture;
    CMenuRect quad;
    int loaded; // 1 between Load and Release: texture id 0 is a real slot
};

extern CCursor cursor;
