#pragma once
// Writers of the image files the game reads, for the data builder's generators.
//
// Images are DecodedImage (platform/gfxx/ImageData.h): texels 0xAARRGGBB, rows top-down.
// A flat image has one face with one or more levels; MakeFlatImage builds one from a single
// level and AddMipChain adds the box-filtered smaller levels down to 1 x 1.
//
//   DecodedImage image = MakeFlatImage(64, 64, [](unsigned x, unsigned y) { return 0xFF00FF00u; });
//   sink.Add("Data/Misc/Example.bmp", Pack::Textures, WriteBmp(image, BmpBits::Rgb24));
//   AddMipChain(image);
//   sink.Add("Data/Misc/Example.dds", Pack::Textures, WriteDds(image, DdsFormat::Dxt5));
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gfxx/ImageData.h"

// One texel 0xAARRGGBB from its channels (0-255 each).
constexpr std::uint32_t Argb(unsigned a, unsigned r, unsigned g, unsigned b)
{
    return (a & 0xFF) << 24 | (r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF);
}

// A flat image of one level whose texel (x, y) is texel(x, y); y = 0 is the top row.
DecodedImage MakeFlatImage(unsigned width, unsigned height,
                           const std::function<std::uint32_t(unsigned x, unsigned y)>& texel);
// A volume of one level whose texel (x, y, z) is texel(x, y, z).
DecodedImage MakeVolumeImage(unsigned width, unsigned height, unsigned depth,
                             const std::function<std::uint32_t(unsigned x, unsigned y, unsigned z)>& texel);
// A cube map of one level per face (+X, -X, +Y, -Y, +Z, -Z) whose texel of face f is
// texel(f, x, y).
DecodedImage MakeCubeImage(unsigned edge,
                           const std::function<std::uint32_t(unsigned face, unsigned x, unsigned y)>& texel);
// Completes every face's chain with box-filtered levels down to 1 x 1 (x 1).
void AddMipChain(DecodedImage& image);

enum class BmpBits {
    Rgb24, // 24 bits, alpha dropped
    Rgb32, // 32 bits, fourth byte 0xFF, read as opaque
    Argb32 // 32 bits with an alpha mask (BITMAPV4HEADER), read with alpha
};
// A bottom-up .bmp of the top level of face 0.
std::vector<std::uint8_t> WriteBmp(const DecodedImage& image, BmpBits bits);

// A baseline .jpg of the top level of face 0 (alpha dropped), quality 1-100. Textures named
// ".bmp" need a ".jpg" twin: with the "BMP to JPG" setting on (the default) the game loads that.
std::vector<std::uint8_t> WriteJpg(const DecodedImage& image, int quality = 95);

// A .png of the top level of face 0 (alpha dropped): pictures that tests save for people to see.
std::vector<std::uint8_t> WritePng(const DecodedImage& image);

enum class DdsFormat { A8R8G8B8, X8R8G8B8, R5G6B5, Dxt1, Dxt3, Dxt5 };
// A .dds of the whole image: every face and level it holds, flat, cube or volume. DXT formats
// are encoded with stb_dxt (DXT1 without alpha); volumes are encoded slice by slice.
std::vector<std::uint8_t> WriteDds(const DecodedImage& image, DdsFormat format);
