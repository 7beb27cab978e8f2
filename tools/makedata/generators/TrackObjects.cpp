// What the track builder sets beside and on the pieces: the structures (Structures.cpp), the
// decor boxes and signs, the info-screen pictures and the menu's track picture.
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "tools/makedata/Generators.h"
#include "tools/makedata/ImageWriters.h"
#include "tools/makedata/MeshWriter.h"
#include "tools/makedata/ObjectDescriptionWriter.h"
#include "tools/makedata/generators/Structures.h"

namespace {

const std::string BOXES = "Data/Static/Decors/Boxes/";
const std::string SIGNS = "Data/Static/Decors/Signs/";

struct Decor {
    Geometry body;
    std::vector<Geometry> boxes; // simulated as these (one frame of group 13 each)
    std::string texture;
    const char* mass;
    std::optional<Geometry> litFace; // drawn self-illuminated in the decor's own texture
};

// A decor: drawn, colliding, simulated as its boxes, and casting a shadow that follows it.
void AddDecor(AssetSink& sink, const std::string& folder, const Decor& decor)
{
    MeshWriter writer;
    writer.AddFrame(GROUP_BODY, decor.body);
    writer.AddFrame(GROUP_SHADOW, WeldCorners(decor.body));
    writer.AddFrame(GROUP_COLLISION, decor.body);
    if (decor.litFace)
        writer.AddFrame(GROUP_SELF_ILLUM, *decor.litFace);
    for (const Geometry& box : decor.boxes)
        writer.AddFrame(GROUP_PHYSICS_BOXES, box);
    sink.Add(folder + "Main01.msh", Pack::World, writer.Encode());
    ObjectDescriptionSpec description;
    description.objectType = "GTYPE_DECORS";
    description.mesh = folder + "Main01.msh";
    description.baseTexture = decor.texture;
    if (decor.litFace)
        description.sections.push_back(SelfIllumSection(0, decor.texture));
    description.sections.push_back(ShadowSection(true));
    description.tail = {{"Mass:", decor.mass}, {"Reserved:", "0"}};
    sink.Add(folder + "Main01.obj", Pack::Objects, WriteObjectDescription(description).Bytes());
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
    AddStructures(sink);

    const Geometry crate = MakeBox({0, 0, 0}, {1.5f, 1.5f, 1.5f});
    AddDecor(sink, BOXES, {crate, {crate}, BOXES + "Box%3.jpg", "20.0", {}});
    const unsigned paints[3][3] = {{150, 110, 60}, {70, 110, 150}, {120, 130, 70}};
    for (int paint = 0; paint < 3; ++paint)
        sink.Add(BOXES + "Box0" + std::to_string(paint + 1) + ".jpg", Pack::Textures,
                 WriteJpg(Crate(paints[paint][0], paints[paint][1], paints[paint][2])));
    const Geometry post = MakeBox({0, 1.5f, 0}, {0.15f, 1.5f, 0.15f});
    const Geometry board = MakeBox({0, 3.6f, 0}, {2, 1, 0.15f});
    // The sign's board glows: its chevrons stay bright in the dark.
    const Geometry face = MakeBox({0, 3.6f, 0}, {1.96f, 0.96f, 0.17f});
    AddDecor(sink, SIGNS, {Join({post, board}), {post, board}, SIGNS + "Sign.jpg", "10.0", face});
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
