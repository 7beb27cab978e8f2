#include "platform/gfxx/DxtDecoder.h"

#include <array>

namespace {

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, unsigned wa, unsigned wb, unsigned div)
{
    std::uint32_t result = 0xFF000000u;
    for (unsigned shift = 0; shift < 24; shift += 8) {
        unsigned ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        result |= ((ca * wa + cb * wb) / div) << shift;
    }
    return result;
}

// The colour half of a block; fourColours forces the 4-colour mode (DXT3 and DXT5).
void DecodeColours(const std::uint8_t* block, bool fourColours, std::array<std::uint32_t, 16>& out)
{
    std::uint16_t c0 = std::uint16_t(block[0] | block[1] << 8);
    std::uint16_t c1 = std::uint16_t(block[2] | block[3] << 8);
    std::array<std::uint32_t, 4> palette {Rgb565ToArgb(c0), Rgb565ToArgb(c1), 0, 0};
    if (fourColours || c0 > c1) {
        palette[2] = Mix(palette[0], palette[1], 2, 1, 3);
        palette[3] = Mix(palette[0], palette[1], 1, 2, 3);
    } else {
        palette[2] = Mix(palette[0], palette[1], 1, 1, 2);
        palette[3] = 0x00000000u; // transparent black
    }
    std::uint32_t bits = std::uint32_t(block[4]) | std::uint32_t(block[5]) << 8 |
                         std::uint32_t(block[6]) << 16 | std::uint32_t(block[7]) << 24;
    for (unsigned i = 0; i < 16; ++i)
        out[i] = palette[(bits >> (2 * i)) & 3];
}

void ApplyExplicitAlpha(const std::uint8_t* block, std::array<std::uint32_t, 16>& texels)
{
    for (unsigned i = 0; i < 16; ++i) {
        unsigned nibble = (block[i / 2] >> ((i & 1) * 4)) & 0xF;
        texels[i] = (texels[i] & 0x00FFFFFFu) | std::uint32_t(nibble * 17) << 24;
    }
}

void ApplyInterpolatedAlpha(const std::uint8_t* block, std::array<std::uint32_t, 16>& texels)
{
    std::array<unsigned, 8> alpha {block[0], block[1]};
    if (alpha[0] > alpha[1]) {
        for (unsigned i = 1; i < 7; ++i)
            alpha[i + 1] = ((7 - i) * alpha[0] + i * alpha[1]) / 7;
    } else {
        for (unsigned i = 1; i < 5; ++i)
            alpha[i + 1] = ((5 - i) * alpha[0] + i * alpha[1]) / 5;
        alpha[6] = 0;
        alpha[7] = 255;
    }
    std::uint64_t bits = 0;
    for (unsigned i = 0; i < 6; ++i)
        bits |= std::uint64_t(block[2 + i]) << (8 * i);
    for (unsigned i = 0; i < 16; ++i)
        texels[i] = (texels[i] & 0x00FFFFFFu) | std::uint32_t(alpha[(bits >> (3 * i)) & 7]) << 24;
}

} // namespace

std::uint32_t Rgb565ToArgb(std::uint16_t c)
{
    std::uint32_t r = (c >> 11) & 0x1F, g = (c >> 5) & 0x3F, b = c & 0x1F;
    return 0xFF000000u | ((r << 3) | (r >> 2)) << 16 | ((g << 2) | (g >> 4)) << 8 | ((b << 3) | (b >> 2));
}

std::size_t DxtBlockBytes(DxtFormat format) { return format == DxtFormat::Dxt1 ? 8 : 16; }

std::size_t DxtSurfaceBytes(DxtFormat format, unsigned width, unsigned height)
{
    std::size_t blocksWide = (std::size_t(width) + 3) / 4, blocksHigh = (std::size_t(height) + 3) / 4;
    if (blocksWide == 0)
        blocksWide = 1;
    if (blocksHigh == 0)
        blocksHigh = 1;
    return blocksWide * blocksHigh * DxtBlockBytes(format);
}

void DecodeDxtSurface(DxtFormat format, const std::uint8_t* blocks, unsigned width, unsigned height,
                      std::uint32_t* texels)
{
    const std::size_t blockBytes = DxtBlockBytes(format);
    std::array<std::uint32_t, 16> block {};
    for (unsigned by = 0; by < height; by += 4) {
        for (unsigned bx = 0; bx < width; bx += 4, blocks += blockBytes) {
            const std::uint8_t* colour = format == DxtFormat::Dxt1 ? blocks : blocks + 8;
            DecodeColours(colour, format != DxtFormat::Dxt1, block);
            if (format == DxtFormat::Dxt3)
                ApplyExplicitAlpha(blocks, block);
            else if (format == DxtFormat::Dxt5)
                ApplyInterpolatedAlpha(blocks, block);
            for (unsigned y = 0; y < 4 && by + y < height; ++y)
                for (unsigned x = 0; x < 4 && bx + x < width; ++x)
                    texels[std::size_t(by + y) * width + bx + x] = block[y * 4 + x];
        }
    }
}
