// The visual components of the shipped structures and planets, seen in the rendered picture:
// the start lights in the countdown, info-screen pages, light maps, chrome and glass, spots,
// static shadows, glow sprites, flames, and the cloud and ocean techniques. Each test saves its pictures; the suite puts
// them on one contact sheet.
#include "tests/world/WorldFixture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/render/D3DRender.h"
#include "engine/render/LightManager.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "platform/gfx/GfxControl.h"
#include "tests/support/ContactSheet.h"
#include "tools/makedata/MeshWriter.h"
#include "tools/makedata/ObjectDescriptionWriter.h"
#include "world/World.h"
#include "world/camera/Camera.h"
#include "world/effects/FlameSystem.h"
#include "world/effects/GlowSprites.h"
#include "world/effects/LightsEffect.h"
#include "world/effects/PlanetEffects.h"
#include "world/effects/SpotsEffect.h"
#include "world/effects/SurfaceEffects.h"
#include "world/objects/ObjectManager.h"
#include "world/objects/SceneObject.h"
#include "world/race/Race.h"
#include "world/scooters/VehicleManager.h"
#include "world/sky/Environment.h"
#include "world/track/Track.h"

namespace {

constexpr int WIDTH = int(WORLD_SCREEN_WIDTH);
constexpr int HEIGHT = int(WORLD_SCREEN_HEIGHT);
constexpr int TEST_LOCATION = 31;
const D3DXVECTOR3 UP(0, 1, 0);
const std::string STRUCTURES = "Data/Static/Structures/01/";

ContactSheet& Sheet()
{
    static ContactSheet sheet(EFFECTS_IMAGE_FOLDER);
    return sheet;
}

struct Rgb {
    float r = 0, g = 0, b = 0;
    float Brightness() const { return (r + g + b) / 3.0f; }
};

struct Picture {
    std::vector<D3DCOLOR> pixels;

    // Mean colour of the pixels within `radius` of (x, y), clipped to the picture.
    Rgb Around(int x, int y, int radius) const
    {
        Rgb sum;
        int count = 0;
        for (int v = std::max(0, y - radius); v <= std::min(HEIGHT - 1, y + radius); ++v)
            for (int u = std::max(0, x - radius); u <= std::min(WIDTH - 1, x + radius); ++u) {
                const D3DCOLOR c = pixels[std::size_t(v) * WIDTH + u];
                sum.r += float((c >> 16) & 0xFF);
                sum.g += float((c >> 8) & 0xFF);
                sum.b += float(c & 0xFF);
                ++count;
            }
        if (count)
            sum = {sum.r / float(count), sum.g / float(count), sum.b / float(count)};
        return sum;
    }
    Rgb Mean() const { return Around(WIDTH / 2, HEIGHT / 2, std::max(WIDTH, HEIGHT)); }
};

// A component taken out of its slot for as long as this lives.
template <class Component>
class Without {
public:
    explicit Without(std::unique_ptr<Component>& slot) : slot_(slot), kept_(std::move(slot)) {}
    ~Without() { slot_ = std::move(kept_); }

private:
    std::unique_ptr<Component>& slot_;
    std::unique_ptr<Component> kept_;
};

// Where a scene object stands: position, the point it faces, up (0, 1, 0).
struct Placement {
    std::string file;
    D3DXVECTOR3 position, facing;
};

class StructureEffectsTest : public WorldTest {
protected:
    static void TearDownTestSuite() { Sheet().Write("effects_contact_sheet", 4); }

    void SetUp() override
    {
        WorldTest::SetUp();
        GameSettings[SLOT_ATMOSPHERE] = 2;
        GameSettings[SLOT_OSURFACE] = 1;
        gameTimer.gameTime = 100000;
        std::srand(5);
    }

    // A location of the fixture's lighting (light 1 from above and behind: shadows fall towards
    // +z) holding the first location's nebula, a straight piece from the origin along +z and the
    // given objects.
    static void LoadTestLocation(const std::vector<Placement>& objects)
    {
        FixedColumnText records;
        auto add = [&](const std::string& file, D3DXVECTOR3 position, D3DXVECTOR3 facing) {
            records.Value("Object:", file)
                .Value("Position:", VectorText(position.x, position.y, position.z))
                .Value("Target:", VectorText(facing.x, facing.y, facing.z))
                .Value("Up:", VectorText(0, 1, 0))
                .Free();
        };
        add("Data/Static/Sky/01/Nebula.obj", {0, 0, 0}, {0, 0, 1});
        add("Data/Static/Platforms/01/AH_000_1.obj", {0, 0, 0}, {0, 0, 1});
        for (const Placement& object : objects)
            add(object.file, object.position, object.facing);
        records.End();
        WriteLocation(TEST_LOCATION, LocationText(records.Text()));
        world.LoadLocation(TEST_LOCATION);
    }

    // The camera holds still at eye, looking at lookAt.
    static void LookFrom(const D3DXVECTOR3& eye, const D3DXVECTOR3& lookAt)
    {
        world.mode = CAMERA_WATCHING;
        world.target = nullptr;
        world.SetPosition(eye, lookAt, UP);
    }

    // The objects' part of a race frame, `frames` times with a step of `step` seconds.
    static void UpdateObjects(int frames = 1, float step = 0.05f)
    {
        for (int i = 0; i < frames; ++i) {
            gameTimer.gameStep = step;
            gameTimer.gameTime += std::uint32_t(step * 1000.0f);
            d3dRender.LockBatchBuffers();
            environment.Update();
            lightManager.Update();
            objectManager.Update();
            flameSystem.Update();
            d3dRender.UnlockBatchBuffers();
        }
    }

    static Picture Render()
    {
        d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
        d3dRender.device->BeginScene();
        world.Render();
        d3dRender.device->EndScene();
        return {ReadRenderTarget(d3dRender.device, 0, 0, WIDTH, HEIGHT)};
    }

    static void Save(const std::string& name, const Picture& picture) { Sheet().Add(name, picture.pixels, WIDTH, HEIGHT); }

    // The pixel a world point lands on.
    static std::pair<int, int> PixelOf(const D3DXVECTOR3& point)
    {
        float x = 0, y = 0, depth = 0;
        world.ProjectPoint(&x, &y, point, &depth);
        return {int(x * d3dRender.xFactor), int(y * d3dRender.yFactor)};
    }

    static D3DXVECTOR3 WorldPoint(const CStaticObject& object, const D3DXVECTOR3& local)
    {
        D3DXVECTOR3 point;
        D3DXVec3TransformCoord(&point, &local, &object.world);
        return point;
    }

    // The location's planet below the course, seen over its horizon.
    static CSceneObject* ViewGroundPlanet(int location)
    {
        world.LoadLocation(location);
        LookFrom({0, 0, 0}, {0, -0.5f, 1});
        UpdateObjects();
        return objectManager.FindObject(GTYPE_PLANET1);
    }

    static CSceneObject* Find(const std::string& file)
    {
        for (int i = 0; i < objectManager.count; ++i)
            if (file == objectManager.objects[i]->path)
                return objectManager.objects[i];
        return nullptr;
    }
};

// The countdown paints the start frame's lamps: dim red while waiting, then red, yellow and green.
TEST_F(StructureEffectsTest, StartLightsTurnRedThenYellowThenGreen)
{
    world.LoadLocation(1);
    world.StartRace(1, 2, 2, 1, 6);
    GameSettings[SLOT_RACE_RUNNING] = 1;
    CSceneObject* frame = track.startLights;
    ASSERT_NE(frame, nullptr);
    const D3DXVECTOR3 eye = WorldPoint(*frame, {0, 7, -24});
    const D3DXVECTOR3 lookAt = WorldPoint(*frame, {0, 9, 0});
    const std::vector<D3DXVECTOR3>& lamps = OwnerPoints(*frame, POINTS_LIGHTS);
    ASSERT_FALSE(lamps.empty());
    // The mean colour at the lamps facing the grid (every second point).
    auto lampColour = [&](const Picture& picture) {
        Rgb sum;
        int count = 0;
        for (std::size_t i = 0; i < lamps.size(); i += 2) {
            const auto [x, y] = PixelOf(WorldPoint(*frame, lamps[i]));
            const Rgb c = picture.Around(x, y, 1);
            sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
            ++count;
        }
        return Rgb {sum.r / float(count), sum.g / float(count), sum.b / float(count)};
    };

    race.SetPhase(RACE_SEQUENCE_START, playerVehicle);
    const struct {
        int phase; // run at the next frame
        const char* name;
        bool red, green;
    } steps[] = {{0, "start_lights_waiting", false, false},
                 {3, "start_lights_red", true, false},
                 {4, "start_lights_yellow", true, true},
                 {5, "start_lights_green", false, true}};
    Rgb waiting;
    for (const auto& step : steps) {
        race.phase = step.phase;
        race.phaseTimer = 0.0f; // the phase acts at once: its first moment
        // The phase repaints the lamps after the objects have filled the glow batch, so the
        // frame after it shows the new colour.
        for (int frame = 0; frame < 2; ++frame) {
            LookFrom(eye, lookAt);
            world.Frame();
        }
        LookFrom(eye, lookAt);
        const Picture picture = Render();
        Save(step.name, picture);
        const Rgb lamp = lampColour(picture);
        SCOPED_TRACE(step.name);
        EXPECT_EQ(lamp.r > 150.0f, step.red) << lamp.r << " " << lamp.g << " " << lamp.b;
        EXPECT_EQ(lamp.g > 150.0f, step.green) << lamp.r << " " << lamp.g << " " << lamp.b;
        if (step.phase == 0) {
            waiting = lamp;
            EXPECT_GT(lamp.r, lamp.g + 30.0f) << "waiting: dim red";
        } else if (step.phase == 3) {
            EXPECT_GT(lamp.r, waiting.r + 30.0f) << "red is brighter than the waiting red";
        }
    }
}

// The start gate's banner cycles through the info-screen pages.
TEST_F(StructureEffectsTest, InfoScreenShowsOnePageAfterAnother)
{
    LoadTestLocation({{STRUCTURES + "Start.obj", {0, 0, 40}, {0, 0, 80}}});
    const D3DXVECTOR3 banner(0, 11, 40);
    LookFrom(banner + D3DXVECTOR3(0, 0, -14), banner);
    UpdateObjects();
    // The disc of the page (its right quarter), in the page's colour.
    const auto [x, y] = PixelOf(banner + D3DXVECTOR3(2.6f, 0, -0.42f));
    std::set<std::vector<int>> pages;
    Rgb shown;
    for (int i = 0; i < 40; ++i) {
        gameTimer.gameStep = 0.5f; // the screens' timer runs in their draw
        const Picture picture = Render();
        const Rgb c = picture.Around(x, y, 1);
        // Page colours, coarsely: fades between two pages give mixtures, held pages repeat.
        pages.insert({int(c.r) / 48, int(c.g) / 48, int(c.b) / 48});
        if (i == 9) {
            Save("info_screen_page", picture);
            shown = c;
        }
    }
    EXPECT_GE(pages.size(), 3u) << "the banner keeps one picture";

    CSceneObject* gate = Find(STRUCTURES + "Start.obj");
    ASSERT_NE(gate, nullptr);
    Without<CSelfIllumEffect> off(gate->components.selfIllum);
    const Rgb plain = Render().Around(x, y, 1);
    EXPECT_GT(std::abs(shown.r - plain.r) + std::abs(shown.g - plain.g) + std::abs(shown.b - plain.b), 30.0f)
        << "the page covers the banner";
}

// Light maps add their lit windows to the tower's walls; chrome and glass repaint their groups.
TEST_F(StructureEffectsTest, SurfaceLayersRepaintTheirPartsOfTheTower)
{
    LoadTestLocation({{STRUCTURES + "Main01.obj", {0, -4, 60}, {0, -4, 0}},
                      {STRUCTURES + "Main06.obj", {30, 0, 60}, {30, 0, 0}}});
    LookFrom({10, 8, 15}, {12, 6, 60});
    UpdateObjects();
    CSceneObject* windows = Find(STRUCTURES + "Main01.obj");
    CSceneObject* ball = Find(STRUCTURES + "Main06.obj");
    ASSERT_TRUE(windows && ball);
    const Picture lit = Render();
    Save("light_maps_chrome_glass", lit);

    const auto wall = PixelOf({0, 0, 54});
    const auto head = PixelOf({0, 18, 51});
    const auto dome = PixelOf({30, 0, 48});
    {
        Without<CLightMapsEffect> off(windows->components.lightMaps);
        const Picture dark = Render();
        Save("light_maps_off", dark);
        EXPECT_GT(lit.Around(wall.first, wall.second, 4).Brightness(),
                  dark.Around(wall.first, wall.second, 4).Brightness() + 8.0f);
    }
    auto difference = [](const Rgb& a, const Rgb& b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); };
    {
        Without<CRGlassEffect> off(windows->components.rGlass);
        EXPECT_GT(difference(lit.Around(head.first, head.second, 2), Render().Around(head.first, head.second, 2)), 20.0f)
            << "glass band";
    }
    {
        Without<CChromeEffect> off(ball->components.chrome);
        EXPECT_GT(difference(lit.Around(dome.first, dome.second, 3), Render().Around(dome.first, dome.second, 3)), 20.0f)
            << "chrome ball";
    }
}

// The floodlights of a roadside tower throw cones onto the road.
TEST_F(StructureEffectsTest, SpotsLightTheRoad)
{
    // The tower faces the road across -x; its floodlights point to x = 7, z = 76 and 84.
    LoadTestLocation({{STRUCTURES + "Main05.obj", {45, -4, 80}, {0, -4, 80}}});
    LookFrom({-12, 14, 40}, {20, 2, 80});
    UpdateObjects();
    CSceneObject* tower = Find(STRUCTURES + "Main05.obj");
    ASSERT_NE(tower, nullptr);
    const std::vector<D3DXVECTOR3>& points = OwnerPoints(*tower, POINTS_SPOTS);
    ASSERT_GE(points.size(), 2u);
    const Picture lit = Render();
    Save("spots_on_road", lit);
    // Three quarters of the way from the lamp down to the road.
    const D3DXVECTOR3 lamp = WorldPoint(*tower, points[0]), road = WorldPoint(*tower, points[1]);
    const auto [x, y] = PixelOf(lamp + (road - lamp) * 0.75f);
    Without<CSpotsEffect> off(tower->components.spots);
    UpdateObjects(1, 0.0f);
    const Picture dark = Render();
    EXPECT_GT(lit.Around(x, y, 1).Brightness(), dark.Around(x, y, 1).Brightness() + 10.0f);
}

// Static shadows on the road: the start gate's beam casts from shadow level 2 (tried at 3, not at
// 1), a climbing piece over the road only at level 3 (not at 2).
TEST_F(StructureEffectsTest, StaticShadowsDarkenTheRoadFromTheirLevelOn)
{
    // Light 1 comes down at (0, -3, 4), so shadows fall towards +z: the beam (13.3 to 15.7 high
    // at z = 40) shades z 66 to 72; the slope's deck, 4.2 over the road where it begins at z = 40,
    // shades the road from z 48 on while it is low.
    const struct {
        const char* name;
        Placement caster;
        int levels[2]; // casting, not casting
        D3DXVECTOR3 shade, open, eye, lookAt;
    } cases[] = {
        {"static_shadow_structure", {STRUCTURES + "Start.obj", {0, 0, 40}, {0, 0, 80}}, {3, 1},
         {0, 0, 69}, {0, 0, 88}, {-6, 30, 50}, {0, 0, 76}},
        {"static_shadow_piece", {"Data/Static/Platforms/01/AU_020_1.obj", {0, 6, 40}, {0, 6, 80}}, {3, 2},
         {0, 0, 54}, {0, 0, 30}, {-24, 3, 38}, {0, 0, 48}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rgb shaded[2], open[2];
        for (int i = 0; i < 2; ++i) {
            GameSettings[SLOT_SHADOWS] = c.levels[i];
            LoadTestLocation({c.caster});
            LookFrom(c.eye, c.lookAt);
            UpdateObjects();
            const Picture picture = Render();
            Save(std::string(c.name) + "_level" + std::to_string(c.levels[i]), picture);
            const auto a = PixelOf(c.shade), b = PixelOf(c.open);
            shaded[i] = picture.Around(a.first, a.second, 2);
            open[i] = picture.Around(b.first, b.second, 2);
        }
        EXPECT_LT(shaded[0].Brightness(), shaded[1].Brightness() * 0.8f) << "shaded at level " << c.levels[0];
        EXPECT_NEAR(shaded[1].Brightness(), open[1].Brightness(), open[1].Brightness() * 0.15f)
            << "not at level " << c.levels[1];
    }
}

// Beacons glow at the lamp points of a tower.
TEST_F(StructureEffectsTest, GlowSpritesShineAtTheLamps)
{
    LoadTestLocation({{STRUCTURES + "Main08.obj", {-45, -4, 100}, {0, -4, 100}}});
    LookFrom({-25, 24, 72}, {-45, 20, 100});
    UpdateObjects();
    CSceneObject* tower = Find(STRUCTURES + "Main08.obj");
    ASSERT_NE(tower, nullptr);
    const Picture lit = Render();
    Save("glow_sprites_at_lamps", lit);
    std::vector<std::pair<int, int>> lamps;
    for (const D3DXVECTOR3& lamp : OwnerPoints(*tower, POINTS_LIGHTS))
        lamps.push_back(PixelOf(WorldPoint(*tower, lamp)));
    ASSERT_FALSE(lamps.empty());
    Without<CLightsEffect> off(tower->components.lights);
    UpdateObjects(1, 0.0f); // a new batch, nothing moved
    const Picture dark = Render();
    // The cap hides the lamp behind it.
    int glowing = 0;
    for (const auto& [x, y] : lamps)
        glowing += lit.Around(x, y, 1).Brightness() > dark.Around(x, y, 1).Brightness() + 25.0f;
    EXPECT_GE(glowing, int(lamps.size()) - 1);
}

// The burner on the chimney tower sends up flames.
TEST_F(StructureEffectsTest, FlameEmittersBurnOverTheChimney)
{
    LoadTestLocation({{STRUCTURES + "Main04.obj", {-45, -4, 100}, {0, -4, 100}}});
    LookFrom({-20, 24, 60}, {-45, 28, 100});
    UpdateObjects(30);
    CSceneObject* tower = Find(STRUCTURES + "Main04.obj");
    ASSERT_NE(tower, nullptr);
    EXPECT_GT(flameSystem.count, 5);
    const D3DXVECTOR3 burner = WorldPoint(*tower, OwnerPoints(*tower, POINTS_FLAMES).at(0));
    const Picture burning = Render();
    Save("flames_on_chimney", burning);
    const auto [x, y] = PixelOf(burner + D3DXVECTOR3(0, 2.5f, 0));
    flameSystem.Clear();
    const Picture cold = Render();
    const Rgb flame = burning.Around(x, y, 2), none = cold.Around(x, y, 2);
    EXPECT_GT(flame.Brightness(), none.Brightness() + 20.0f);
    EXPECT_GT(flame.r - none.r, flame.b - none.b) << "the flame is warm";
}

// Clouds over the ground planet: drawn by techCloud at the best Atmosphere setting, drifting as
// the game clock runs.
TEST_F(StructureEffectsTest, CloudTechniqueBrightensTheGroundPlanetAndDrifts)
{
    CSceneObject* ground = ViewGroundPlanet(1);
    ASSERT_NE(ground, nullptr);
    const Picture cloudy = Render();
    Save("clouds_technique", cloudy);
    gameTimer.gameTime += 20000;
    const Picture later = Render();
    float drift = 0.0f;
    for (int y = HEIGHT / 2; y < HEIGHT; y += 8)
        for (int x = 0; x < WIDTH; x += 8) {
            const Rgb a = cloudy.Around(x, y, 0), b = later.Around(x, y, 0);
            drift += std::abs(a.Brightness() - b.Brightness());
        }
    EXPECT_GT(drift, 50.0f) << "the clouds move with the clock";

    // Each layer adds the light of its own colour: the two together add the sum.
    CPlanetCloudsEffect& clouds = *ground->components.planetClouds;
    const D3DXVECTOR4 colour1 = clouds.colour1, colour2 = clouds.colour2, black(0, 0, 0, 1);
    clouds.colour2 = black;
    const Picture firstLayer = Render();
    clouds.colour1 = black;
    clouds.colour2 = colour2;
    const Picture secondLayer = Render();
    clouds.colour1 = colour1;

    Without<CPlanetCloudsEffect> off(ground->components.planetClouds);
    const Picture clear = Render();
    Save("clouds_off", clear);
    const auto lightAdded = [&clear](const Picture& picture) {
        return picture.Around(WIDTH / 2, HEIGHT * 3 / 4, WIDTH / 2).Brightness() -
               clear.Around(WIDTH / 2, HEIGHT * 3 / 4, WIDTH / 2).Brightness();
    };
    EXPECT_GT(lightAdded(cloudy), 5.0f);
    EXPECT_GT(lightAdded(firstLayer), 1.0f);
    EXPECT_GT(lightAdded(secondLayer), 1.0f);
    EXPECT_NEAR(lightAdded(firstLayer) + lightAdded(secondLayer), lightAdded(later), 2.0f);
}

// The ocean technique on an ocean planet of its own, whose ocean is a sphere seen from inside round
// the eye (the technique places it with the nebula's matrix: identity without a nebula): the
// ocean's blue, its waves moving with the clock.
TEST_F(StructureEffectsTest, OceanTechniqueShadesTheOceanAndMovesItsWaves)
{
    Geometry ocean = MakeSphere({}, 500.0f, 16, 24);
    for (MeshVertex& vertex : ocean.vertices)
        for (float& n : vertex.normal)
            n = -n;
    for (std::size_t i = 0; i + 2 < ocean.indices.size(); i += 3)
        std::swap(ocean.indices[i + 1], ocean.indices[i + 2]);
    MeshWriter mesh;
    mesh.AddFrame(GROUP_BODY, MakeSphere({}, 400.0f, 8, 12)); // around the eye: culled from inside
    mesh.AddFrame(10, ocean);
    std::filesystem::create_directories("Data/Static/Test");
    const std::vector<std::uint8_t> bytes = mesh.Encode();
    std::ofstream("Data/Static/Test/Ocean.msh", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                                        std::streamsize(bytes.size()));
    ObjectDescriptionSpec planet;
    planet.objectType = "GTYPE_PLANET1";
    planet.mesh = "Data/Static/Test/Ocean.msh";
    planet.baseTexture = "Data/Static/Sky/02/Ground.dds";
    const int blue[3] = {20, 70, 120};
    planet.sections = {PlanetOceanSection(0, "Data/Static/Sky/02/GroundOcean.jpg", blue)};
    std::ofstream("Data/Static/Test/Ocean.obj", std::ios::binary) << WriteObjectDescription(planet).Text();
    FixedColumnText records;
    records.Value("Object:", "Data/Static/Test/Ocean.obj")
        .Value("Position:", VectorText(0, 0, 0))
        .Value("Target:", VectorText(0, 0, 1))
        .Value("Up:", VectorText(0, 1, 0))
        .Free()
        .End();
    WriteLocation(TEST_LOCATION, LocationText(records.Text()));
    world.LoadLocation(TEST_LOCATION);
    LookFrom({0, 0, 0}, {0, -0.5f, 1});
    UpdateObjects();
    CSceneObject* owner = objectManager.FindObject(GTYPE_PLANET1);
    ASSERT_TRUE(owner && owner->components.planetOcean);

    const Picture waves = Render();
    Save("ocean_technique", waves);
    const Rgb water = waves.Mean();
    EXPECT_GT(water.b, water.r + 15.0f) << "ocean blue";
    gameTimer.gameTime += 5000;
    const Picture later = Render();
    float moved = 0.0f;
    for (int y = 0; y < HEIGHT; y += 6)
        for (int x = 0; x < WIDTH; x += 6)
            moved += std::abs(waves.Around(x, y, 0).Brightness() - later.Around(x, y, 0).Brightness());
    EXPECT_GT(moved, 100.0f) << "the waves move with the clock";
    Without<CPlanetOceanEffect> off(owner->components.planetOcean);
    EXPECT_GT(water.Brightness(), Render().Mean().Brightness() + 15.0f);
}

} // namespace
