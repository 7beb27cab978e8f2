// What the track builder sets beside and on the pieces: the start gate and light frames, the
// roadside towers and info panels, the decor boxes and signs, the info-screen pictures and the
// menu's track picture.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/makedata/Generators.h"
#include "tools/makedata/ImageWriters.h"
#include "tools/makedata/MeshWriter.h"
#include "tools/makedata/ObjectDescriptionWriter.h"

namespace {

const std::string STRUCTURES = "Data/Static/Structures/01/";
const std::string BOXES = "Data/Static/Decors/Boxes/";
const std::string SIGNS = "Data/Static/Decors/Signs/";

Geometry Join(std::initializer_list<Geometry> parts)
{
    Geometry whole;
    for (const Geometry& part : parts)
        whole.Append(part);
    return whole;
}

// A structure is drawn and collides with the same geometry.
std::vector<std::uint8_t> StructureMesh(const Geometry& geometry)
{
    MeshWriter writer;
    writer.AddFrame(GROUP_BODY, geometry);
    writer.AddFrame(GROUP_COLLISION, geometry);
    return writer.Encode();
}

// Start gate: two pillars beside the road and a beam over it.
Geometry StartGate()
{
    return Join({MakeBox({-13, 6, 0}, {1.2f, 8, 1.2f}), MakeBox({13, 6, 0}, {1.2f, 8, 1.2f}),
                 MakeBox({0, 14.5f, 0}, {14.5f, 1.2f, 1.6f}), MakeBox({0, 12.4f, 0}, {6, 0.9f, 0.4f})});
}

// Light frame: a slimmer gate with five lamp housings under its beam.
Geometry LightsFrame()
{
    Geometry frame = Join({MakeBox({-12, 5, 0}, {0.6f, 7, 0.6f}), MakeBox({12, 5, 0}, {0.6f, 7, 0.6f}),
                           MakeBox({0, 12.5f, 0}, {12.6f, 0.6f, 0.8f})});
    for (int lamp = -2; lamp <= 2; ++lamp)
        frame.Append(MakeBox({float(lamp) * 4.0f, 11.2f, 0}, {1.1f, 0.8f, 0.8f}));
    return frame;
}

// Roadside towers floating beside the course, each its own silhouette.
Geometry Tower(int variant)
{
    switch (variant) {
    case 0: return Join({MakeBox({0, -10, 0}, {6, 30, 6}), MakeBox({0, 22, 0}, {9, 2, 9})});
    case 1: return Join({MakeCylinder({0, -40, 0}, 5, 60, 12, true), MakeSphere({0, 26, 0}, 7, 8, 12)});
    case 2: return Join({MakeBox({0, -20, 0}, {4, 24, 4}), MakeBox({0, 6, 0}, {12, 1.5f, 3}), MakeBox({0, 12, 0}, {3, 1.5f, 12})});
    case 3: return Join({MakeCylinder({0, -30, 0}, 8, 20, 16, true), MakeCylinder({0, -10, 0}, 5, 25, 12, true),
                         MakeCylinder({0, 15, 0}, 2, 15, 8, true)});
    case 4: return Join({MakeBox({-5, -15, 0}, {3, 30, 3}), MakeBox({5, -10, 0}, {3, 25, 3}), MakeBox({0, 16, 0}, {9, 2, 4})});
    case 5: return Join({MakeSphere({0, 0, 0}, 12, 10, 16), MakeCylinder({0, -35, 0}, 1.5f, 25, 8, true)});
    case 6: return Join({MakeBox({0, -25, 0}, {10, 10, 10}), MakeBox({0, -5, 0}, {7, 10, 7}), MakeBox({0, 12, 0}, {4, 7, 4})});
    default: return Join({MakeCylinder({0, -30, 0}, 3, 55, 10, true), MakeBox({0, 20, 0}, {10, 0.8f, 10}), MakeSphere({0, 27, 0}, 4, 6, 10)});
    }
}

// Info panel: a board on a mast, its screen towards the course (+z).
Geometry InfoPanel()
{
    return Join({MakeCylinder({0, -30, 0}, 1.2f, 42, 8, true), MakeBox({0, 16, 0}, {10, 6, 0.8f})});
}

void AddStructure(AssetSink& sink, const std::string& name, const Geometry& geometry)
{
    const std::string mesh = STRUCTURES + name + ".msh";
    sink.Add(mesh, Pack::World, StructureMesh(geometry));
    ObjectDescriptionSpec description;
    description.objectType = "GTYPE_STRUCTURE";
    description.mesh = mesh;
    description.baseTexture = STRUCTURES + "Structure.jpg";
    description.bumpTexture = STRUCTURES + "StructureBump.jpg";
    sink.Add(STRUCTURES + name + ".obj", Pack::Objects, WriteObjectDescription(description).Bytes());
}

// A decor: drawn, colliding, and simulated as the boxes given (one frame of group 13 each).
void AddDecor(AssetSink& sink, const std::string& folder, const Geometry& body, const std::vector<Geometry>& boxes,
              const std::string& texture, const char* mass)
{
    MeshWriter writer;
    writer.AddFrame(GROUP_BODY, body);
    writer.AddFrame(GROUP_COLLISION, body);
    for (const Geometry& box : boxes)
        writer.AddFrame(GROUP_PHYSICS_BOXES, box);
    sink.Add(folder + "Main01.msh", Pack::World, writer.Encode());
    ObjectDescriptionSpec description;
    description.objectType = "GTYPE_DECORS";
    description.mesh = folder + "Main01.msh";
    description.baseTexture = texture;
    description.tail = {{"Mass:", mass}, {"Reserved:", "0"}};
    sink.Add(folder + "Main01.obj", Pack::Objects, WriteObjectDescription(description).Bytes());
}

DecodedImage Panels(unsigned r, unsigned g, unsigned b)
{
    return MakeFlatImage(128, 128, [=](unsigned x, unsigned y) {
        const bool seam = x % 32 == 0 || y % 32 == 0;
        const unsigned shade = (x / 32 + y / 32) % 2 ? 12 : 0;
        return seam ? Argb(255, r / 3, g / 3, b / 3) : Argb(255, r + shade, g + shade, b + shade);
    });
}

// A crate face with a frame and a cross brace, in one of three paints.
DecodedImage Crate(unsigned r, unsigned g, unsigned b)
{
    return MakeFlatImage(64, 64, [=](unsigned x, unsigned y) {
        const bool frame = x < 6 || y < 6 || x > 57 || y > 57;
        const bool brace = (x > y ? x - y : y - x) < 4 || (x + y > 60 && x + y < 68);
        if (frame || brace)
            return Argb(255, r / 2, g / 2, b / 2);
        return Argb(255, r, g, b);
    });
}

// Chevrons pointing the way, white on red.
DecodedImage SignFace()
{
    return MakeFlatImage(128, 64, [](unsigned x, unsigned y) {
        const int phase = (int(x) + std::abs(int(y) - 32)) % 32;
        return phase < 12 ? Argb(255, 240, 240, 240) : Argb(255, 200, 30, 30);
    });
}

// Info-screen pages: bands and discs in the page's colours.
DecodedImage InfoScreen(int page)
{
    const unsigned hue[4][3] = {{40, 160, 255}, {255, 120, 30}, {60, 230, 120}, {230, 60, 200}};
    const unsigned* c = hue[page % 4];
    return MakeFlatImage(256, 128, [=](unsigned x, unsigned y) {
        const float dx = float(x) - 200.0f, dy = float(y) - 64.0f;
        const bool disc = dx * dx + dy * dy < 1600.0f;
        const bool band = (y / 16 + unsigned(page)) % 3 == 0 && x < 150;
        if (disc)
            return Argb(255, c[0], c[1], c[2]);
        if (band)
            return Argb(255, c[0] / 2 + 60, c[1] / 2 + 60, c[2] / 2 + 60);
        return Argb(255, 10, 14, 30);
    });
}

// The menu's track picture: a winding course on a dark ground.
DecodedImage TrackImage()
{
    return MakeFlatImage(128, 64, [](unsigned x, unsigned y) {
        const float course = 32.0f + 18.0f * std::sin(float(x) * 0.07f) * std::cos(float(x) * 0.023f);
        const float distance = std::fabs(float(y) - course);
        if (distance < 2.5f)
            return Argb(255, 240, 200, 60);
        if (distance < 4.5f)
            return Argb(255, 90, 100, 130);
        return Argb(255, 16, 20, 40);
    });
}

void GenerateTrackObjects(AssetSink& sink)
{
    sink.Add(STRUCTURES + "Structure.jpg", Pack::Textures, WriteJpg(Panels(110, 120, 140)));
    sink.Add(STRUCTURES + "StructureBump.jpg", Pack::Textures,
             WriteJpg(MakeFlatImage(64, 64, [](unsigned, unsigned) { return Argb(255, 128, 128, 255); })));
    AddStructure(sink, "Start", StartGate());
    AddStructure(sink, "LightsFrame", LightsFrame());
    for (int variant = 0; variant < 8; ++variant)
        AddStructure(sink, "Main0" + std::to_string(variant + 1), Tower(variant));
    AddStructure(sink, "InfoPanel", InfoPanel());

    const Geometry crate = MakeBox({0, 0, 0}, {1.5f, 1.5f, 1.5f});
    AddDecor(sink, BOXES, crate, {crate}, BOXES + "Box%3.jpg", "20.0");
    const unsigned paints[3][3] = {{150, 110, 60}, {70, 110, 150}, {120, 130, 70}};
    for (int paint = 0; paint < 3; ++paint)
        sink.Add(BOXES + "Box0" + std::to_string(paint + 1) + ".jpg", Pack::Textures,
                 WriteJpg(Crate(paints[paint][0], paints[paint][1], paints[paint][2])));
    const Geometry post = MakeBox({0, 1.5f, 0}, {0.15f, 1.5f, 0.15f});
    const Geometry board = MakeBox({0, 3.6f, 0}, {2, 1, 0.15f});
    AddDecor(sink, SIGNS, Join({post, board}), {post, board}, SIGNS + "Sign.jpg", "10.0");
    sink.Add(SIGNS + "Sign.jpg", Pack::Textures, WriteJpg(SignFace()));

    for (int page = 0; page < 4; ++page) {
        char name[64];
        std::snprintf(name, sizeof name, "Data/Misc/InfoScreens/InfoScreens%02d.jpg", page + 1);
        sink.Add(name, Pack::Textures, WriteJpg(InfoScreen(page)));
    }
    sink.Add("Data/Locations/TrackImage.bmp", Pack::Textures, WriteBmp(TrackImage(), BmpBits::Rgb24));
    sink.Add("Data/Locations/TrackImage.jpg", Pack::Textures, WriteJpg(TrackImage()));
}

const GeneratorRegistration registration("trackobjects", GenerateTrackObjects);

} // namespace
