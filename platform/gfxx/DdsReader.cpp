#include "platform/gfxx/DdsReader.h"

#include <algorithm>
#include <cstring>

#include "platform/gfxx/DxtDecoder.h"
#include "platform/gfxx/MipChain.h"

namespace {

// Offsets from the start of the file (the 4-byte magic, then the 124-byte header).
constexpr std::size_t HeaderSize = 4 + 124;
constexpr std::size_t OffHeaderSize = 4, OffFlags = 8, OffHeight = 12, OffWidth = 16, OffDepth = 24,
                      OffMipCount = 28, OffPixelFlags = 80, OffFourCC = 84, OffBitCount = 88,
                      OffRedMask = 92, OffGreenMask = 96, OffBlueMask = 100, OffAlphaMask = 104,
                      OffCaps2 = 112;

constexpr std::uint32_t FlagMipCount = 0x20000, FlagDepth = 0x800000;
constexpr std::uint32_t PixelAlpha = 0x1, PixelFourCC = 0x4, PixelRgb = 0x40;
constexpr std::uint32_t Caps2Cube = 0x200, Caps2AllFaces = 0xFC00, Caps2Volume = 0x200000;

constexpr std::uint32_t FourCC(char a, char b, char c, char d)
{
    return std::uint32_t(a) | std::uint32_t(b) << 8 | std::uint32_t(c) << 16 | std::uint32_t(d) << 24;
}

enum class Layout { A8R8G8B8, X8R8G8B8, R5G6B5, Dxt1, Dxt3, Dxt5 };

std::optional<Layout> PixelLayout(const ByteReader& in)
{
    const std::uint32_t flags = in.U32(OffPixelFlags);
    if (flags & PixelFourCC) {
        switch (in.U32(OffFourCC)) {
        case FourCC('D', 'X', 'T', '1'): return Layout::Dxt1;
        case FourCC('D', 'X', 'T', '3'): return Layout::Dxt3;
        case FourCC('D', 'X', 'T', '5'): return Layout::Dxt5;
        default: return std::nullopt;
        }
    }
    if (!(flags & PixelRgb))
        return std::nullopt;
    const std::uint32_t bits = in.U32(OffBitCount), r = in.U32(OffRedMask), g = in.U32(OffGreenMask),
                        b = in.U32(OffBlueMask), a = (flags & PixelAlpha) ? in.U32(OffAlphaMask) : 0;
    if (bits == 32 && r == 0x00FF0000 && g == 0x0000FF00 && b == 0x000000FF)
        return a == 0xFF000000 ? Layout::A8R8G8B8 : a == 0 ? std::optional(Layout::X8R8G8B8) : std::nullopt;
    if (bits == 16 && r == 0xF800 && g == 0x07E0 && b == 0x001F && a == 0)
        return Layout::R5G6B5;
    return std::nullopt;
}

std::optional<DxtFormat> DxtOf(Layout layout)
{
    switch (layout) {
    case Layout::Dxt1: return DxtFormat::Dxt1;
    case Layout::Dxt3: return DxtFormat::Dxt3;
    case Layout::Dxt5: return DxtFormat::Dxt5;
    default: return std::nullopt;
    }
}

// Bytes of one slice of a level.
std::size_t SliceBytes(Layout layout, unsigned width, unsigned height)
{
    if (auto dxt = DxtOf(layout))
        return DxtSurfaceBytes(*dxt, width, height);
    const std::size_t texelBytes = layout == Layout::R5G6B5 ? 2 : 4;
    return std::size_t(width) * height * texelBytes;
}

void DecodeSlice(Layout layout, const ByteReader& in, std::size_t offset, unsigned width, unsigned height,
                 std::uint32_t* texels)
{
    const std::size_t count = std::size_t(width) * height;
    if (auto dxt = DxtOf(layout)) {
        DecodeDxtSurface(*dxt, in.At(offset), width, height, texels);
    } else if (layout == Layout::R5G6B5) {
        for (std::size_t i = 0; i < count; ++i)
            texels[i] = Rgb565ToArgb(in.U16(offset + 2 * i));
    } else {
        const std::uint32_t forcedAlpha = layout == Layout::X8R8G8B8 ? 0xFF000000u : 0;
        for (std::size_t i = 0; i < count; ++i)
            texels[i] = in.U32(offset + 4 * i) | forcedAlpha;
    }
}

} // namespace

bool IsDdsFile(const std::uint8_t* data, std::size_t size) { return size >= 4 && std::memcmp(data, "DDS ", 4) == 0; }

std::optional<DecodedImage> ReadDds(const std::uint8_t* data, std::size_t size)
{
    const ByteReader in(data, size);
    if (!IsDdsFile(data, size) || !in.Has(0, HeaderSize) || in.U32(OffHeaderSize) != 124)
        return std::nullopt;
    const auto layout = PixelLayout(in);
    if (!layout)
        return std::nullopt;

    const std::uint32_t flags = in.U32(OffFlags), caps2 = in.U32(OffCaps2);
    const unsigned width = in.U32(OffWidth), height = in.U32(OffHeight);
    const bool volume = (caps2 & Caps2Volume) && (flags & FlagDepth);
    const bool cube = (caps2 & Caps2Cube) != 0;
    const unsigned depth = volume ? in.U32(OffDepth) : 1;
    if (cube && (volume || (caps2 & Caps2AllFaces) != Caps2AllFaces || width != height))
        return std::nullopt; // partial cube maps are not supported
    const unsigned faceCount = cube ? 6 : 1;
    const unsigned sideLimit = volume ? MaxVolumeSide : MaxImageSide;
    if (width == 0 || height == 0 || depth == 0 || width > sideLimit || height > sideLimit || depth > sideLimit ||
        std::uint64_t(width) * height * depth * faceCount > MaxImageTexels)
        return std::nullopt;

    unsigned levels = (flags & FlagMipCount) ? in.U32(OffMipCount) : 1;
    if (levels == 0)
        levels = 1;
    if (levels > FullMipChainLength(width, height, depth))
        return std::nullopt;

    // Check the whole payload before allocating anything.
    std::size_t faceBytes = 0;
    for (unsigned level = 0, w = width, h = height, d = depth; level < levels; ++level) {
        faceBytes += SliceBytes(*layout, w, h) * d;
        w = std::max(1u, w / 2), h = std::max(1u, h / 2), d = std::max(1u, d / 2);
    }
    if (!in.Has(HeaderSize, faceBytes * faceCount))
        return std::nullopt;

    DecodedImage image;
    image.shape = cube ? ImageShape::Cube : volume ? ImageShape::Volume : ImageShape::Flat;
    image.hasAlpha = *layout == Layout::A8R8G8B8 || *layout == Layout::Dxt1 || *layout == Layout::Dxt3 ||
                     *layout == Layout::Dxt5;
    image.faces.resize(faceCount);
    std::size_t offset = HeaderSize;
    for (auto& face : image.faces) {
        for (unsigned level = 0, w = width, h = height, d = depth; level < levels; ++level) {
            ImageLevel& out = face.emplace_back();
            out.width = w, out.height = h, out.depth = d;
            out.texels.resize(std::size_t(w) * h * d);
            const std::size_t sliceBytes = SliceBytes(*layout, w, h);
            for (unsigned slice = 0; slice < d; ++slice, offset += sliceBytes)
                DecodeSlice(*layout, in, offset, w, h, out.texels.data() + std::size_t(slice) * w * h);
            w = std::max(1u, w / 2), h = std::max(1u, h / 2), d = std::max(1u, d / 2);
        }
    }
    return image;
}
