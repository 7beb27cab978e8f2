// Every component code is used by the shipped object descriptions, and each use finds what its
// component reads: the vertex group it draws, the point list it anchors to, its textures.
#include "tests/world/WorldFixture.h"

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/makedata/Generators.h"
#include "world/effects/FlameEffect.h"
#include "world/effects/GlowSprites.h"
#include "world/effects/LightsEffect.h"
#include "world/effects/MeshLayer.h"
#include "world/effects/PlanetEffects.h"
#include "world/effects/SpotsEffect.h"
#include "world/effects/SurfaceEffects.h"
#include "world/objects/SceneObject.h"
#include "world/shadows/ObjectShadow.h"

namespace {

// The names of the object descriptions the data builder ships (location files aside).
class DescriptionNames : public AssetSink {
public:
    void Add(const std::string& name, Pack pack, std::vector<std::uint8_t>) override
    {
        if (pack == Pack::Objects && name.ends_with(".obj") && !name.ends_with("LocationData.obj"))
            names.push_back(name);
    }
    std::vector<std::string> names;
};

std::vector<std::string> ShippedDescriptions()
{
    DescriptionNames sink;
    for (const GeneratorEntry& generator : AllGenerators())
        generator.generate(sink);
    return sink.names;
}

bool HasGroup(const CStaticObject& object, int group) { return object.mesh && object.mesh->frameCount[group] > 0; }

std::size_t Points(const CStaticObject& object, int list) { return OwnerPoints(object, list).size(); }

// Problems of one loaded description, by the components it holds; the codes it uses go into codes.
std::vector<std::string> ComponentProblems(const CStaticObject& object, std::set<int>& codes)
{
    std::vector<std::string> problems;
    auto need = [&](bool ok, const char* what) {
        if (!ok)
            problems.push_back(what);
    };
    const ObjectComponents& c = object.components;
    if (c.chrome) {
        codes.insert(GEFFECT_CHROME);
        need(HasGroup(object, MESH_GROUP_CHROME), "chrome without group 6");
        need(c.chrome->textureIds[1] != -1, "chrome without its reflection map");
    }
    if (c.rGlass) {
        codes.insert(GEFFECT_RGLASS);
        need(HasGroup(object, MESH_GROUP_REFLECTIVE_GLASS), "glass without group 5");
    }
    if (c.lightMaps) {
        codes.insert(GEFFECT_LIGHTMAPS);
        need(HasGroup(object, MESH_GROUP_LIGHT_MAPS), "light maps without group 3");
        need(c.lightMaps->textureIds[0] != -1, "light maps without their texture");
    }
    if (c.selfIllum) {
        codes.insert(GEFFECT_SELFILLUM);
        need(HasGroup(object, MESH_GROUP_SELF_ILLUM), "screens without group 4");
        need(c.selfIllum->infoScreen || c.selfIllum->textureIds[0] != -1, "screen without its texture");
    }
    if (c.planetGalo) {
        codes.insert(GEFFECT_PLANETGALO);
        need(HasGroup(object, MESH_GROUP_PLANET_HALO), "halo without group 8");
    }
    if (c.planetClouds) {
        codes.insert(GEFFECT_PLANETCLOUDS);
        need(HasGroup(object, MESH_GROUP_PLANET_CLOUDS), "clouds without group 9");
        need(c.planetClouds->textureIds[0] != -1, "clouds without their texture");
    }
    if (c.planetOcean) {
        codes.insert(GEFFECT_PLANETOCEAN);
        need(HasGroup(object, MESH_GROUP_PLANET_OCEAN), "ocean without group 10");
    }
    if (c.lights) {
        codes.insert(GEFFECT_LIGHTS);
        need(Points(object, POINTS_LIGHTS) > 0, "lights without list 1");
    }
    if (c.directLights) {
        codes.insert(GEFFECT_DIRECTLIGHTS);
        need(Points(object, POINTS_DIRECT_LIGHTS) >= 2, "direct lights without pairs in list 2");
    }
    if (c.spots) {
        codes.insert(GEFFECT_SPOTS);
        need(Points(object, POINTS_SPOTS) >= 2, "spots without pairs in list 3");
    }
    for (const auto& [flame, code] : {std::pair {c.flame.get(), GEFFECT_FLAME}, {c.engineFlame.get(), GEFFECT_ENGINEFLAME}})
        if (flame) {
            codes.insert(code);
            need(Points(object, POINTS_FLAMES) > 0, "flame without list 4");
            need(flame->particleLife > 0 && flame->interval > 0, "flame that emits nothing");
        }
    if (c.shadow) {
        codes.insert(c.shadow->code);
        need(HasGroup(object, MESH_GROUP_SHADOW), "shadow without group 1");
        need(c.shadow->vertexBuffer != nullptr, "shadow without its volume buffer");
    }
    return problems;
}

class ShippedComponentsTest : public WorldTest {};

TEST_F(ShippedComponentsTest, EveryComponentCodeIsUsedAndFindsWhatItReads)
{
    const std::vector<std::string> names = ShippedDescriptions();
    ASSERT_FALSE(names.empty());
    std::set<int> codes;
    std::map<int, std::vector<std::string>> users;
    for (const std::string& name : names) {
        CSceneObject object;
        object.Load(name.c_str(), -1);
        ASSERT_NE(object.mesh, nullptr) << name;
        std::set<int> own;
        for (const std::string& problem : ComponentProblems(object, own))
            ADD_FAILURE() << name << ": " << problem;
        for (const int code : own)
            users[code].push_back(name);
        codes.insert(own.begin(), own.end());
        object.Release();
    }
    const int all[] = {GEFFECT_CHROME,       GEFFECT_RGLASS,      GEFFECT_LIGHTMAPS,    GEFFECT_SELFILLUM,
                       GEFFECT_PLANETGALO,   GEFFECT_PLANETCLOUDS, GEFFECT_PLANETOCEAN, GEFFECT_LIGHTS,
                       GEFFECT_DIRECTLIGHTS, GEFFECT_SPOTS,       GEFFECT_FLAME,        GEFFECT_ENGINEFLAME,
                       GEFFECT_STATIC_SHADOW, GEFFECT_DYNAMIC_SHADOW};
    for (const int code : all)
        EXPECT_TRUE(codes.count(code)) << "no shipped description uses component code " << code;
    for (const auto& [code, files] : users) {
        std::string list;
        for (const std::string& file : files)
            list += " " + file;
        RecordProperty("code_" + std::to_string(code), list);
    }
}

} // namespace
