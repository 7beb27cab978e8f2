#include "world/objects/ObjectDescription.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/files/FileSystem.h"

namespace {

template <typename Value>
struct NameEntry {
    const char* name;
    Value value;
};

constexpr NameEntry<int> G_CLASSES[] = {
    {"GCLASS_STATIC", GCLASS_STATIC},
    {"GCLASS_VEHICLE", GCLASS_VEHICLE},
    {"GCLASS_EFFECT", GCLASS_EFFECT},
};

constexpr NameEntry<int> G_TYPES[] = {
    {"GTYPE_NEBULA", GTYPE_NEBULA},       {"GTYPE_PLANET1", GTYPE_PLANET1},     {"GTYPE_PLANET2", GTYPE_PLANET2},
    {"GTYPE_PLATFORM", GTYPE_PLATFORM},   {"GTYPE_STRUCTURE", GTYPE_STRUCTURE}, {"GTYPE_DECORS", GTYPE_DECORS},
    {"GTYPE_VEHICLE", GTYPE_VEHICLE},     {"GTYPE_EFFECT", GTYPE_EFFECT},
};

constexpr NameEntry<int> G_EFFECTS[] = {
    {"GEFFECT_CHROME", GEFFECT_CHROME},
    {"GEFFECT_RGLASS", GEFFECT_RGLASS},
    {"GEFFECT_LIGHTMAPS", GEFFECT_LIGHTMAPS},
    {"GEFFECT_SELFILLUM", GEFFECT_SELFILLUM},
    {"GEFFECT_PLANETGALO", GEFFECT_PLANETGALO},
    {"GEFFECT_PLANETCLOUDS", GEFFECT_PLANETCLOUDS},
    {"GEFFECT_PLANETOCEAN", GEFFECT_PLANETOCEAN},
    {"GEFFECT_LIGHTS", GEFFECT_LIGHTS},
    {"GEFFECT_DIRECTLIGHTS", GEFFECT_DIRECTLIGHTS},
    {"GEFFECT_SPOTS", GEFFECT_SPOTS},
    {"GEFFECT_FLAME", GEFFECT_FLAME},
    {"GEFFECT_ENGINEFLAME", GEFFECT_ENGINEFLAME},
    {"GEFFECT_STATIC_SHADOW", GEFFECT_STATIC_SHADOW},
    {"GEFFECT_DYNAMIC_SHADOW", GEFFECT_DYNAMIC_SHADOW},
};

constexpr NameEntry<int> DECORS_TYPES[] = {
    {"DECORS_TYPE_RANDOM", DECORS_TYPE_RANDOM},
    {"DECORS_TYPE_BOX", DECORS_TYPE_BOX},
    {"DECORS_TYPE_SIGN", DECORS_TYPE_SIGN},
};

// Matched with their padding; named without it.
constexpr NameEntry<int> ACTIONS[] = {
    {"ACTION_STAY                     ", ACTION_STAY},
    {"ACTION_MOVE                     ", ACTION_MOVE},
    {"ACTION_FALL                     ", ACTION_FALL},
};

template <std::size_t N>
int Parse(const NameEntry<int> (&table)[N], std::string_view value, int otherwise)
{
    for (const NameEntry<int>& entry : table) {
        if (value == entry.name)
            return entry.value;
    }
    return otherwise;
}

template <std::size_t N>
const char* Name(const NameEntry<int> (&table)[N], int value, const char* otherwise)
{
    for (const NameEntry<int>& entry : table) {
        if (value == entry.value)
            return entry.name;
    }
    return otherwise;
}

// The number in columns [first, first + width) of a line (1-based first; width 0: to the end).
float FieldNumber(const char* line, std::size_t first, std::size_t width)
{
    const std::string_view text(line);
    if (text.size() < first)
        return 0.0f;
    const std::string field(text.substr(first - 1, width == 0 ? std::string_view::npos : width));
    return std::strtof(field.c_str(), nullptr);
}

} // namespace

int ParseGClass(std::string_view value) { return Parse(G_CLASSES, value, GCLASS_NOTDEFINED); }
int ParseGType(std::string_view value) { return Parse(G_TYPES, value, GTYPE_NOTDEFINED); }
int ParseGEffect(std::string_view value) { return Parse(G_EFFECTS, value, GEFFECT_NONE); }
int ParseDecorsType(std::string_view value) { return Parse(DECORS_TYPES, value, DECORS_TYPE_NONE); }
int ParseAction(std::string_view value) { return Parse(ACTIONS, value, ACTION_NONE); }

const char* GClassName(int value) { return Name(G_CLASSES, value, "GCLASS_NOTDEFINED"); }
const char* GTypeName(int value) { return Name(G_TYPES, value, "GTYPE_NOTDEFINED"); }

const char* ActionName(int value)
{
    switch (value) {
    case ACTION_STAY: return "ACTION_STAY";
    case ACTION_MOVE: return "ACTION_MOVE";
    case ACTION_FALL: return "ACTION_FALL";
    default: return "ACTION_NONE";
    }
}

std::string_view DescriptionValue(const char* line)
{
    const std::size_t length = std::strlen(line);
    if (length <= DESCRIPTION_VALUE_COLUMN)
        return {};
    return std::string_view(line + DESCRIPTION_VALUE_COLUMN, length - DESCRIPTION_VALUE_COLUMN);
}

bool IsDescriptionEnd(const char* line) { return std::strstr(line, DESCRIPTION_END_MARK) != nullptr; }

int IntegerValue(const char* line)
{
    const std::string value(DescriptionValue(line));
    const long number = std::strtol(value.c_str(), nullptr, 10);
    constexpr long LIMIT = 1L << 30;
    return static_cast<int>(number < -LIMIT ? -LIMIT : number > LIMIT ? LIMIT : number);
}

D3DXVECTOR4 ColourValue(const char* line)
{
    constexpr float SCALE = 1.0f / 255.0f;
    return D3DXVECTOR4(FieldNumber(line, 33, 3) * SCALE, FieldNumber(line, 37, 3) * SCALE,
                       FieldNumber(line, 41, 0) * SCALE, 1.0f);
}

void ReadDescriptionLine(int handle, char* line)
{
    line[0] = '\0';
    fileSystem.ReadLine(line, DESCRIPTION_LINE_SIZE, handle);
}

int ReadIntegerLine(int handle)
{
    char line[DESCRIPTION_LINE_SIZE];
    ReadDescriptionLine(handle, line);
    return IntegerValue(line);
}

D3DXVECTOR4 ReadColourLine(int handle)
{
    char line[DESCRIPTION_LINE_SIZE];
    ReadDescriptionLine(handle, line);
    return ColourValue(line);
}
