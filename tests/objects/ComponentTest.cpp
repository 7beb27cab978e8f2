// The component slots that description sections fill, the layers' own lines and materials,
// their distance gates and their release.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/shell/GameSettings.h"
#include "tests/objects/ObjectFixture.h"
#include "world/World.h"
#include "world/effects/PlanetEffects.h"
#include "world/effects/SurfaceEffects.h"
#include "world/effects/SurfaceGate.h"
#include "world/objects/StaticObject.h"
#include "world/shadows/ObjectShadow.h"

namespace {

class ComponentTest : public ObjectTest {
protected:
    void SetUp() override
    {
        ObjectTest::SetUp();
        WriteMesh("box.msh", BoxMesh());
        for (const char* name : {"base.bmp", "map.bmp", "Lamp1.bmp", "Lamp2.bmp", "Lamp3.bmp"})
            WriteTexture(name, 0xFF808080u);
    }

    void Load(CStaticObject& object, const char* type, std::vector<DescriptionSection> sections)
    {
        ObjectDescriptionSpec spec;
        spec.objectType = type;
        spec.mesh = "box.msh";
        spec.baseTexture = "base.bmp";
        spec.sections = std::move(sections);
        object.Load(Describe("object.obj", spec).c_str(), 1, -1);
    }
};

} // namespace

TEST_F(ComponentTest, SectionsFillTheirSlotsWithTheirOwnLines)
{
    const int cloud[3] = {255, 0, 0};
    const int sea[3] = {0, 0, 255};
    CStaticObject planet;
    Load(planet, "GTYPE_PLANET2",
         {ChromeSection(1, "base.bmp", "map.bmp"), SelfIllumSection(0, "map.bmp"), LightMapsSection(3, 0, "Lamp%d.bmp", 255, 128, 0),
          PlanetHaloSection(0, "map.bmp"), PlanetCloudsSection(0, "base.bmp", "map.bmp", cloud, cloud),
          PlanetOceanSection(0, "map.bmp", sea), ShadowSection(false), ShadowSection(true)});
    const ObjectComponents& c = planet.components;
    ASSERT_NE(nullptr, c.chrome);
    EXPECT_NE(-1, c.chrome->textureIds[1]) << "the reflection map";
    EXPECT_FLOAT_EQ(0.3f, c.chrome->material.Emissive.r);
    ASSERT_NE(nullptr, c.selfIllum);
    EXPECT_EQ(0, c.selfIllum->blended) << "not a .dds";
    EXPECT_EQ(0, c.selfIllum->infoScreen);
    ASSERT_NE(nullptr, c.lightMaps);
    for (int frame = 0; frame < 3; ++frame)
        EXPECT_NE(-1, c.lightMaps->textureIds[frame]) << frame;
    EXPECT_STREQ("Lamp3.bmp", c.lightMaps->textureNames[2]);
    EXPECT_FLOAT_EQ(128.0f / 255.0f, c.lightMaps->material.Emissive.g);
    ASSERT_NE(nullptr, c.planetGalo);
    ASSERT_NE(nullptr, c.planetClouds);
    EXPECT_FLOAT_EQ(1.0f, c.planetClouds->colour1.x);
    EXPECT_FLOAT_EQ(50.0f, c.planetClouds->material.Power);
    ASSERT_NE(nullptr, c.planetOcean);
    EXPECT_FLOAT_EQ(1.0f, c.planetOcean->colour.z);
    ASSERT_NE(nullptr, c.shadow);
    EXPECT_EQ(GEFFECT_DYNAMIC_SHADOW, c.shadow->code) << "the later shadow code wins the slot";
    EXPECT_EQ(planet.mesh, c.planetOcean->mesh);

    planet.Release();
    EXPECT_EQ(nullptr, planet.components.chrome);
    EXPECT_EQ(nullptr, planet.components.shadow);
}

TEST_F(ComponentTest, StructureLightMapsTakeANormalisedRandomColour)
{
    std::srand(3);
    for (int i = 0; i < 8; ++i) {
        CStaticObject structure;
        Load(structure, "GTYPE_STRUCTURE", {LightMapsSection(1, 0, "Lamp1.bmp", 10, 10, 10)});
        const D3DXVECTOR4 colour = structure.components.lightMaps->colour;
        const float brightest = std::max({colour.x, colour.y, colour.z});
        EXPECT_FLOAT_EQ(1.0f, brightest);
        for (float channel : {colour.x, colour.y, colour.z}) {
            const float step = channel * brightest;
            EXPECT_TRUE(std::fabs(channel - 1.0f) < 1e-5f || std::fabs(channel - 0.5f) < 1e-5f
                        || std::fabs(channel - 1.0f / 3.0f) < 1e-5f || std::fabs(channel - 2.0f / 3.0f) < 1e-5f)
                << step;
        }
    }
}

TEST_F(ComponentTest, LightMapFramesAreBoundedByTheTextureSlots)
{
    CStaticObject piece;
    Load(piece, "GTYPE_PLATFORM", {LightMapsSection(1000, 0, "Lamp%s%d.bmp", 255, 255, 255)});
    ASSERT_NE(nullptr, piece.components.lightMaps);
    EXPECT_EQ(-1, piece.components.lightMaps->textureIds[0]) << "a pattern with a foreign conversion is a plain name";
}

TEST_F(ComponentTest, InfoScreensLoadNoTextureOfTheirOwn)
{
    CStaticObject panel;
    Load(panel, "GTYPE_STRUCTURE", {SelfIllumSection(0, "INFOSCREENS")});
    ASSERT_NE(nullptr, panel.components.selfIllum);
    EXPECT_EQ(1, panel.components.selfIllum->infoScreen);
    EXPECT_EQ(-1, panel.components.selfIllum->textureIds[0]);
    EXPECT_EQ(-1, panel.components.selfIllum->currentPage);
}

TEST_F(ComponentTest, SurfaceGatesByDistanceAndTheViewFromTheScooter)
{
    CStaticObject scooter;
    scooter.objectType = GTYPE_VEHICLE;
    scooter.visible = 1;
    scooter.cameraDistance = 121;
    EXPECT_FALSE(SurfaceLayerInSight(scooter, 400.0f, 120.00001f)) << "chrome";
    scooter.cameraDistance = 200;
    EXPECT_TRUE(SurfaceLayerInSight(scooter, 700.0f, 210.00002f)) << "glass";
    world.mode = CAMERA_FROM_SCOOTER;
    world.target = &scooter;
    EXPECT_FALSE(SurfaceLayerInSight(scooter, 700.0f, 210.00002f)) << "the view from this scooter";
    world.target = nullptr;
    world.mode = CAMERA_NEAR_CHASE;

    CStaticObject piece;
    piece.objectType = GTYPE_PLATFORM;
    piece.visible = 1;
    piece.cameraDistance = 399;
    EXPECT_TRUE(SurfaceLayerInSight(piece, 400.0f, 120.00001f));
    piece.visible = 0;
    EXPECT_FALSE(SurfaceLayerInSight(piece, 400.0f, 120.00001f));
}
