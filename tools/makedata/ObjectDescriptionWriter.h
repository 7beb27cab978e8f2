#pragma once
// Writes object descriptions and location files in the fixed columns the game reads: a free
// label in columns 1 to 32, the value from column 33.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class FixedColumnText {
public:
    // A value line: the label cut or padded to 32 characters, then the value.
    FixedColumnText& Value(std::string_view label, std::string_view value);
    FixedColumnText& Value(std::string_view label, int value);
    // A line that the reader skips.
    FixedColumnText& Free(std::string_view text = "//");
    // The line that ends a section or the object list.
    FixedColumnText& End();

    const std::string& Text() const { return text_; }
    std::vector<std::uint8_t> Bytes() const;

private:
    std::string text_;
};

// Value formats: "RRR GGG BBB" (0-255 each, columns 33-35, 37-39, 41-43); a vector with x in
// columns 33-40, y in 42-49 and z from 51.
std::string ColourText(int red, int green, int blue);
std::string VectorText(float x, float y, float z);
// A light direction of the location files: three integers -99 to 999 in the colour columns
// (normalised when read).
std::string DirectionText(int x, int y, int z);

// One component section: its GEFFECT_ code name and its own lines (label, value).
struct DescriptionSection {
    std::string code;
    std::vector<std::pair<std::string, std::string>> lines;
};

struct ObjectDescriptionSpec {
    std::string objectClass = "GCLASS_STATIC";
    std::string objectType;
    std::string vehicleName; // written (with line 9) only for "GTYPE_VEHICLE"
    std::string mesh;
    int mipLevels = 0;
    std::string baseTexture;
    std::string bumpTexture; // written only for the types that have the line
    std::vector<DescriptionSection> sections;
    // The kind's own lines after "//--" (label, value).
    std::vector<std::pair<std::string, std::string>> tail;
};

// True for the five types whose descriptions hold a bump texture line.
bool HasBumpTextureLine(std::string_view objectType);
FixedColumnText WriteObjectDescription(const ObjectDescriptionSpec& spec);

// Component sections with their own lines in the order their readers take them.
DescriptionSection ChromeSection(int mipLevels, const std::string& texture, const std::string& reflectionMap);
DescriptionSection GlassSection(int mipLevels, const std::string& texture);
DescriptionSection LightMapsSection(int frames, int mipLevels, const std::string& nameOrPattern, int red, int green,
                                    int blue);
DescriptionSection SelfIllumSection(int mipLevels, const std::string& textureOrInfoScreens);
// "GEFFECT_SPOTS": the colour of the cones.
DescriptionSection SpotsSection(int red, int green, int blue);
DescriptionSection PlanetHaloSection(int mipLevels, const std::string& texture);
DescriptionSection PlanetCloudsSection(int mipLevels, const std::string& simpleTexture, const std::string& bestTexture,
                                       const int colour1[3], const int colour2[3]);
DescriptionSection PlanetOceanSection(int mipLevels, const std::string& texture, const int colour[3]);
// "GEFFECT_STATIC_SHADOW" or "GEFFECT_DYNAMIC_SHADOW": no lines of its own.
DescriptionSection ShadowSection(bool dynamic);
// "GEFFECT_LIGHTS" (or "GEFFECT_DIRECTLIGHTS"): the sprites' half-width and colour.
DescriptionSection LightsSection(bool directional, float size, int red, int green, int blue);

// The lines of a flame emitter; the velocity stands in the colour columns (whole numbers).
struct FlameLines {
    float size, life, interval, growth;
    int velocity[3];
    int colour[3];
    bool hot; // particles start white-hot and cool to the colour
};
// "GEFFECT_ENGINEFLAME" for engine flames, else "GEFFECT_FLAME".
DescriptionSection FlameSection(bool engine, const FlameLines& flame);
