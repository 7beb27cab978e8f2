#include "platform/gfxx/BmpReader.h"

#include <cstdlib>

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t CompressionRgb = 0, CompressionBitFields = 3;

// Offsets inside the file.
constexpr std::size_t OffPixelOffset = 10, OffInfoSize = 14, OffWidth = 18, OffHeight = 22, OffPlanes = 26,
                      OffBitCount = 28, OffCompression = 30, OffRedMask = 54, OffGreenMask = 58, OffBlueMask = 62,
                      OffAlphaMask = 66;

enum class AlphaUse { None, FromFourthByte };

// The alpha rule of a 32-bit file, or nullopt when its bit fields are not the plain 8-8-8(-8).
std::optional<AlphaUse> AlphaOf32(const ByteReader& in, std::uint32_t infoSize, std::uint32_t compression)
{
    if (compression == CompressionRgb)
        return AlphaUse::None;
    if (compression != CompressionBitFields)
        return std::nullopt;
    if (!in.Has(OffRedMask, 12) || in.U32(OffRedMask) != 0x00FF0000 || in.U32(OffGreenMask) != 0x0000FF00 ||
        in.U32(OffBlueMask) != 0x000000FF)
        return std::nullopt;
    const bool alphaMask = infoSize >= 56 && in.Has(OffAlphaMask, 4);
    if (alphaMask && in.U32(OffAlphaMask) == 0xFF000000)
        return AlphaUse::FromFourthByte;
    if (alphaMask && in.U32(OffAlphaMask) != 0)
        return std::nullopt;
    return AlphaUse::None;
}

} // namespace

bool IsBmpFile(const std::uint8_t* data, std::size_t size) { return size >= 2 && data[0] == 'B' && data[1] == 'M'; }

std::optional<DecodedImage> ReadBmp(const std::uint8_t* data, std::size_t size)
{
    const ByteReader in(data, size);
    if (!IsBmpFile(data, size) || !in.Has(0, FileHeaderSize + 40))
        return std::nullopt;
    const std::uint32_t infoSize = in.U32(OffInfoSize), pixelOffset = in.U32(OffPixelOffset);
    const std::int32_t width = std::int32_t(in.U32(OffWidth)), signedHeight = std::int32_t(in.U32(OffHeight));
    const unsigned bits = in.U16(OffBitCount);
    const std::uint32_t compression = in.U32(OffCompression);
    if (infoSize < 40 || in.U16(OffPlanes) != 1 || (bits != 24 && bits != 32))
        return std::nullopt;
    if (signedHeight == INT32_MIN || width <= 0 || signedHeight == 0)
        return std::nullopt;
    const unsigned height = unsigned(std::abs(signedHeight));
    if (unsigned(width) > MaxImageSide || height > MaxImageSide)
        return std::nullopt;

    AlphaUse alpha = AlphaUse::None;
    if (bits == 32) {
        auto rule = AlphaOf32(in, infoSize, compression);
        if (!rule)
            return std::nullopt;
        alpha = *rule;
    } else if (compression != CompressionRgb) {
        return std::nullopt;
    }

    const std::size_t texelBytes = bits / 8;
    const std::size_t rowBytes = (std::size_t(width) * bits + 31) / 32 * 4;
    if (!in.Has(pixelOffset, rowBytes * height))
        return std::nullopt;

    DecodedImage image;
    image.hasAlpha = alpha == AlphaUse::FromFourthByte;
    ImageLevel& level = image.faces.emplace_back().emplace_back();
    level.width = unsigned(width), level.height = height;
    level.texels.resize(std::size_t(width) * height);
    const bool bottomUp = signedHeight > 0;
    for (unsigned y = 0; y < height; ++y) {
        const std::size_t row = pixelOffset + rowBytes * (bottomUp ? height - 1 - y : y);
        std::uint32_t* out = level.texels.data() + std::size_t(y) * level.width;
        for (unsigned x = 0; x < level.width; ++x) {
            const std::uint8_t* p = in.At(row + x * texelBytes);
            const std::uint32_t a = image.hasAlpha ? p[3] : 0xFF;
            out[x] = a << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
        }
    }
    return image;
}
