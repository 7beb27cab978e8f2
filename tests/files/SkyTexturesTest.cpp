// The nebula skies of the runnable tree: their brightest parts saturate, and no channel wraps
// round to a dark value where the texels around it are at their brightest.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/gfxx/ImageDecoder.h"

namespace {

const std::filesystem::path TREE = VESTRUNE_TREE;
constexpr int LOCATIONS = 4;
// A neighbour this bright, and a drop below it this deep, only come from a sum that passed 255.
constexpr int BRIGHT_NEIGHBOUR = 192;
constexpr int WRAPPED_DROP = 128;

int Channel(std::uint32_t texel, int shift) { return int((texel >> shift) & 0xFF); }

// Texel channels far darker than their brightest neighbour (left, right, above, below) while
// that neighbour is near white.
long WrappedChannels(const ImageLevel& image)
{
    const auto at = [&image](long x, long y) {
        x = (x + image.width) % image.width; // the sky is seamless across its sides
        y = std::clamp(y, 0L, long(image.height) - 1);
        return image.texels[std::size_t(y) * image.width + std::size_t(x)];
    };
    long wrapped = 0;
    for (long y = 0; y < long(image.height); ++y)
        for (long x = 0; x < long(image.width); ++x)
            for (int shift : {16, 8, 0}) {
                const int brightest = std::max({Channel(at(x - 1, y), shift), Channel(at(x + 1, y), shift),
                                                Channel(at(x, y - 1), shift), Channel(at(x, y + 1), shift)});
                wrapped += brightest >= BRIGHT_NEIGHBOUR && Channel(at(x, y), shift) < brightest - WRAPPED_DROP;
            }
    return wrapped;
}

TEST(SkyTexturesTest, NoChannelWrapsInTheBrightestPartsOfAnySky)
{
    for (int location = 1; location <= LOCATIONS; ++location) {
        char name[48];
        std::snprintf(name, sizeof name, "Data/Static/Sky/%02d/Nebula.jpg", location);
        std::ifstream file(TREE / name, std::ios::binary);
        const std::vector<std::uint8_t> bytes {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        const auto sky = DecodeImageFile(bytes.data(), bytes.size());
        ASSERT_TRUE(sky) << name;
        int brightest = 0;
        for (std::uint32_t texel : sky->Top().texels)
            brightest = std::max({brightest, Channel(texel, 16), Channel(texel, 8), Channel(texel, 0)});
        EXPECT_GE(brightest, BRIGHT_NEIGHBOUR) << name << ": the check needs bright parts";
        EXPECT_EQ(WrappedChannels(sky->Top()), 0) << name;
    }
}

} // namespace
