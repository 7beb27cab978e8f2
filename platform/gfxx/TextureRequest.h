#pragma once
// The device-independent half of making a texture from a file: decode it and shape the image
// to the creation arguments (size check, format, colour key, mip chain).
#include <cstddef>
#include <cstdint>

#include "platform/gfx/D3D9.h"
#include "platform/gfxx/ImageData.h"

struct TextureRequest {
    ImageShape shape;
    UINT width, height, depth; // D3DX_DEFAULT, D3DX_DEFAULT_NONPOW2, 0 or the file's own
    UINT mipLevels;
    D3DFORMAT format;
    D3DCOLOR colourKey;
};

struct PreparedTexture {
    DecodedImage image; // exactly the levels to create
    D3DFORMAT format;   // A8R8G8B8 or X8R8G8B8
};

// D3D_OK with the prepared image, D3DXERR_INVALIDDATA for a file that does not decode or is of
// another shape, D3DERR_INVALIDCALL for arguments this layer does not offer.
HRESULT PrepareTexture(const void* data, std::size_t size, const TextureRequest& request, PreparedTexture& out);
