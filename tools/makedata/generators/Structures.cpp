#include "tools/makedata/generators/Structures.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/makedata/ImageWriters.h"
#include "tools/makedata/MeshWriter.h"
#include "tools/makedata/ObjectDescriptionWriter.h"

namespace {

const std::string FOLDER = "Data/Static/Structures/01/";
const std::string WINDOWS = FOLDER + "Windows.jpg";
const std::string LIGHT_STRIP = FOLDER + "LightStrip.jpg";
const std::string CHROME = FOLDER + "Chrome.jpg";
const std::string CHROME_REFLECTION = FOLDER + "ChromeReflection.jpg";
const std::string GLASS = FOLDER + "Glass.jpg";
// The track builder keeps every other piece's centre line 45 away from a point 30 above a
// roadside structure's place: down to this depth below the place no other road and no racer on
// it can be, so no structure reaches deeper.
constexpr float DEEPEST_BELOW_PLACE = 8.0f;

// One structure: its body, the layers its components repaint, its anchor points and its sections.
struct Structure {
    Geometry body;
    // What casts the shadow when not the whole body: a tower's parts above the road's level,
    // since its shadow falls downwards and no lower part can shade the road.
    std::optional<Geometry> shadowSource;
    std::optional<Geometry> lightMaps, screens, glass, chrome;
    std::vector<Vec3> lamps, burners;
    std::vector<std::pair<Vec3, Vec3>> directedLamps, floodlights; // (lamp, where it points or shines)
    std::vector<DescriptionSection> sections;
};

// Beacon lamps: warm white, the structure's hue replaces it in the game.
DescriptionSection Beacons(float size) { return LightsSection(false, size, 255, 230, 190); }

// A burner's flame: hot yellow-white rising into orange.
DescriptionSection Burner()
{
    return FlameSection(false, FlameLines {2.2f, 0.9f, 0.06f, 2.0f, {0, 8, 0}, {255, 120, 40}, true});
}

std::vector<std::uint8_t> MeshOf(const Structure& structure)
{
    MeshWriter writer;
    writer.AddFrame(GROUP_BODY, structure.body);
    // The shadow source shares its corners, so that the volume the game extrudes stays closed.
    writer.AddFrame(GROUP_SHADOW, WeldCorners(structure.shadowSource.value_or(structure.body)));
    writer.AddFrame(GROUP_COLLISION, structure.body);
    const std::pair<int, const std::optional<Geometry>*> layers[] = {{GROUP_LIGHT_MAPS, &structure.lightMaps},
                                                                     {GROUP_SELF_ILLUM, &structure.screens},
                                                                     {GROUP_REFLECTIVE_GLASS, &structure.glass},
                                                                     {GROUP_CHROME, &structure.chrome}};
    for (const auto& [group, layer] : layers)
        if (*layer)
            writer.AddFrame(group, **layer);
    for (const Vec3& lamp : structure.lamps)
        writer.AddControlPoint(POINT_LIST_LIGHTS, lamp);
    for (const auto& [lamp, aim] : structure.directedLamps) {
        writer.AddControlPoint(POINT_LIST_DIRECT_LIGHTS, lamp);
        writer.AddControlPoint(POINT_LIST_DIRECT_LIGHTS, aim);
    }
    for (const auto& [lamp, lit] : structure.floodlights) {
        writer.AddControlPoint(POINT_LIST_SPOTS, lamp);
        writer.AddControlPoint(POINT_LIST_SPOTS, lit);
    }
    for (const Vec3& burner : structure.burners)
        writer.AddControlPoint(POINT_LIST_FLAMES, burner);
    return writer.Encode();
}

// Start gate: two pillars beside the road and a beam over it. The banner under the beam shows
// the info-screen pages; light strips run up the pillars' inner faces and under the beam; chrome
// collars ring the pillars; four lamps on the beam point back at the racers coming in.
Structure StartGate()
{
    Structure gate;
    gate.body = Join({MakeBox({-13, 6, 0}, {1.2f, 8, 1.2f}), MakeBox({13, 6, 0}, {1.2f, 8, 1.2f}),
                      MakeBox({0, 14.5f, 0}, {14.5f, 1.2f, 1.6f}), MakeBox({0, 11, 0}, {5, 2.4f, 0.4f})});
    gate.screens = MakeBox({0, 11, 0}, {4.6f, 2.1f, 0.42f});
    gate.lightMaps = Join({MakeBox({-11.78f, 6, 0}, {0.04f, 7.5f, 0.5f}), MakeBox({11.78f, 6, 0}, {0.04f, 7.5f, 0.5f}),
                           MakeBox({0, 13.28f, 0}, {11.5f, 0.04f, 0.5f})});
    gate.chrome = Join({MakeBox({-13, 0.8f, 0}, {1.35f, 0.35f, 1.35f}), MakeBox({13, 0.8f, 0}, {1.35f, 0.35f, 1.35f})});
    for (const float x : {-9.0f, -4.5f, 4.5f, 9.0f})
        gate.directedLamps.push_back({{x, 14.5f, -1.7f}, {x, 14.3f, -2.7f}});
    gate.sections = {SelfIllumSection(0, "INFOSCREENS"), LightMapsSection(1, 0, LIGHT_STRIP, 255, 255, 255),
                     ChromeSection(0, CHROME, CHROME_REFLECTION), LightsSection(true, 0.7f, 255, 240, 200),
                     ShadowSection(false)};
    return gate;
}

// Light frame: a slimmer gate with five lamp housings under its beam, glass lenses on both faces.
// Each lamp glows on both sides and throws a cone onto the road in front of it (-z: the grid
// sees the start frame from there). The countdown paints lamps and cones.
Structure LightsFrame()
{
    Structure frame;
    frame.body = Join({MakeBox({-12, 5, 0}, {0.6f, 7, 0.6f}), MakeBox({12, 5, 0}, {0.6f, 7, 0.6f}),
                       MakeBox({0, 12.5f, 0}, {12.6f, 0.6f, 0.8f})});
    Geometry lenses;
    for (int lamp = -2; lamp <= 2; ++lamp) {
        const float x = float(lamp) * 4.0f;
        frame.body.Append(MakeBox({x, 11.2f, 0}, {1.1f, 0.8f, 0.8f}));
        lenses.Append(MakeBox({x, 11.2f, 0}, {0.8f, 0.55f, 0.84f}));
        frame.lamps.push_back({x, 11.2f, -1.0f});
        frame.lamps.push_back({x, 11.2f, 1.0f});
        frame.floodlights.push_back({{x, 10.6f, -0.9f}, {x, 0.1f, -9.0f}});
    }
    frame.glass = lenses;
    frame.sections = {GlassSection(0, GLASS), Beacons(1.6f), SpotsSection(255, 0, 0), ShadowSection(false)};
    return frame;
}

// A band of lit windows around a box: a hair larger than the box, so that it lies on its faces.
Geometry WindowBand(Vec3 centre, Vec3 half) { return MakeBox(centre, half + Vec3 {0.05f, 0, 0.05f}); }

// Roadside towers floating beside the course (+z faces the road, 45 units away and 4 below it),
// each its own silhouette and its own lights: lit windows, beacons on top, floodlights onto the
// road, burners on the chimneys and the stepped tower, chrome domes and glass bands.
Structure Tower(int variant)
{
    Structure tower;
    const DescriptionSection windows = LightMapsSection(1, 0, WINDOWS, 255, 255, 255);
    switch (variant) {
    case 0: // block with a wide head: glass band round the head, beacons at its corners
        tower.body = Join({MakeBox({0, 6, 0}, {6, 14, 6}), MakeBox({0, 22, 0}, {9, 2, 9})});
        tower.shadowSource = Join({MakeBox({0, 10, 0}, {6, 10, 6}), MakeBox({0, 22, 0}, {9, 2, 9})});
        tower.lightMaps = WindowBand({0, 6, 0}, {6, 12, 6});
        tower.glass = MakeBox({0, 22, 0}, {9.05f, 1.2f, 9.05f});
        tower.lamps = {{-8.5f, 25.6f, -8.5f}, {8.5f, 25.6f, -8.5f}, {-8.5f, 25.6f, 8.5f}, {8.5f, 25.6f, 8.5f}};
        tower.sections = {windows, GlassSection(0, GLASS), Beacons(1.8f), ShadowSection(false)};
        break;
    case 1: // column with a chrome dome and a beacon on it
        tower.body = Join({MakeCylinder({0, -8, 0}, 5, 28, 12, true), MakeSphere({0, 26, 0}, 7, 8, 12)});
        tower.shadowSource = Join({MakeCylinder({0, 0, 0}, 5, 20, 12, true), MakeSphere({0, 26, 0}, 7, 8, 12)});
        tower.chrome = MakeSphere({0, 26, 0}, 7.05f, 8, 12);
        tower.lamps = {{0, 34.8f, 0}};
        tower.sections = {ChromeSection(0, CHROME, CHROME_REFLECTION), Beacons(1.8f), ShadowSection(false)};
        break;
    case 2: // mast with two cross arms: floodlights on the arm towards the road
        tower.body = Join({MakeBox({0, 2, 0}, {4, 10, 4}), MakeBox({0, 6, 0}, {12, 1.5f, 3}),
                           MakeBox({0, 12, 0}, {3, 1.5f, 12})});
        tower.shadowSource = Join({MakeBox({0, 2, 0}, {4, 2, 4}), MakeBox({0, 6, 0}, {12, 1.5f, 3}),
                                   MakeBox({0, 12, 0}, {3, 1.5f, 12})});
        tower.lightMaps = WindowBand({0, -2, 0}, {4, 5, 4});
        tower.floodlights = {{{-2, 11, 11.5f}, {-6, 4.2f, 40}}, {{2, 11, 11.5f}, {6, 4.2f, 40}}};
        tower.lamps = {{-11, 9.1f, 0}, {11, 9.1f, 0}};
        tower.sections = {windows, Beacons(1.6f), SpotsSection(255, 255, 255), ShadowSection(false)};
        break;
    case 3: // stacked drums under a chimney with a burner
        tower.body = Join({MakeCylinder({0, -8, 0}, 8, 8, 16, true), MakeCylinder({0, 0, 0}, 5, 15, 12, true),
                           MakeCylinder({0, 15, 0}, 2, 15, 8, true)});
        tower.shadowSource = Join({MakeCylinder({0, 0, 0}, 5, 15, 12, true), MakeCylinder({0, 15, 0}, 2, 15, 8, true)});
        tower.lightMaps = MakeCylinder({0, 1, 0}, 5.05f, 12, 12, false);
        tower.burners = {{0, 30.3f, 0}};
        tower.sections = {windows, Burner(), ShadowSection(false)};
        break;
    case 4: // two posts and a beam: lamps on the beam facing the road, floodlights under it
        tower.body = Join({MakeBox({-5, 3.5f, 0}, {3, 11.5f, 3}), MakeBox({5, 3.5f, 0}, {3, 11.5f, 3}),
                           MakeBox({0, 16, 0}, {9, 2, 4})});
        tower.shadowSource = Join({MakeBox({-5, 7.5f, 0}, {3, 7.5f, 3}), MakeBox({5, 7.5f, 0}, {3, 7.5f, 3}),
                                   MakeBox({0, 16, 0}, {9, 2, 4})});
        tower.lightMaps = Join({WindowBand({-5, 3, 0}, {3, 9, 3}), WindowBand({5, 5, 0}, {3, 7, 3})});
        for (const float x : {-6.0f, 0.0f, 6.0f})
            tower.directedLamps.push_back({{x, 16, 4.1f}, {x, 15.8f, 5.1f}});
        tower.floodlights = {{{-4, 13.9f, 3.5f}, {-4, 4.2f, 38}}, {{4, 13.9f, 3.5f}, {4, 4.2f, 38}}};
        tower.sections = {windows, LightsSection(true, 0.8f, 255, 255, 255), SpotsSection(255, 255, 255),
                          ShadowSection(false)};
        break;
    case 5: // a chrome ball on a stalk
        tower.body = MakeSphere({0, 4, 0}, 12, 10, 16);
        tower.chrome = MakeSphere({0, 4, 0}, 12.05f, 10, 16);
        tower.lamps = {{0, 17.6f, 0}};
        tower.sections = {ChromeSection(0, CHROME, CHROME_REFLECTION), Beacons(1.5f), ShadowSection(false)};
        break;
    case 6: // stepped tower: glass middle, four burners on the top step
        tower.body = Join({MakeBox({0, -4, 0}, {10, 4, 10}), MakeBox({0, 5, 0}, {7, 5, 7}),
                           MakeBox({0, 17, 0}, {4, 7, 4})});
        tower.shadowSource = Join({MakeBox({0, 5, 0}, {7, 5, 7}), MakeBox({0, 17, 0}, {4, 7, 4})});
        tower.lightMaps = WindowBand({0, -4, 0}, {10, 2.5f, 10});
        tower.glass = MakeBox({0, 5, 0}, {7.05f, 3, 7.05f});
        tower.burners = {{-3, 24.3f, -3}, {3, 24.3f, -3}, {-3, 24.3f, 3}, {3, 24.3f, 3}};
        tower.sections = {windows, GlassSection(0, GLASS), Burner(), ShadowSection(false)};
        break;
    default: // antenna with a landing disc and a chrome cap: beacons round the disc, floodlights under it
        tower.body = Join({MakeCylinder({0, -8, 0}, 3, 33, 10, true), MakeBox({0, 20, 0}, {10, 0.8f, 10}),
                           MakeSphere({0, 27, 0}, 4, 6, 10)});
        tower.shadowSource = Join({MakeCylinder({0, 0, 0}, 3, 25, 10, true), MakeBox({0, 20, 0}, {10, 0.8f, 10}),
                                   MakeSphere({0, 27, 0}, 4, 6, 10)});
        tower.chrome = MakeSphere({0, 27, 0}, 4.05f, 6, 10);
        tower.lamps = {{-9, 22.8f, -9}, {9, 22.8f, -9}, {-9, 22.8f, 9}, {9, 22.8f, 9}};
        tower.floodlights = {{{0, 19.1f, 9.5f}, {0, 4.2f, 40}}};
        tower.sections = {ChromeSection(0, CHROME, CHROME_REFLECTION), Beacons(2.0f), SpotsSection(255, 255, 255),
                          ShadowSection(false)};
        break;
    }
    return tower;
}

// Info panel: a board on a mast, its screen towards the course (+z) cycling the info-screen
// pages, two warning lamps on the board's top corners.
Structure InfoPanel()
{
    Structure panel;
    panel.body = Join({MakeCylinder({0, -8, 0}, 1.2f, 20, 8, true), MakeBox({0, 16, 0}, {10, 6, 0.8f})});
    panel.shadowSource = Join({MakeCylinder({0, 0, 0}, 1.2f, 12, 8, true), MakeBox({0, 16, 0}, {10, 6, 0.8f})});
    panel.screens = MakeBox({0, 16, 0.8f}, {9, 4.5f, 0.06f});
    panel.lamps = {{-9.5f, 23.6f, 0}, {9.5f, 23.6f, 0}};
    panel.sections = {SelfIllumSection(0, "INFOSCREENS"), Beacons(1.6f), ShadowSection(false)};
    return panel;
}

void AddStructure(AssetSink& sink, const std::string& name, const Structure& structure)
{
    for (const MeshVertex& vertex : structure.body.vertices)
        if (vertex.position[1] < -DEEPEST_BELOW_PLACE)
            throw std::invalid_argument("structure " + name + " reaches below its place into another piece's road");
    const std::string mesh = FOLDER + name + ".msh";
    sink.Add(mesh, Pack::World, MeshOf(structure));
    ObjectDescriptionSpec description;
    description.objectType = "GTYPE_STRUCTURE";
    description.mesh = mesh;
    description.baseTexture = FOLDER + "Structure.jpg";
    description.bumpTexture = FOLDER + "StructureBump.jpg";
    description.sections = structure.sections;
    sink.Add(FOLDER + name + ".obj", Pack::Objects, WriteObjectDescription(description).Bytes());
}

DecodedImage Panels(unsigned r, unsigned g, unsigned b)
{
    return MakeFlatImage(128, 128, [=](unsigned x, unsigned y) {
        const bool seam = x % 32 == 0 || y % 32 == 0;
        const unsigned shade = (x / 32 + y / 32) % 2 ? 12 : 0;
        return seam ? Argb(255, r / 3, g / 3, b / 3) : Argb(255, r + shade, g + shade, b + shade);
    });
}

// Light maps are added to the lit surface: black stays dark, grey windows light up in the hue.
DecodedImage WindowGrid()
{
    return MakeFlatImage(128, 128, [](unsigned x, unsigned y) {
        const bool window = x % 32 >= 8 && x % 32 < 24 && y % 16 >= 4 && y % 16 < 12;
        const bool dark = ((x / 32) * 7 + (y / 16) * 3) % 5 == 0; // some rooms unlit
        return window && !dark ? Argb(255, 230, 230, 230) : Argb(255, 0, 0, 0);
    });
}

// A bright bar across the middle, soft at its edges.
DecodedImage LightStrip()
{
    return MakeFlatImage(64, 64, [](unsigned x, unsigned) {
        const float d = std::fabs(float(x) - 31.5f) / 32.0f;
        const auto level = unsigned(255.0f * std::max(0.0f, 1.0f - d * d * 1.6f));
        return Argb(255, level, level, level);
    });
}

// The environment a chrome surface mirrors: dark space above a bright horizon band.
DecodedImage ChromeReflection()
{
    return MakeFlatImage(128, 128, [](unsigned x, unsigned y) {
        const float t = float(y) / 127.0f;
        const float band = std::exp(-std::pow((t - 0.55f) * 7.0f, 2.0f));
        const float streak = 0.15f * std::sin(float(x) * 0.2f);
        const auto level = [&](float base, float top) { return unsigned(std::clamp(base + top * (band + streak), 0.0f, 255.0f)); };
        return Argb(255, level(30, 220), level(36, 225), level(52, 230));
    });
}

// Tinted glass: a blue-grey with a faint frame.
DecodedImage Glass()
{
    return MakeFlatImage(64, 64, [](unsigned x, unsigned y) {
        const bool mullion = x % 16 == 0 || y % 32 == 0;
        return mullion ? Argb(255, 40, 50, 60) : Argb(255, 90, 120, 150);
    });
}

} // namespace

void AddStructures(AssetSink& sink)
{
    sink.Add(FOLDER + "Structure.jpg", Pack::Textures, WriteJpg(Panels(110, 120, 140)));
    sink.Add(FOLDER + "StructureBump.jpg", Pack::Textures,
             WriteJpg(MakeFlatImage(64, 64, [](unsigned, unsigned) { return Argb(255, 128, 128, 255); })));
    sink.Add(WINDOWS, Pack::Textures, WriteJpg(WindowGrid()));
    sink.Add(LIGHT_STRIP, Pack::Textures, WriteJpg(LightStrip()));
    sink.Add(CHROME, Pack::Textures, WriteJpg(Panels(200, 200, 210)));
    sink.Add(CHROME_REFLECTION, Pack::Textures, WriteJpg(ChromeReflection()));
    sink.Add(GLASS, Pack::Textures, WriteJpg(Glass()));
    AddStructure(sink, "Start", StartGate());
    AddStructure(sink, "LightsFrame", LightsFrame());
    for (int variant = 0; variant < 8; ++variant)
        AddStructure(sink, "Main0" + std::to_string(variant + 1), Tower(variant));
    AddStructure(sink, "InfoPanel", InfoPanel());
}
