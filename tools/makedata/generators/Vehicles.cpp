// The eight hover scooters: descriptions with their levels, pad radius and engine sound set,
// their meshes (body, windscreen, chrome, shadow source, collision box, physics boxes, the
// rider's eye, the hover pads and the nozzles' flame points) and their liveries.
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "tools/makedata/Generators.h"
#include "tools/makedata/ImageWriters.h"
#include "tools/makedata/MeshWriter.h"
#include "tools/makedata/ObjectDescriptionWriter.h"
#include "tools/makedata/generators/ScooterModel.h"
#include "tools/makedata/generators/ScooterPaint.h"

namespace {

struct ScooterSpec {
    const char* name;
    int speed, power, control;
    int engineSet;
    ScooterDesign design;
    ScooterLivery livery;
    Rgb flame;
};

constexpr ScooterSpec SCOOTERS[] = {
    {"Vesper", 1, 2, 3, 0, {0.46f, 0.78f, 0.98f, 0.34f, 2.4f, 1, 1, 0.1f, 1.25f},
     {{236, 236, 240}, {70, 150, 235}, {40, 60, 120}, {120, 220, 255}, ScooterLivery::Swoosh, 1}, {90, 160, 255}},
    {"Kestrel", 2, 3, 2, 1, {0.56f, 0.74f, 0.92f, 0.26f, 3.2f, 2, 2, 0.2f, 1.2f},
     {{240, 205, 90}, {60, 60, 70}, {250, 250, 250}, {255, 200, 90}, ScooterLivery::Chequers, 2}, {255, 170, 60}},
    {"Marlin", 3, 2, 3, 2, {0.44f, 0.76f, 1.02f, 0.44f, 2.2f, 1, 1, 0.35f, 1.3f},
     {{150, 205, 245}, {240, 240, 245}, {230, 80, 60}, {140, 255, 230}, ScooterLivery::Pinstripes, 3}, {90, 220, 255}},
    {"Sable", 3, 4, 3, 3, {0.58f, 0.8f, 0.96f, 0.2f, 3.8f, 2, 1, 0.05f, 1.15f},
     {{200, 200, 206}, {45, 45, 52}, {230, 60, 50}, {255, 80, 70}, ScooterLivery::TwoTone, 4}, {255, 90, 60}},
    {"Corvid", 4, 4, 4, 0, {0.5f, 0.76f, 0.94f, 0.3f, 4.0f, 3, 2, 0.3f, 1.22f},
     {{240, 150, 140}, {50, 50, 58}, {250, 235, 200}, {255, 120, 200}, ScooterLivery::Swoosh, 5}, {255, 110, 170}},
    {"Talon", 5, 4, 5, 1, {0.48f, 0.72f, 1.0f, 0.4f, 2.8f, 2, 2, 0.4f, 1.28f},
     {{170, 235, 170}, {30, 110, 60}, {250, 250, 240}, {160, 255, 120}, ScooterLivery::Pinstripes, 6}, {140, 255, 120}},
    {"Halcyon", 6, 5, 5, 2, {0.54f, 0.8f, 1.0f, 0.36f, 2.0f, 1, 1, 0.2f, 1.35f},
     {{220, 180, 240}, {110, 60, 170}, {255, 230, 120}, {200, 140, 255}, ScooterLivery::TwoTone, 7}, {190, 120, 255}},
    {"Nimbus", 7, 6, 6, 3, {0.52f, 0.78f, 0.96f, 0.42f, 3.0f, 3, 1, 0.4f, 1.3f},
     {{250, 250, 200}, {230, 120, 40}, {60, 60, 70}, {255, 240, 150}, ScooterLivery::Chequers, 8}, {255, 210, 110}},
};

constexpr float PAD_RADIUS = 1.0f;
// Bottom of the physics boxes: level with the bottom of the body box the game makes from the
// body's bounds (0.9 of the body's height about its centre: 0.05 x 1.7 over its lowest point),
// just under the hover pads (0.0545 x 1.7). Both shapes rest at one height, and the ground probe
// from the pads' centre starts over the road the scooter rests on.
constexpr float PHYSICS_BOTTOM = 0.085f;
constexpr float LIGHT_SIZE = 0.35f;
// The engine flame: small and cool at rest, up to four times larger and hotter at speed.
constexpr float FLAME_SIZE = 0.5f, FLAME_LIFE = 0.22f, FLAME_INTERVAL = 0.03f, FLAME_GROWTH = 1.0f;

const std::string VEHICLES = "Data/Vehicles/";
const std::string BUMP = VEHICLES + "Bump.jpg";
const std::string CHROME = VEHICLES + "Chrome.jpg";

std::string Folder(int index)
{
    char folder[8];
    std::snprintf(folder, sizeof folder, "%02d/", index + 1);
    return VEHICLES + folder;
}

// The body's bounds give the physics its body box and the hover pads their places, and its
// bounding radius counts in the race's progress: every design fills the same envelope, and the
// pods, alike on all, reach farthest from its centre.
void CheckEnvelope(const ScooterModel& model, const char* name)
{
    const MeshFrameBounds bounds = BoundsOf(model.body.vertices.data(), model.body.vertices.size());
    const float expected[2][3] = {{SCOOTER_BODY_MINIMUM.x, SCOOTER_BODY_MINIMUM.y, SCOOTER_BODY_MINIMUM.z},
                                  {SCOOTER_BODY_MAXIMUM.x, SCOOTER_BODY_MAXIMUM.y, SCOOTER_BODY_MAXIMUM.z}};
    for (int axis = 0; axis < 3; ++axis) {
        if (std::fabs(bounds.minimum[axis] - expected[0][axis]) > 1e-4f ||
            std::fabs(bounds.maximum[axis] - expected[1][axis]) > 1e-4f)
            throw std::logic_error(std::string("the body of scooter ") + name + " leaves its envelope");
    }
    if (bounds.radius > model.podReach + 1e-4f)
        throw std::logic_error(std::string("the body of scooter ") + name + " reaches beyond its pods");
}

std::vector<std::uint8_t> ScooterMesh(const ScooterSpec& scooter)
{
    const ScooterModel model = BuildScooterModel(scooter.design);
    CheckEnvelope(model, scooter.name);
    MeshWriter writer;
    writer.AddFrame(GROUP_BODY, model.body);
    // The rider's eye for the view from the scooter.
    writer.AddControlPoint(GROUP_BODY, {0, 1.75f, 0.3f});
    // The shadow source: a slab under the hull out to the hover pods. The game moves each face of it
    // in by 0.1, which leaves it from 0.04 to 0.24, just below the hull's floor at 0.3: no face of
    // the body lies on the volume, and the deck and seat stay outside it, so only the road and the
    // pods' lower halves are shadowed.
    writer.AddFrame(GROUP_SHADOW, MakeBox({0, 0.14f, 0}, {1.1f, 0.2f, 1.95f}));
    // The four hover pads, where the lights glow; the game puts them at the body's lower corners.
    for (float x : {-0.7f, 0.7f})
        for (float z : {1.6f, -1.6f})
            writer.AddControlPoint(POINT_LIST_LIGHTS, {x, 0.25f, z});
    writer.AddFrame(GROUP_COLLISION, MakeBox({0, 0.7f, 0}, {0.75f, 0.5f, 1.7f}));
    writer.AddFrame(GROUP_REFLECTIVE_GLASS, model.glass);
    writer.AddFrame(GROUP_CHROME, model.chrome);
    for (const Vec3& point : model.flamePoints)
        writer.AddControlPoint(POINT_LIST_FLAMES, point);
    // The body near the camera: hull and cowl.
    writer.AddFrame(GROUP_PHYSICS_BOXES, MakeBox({0, PHYSICS_BOTTOM + 0.3f, 0}, {0.75f, 0.3f, 1.7f}));
    writer.AddFrame(GROUP_PHYSICS_BOXES, MakeBox({0, 0.95f, 0.6f}, {0.55f, 0.3f, 0.9f}));
    return writer.Encode();
}

std::vector<DescriptionSection> Components(const ScooterSpec& scooter)
{
    const Rgb glow = scooter.livery.glow;
    FlameLines flame {FLAME_SIZE, FLAME_LIFE, FLAME_INTERVAL, FLAME_GROWTH, {0, 0, 0},
                      {int(scooter.flame.red), int(scooter.flame.green), int(scooter.flame.blue)}, true};
    return {ChromeSection(0, CHROME, CHROME), GlassSection(0, ""),
            LightsSection(false, LIGHT_SIZE, int(glow.red), int(glow.green), int(glow.blue)),
            FlameSection(true, flame), ShadowSection(true)};
}

void GenerateVehicles(AssetSink& sink)
{
    sink.Add(BUMP, Pack::Textures, WriteJpg(ScooterBumpTexture()));
    sink.Add(CHROME, Pack::Textures, WriteJpg(ChromeReflectionTexture()));
    int index = 0;
    for (const ScooterSpec& scooter : SCOOTERS) {
        const std::string folder = Folder(index++);
        const std::string mesh = folder + "Main.msh";
        const std::string paint = folder + "Paint.jpg";
        sink.Add(mesh, Pack::World, ScooterMesh(scooter));
        sink.Add(paint, Pack::Textures, WriteJpg(ScooterPaintTexture(scooter.livery)));
        ObjectDescriptionSpec description;
        description.objectClass = "GCLASS_VEHICLE";
        description.objectType = "GTYPE_VEHICLE";
        description.vehicleName = scooter.name;
        description.mesh = mesh;
        description.baseTexture = paint;
        description.bumpTexture = BUMP;
        description.sections = Components(scooter);
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
