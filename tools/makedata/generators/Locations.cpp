// The four locations: their lighting and object lists, and the scenery they name: a nebula shell
// around the camera, planets in the sky with halo and cloud layers, and a planet below the
// track whose clouds (and in two locations its ocean) lie beneath the floating course.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "tools/makedata/Generators.h"
#include "tools/makedata/ImageWriters.h"
#include "tools/makedata/MeshWriter.h"
#include "tools/makedata/ObjectDescriptionWriter.h"

namespace {

constexpr float PI = 3.14159265f;
constexpr int LOCATION_COUNT = 4;
// Brightness of the densest clouds over the ground planet, before their layer colours.
constexpr float GROUND_CLOUD_PEAK = 0.35f;

struct Rgb {
    int r, g, b;
};

// ---- textures ----

float Wave(float x, float y, unsigned seed)
{
    const float s = float(seed % 97) * 0.37f;
    return 0.5f + 0.25f * std::sin(x * 6.1f + s + 2.0f * std::sin(y * 3.3f + s))
           + 0.25f * std::sin(y * 9.7f - s + 1.5f * std::sin(x * 4.9f - s));
}

// Smooth, tiling in x: latitude bands bent by two waves.
float Pattern(unsigned x, unsigned y, unsigned width, unsigned height, unsigned seed)
{
    const float u = 2.0f * PI * float(x) / float(width);
    const float v = PI * float(y) / float(height);
    return std::clamp(0.6f * Wave(std::sin(u) * 2.0f, v + 0.2f * std::cos(u), seed)
                          + 0.4f * Wave(std::cos(u) * 3.0f, 2.0f * v, seed + 11),
                      0.0f, 1.0f);
}

unsigned Mix(int from, int to, float t) { return unsigned(std::clamp(float(from) + float(to - from) * t, 0.0f, 255.0f)); }

DecodedImage Banded(unsigned width, unsigned height, Rgb dark, Rgb light, unsigned seed)
{
    return MakeFlatImage(width, height, [=](unsigned x, unsigned y) {
        const float t = Pattern(x, y, width, height, seed);
        return Argb(255, Mix(dark.r, light.r, t), Mix(dark.g, light.g, t), Mix(dark.b, light.b, t));
    });
}

// Land where the pattern is high. Without a sea colour the seas are clear (alpha 0), for an
// ocean drawn below the body to show through; with one they are opaque in it, shading into the
// land along the coast.
DecodedImage Continents(unsigned width, unsigned height, Rgb land, const Rgb* sea, unsigned seed)
{
    return MakeFlatImage(width, height, [=](unsigned x, unsigned y) {
        const float t = Pattern(x, y, width, height, seed);
        const float landShare = std::clamp((t - 0.5f) * 6.0f, 0.0f, 1.0f);
        const Rgb ground {int(Mix(land.r / 2, land.r, t)), int(Mix(land.g / 2, land.g, t)),
                          int(Mix(land.b / 2, land.b, t))};
        if (!sea)
            return Argb(unsigned(landShare * 255.0f), unsigned(ground.r), unsigned(ground.g), unsigned(ground.b));
        return Argb(255, Mix(sea->r, ground.r, landShare), Mix(sea->g, ground.g, landShare),
                    Mix(sea->b, ground.b, landShare));
    });
}

// Additive clouds: wisps up to peak (0..1) on black, eased in and out so that no texel edge shows
// where the texture is seen close up.
DecodedImage Clouds(unsigned width, unsigned height, unsigned seed, float sharpness, float peak)
{
    return MakeFlatImage(width, height, [=](unsigned x, unsigned y) {
        const float t = std::clamp((Pattern(x, y, width, height, seed) - 0.45f) * sharpness, 0.0f, 1.0f);
        const unsigned c = unsigned(t * t * (3.0f - 2.0f * t) * peak * 255.0f);
        return Argb(255, c, c, c);
    });
}

DecodedImage Halo(Rgb colour)
{
    return MakeFlatImage(64, 64, [=](unsigned, unsigned y) {
        const float t = 1.0f - std::fabs(float(y) / 63.0f - 0.5f) * 1.6f;
        return Argb(unsigned(std::clamp(t, 0.0f, 1.0f) * 70.0f), unsigned(colour.r), unsigned(colour.g),
                    unsigned(colour.b));
    });
}

// Dark space glowing in the first colour, the second added at half strength in the brightest
// parts; a channel whose sum passes white stays white.
DecodedImage NebulaSky(Rgb a, Rgb b, unsigned seed)
{
    return MakeFlatImage(512, 256, [=](unsigned x, unsigned y) {
        const float glow = std::pow(Pattern(x, y, 512, 256, seed), 3.0f);
        const auto channel = [glow](int dark, int first, int second) {
            return std::min(255u, Mix(dark, first, glow) + Mix(0, second, glow * glow) / 2);
        };
        return Argb(255, channel(4, a.r, b.r), channel(4, a.g, b.g), channel(10, a.b, b.b));
    });
}

DecodedImage FlatNormalMap()
{
    return MakeFlatImage(128, 64, [](unsigned x, unsigned y) {
        const float t = Pattern(x, y, 128, 64, 5) - 0.5f;
        return Argb(255, Mix(128, 160, t), Mix(128, 160, -t), 255);
    });
}

// ---- meshes ----

Geometry Sphere(Vec3 centre, float radius) { return MakeSphere(centre, radius, 16, 24); }

// The inside of a sphere: normals in, winding reversed.
Geometry InsideSphere(float radius)
{
    Geometry sphere = Sphere({}, radius);
    for (MeshVertex& vertex : sphere.vertices) {
        for (float& n : vertex.normal)
            n = -n;
    }
    for (std::size_t i = 0; i + 2 < sphere.indices.size(); i += 3)
        std::swap(sphere.indices[i + 1], sphere.indices[i + 2]);
    return sphere;
}

std::vector<std::uint8_t> NebulaMesh()
{
    MeshWriter writer;
    writer.AddFrame(GROUP_BODY, InsideSphere(1800.0f));
    return writer.Encode();
}

// A planet in the sky: body, halo (group 8) and cloud shell (group 9).
std::vector<std::uint8_t> SkyPlanetMesh(float radius)
{
    MeshWriter writer;
    writer.AddFrame(GROUP_BODY, Sphere({}, radius));
    writer.AddFrame(8, Sphere({}, radius * 1.05f));
    writer.AddFrame(9, Sphere({}, radius * 1.03f));
    return writer.Encode();
}

// A finely divided sphere with its poles on the z axis: the planet below the course turns about
// y under the eye, which then always looks down at its equator, never at a pole's fan of seams.
Geometry LyingSphere(Vec3 centre, float radius)
{
    Geometry sphere = MakeSphere({}, radius, 32, 64);
    const auto turn = [](float* v) { // a quarter turn about x: y to z
        const float y = v[1];
        v[1] = -v[2];
        v[2] = y;
    };
    for (MeshVertex& vertex : sphere.vertices) {
        turn(vertex.position);
        turn(vertex.normal);
    }
    sphere.Translate(centre);
    return sphere;
}

// The planet below the course. It is kept at the eye less the cloud shell's radius, so the shell
// is centred 60 units below the model origin to put the clouds 60 units under the eye; the body
// lies further down, and the ocean just outside it, so that it lies under every sea pixel of
// the body, whose own depth then keeps the sky off it.
std::vector<std::uint8_t> GroundPlanetMesh(bool ocean)
{
    const Vec3 centre {0, -60.0f, 0};
    MeshWriter writer;
    writer.AddFrame(GROUP_BODY, LyingSphere(centre, 1400.0f));
    writer.AddFrame(9, LyingSphere(centre, 1500.0f));
    if (ocean)
        writer.AddFrame(10, LyingSphere(centre, 1405.0f));
    return writer.Encode();
}

// ---- descriptions ----

struct SkyPlanet {
    const char* name;
    float radius;
    Rgb dark, light, halo;
    Vec3 offset; // from the eye
};

struct Location {
    Rgb sun, second;
    int sunDirection[3], secondDirection[3];
    Rgb nebulaA, nebulaB;
    SkyPlanet planets[2];
    int planetCount;
    Rgb ground, cloud1, cloud2;
    bool ocean;
    Rgb oceanColour; // with an ocean
    Rgb sea;         // without one: the body's own sea colour
};

const Location LOCATIONS[LOCATION_COUNT] = {
    {{255, 236, 200}, {70, 80, 110}, {-40, -60, 70}, {50, 40, -60}, {90, 60, 160}, {255, 140, 90},
     {{"Ardan", 220, {90, 50, 30}, {230, 170, 110}, {255, 190, 140}, {-380, 260, 560}},
      {"Sorel", 90, {40, 60, 90}, {160, 200, 230}, {170, 210, 255}, {420, 160, 420}}},
     2, {120, 100, 80}, {200, 200, 210}, {150, 160, 190}, false, {}, {24, 46, 96}},
    {{210, 230, 255}, {40, 70, 90}, {30, -70, 60}, {-30, 40, -80}, {40, 110, 150}, {120, 230, 200},
     {{"Tethe", 140, {30, 70, 60}, {140, 220, 190}, {150, 255, 220}, {450, 300, 420}}, {}},
     1, {90, 140, 70}, {220, 230, 240}, {170, 200, 220}, true, {20, 70, 120}, {}},
    {{255, 200, 150}, {90, 50, 60}, {-60, -40, 60}, {60, 30, -50}, {160, 60, 80}, {255, 200, 120},
     {{"Korr", 260, {80, 20, 20}, {240, 120, 60}, {255, 120, 80}, {300, 200, 620}},
      {"Vell", 70, {60, 60, 60}, {200, 200, 200}, {220, 220, 255}, {-460, 220, 380}}},
     2, {140, 70, 50}, {240, 200, 180}, {200, 140, 120}, false, {}, {40, 52, 72}},
    {{230, 240, 255}, {50, 50, 90}, {20, -80, 50}, {-40, 20, -70}, {70, 70, 170}, {180, 120, 255},
     {{"Ione", 180, {30, 30, 80}, {130, 140, 240}, {150, 160, 255}, {-300, 320, 520}}, {}},
     1, {70, 110, 90}, {230, 230, 255}, {160, 170, 230}, true, {10, 50, 110}, {}},
};

const char* const PLANET_BUMP = "Data/Static/Planets/PlanetBump.jpg";

std::string Folder(int location)
{
    char folder[32];
    std::snprintf(folder, sizeof folder, "Data/Static/Sky/%02d/", location);
    return folder;
}

void AddJpg(AssetSink& sink, const std::string& name, const DecodedImage& image)
{
    sink.Add(name, Pack::Textures, WriteJpg(image));
}

void AddDds(AssetSink& sink, const std::string& name, DecodedImage image)
{
    AddMipChain(image);
    sink.Add(name, Pack::Textures, WriteDds(image, DdsFormat::A8R8G8B8));
}

std::string Nebula(AssetSink& sink, int location, const Location& l)
{
    const std::string folder = Folder(location);
    AddJpg(sink, folder + "Nebula.jpg", NebulaSky(l.nebulaA, l.nebulaB, unsigned(location) * 7));
    ObjectDescriptionSpec spec;
    spec.objectType = "GTYPE_NEBULA";
    spec.mesh = "Data/Static/Sky/Nebula.msh";
    spec.baseTexture = folder + "Nebula.jpg";
    sink.Add(folder + "Nebula.obj", Pack::Objects, WriteObjectDescription(spec).Bytes());
    return folder + "Nebula.obj";
}

std::string Planet(AssetSink& sink, int location, const SkyPlanet& p, unsigned seed)
{
    const std::string base = Folder(location) + p.name;
    AddJpg(sink, base + ".jpg", Banded(256, 128, p.dark, p.light, seed));
    AddDds(sink, base + "Halo.dds", Halo(p.halo));
    AddJpg(sink, base + "Clouds.jpg", Clouds(256, 128, seed + 3, 2.5f, 1.0f));
    sink.Add(base + ".msh", Pack::World, SkyPlanetMesh(p.radius));
    const int white[3] = {200, 200, 200};
    const int grey[3] = {120, 120, 130};
    ObjectDescriptionSpec spec;
    spec.objectType = "GTYPE_PLANET2";
    spec.mesh = base + ".msh";
    spec.baseTexture = base + ".jpg";
    spec.bumpTexture = PLANET_BUMP;
    spec.sections = {PlanetHaloSection(0, base + "Halo.dds"),
                     PlanetCloudsSection(0, base + "Clouds.jpg", base + "Clouds.jpg", white, grey)};
    sink.Add(base + ".obj", Pack::Objects, WriteObjectDescription(spec).Bytes());
    return base + ".obj";
}

std::string GroundPlanet(AssetSink& sink, int location, const Location& l)
{
    const std::string base = Folder(location) + "Ground";
    AddDds(sink, base + ".dds", Continents(512, 256, l.ground, l.ocean ? nullptr : &l.sea, unsigned(location) * 13));
    // Close under the eye and added to the lit land: the simple layers, each drawn at twice its
    // colour, peak at half the best ones' brightness. Stored lossless: seen this close, the
    // blocks of a .jpg show.
    AddDds(sink, base + "Clouds.dds", Clouds(512, 256, unsigned(location) * 17, 2.5f, GROUND_CLOUD_PEAK / 2));
    AddDds(sink, base + "CloudsBest.dds", Clouds(1024, 512, unsigned(location) * 17 + 1, 3.0f, GROUND_CLOUD_PEAK));
    sink.Add(base + ".msh", Pack::World, GroundPlanetMesh(l.ocean));
    const int cloud1[3] = {l.cloud1.r, l.cloud1.g, l.cloud1.b};
    const int cloud2[3] = {l.cloud2.r, l.cloud2.g, l.cloud2.b};
    ObjectDescriptionSpec spec;
    spec.objectType = "GTYPE_PLANET1";
    spec.mesh = base + ".msh";
    spec.baseTexture = base + ".dds";
    spec.bumpTexture = PLANET_BUMP;
    spec.sections = {PlanetCloudsSection(0, base + "Clouds.dds", base + "CloudsBest.dds", cloud1, cloud2)};
    if (l.ocean) {
        const Rgb& o = l.oceanColour;
        AddJpg(sink, base + "Ocean.jpg", Banded(128, 64, {o.r / 2, o.g / 2, o.b / 2}, o, unsigned(location)));
        const int ocean[3] = {o.r, o.g, o.b};
        spec.sections.push_back(PlanetOceanSection(0, base + "Ocean.jpg", ocean));
    }
    sink.Add(base + ".obj", Pack::Objects, WriteObjectDescription(spec).Bytes());
    return base + ".obj";
}

void Record(FixedColumnText& text, const std::string& file, Vec3 position, Vec3 target)
{
    text.Value("Object:", file)
        .Value("Position:", VectorText(position.x, position.y, position.z))
        .Value("Target:", VectorText(target.x, target.y, target.z))
        .Value("Up:", VectorText(0, 1, 0))
        .Free();
}

void GenerateLocations(AssetSink& sink)
{
    sink.Add("Data/Static/Sky/Nebula.msh", Pack::World, NebulaMesh());
    AddJpg(sink, PLANET_BUMP, FlatNormalMap());
    for (int location = 1; location <= LOCATION_COUNT; ++location) {
        const Location& l = LOCATIONS[location - 1];
        FixedColumnText text;
        char title[64];
        std::snprintf(title, sizeof title, "// Vestrune location %02d", location);
        text.Free(title).Free("//").Free("//").Free("// Lighting");
        text.Value("Light 1 colour:", ColourText(l.sun.r, l.sun.g, l.sun.b))
            .Value("Light 2 colour:", ColourText(l.second.r, l.second.g, l.second.b))
            .Value("Light 1 direction:", DirectionText(l.sunDirection[0], l.sunDirection[1], l.sunDirection[2]))
            .Value("Light 2 direction:", DirectionText(l.secondDirection[0], l.secondDirection[1], l.secondDirection[2]))
            .Free("// Objects");
        Record(text, Nebula(sink, location, l), {0, 0, 0}, {0, 0, 1});
        Record(text, GroundPlanet(sink, location, l), {0, 0, 0}, {0, 0, 1});
        for (int i = 0; i < l.planetCount; ++i) {
            const SkyPlanet& p = l.planets[i];
            Record(text, Planet(sink, location, p, unsigned(location * 10 + i)), p.offset,
                   p.offset + Vec3 {0, 0, 1});
        }
        text.End();
        char name[64];
        std::snprintf(name, sizeof name, "Data/Locations/%02d/LocationData.obj", location);
        sink.Add(name, Pack::Objects, text.Bytes());
    }
}

const GeneratorRegistration registration("locations", GenerateLocations);

} // namespace
