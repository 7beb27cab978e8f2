#include "tools/makedata/ImageWriters.h"

#include <algorithm>
#include <cstring>

#include "platform/gfxx/MipChain.h"

#define STB_DXT_STATIC
#define STB_DXT_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_dxt.h>
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

class ByteWriter {
public:
    void U8(unsigned v) { bytes.push_back(std::uint8_t(v)); }
    void U16(unsigned v) { U8(v), U8(v >> 8); }
    void U32(std::uint32_t v) { U16(v & 0xFFFF), U16(v >> 16); }
    void Zeros(std::size_t count) { bytes.insert(bytes.end(), count, 0); }
    std::vector<std::uint8_t> bytes;
};

constexpr std::uint32_t FourCC(char a, char b, char c, char d)
{
    return std::uint32_t(a) | std::uint32_t(b) << 8 | std::uint32_t(c) << 16 | std::uint32_t(d) << 24;
}

void WriteDdsPixelFormat(ByteWriter& out, DdsFormat format)
{
    out.U32(32);
    switch (format) {
    case DdsFormat::A8R8G8B8:
        out.U32(0x41), out.U32(0), out.U32(32);
        out.U32(0x00FF0000), out.U32(0x0000FF00), out.U32(0x000000FF), out.U32(0xFF000000);
        return;
    case DdsFormat::X8R8G8B8:
        out.U32(0x40), out.U32(0), out.U32(32);
        out.U32(0x00FF0000), out.U32(0x0000FF00), out.U32(0x000000FF), out.U32(0);
        return;
    case DdsFormat::R5G6B5:
        out.U32(0x40), out.U32(0), out.U32(16);
        out.U32(0xF800), out.U32(0x07E0), out.U32(0x001F), out.U32(0);
        return;
    case DdsFormat::Dxt1:
    case DdsFormat::Dxt3:
    case DdsFormat::Dxt5:
        out.U32(0x4);
        out.U32(format == DdsFormat::Dxt1 ? FourCC('D', 'X', 'T', '1')
                : format == DdsFormat::Dxt3 ? FourCC('D', 'X', 'T', '3')
                                            : FourCC('D', 'X', 'T', '5'));
        out.Zeros(20);
        return;
    }
}

std::uint16_t To565(std::uint32_t texel)
{
    return std::uint16_t(((texel >> 19) & 0x1F) << 11 | ((texel >> 10) & 0x3F) << 5 | ((texel >> 3) & 0x1F));
}

// DXT3 keeps 4 alpha bits per texel explicitly; stb_dxt encodes the colour half.
void EncodeExplicitAlpha(const std::uint8_t* rgba, std::uint8_t* out)
{
    for (unsigned i = 0; i < 16; i += 2)
        out[i / 2] = std::uint8_t((rgba[i * 4 + 3] >> 4) | (rgba[(i + 1) * 4 + 3] >> 4) << 4);
}

void WriteDxtSlice(ByteWriter& out, const std::uint32_t* texels, unsigned width, unsigned height, DdsFormat format)
{
    for (unsigned by = 0; by < height; by += 4)
        for (unsigned bx = 0; bx < width; bx += 4) {
            std::uint8_t rgba[64];
            for (unsigned y = 0; y < 4; ++y)
                for (unsigned x = 0; x < 4; ++x) {
                    // Blocks past the edge repeat the last row and column.
                    const std::uint32_t t = texels[std::size_t(std::min(by + y, height - 1)) * width +
                                                   std::min(bx + x, width - 1)];
                    std::uint8_t* p = rgba + (y * 4 + x) * 4;
                    p[0] = std::uint8_t(t >> 16), p[1] = std::uint8_t(t >> 8), p[2] = std::uint8_t(t), p[3] = std::uint8_t(t >> 24);
                }
            std::uint8_t block[16];
            std::size_t size = 8;
            if (format == DdsFormat::Dxt1) {
                stb_compress_dxt_block(block, rgba, 0, STB_DXT_HIGHQUAL);
            } else if (format == DdsFormat::Dxt3) {
                EncodeExplicitAlpha(rgba, block);
                stb_compress_dxt_block(block + 8, rgba, 0, STB_DXT_HIGHQUAL);
                size = 16;
            } else {
                stb_compress_dxt_block(block, rgba, 1, STB_DXT_HIGHQUAL);
                size = 16;
            }
            out.bytes.insert(out.bytes.end(), block, block + size);
        }
}

void WriteSlice(ByteWriter& out, const std::uint32_t* texels, unsigned width, unsigned height, DdsFormat format)
{
    const std::size_t count = std::size_t(width) * height;
    switch (format) {
    case DdsFormat::A8R8G8B8:
        for (std::size_t i = 0; i < count; ++i)
            out.U32(texels[i]);
        return;
    case DdsFormat::X8R8G8B8:
        for (std::size_t i = 0; i < count; ++i)
            out.U32(texels[i] | 0xFF000000u);
        return;
    case DdsFormat::R5G6B5:
        for (std::size_t i = 0; i < count; ++i)
            out.U16(To565(texels[i]));
        return;
    default:
        WriteDxtSlice(out, texels, width, height, format);
    }
}

} // namespace

DecodedImage MakeFlatImage(unsigned width, unsigned height,
                           const std::function<std::uint32_t(unsigned x, unsigned y)>& texel)
{
    return MakeVolumeImage(width, height, 1, [&](unsigned x, unsigned y, unsigned) { return texel(x, y); });
}

DecodedImage MakeVolumeImage(unsigned width, unsigned height, unsigned depth,
                             const std::function<std::uint32_t(unsigned x, unsigned y, unsigned z)>& texel)
{
    DecodedImage image;
    image.shape = depth > 1 ? ImageShape::Volume : ImageShape::Flat;
    image.hasAlpha = true;
    ImageLevel& level = image.faces.emplace_back().emplace_back();
    level.width = width, level.height = height, level.depth = depth;
    level.texels.reserve(std::size_t(width) * height * depth);
    for (unsigned z = 0; z < depth; ++z)
        for (unsigned y = 0; y < height; ++y)
            for (unsigned x = 0; x < width; ++x)
                level.texels.push_back(texel(x, y, z));
    return image;
}

DecodedImage MakeCubeImage(unsigned edge,
                           const std::function<std::uint32_t(unsigned face, unsigned x, unsigned y)>& texel)
{
    DecodedImage image;
    image.shape = ImageShape::Cube;
    image.hasAlpha = true;
    for (unsigned face = 0; face < 6; ++face) {
        DecodedImage side = MakeFlatImage(edge, edge, [&](unsigned x, unsigned y) { return texel(face, x, y); });
        image.faces.push_back(std::move(side.faces.front()));
    }
    return image;
}

void AddMipChain(DecodedImage& image)
{
    const ImageLevel& top = image.Top();
    ResizeMipChain(image, FullMipChainLength(top.width, top.height, top.depth));
}

std::vector<std::uint8_t> WriteBmp(const DecodedImage& image, BmpBits bits)
{
    const ImageLevel& level = image.Top();
    const unsigned texelBytes = bits == BmpBits::Rgb24 ? 3 : 4;
    const std::size_t rowBytes = (std::size_t(level.width) * texelBytes + 3) / 4 * 4;
    const std::uint32_t infoSize = bits == BmpBits::Argb32 ? 108 : 40;
    const std::uint32_t pixelOffset = 14 + infoSize;

    ByteWriter out;
    out.U8('B'), out.U8('M');
    out.U32(std::uint32_t(pixelOffset + rowBytes * level.height));
    out.U32(0);
    out.U32(pixelOffset);
    out.U32(infoSize);
    out.U32(level.width), out.U32(level.height); // positive height: bottom-up rows
    out.U16(1), out.U16(texelBytes * 8);
    out.U32(bits == BmpBits::Argb32 ? 3 : 0); // BI_BITFIELDS or BI_RGB
    out.U32(std::uint32_t(rowBytes * level.height));
    out.U32(2835), out.U32(2835), out.U32(0), out.U32(0);
    if (bits == BmpBits::Argb32) {
        out.U32(0x00FF0000), out.U32(0x0000FF00), out.U32(0x000000FF), out.U32(0xFF000000);
        out.U32(0x73524742); // 'sRGB'
        out.Zeros(48);       // end points and gammas, unused with sRGB
    }
    for (unsigned row = level.height; row-- > 0;) {
        const std::uint32_t* texels = level.texels.data() + std::size_t(row) * level.width;
        for (unsigned x = 0; x < level.width; ++x) {
            const std::uint32_t t = texels[x];
            out.U8(t), out.U8(t >> 8), out.U8(t >> 16);
            if (texelBytes == 4)
                out.U8(bits == BmpBits::Argb32 ? t >> 24 : 0xFF);
        }
        out.Zeros(rowBytes - std::size_t(level.width) * texelBytes);
    }
    return out.bytes;
}

namespace {

std::vector<std::uint8_t> RgbBytes(const ImageLevel& level)
{
    std::vector<std::uint8_t> rgb;
    rgb.reserve(level.texels.size() * 3);
    for (const std::uint32_t t : level.texels)
        rgb.insert(rgb.end(), {std::uint8_t(t >> 16), std::uint8_t(t >> 8), std::uint8_t(t)});
    return rgb;
}

void AppendBytes(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    out->insert(out->end(), static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + size);
}

} // namespace

std::vector<std::uint8_t> WriteJpg(const DecodedImage& image, int quality)
{
    const ImageLevel& level = image.Top();
    const std::vector<std::uint8_t> rgb = RgbBytes(level);
    std::vector<std::uint8_t> bytes;
    stbi_write_jpg_to_func(AppendBytes, &bytes, int(level.width), int(level.height), 3, rgb.data(), quality);
    return bytes;
}

std::vector<std::uint8_t> WritePng(const DecodedImage& image)
{
    const ImageLevel& level = image.Top();
    const std::vector<std::uint8_t> rgb = RgbBytes(level);
    std::vector<std::uint8_t> bytes;
    stbi_write_png_to_func(AppendBytes, &bytes, int(level.width), int(level.height), 3, rgb.data(),
                           int(level.width) * 3);
    return bytes;
}

std::vector<std::uint8_t> WriteDds(const DecodedImage& image, DdsFormat format)
{
    const ImageLevel& top = image.Top();
    const unsigned levels = image.LevelCount();
    const bool compressed = format == DdsFormat::Dxt1 || format == DdsFormat::Dxt3 || format == DdsFormat::Dxt5;
    const std::size_t topSlice = compressed ? std::size_t((top.width + 3) / 4) * ((top.height + 3) / 4) *
                                                  (format == DdsFormat::Dxt1 ? 8 : 16)
                                            : std::size_t(top.width) * top.height * (format == DdsFormat::R5G6B5 ? 2 : 4);

    ByteWriter out;
    out.U8('D'), out.U8('D'), out.U8('S'), out.U8(' ');
    out.U32(124);
    std::uint32_t flags = 0x1 | 0x2 | 0x4 | 0x1000; // caps, height, width, pixel format
    flags |= compressed ? 0x80000 : 0x8;             // linear size or pitch
    if (levels > 1)
        flags |= 0x20000;
    if (image.shape == ImageShape::Volume)
        flags |= 0x800000;
    out.U32(flags);
    out.U32(top.height), out.U32(top.width);
    out.U32(std::uint32_t(compressed ? topSlice : topSlice / top.height));
    out.U32(image.shape == ImageShape::Volume ? top.depth : 0);
    out.U32(levels > 1 ? levels : 0);
    out.Zeros(44);
    WriteDdsPixelFormat(out, format);
    std::uint32_t caps = 0x1000; // texture
    if (levels > 1 || image.shape != ImageShape::Flat)
        caps |= 0x8; // complex
    if (levels > 1)
        caps |= 0x400000; // mip map
    out.U32(caps);
    out.U32(image.shape == ImageShape::Cube ? 0x200 | 0xFC00 : image.shape == ImageShape::Volume ? 0x200000 : 0);
    out.Zeros(12);

    for (const auto& face : image.faces)
        for (const ImageLevel& level : face)
            for (unsigned slice = 0; slice < level.depth; ++slice)
                WriteSlice(out, level.texels.data() + std::size_t(slice) * level.width * level.height, level.width,
                           level.height, format);
    return out.bytes;
}
