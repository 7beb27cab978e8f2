#include "platform/gfxx/MipChain.h"

#include <algorithm>

unsigned FullMipChainLength(unsigned width, unsigned height, unsigned depth)
{
    unsigned side = std::max({width, height, depth}), levels = 1;
    while (side > 1) {
        side /= 2;
        ++levels;
    }
    return levels;
}

ImageLevel HalveLevel(const ImageLevel& level)
{
    ImageLevel half;
    half.width = std::max(1u, level.width / 2);
    half.height = std::max(1u, level.height / 2);
    half.depth = std::max(1u, level.depth / 2);
    half.texels.resize(std::size_t(half.width) * half.height * half.depth);
    // Sources per output texel along each axis: 2 where the axis halves, 1 where it stays at 1.
    const unsigned sx = level.width > 1 ? 2 : 1, sy = level.height > 1 ? 2 : 1, sz = level.depth > 1 ? 2 : 1;
    const unsigned count = sx * sy * sz;
    for (unsigned z = 0; z < half.depth; ++z)
        for (unsigned y = 0; y < half.height; ++y)
            for (unsigned x = 0; x < half.width; ++x) {
                unsigned sums[4] = {};
                for (unsigned dz = 0; dz < sz; ++dz)
                    for (unsigned dy = 0; dy < sy; ++dy)
                        for (unsigned dx = 0; dx < sx; ++dx) {
                            const std::size_t source =
                                (std::size_t(z * sz + dz) * level.height + (y * sy + dy)) * level.width + x * sx + dx;
                            const std::uint32_t texel = level.texels[source];
                            for (unsigned c = 0; c < 4; ++c)
                                sums[c] += (texel >> (8 * c)) & 0xFF;
                        }
                std::uint32_t texel = 0;
                for (unsigned c = 0; c < 4; ++c)
                    texel |= ((sums[c] + count / 2) / count) << (8 * c);
                half.texels[(std::size_t(z) * half.height + y) * half.width + x] = texel;
            }
    return half;
}

void ResizeMipChain(DecodedImage& image, unsigned levels)
{
    for (auto& face : image.faces) {
        if (face.size() > levels)
            face.resize(levels);
        while (face.size() < levels)
            face.push_back(HalveLevel(face.back()));
    }
}
