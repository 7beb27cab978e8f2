// The additive sprites of the sky and the flames: the sun's glow and glare, the star sprite and
// the white flame puff. All are grey levels that the sprites' vertex colours tint; drawn with
// additive blending, so they need no alpha and their JPG twins look the same.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "tools/makedata/Generators.h"
#include "tools/makedata/ImageWriters.h"

namespace {

constexpr float PI = 3.14159265f;

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
unsigned Byte(float v) { return unsigned(Clamp01(v) * 255.0f + 0.5f); }

// A square grey sprite from an intensity over -1..1 in both axes.
template <typename Intensity>
DecodedImage GreySprite(unsigned side, Intensity intensity)
{
    return MakeFlatImage(side, side, [&](unsigned x, unsigned y) {
        const float cx = (float(x) + 0.5f) / float(side) * 2.0f - 1.0f;
        const float cy = (float(y) + 0.5f) / float(side) * 2.0f - 1.0f;
        const unsigned level = Byte(intensity(cx, cy));
        return Argb(255, level, level, level);
    });
}

// Falls to black at the sprite's rim so that no square edge shows.
float RimFade(float r) { return Clamp01((1.0f - r) * 6.0f); }

// Bright core, wide soft halo.
float SunGlow(float x, float y)
{
    const float r = std::sqrt(x * x + y * y);
    return (std::exp(-r * r * 40.0f) + 0.55f * std::exp(-r * r * 6.0f) + 0.15f * std::exp(-r * 2.5f)) * RimFade(r);
}

// Core with six thin rays and a faint ring: the sun seen through the lens.
float SunGlare(float x, float y)
{
    const float r = std::sqrt(x * x + y * y);
    const float angle = std::atan2(y, x);
    const float rays = std::pow(std::fabs(std::cos(angle * 3.0f)), 60.0f) * std::exp(-r * 3.0f);
    const float ring = 0.12f * std::exp(-(r - 0.75f) * (r - 0.75f) * 300.0f);
    return (std::exp(-r * r * 30.0f) + 0.6f * rays + ring) * RimFade(r);
}

// A small bright point with four rays.
float StarObject(float x, float y)
{
    const float r = std::sqrt(x * x + y * y);
    const float cross = std::exp(-std::fabs(x) * 40.0f) * std::exp(-std::fabs(y) * 3.0f) +
                        std::exp(-std::fabs(y) * 40.0f) * std::exp(-std::fabs(x) * 3.0f);
    return (std::exp(-r * r * 60.0f) + 0.5f * cross) * RimFade(r);
}

// A soft round puff with a few lobes, so that turning sprites flicker.
float FlameWhite(float x, float y)
{
    const float r = std::sqrt(x * x + y * y);
    const float angle = std::atan2(y, x);
    const float edge = 0.75f + 0.08f * std::sin(angle * 5.0f) + 0.05f * std::sin(angle * 3.0f + 1.0f);
    const float body = Clamp01((edge - r) / edge);
    return std::pow(body, 1.5f) * (0.85f + 0.15f * std::cos(r * PI * 3.0f)) * RimFade(r);
}

void AddSprite(AssetSink& sink, const char* stem, const DecodedImage& image)
{
    const std::string name(stem);
    sink.Add(name + ".bmp", Pack::Textures, WriteBmp(image, BmpBits::Rgb24));
    sink.Add(name + ".jpg", Pack::Textures, WriteJpg(image));
}

void GenerateGlows(AssetSink& sink)
{
    AddSprite(sink, "Data/Static/Sun/SunGlow", GreySprite(128, SunGlow));
    AddSprite(sink, "Data/Static/Sun/SunGlare", GreySprite(128, SunGlare));
    AddSprite(sink, "Data/Static/Star/StarObject", GreySprite(64, StarObject));
    AddSprite(sink, "Data/Effects/Flames/FlameWhite", GreySprite(64, FlameWhite));
}

const GeneratorRegistration registration("glows", GenerateGlows);

} // namespace
