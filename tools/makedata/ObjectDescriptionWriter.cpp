#include "tools/makedata/ObjectDescriptionWriter.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::size_t LABEL_WIDTH = 32;

std::string Padded(std::string_view label)
{
    std::string text(label.substr(0, LABEL_WIDTH));
    text.resize(LABEL_WIDTH, ' ');
    return text;
}

std::string ColourOf(const int colour[3])
{
    return ColourText(colour[0], colour[1], colour[2]);
}

std::string RealText(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

} // namespace

FixedColumnText& FixedColumnText::Value(std::string_view label, std::string_view value)
{
    text_ += Padded(label);
    text_ += value;
    text_ += "\r\n";
    return *this;
}

FixedColumnText& FixedColumnText::Value(std::string_view label, int value)
{
    return Value(label, std::to_string(value));
}

FixedColumnText& FixedColumnText::Free(std::string_view text)
{
    text_ += text;
    text_ += "\r\n";
    return *this;
}

FixedColumnText& FixedColumnText::End()
{
    return Free("//--");
}

std::vector<std::uint8_t> FixedColumnText::Bytes() const
{
    return {text_.begin(), text_.end()};
}

std::string ColourText(int red, int green, int blue)
{
    char text[16];
    std::snprintf(text, sizeof text, "%3d %3d %3d", red, green, blue);
    return text;
}

std::string VectorText(float x, float y, float z)
{
    char text[64];
    std::snprintf(text, sizeof text, "%8.2f %8.2f %8.2f", x, y, z);
    return text;
}

std::string DirectionText(int x, int y, int z)
{
    auto field = [](int v) { return std::clamp(v, -99, 999); };
    return ColourText(field(x), field(y), field(z));
}

bool HasBumpTextureLine(std::string_view objectType)
{
    return objectType == "GTYPE_PLANET1" || objectType == "GTYPE_PLANET2" || objectType == "GTYPE_PLATFORM" ||
           objectType == "GTYPE_STRUCTURE" || objectType == "GTYPE_VEHICLE";
}

FixedColumnText WriteObjectDescription(const ObjectDescriptionSpec& spec)
{
    FixedColumnText text;
    text.Free("// Vestrune object description").Free("//").Free("// " + spec.mesh).Free("//");
    text.Value("Class:", spec.objectClass).Value("Type:", spec.objectType).Free();
    if (spec.objectType == "GTYPE_VEHICLE")
        text.Value("Name:", spec.vehicleName).Free();
    text.Value("Mesh:", spec.mesh).Value("Mip levels:", spec.mipLevels).Value("Texture:", spec.baseTexture);
    if (HasBumpTextureLine(spec.objectType))
        text.Value("Bump texture:", spec.bumpTexture);
    for (const DescriptionSection& section : spec.sections) {
        text.Value("Effect:", section.code);
        for (const auto& [label, value] : section.lines)
            text.Value(label, value);
        text.Free();
    }
    text.End();
    for (const auto& [label, value] : spec.tail)
        text.Value(label, value);
    return text;
}

DescriptionSection ChromeSection(int mipLevels, const std::string& texture, const std::string& reflectionMap)
{
    return {"GEFFECT_CHROME",
            {{"Mip levels:", std::to_string(mipLevels)}, {"Texture:", texture}, {"Reflection map:", reflectionMap}}};
}

DescriptionSection GlassSection(int mipLevels, const std::string& texture)
{
    return {"GEFFECT_RGLASS", {{"Mip levels:", std::to_string(mipLevels)}, {"Texture:", texture}}};
}

DescriptionSection LightMapsSection(int frames, int mipLevels, const std::string& nameOrPattern, int red, int green,
                                    int blue)
{
    return {"GEFFECT_LIGHTMAPS",
            {{"Frames:", std::to_string(frames)},
             {"Mip levels:", std::to_string(mipLevels)},
             {"Texture:", nameOrPattern},
             {"Colour:", ColourText(red, green, blue)}}};
}

DescriptionSection SelfIllumSection(int mipLevels, const std::string& textureOrInfoScreens)
{
    return {"GEFFECT_SELFILLUM", {{"Mip levels:", std::to_string(mipLevels)}, {"Texture:", textureOrInfoScreens}}};
}

DescriptionSection SpotsSection(int red, int green, int blue)
{
    return {"GEFFECT_SPOTS", {{"Colour:", ColourText(red, green, blue)}}};
}

DescriptionSection PlanetHaloSection(int mipLevels, const std::string& texture)
{
    return {"GEFFECT_PLANETGALO", {{"Mip levels:", std::to_string(mipLevels)}, {"Texture:", texture}}};
}

DescriptionSection PlanetCloudsSection(int mipLevels, const std::string& simpleTexture, const std::string& bestTexture,
                                       const int colour1[3], const int colour2[3])
{
    return {"GEFFECT_PLANETCLOUDS",
            {{"Mip levels:", std::to_string(mipLevels)},
             {"Texture (simple):", simpleTexture},
             {"Texture (best):", bestTexture},
             {"Colour 1:", ColourOf(colour1)},
             {"Colour 2:", ColourOf(colour2)}}};
}

DescriptionSection PlanetOceanSection(int mipLevels, const std::string& texture, const int colour[3])
{
    return {"GEFFECT_PLANETOCEAN",
            {{"Mip levels:", std::to_string(mipLevels)}, {"Texture:", texture}, {"Colour:", ColourOf(colour)}}};
}

DescriptionSection ShadowSection(bool dynamic)
{
    return {dynamic ? "GEFFECT_DYNAMIC_SHADOW" : "GEFFECT_STATIC_SHADOW", {}};
}

DescriptionSection LightsSection(bool directional, float size, int red, int green, int blue)
{
    return {directional ? "GEFFECT_DIRECTLIGHTS" : "GEFFECT_LIGHTS",
            {{"Size:", RealText(size)}, {"Colour:", ColourText(red, green, blue)}}};
}

DescriptionSection FlameSection(bool engine, const FlameLines& flame)
{
    return {engine ? "GEFFECT_ENGINEFLAME" : "GEFFECT_FLAME",
            {{"Particle size:", RealText(flame.size)},
             {"Particle life:", RealText(flame.life)},
             {"Emission interval:", RealText(flame.interval)},
             {"Particle growth:", RealText(flame.growth)},
             {"Velocity:", ColourOf(flame.velocity)},
             {"Colour:", ColourOf(flame.colour)},
             {"Hot:", flame.hot ? "1" : "0"}}};
}
