#pragma once
// The object description: the fixed-column text file of every placed object (sky, planets,
// track pieces, structures, decors, scooters). A value line has a free 32-character label and
// its value from column 33 to the line end; sections end at a line containing "//--".
//
// The vocabularies of the format and the line helpers that the object and component readers
// share.
#include <string_view>

#include "platform/gfxx/D3DXMath.h"

// A description line as the readers see it: at most 254 characters.
constexpr int DESCRIPTION_LINE_SIZE = 255;
// Zero-based offset of column 33, where a value starts.
constexpr int DESCRIPTION_VALUE_COLUMN = 32;
constexpr const char* DESCRIPTION_END_MARK = "//--";

enum GClass : int {
    GCLASS_NOTDEFINED = 0,
    GCLASS_STATIC = 1,
    GCLASS_VEHICLE = 2,
    GCLASS_EFFECT = 16,
};

// Single bits: the object manager selects objects by masks of them.
enum GType : int {
    GTYPE_NOTDEFINED = 0,
    GTYPE_NEBULA = 1,
    GTYPE_PLANET1 = 2,
    GTYPE_PLANET2 = 4,
    GTYPE_PLATFORM = 8,
    GTYPE_STRUCTURE = 16,
    GTYPE_DECORS = 32,
    GTYPE_VEHICLE = 64,
    GTYPE_EFFECT = 256,
};

enum GEffect : int {
    GEFFECT_NONE = 1000,
    GEFFECT_CHROME = 1010,
    GEFFECT_RGLASS = 1011,
    GEFFECT_LIGHTMAPS = 1020,
    GEFFECT_SELFILLUM = 1021,
    GEFFECT_PLANETGALO = 1030,
    GEFFECT_PLANETCLOUDS = 1031,
    GEFFECT_PLANETOCEAN = 1032,
    GEFFECT_LIGHTS = 1040,
    GEFFECT_DIRECTLIGHTS = 1041,
    GEFFECT_SPOTS = 1050,
    GEFFECT_FLAME = 1060,
    GEFFECT_ENGINEFLAME = 1061,
    GEFFECT_STATIC_SHADOW = 1070,
    GEFFECT_DYNAMIC_SHADOW = 1071,
};

enum DecorsType : int {
    DECORS_TYPE_NONE = -1,
    DECORS_TYPE_RANDOM = 0,
    DECORS_TYPE_BOX = 1,
    DECORS_TYPE_SIGN = 2,
};

enum Action : int {
    ACTION_NONE = 0,
    ACTION_STAY = 1,
    ACTION_MOVE = 2,
    ACTION_FALL = 3,
};

// Each parser matches the whole value exactly; a name not in its table gives the table's
// "not defined" value.
int ParseGClass(std::string_view value);
int ParseGType(std::string_view value);
int ParseGEffect(std::string_view value);
int ParseDecorsType(std::string_view value);
// Action names are padded with blanks to 32 characters.
int ParseAction(std::string_view value);
const char* GClassName(int value);
const char* GTypeName(int value);
const char* ActionName(int value);

// The value of a line: from column 33 to the end, empty for a shorter line.
std::string_view DescriptionValue(const char* line);
// True for a line that holds "//--" anywhere.
bool IsDescriptionEnd(const char* line);
// A decimal integer value; 0 when the value is no number.
int IntegerValue(const char* line);
// A colour line: red in columns 33-35, green in 37-39, blue from column 41, each 0-255 (real
// numbers allowed) scaled by 1/255; alpha 1. Missing fields read as 0.
D3DXVECTOR4 ColourValue(const char* line);

// Reads the next line of an open description (a file-system handle) into a buffer of
// DESCRIPTION_LINE_SIZE characters; empty at the end of the data.
void ReadDescriptionLine(int handle, char* line);
// Reads a line and returns its integer value.
int ReadIntegerLine(int handle);
// Reads a line and returns its colour value.
D3DXVECTOR4 ReadColourLine(int handle);
