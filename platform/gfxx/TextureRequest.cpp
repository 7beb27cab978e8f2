#include "platform/gfxx/TextureRequest.h"

#include "platform/gfxx/D3DXTypes.h"
#include "platform/gfxx/ImageDecoder.h"
#include "platform/gfxx/MipChain.h"

namespace {

bool SizeAccepted(UINT asked, unsigned actual)
{
    return asked == D3DX_DEFAULT || asked == D3DX_DEFAULT_NONPOW2 || asked == 0 || asked == actual;
}

unsigned LevelsToCreate(UINT asked, const DecodedImage& image)
{
    const ImageLevel& top = image.Top();
    const unsigned full = FullMipChainLength(top.width, top.height, top.depth);
    if (asked == 0 || asked == D3DX_DEFAULT)
        return full;
    if (asked == D3DX_FROM_FILE)
        return image.LevelCount();
    return asked < full ? asked : full;
}

void ApplyColourKey(DecodedImage& image, D3DCOLOR key)
{
    for (auto& face : image.faces)
        for (auto& level : face)
            for (auto& texel : level.texels)
                if (texel == key)
                    texel = 0;
}

} // namespace

HRESULT PrepareTexture(const void* data, std::size_t size, const TextureRequest& request, PreparedTexture& out)
{
    auto image = DecodeImageFile(static_cast<const std::uint8_t*>(data), size);
    if (!image || image->shape != request.shape)
        return D3DXERR_INVALIDDATA;
    const ImageLevel& top = image->Top();
    if (!SizeAccepted(request.width, top.width) || !SizeAccepted(request.height, top.height) ||
        !SizeAccepted(request.depth, top.depth))
        return D3DERR_INVALIDCALL;

    switch (request.format) {
    case D3DFMT_UNKNOWN:
        out.format = image->hasAlpha || request.colourKey != 0 ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
        break;
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
        out.format = request.format;
        break;
    default:
        return D3DERR_INVALIDCALL;
    }
    if (request.colourKey != 0)
        ApplyColourKey(*image, request.colourKey);
    ResizeMipChain(*image, LevelsToCreate(request.mipLevels, *image));
    out.image = std::move(*image);
    return D3D_OK;
}
