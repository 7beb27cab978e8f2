// The description vocabularies, the fixed-column value helpers and the writer's round trip
// through them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/files/FileSystem.h"
#include "engine/shell/GameSettings.h"
#include "tests/support/ScratchFolder.h"
#include "tools/makedata/ObjectDescriptionWriter.h"
#include "world/objects/ObjectDescription.h"

TEST(ObjectVocabularies, ParseWholeNamesOnly)
{
    struct Case {
        int (*parse)(std::string_view);
        const char* value;
        int expected;
    };
    const Case cases[] = {
        {ParseGClass, "GCLASS_STATIC", GCLASS_STATIC},
        {ParseGClass, "GCLASS_VEHICLE", GCLASS_VEHICLE},
        {ParseGClass, "GCLASS_EFFECT", GCLASS_EFFECT},
        {ParseGClass, "GCLASS_STATIC ", GCLASS_NOTDEFINED},
        {ParseGClass, "gclass_static", GCLASS_NOTDEFINED},
        {ParseGType, "GTYPE_NEBULA", GTYPE_NEBULA},
        {ParseGType, "GTYPE_DECORS", GTYPE_DECORS},
        {ParseGType, "GTYPE_EFFECT", GTYPE_EFFECT},
        {ParseGType, "GTYPE_PLANET", GTYPE_NOTDEFINED},
        {ParseGType, "", GTYPE_NOTDEFINED},
        {ParseGEffect, "GEFFECT_CHROME", GEFFECT_CHROME},
        {ParseGEffect, "GEFFECT_ENGINEFLAME", GEFFECT_ENGINEFLAME},
        {ParseGEffect, "GEFFECT_DYNAMIC_SHADOW", GEFFECT_DYNAMIC_SHADOW},
        {ParseGEffect, "GEFFECT_SPARKLES", GEFFECT_NONE},
        {ParseDecorsType, "DECORS_TYPE_SIGN", DECORS_TYPE_SIGN},
        {ParseDecorsType, "DECORS_TYPE_RANDOM", DECORS_TYPE_RANDOM},
        {ParseDecorsType, "DECORS_TYPE_TREE", DECORS_TYPE_NONE},
        {ParseAction, "ACTION_MOVE                     ", ACTION_MOVE},
        {ParseAction, "ACTION_MOVE", ACTION_NONE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.parse(c.value)) << c.value;
    EXPECT_STREQ("GTYPE_PLATFORM", GTypeName(GTYPE_PLATFORM));
    EXPECT_STREQ("GTYPE_NOTDEFINED", GTypeName(3));
    EXPECT_STREQ("GCLASS_NOTDEFINED", GClassName(5));
    EXPECT_STREQ("ACTION_FALL", ActionName(ACTION_FALL));
    EXPECT_STREQ("ACTION_NONE", ActionName(9));
}

TEST(ObjectDescriptionLines, ValuesStartAtColumn33)
{
    const std::string label(32, '.');
    EXPECT_EQ("Mesh.msh", DescriptionValue((label + "Mesh.msh").c_str()));
    EXPECT_EQ("", DescriptionValue(label.c_str())) << "no value";
    EXPECT_EQ("", DescriptionValue("short")) << "shorter than the label";
    EXPECT_EQ(12, IntegerValue((label + "12 levels").c_str()));
    EXPECT_EQ(0, IntegerValue((label + "many").c_str()));
    EXPECT_EQ(0, IntegerValue("x"));
    EXPECT_TRUE(IsDescriptionEnd("label //-- end"));
    EXPECT_FALSE(IsDescriptionEnd("// -"));

    const D3DXVECTOR4 colour = ColourValue((label + "255 102  51").c_str());
    EXPECT_FLOAT_EQ(1.0f, colour.x);
    EXPECT_FLOAT_EQ(0.4f, colour.y);
    EXPECT_FLOAT_EQ(0.2f, colour.z);
    EXPECT_FLOAT_EQ(1.0f, colour.w);
    const D3DXVECTOR4 cut = ColourValue((label + "255").c_str());
    EXPECT_FLOAT_EQ(1.0f, cut.x);
    EXPECT_FLOAT_EQ(0.0f, cut.y) << "missing fields read as 0";
    EXPECT_FLOAT_EQ(0.0f, cut.z);
}

TEST(ObjectDescriptionWriter, RoundTripsThroughTheLineReader)
{
    ScratchFolder scratch;
    FileManager = 0;
    fileSystem.Init();
    ObjectDescriptionSpec spec;
    spec.objectClass = "GCLASS_VEHICLE";
    spec.objectType = "GTYPE_VEHICLE";
    spec.vehicleName = "Comet";
    spec.mesh = "Data/Vehicles/01/Main.msh";
    spec.mipLevels = 3;
    spec.baseTexture = "Data/Vehicles/01/Main%2.jpg";
    spec.bumpTexture = "Data/Vehicles/01/Bump.jpg";
    const int blue[3] = {0, 64, 255};
    spec.sections = {ChromeSection(2, "Chrome.jpg", "Reflect.jpg"), PlanetOceanSection(0, "Sea.jpg", blue),
                     ShadowSection(true)};
    spec.tail = {{"Speed:", "4"}};
    scratch.WriteBytes("Main.obj", WriteObjectDescription(spec).Bytes());

    const int handle = fileSystem.Open("Main.obj", FILE_MODE_OBJECTS);
    ASSERT_NE(-1, handle);
    char line[DESCRIPTION_LINE_SIZE];
    auto next = [&] {
        ReadDescriptionLine(handle, line);
        return std::string(DescriptionValue(line));
    };
    for (int i = 0; i < 4; ++i)
        next();
    EXPECT_EQ(GCLASS_VEHICLE, ParseGClass(next()));
    EXPECT_EQ(GTYPE_VEHICLE, ParseGType(next()));
    next();
    EXPECT_EQ("Comet", next());
    next();
    EXPECT_EQ(spec.mesh, next());
    EXPECT_EQ(3, ReadIntegerLine(handle));
    EXPECT_EQ(spec.baseTexture, next());
    EXPECT_EQ(spec.bumpTexture, next());
    EXPECT_EQ(GEFFECT_CHROME, ParseGEffect(next()));
    EXPECT_EQ(2, ReadIntegerLine(handle));
    EXPECT_EQ("Chrome.jpg", next());
    EXPECT_EQ("Reflect.jpg", next());
    next();
    EXPECT_EQ(GEFFECT_PLANETOCEAN, ParseGEffect(next()));
    EXPECT_EQ(0, ReadIntegerLine(handle));
    EXPECT_EQ("Sea.jpg", next());
    const D3DXVECTOR4 colour = ReadColourLine(handle);
    EXPECT_FLOAT_EQ(64.0f / 255.0f, colour.y);
    EXPECT_FLOAT_EQ(1.0f, colour.z);
    next();
    EXPECT_EQ(GEFFECT_DYNAMIC_SHADOW, ParseGEffect(next()));
    next();
    ReadDescriptionLine(handle, line);
    EXPECT_TRUE(IsDescriptionEnd(line));
    EXPECT_EQ(4, ReadIntegerLine(handle));
    fileSystem.Close(handle);
    fileSystem.Release();
}

TEST(ObjectDescriptionWriter, VectorsAndDirectionsKeepTheirColumns)
{
    const std::string label(32, ' ');
    const std::string vector = VectorText(-1234.5f, 0.25f, 99999.0f);
    EXPECT_EQ("-1234.50", vector.substr(0, 8));
    EXPECT_EQ(' ', vector[8]);
    EXPECT_EQ("    0.25", vector.substr(9, 8));
    const D3DXVECTOR4 direction = ColourValue((label + DirectionText(-40, 500, -1000)).c_str());
    EXPECT_FLOAT_EQ(-40.0f / 255.0f, direction.x);
    EXPECT_FLOAT_EQ(500.0f / 255.0f, direction.y);
    EXPECT_FLOAT_EQ(-99.0f / 255.0f, direction.z) << "clamped to its three columns";
}
