#pragma once
// Decoding of the block-compressed formats DXT1, DXT3 and DXT5 to 0xAARRGGBB texels.
#include <cstddef>
#include <cstdint>

// An R5G6B5 colour widened to 0xFFRRGGBB (the top bits repeated into the low ones).
std::uint32_t Rgb565ToArgb(std::uint16_t colour);

enum class DxtFormat { Dxt1, Dxt3, Dxt5 };

// Bytes of one 4 x 4 block: 8 for DXT1, 16 for DXT3 and DXT5.
std::size_t DxtBlockBytes(DxtFormat format);
// Bytes of a width x height surface (whole blocks, at least one each way).
std::size_t DxtSurfaceBytes(DxtFormat format, unsigned width, unsigned height);
// Decodes DxtSurfaceBytes(format, width, height) bytes into width x height texels.
void DecodeDxtSurface(DxtFormat format, const std::uint8_t* blocks, unsigned width, unsigned height,
                      std::uint32_t* texels);
