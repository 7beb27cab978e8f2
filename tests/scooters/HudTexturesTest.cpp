// The head-up display's generated gauge textures: the bars are drawn once in black as the empty
// gauge and once in colour as the fill, so they must be clear off the band and between its
// segments, and translucent on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/gfxx/DdsReader.h"
#include "tests/support/GeneratedData.h"
#include "tests/support/ScratchFolder.h"

namespace {

struct Texture {
    ImageLevel top;

    // Alpha 0..255 at a point given by its distance from the gauge's corner (in texture widths)
    // and its angle from straight down towards the far side (degrees).
    unsigned AlphaAt(float radius, float degrees, bool rightCorner) const
    {
        const float angle = degrees * 3.14159265f / 180.0f;
        const float across = radius * std::sin(angle);
        const float u = rightCorner ? 1.0f - across : across;
        const float v = radius * std::cos(angle);
        const unsigned x = std::min(top.width - 1, unsigned(std::max(0.0f, u) * float(top.width)));
        const unsigned y = std::min(top.height - 1, unsigned(std::max(0.0f, v) * float(top.height)));
        return top.texels[y * top.width + x] >> 24;
    }
};

Texture Load(const char* name)
{
    std::ifstream file(name, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const auto image = ReadDds(bytes.data(), bytes.size());
    EXPECT_TRUE(image && image->hasAlpha) << name;
    return image ? Texture {image->Top()} : Texture {};
}

} // namespace

TEST(HudTextures, GaugeBarsAreTranslucentOnTheirSegmentsAndClearElsewhere)
{
    ScratchFolder folder;
    WriteGeneratedData({"hud"});
    for (const auto& [name, right] : {std::pair {"Data/Interface/HUD/TimeBar.dds", false},
                                      std::pair {"Data/Interface/HUD/SpeedBar.dds", true}}) {
        const Texture bar = Load(name);
        ASSERT_EQ(bar.top.width, 256u) << name;
        for (float degrees : {13.5f, 40.5f, 76.5f}) {
            for (float radius : {0.8f, 0.9f}) {
                const unsigned alpha = bar.AlphaAt(radius, degrees, right);
                EXPECT_GE(alpha, 96u) << name << " " << radius << " " << degrees;
                EXPECT_LE(alpha, 200u) << name << " " << radius << " " << degrees;
            }
        }
        // Between segments, inside and outside the band.
        for (const auto& [radius, degrees] : {std::pair {0.86f, 45.0f}, {0.86f, 9.0f}, {0.3f, 40.5f}, {0.65f, 40.5f},
                                              {0.99f, 40.5f}, {1.3f, 45.0f}})
            EXPECT_EQ(bar.AlphaAt(radius, degrees, right), 0u) << name << " " << radius << " " << degrees;
    }
}

TEST(HudTextures, PanelBacksFadeOutAwayFromTheirCorner)
{
    ScratchFolder folder;
    WriteGeneratedData({"hud"});
    for (const auto& [name, right] : {std::pair {"Data/Interface/HUD/TimeBarBack.dds", false},
                                      std::pair {"Data/Interface/HUD/SpeedBarBack.dds", true}}) {
        const Texture back = Load(name);
        EXPECT_EQ(back.AlphaAt(0.3f, 45.0f, right), 255u) << name;
        EXPECT_EQ(back.AlphaAt(1.2f, 45.0f, right), 0u) << name;
        EXPECT_EQ(back.AlphaAt(1.0f, 0.0f, right), back.AlphaAt(1.0f, 90.0f, right)) << name;
    }
}
