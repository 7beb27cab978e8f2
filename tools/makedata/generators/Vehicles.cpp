// The eight hover scooters: descriptions with their levels, pad radius and engine sound set,
// their meshes (body, shadow source, collision box, physics boxes, the rider's eye point) and
// their paint textures.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "tools/makedata/Generators.h"
#include "tools/makedata/ImageWriters.h"
#include "tools/makedata/MeshWriter.h"
#include "tools/makedata/ObjectDescriptionWriter.h"

namespace {

struct ScooterSpec {
    const char* name;
    int speed, power, control;
    int engineSet;
    unsigned red, green, blue; // paint
};

constexpr ScooterSpec SCOOTERS[] = {
    {"Vesper", 1, 2, 3, 0, 230, 230, 235}, {"Kestrel", 2, 3, 2, 1, 235, 210, 120},
    {"Marlin", 3, 2, 3, 2, 150, 200, 240}, {"Sable", 3, 4, 3, 3, 200, 200, 200},
    {"Corvid", 4, 4, 4, 0, 240, 160, 150}, {"Talon", 5, 4, 5, 1, 170, 235, 170},
    {"Halcyon", 6, 5, 5, 2, 220, 180, 240}, {"Nimbus", 7, 6, 6, 3, 250, 250, 200},
};

constexpr float PAD_RADIUS = 1.0f;
// Bottom of the physics boxes: level with the bottom of the body box the game makes from the
// body's bounds (0.9 of the body's height about its centre: 0.05 x 1.7 over its lowest point),
// just under the hover pads (0.0545 x 1.7). Both shapes rest at one height, and the ground probe
// from the pads' centre starts over the road the scooter rests on.
constexpr float PHYSICS_BOTTOM = 0.085f;

std::string Folder(int index)
{
    char folder[32];
    std::snprintf(folder, sizeof folder, "Data/Vehicles/%02d/", index + 1);
    return folder;
}

// A hull on a flat deck: cowl and headlight in front, seat, rear engine block, steering column
// with handlebar, four hover pods at the corners.
Geometry BodyGeometry()
{
    Geometry body = MakeBox({0, 0.45f, 0}, {0.7f, 0.2f, 1.6f});
    body.Append(MakeBox({0, 0.85f, 1.15f}, {0.55f, 0.3f, 0.45f}));
    body.Append(MakeBox({0, 0.8f, -0.55f}, {0.35f, 0.15f, 0.6f}));
    body.Append(MakeBox({0, 0.65f, -1.55f}, {0.45f, 0.25f, 0.25f}));
    body.Append(MakeCylinder({0, 1.1f, 1.3f}, 0.08f, 0.55f, 8, true));
    body.Append(MakeBox({0, 1.65f, 1.3f}, {0.55f, 0.05f, 0.05f}));
    body.Append(MakeSphere({0, 0.9f, 1.62f}, 0.16f, 6, 8));
    for (float x : {-0.75f, 0.75f})
        for (float z : {-1.3f, 1.3f})
            body.Append(MakeSphere({x, 0.3f, z}, 0.3f, 6, 10));
    return body;
}

std::vector<std::uint8_t> ScooterMesh()
{
    MeshWriter writer;
    writer.AddFrame(GROUP_BODY, BodyGeometry());
    // The rider's eye for the view from the scooter.
    writer.AddControlPoint(GROUP_BODY, {0, 1.75f, 0.3f});
    // The shadow source: a slab under the hull out to the hover pods. The game moves each face of it
    // in by 0.1, which leaves it from 0.04 to 0.24, just below the hull's floor at 0.25: no face of
    // the body lies on the volume, and the deck and seat stay outside it, so only the road and the
    // pods' lower halves are shadowed.
    writer.AddFrame(GROUP_SHADOW, MakeBox({0, 0.14f, 0}, {1.1f, 0.2f, 1.95f}));
    // The four hover pads; the game puts them at the body's lower corners.
    for (float x : {-0.7f, 0.7f})
        for (float z : {1.6f, -1.6f})
            writer.AddControlPoint(GROUP_SHADOW, {x, 0.25f, z});
    writer.AddFrame(GROUP_COLLISION, MakeBox({0, 0.7f, 0}, {0.75f, 0.5f, 1.7f}));
    // The body near the camera: hull and cowl.
    writer.AddFrame(GROUP_PHYSICS_BOXES, MakeBox({0, PHYSICS_BOTTOM + 0.3f, 0}, {0.75f, 0.3f, 1.7f}));
    writer.AddFrame(GROUP_PHYSICS_BOXES, MakeBox({0, 0.95f, 0.6f}, {0.55f, 0.3f, 0.9f}));
    return writer.Encode();
}

unsigned Shade(unsigned channel, float factor) { return unsigned(std::clamp(float(channel) * factor, 0.0f, 255.0f)); }

// Paint with a darker band, panel seams and a racing stripe; light enough for a racer's tint.
DecodedImage PaintTexture(const ScooterSpec& scooter)
{
    return MakeFlatImage(128, 128, [&](unsigned x, unsigned y) {
        float factor = 1.0f;
        if (y > 88)
            factor = 0.55f;
        if (x % 32 == 0 || y % 32 == 0)
            factor *= 0.7f;
        if (x >= 56 && x < 72 && y <= 88)
            return Argb(255, 250, 250, 250);
        return Argb(255, Shade(scooter.red, factor), Shade(scooter.green, factor), Shade(scooter.blue, factor));
    });
}

DecodedImage FlatBumpTexture()
{
    return MakeFlatImage(64, 64, [](unsigned, unsigned) { return Argb(255, 128, 128, 255); });
}

void GenerateVehicles(AssetSink& sink)
{
    const std::string mesh = "Data/Vehicles/Main.msh";
    const std::string bump = "Data/Vehicles/Bump.jpg";
    sink.Add(mesh, Pack::World, ScooterMesh());
    sink.Add(bump, Pack::Textures, WriteJpg(FlatBumpTexture()));
    int index = 0;
    for (const ScooterSpec& scooter : SCOOTERS) {
        const std::string folder = Folder(index++);
        const std::string paint = folder + "Paint.jpg";
        sink.Add(paint, Pack::Textures, WriteJpg(PaintTexture(scooter)));
        ObjectDescriptionSpec description;
        description.objectClass = "GCLASS_VEHICLE";
        description.objectType = "GTYPE_VEHICLE";
        description.vehicleName = scooter.name;
        description.mesh = mesh;
        description.baseTexture = paint;
        description.bumpTexture = bump;
        description.sections = {ShadowSection(true)};
        description.tail = {{"Speed:", std::to_string(scooter.speed)},
                            {"Power:", std::to_string(scooter.power)},
                            {"Control:", std::to_string(scooter.control)},
                            {"Pad radius:", std::to_string(PAD_RADIUS)},
                            {"//", ""},
                            {"Engine sound:", std::to_string(scooter.engineSet)},
                            {"//", ""}};
        sink.Add(folder + "Main.obj", Pack::Objects, WriteObjectDescription(description).Bytes());
    }
}

const GeneratorRegistration registration("vehicles", GenerateVehicles);

} // namespace
