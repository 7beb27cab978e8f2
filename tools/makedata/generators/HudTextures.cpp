// The head-up display's gauge textures: the two panel backgrounds and the two quarter-ring bars
// whose centres lie in the top-left (time) and top-right (speed) corners.
#include <algorithm>
#include <cmath>

#include "tools/makedata/Generators.h"
#include "tools/makedata/ImageWriters.h"

namespace {

constexpr unsigned SIZE = 256;

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

// Distance of a texel from the chosen top corner, 0..~1.4 over the texture.
float CornerDistance(unsigned x, unsigned y, bool rightCorner)
{
    const float u = (float(x) + 0.5f) / float(SIZE);
    const float v = (float(y) + 0.5f) / float(SIZE);
    const float across = rightCorner ? 1.0f - u : u;
    return std::sqrt(across * across + v * v);
}

// A soft dark panel that fades out away from its corner.
DecodedImage PanelBack(bool rightCorner)
{
    return MakeFlatImage(SIZE, SIZE, [=](unsigned x, unsigned y) {
        const float r = CornerDistance(x, y, rightCorner);
        const float alpha = Clamp01((1.05f - r) * 4.0f);
        const unsigned glow = unsigned(60.0f * Clamp01(1.0f - r));
        return Argb(unsigned(alpha * 255.0f), 40 + glow, 10 + glow / 3, 10);
    });
}

// The gauge band between 0.76 and 0.96 of the radius in ten segments a quarter turn, see-through
// between them. The band is translucent, brighter and denser towards the outer edge: the HUD draws
// it once in black as the empty gauge and again in colour as the fill, so the empty gauge is a dark
// glass track over the race and the fill still reads bright over it.
DecodedImage GaugeBar(bool rightCorner)
{
    return MakeFlatImage(SIZE, SIZE, [=](unsigned x, unsigned y) {
        const float r = CornerDistance(x, y, rightCorner);
        const float band = Clamp01((r - 0.76f) * 60.0f) * Clamp01((0.96f - r) * 60.0f);
        const float u = (float(x) + 0.5f) / float(SIZE);
        const float v = (float(y) + 0.5f) / float(SIZE);
        const float segment = std::atan2(rightCorner ? 1.0f - u : u, v) / 1.5707964f * 10.0f;
        const float gap = Clamp01((std::fabs(segment - std::round(segment)) - 0.06f) * 25.0f);
        const float outward = Clamp01((r - 0.76f) / 0.2f);
        const float alpha = band * gap * (0.45f + 0.25f * outward);
        const unsigned level = unsigned(255.0f * (0.7f + 0.3f * outward));
        return Argb(unsigned(alpha * 255.0f), level, level, level);
    });
}

void GenerateHudTextures(AssetSink& sink)
{
    sink.Add("Data/Interface/HUD/TimeBarBack.dds", Pack::Textures, WriteDds(PanelBack(false), DdsFormat::A8R8G8B8));
    sink.Add("Data/Interface/HUD/TimeBar.dds", Pack::Textures, WriteDds(GaugeBar(false), DdsFormat::A8R8G8B8));
    sink.Add("Data/Interface/HUD/SpeedBarBack.dds", Pack::Textures, WriteDds(PanelBack(true), DdsFormat::A8R8G8B8));
    sink.Add("Data/Interface/HUD/SpeedBar.dds", Pack::Textures, WriteDds(GaugeBar(true), DdsFormat::A8R8G8B8));
}

const GeneratorRegistration registration("hud", GenerateHudTextures);

} // namespace
