#pragma once
// How each Direct3D format is stored: its bytes in a locked level and its GL counterpart.
#include <epoxy/gl.h>

#include "platform/gfx/D3D9.h"

struct FormatInfo {
    GLenum internalFormat = 0;
    GLenum format = 0;       // upload format (0 for compressed formats)
    GLenum type = 0;         // upload type
    unsigned bytesPerUnit = 0; // bytes per pixel, or per 4 x 4 block when compressed
    bool compressed = false;
    bool depth = false;
    bool stencil = false;
    GLint swizzle[4] = {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA};
};

// Null for formats the layer does not offer.
const FormatInfo* FindFormat(D3DFORMAT format);

// Bytes between rows of a locked level and the size of the whole level.
unsigned RowPitchOf(const FormatInfo& info, unsigned width);
unsigned RowCountOf(const FormatInfo& info, unsigned height);

// Levels of a full chain down to 1 x 1 (x 1) for the largest extent.
unsigned FullChainLevels(unsigned width, unsigned height, unsigned depth = 1);
