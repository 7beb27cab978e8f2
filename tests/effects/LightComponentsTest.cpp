// Light sprites, direct lights, spots and flame emitters on an owner with hand-made mesh points:
// the running wave of track pieces, lights that face away, cone colours, structure hues and the
// particles the emitters hand to the flame system.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameTimer.h"
#include "tests/effects/EffectsFixture.h"
#include "world/effects/FlameEffect.h"
#include "world/effects/FlameSystem.h"
#include "world/effects/LightsEffect.h"
#include "world/effects/SpotsEffect.h"
#include "world/effects/SurfaceEffects.h"
#include "world/scooters/Vehicle.h"

namespace {

// A description line: a 32-character label, then the value.
std::string Line(const std::string& value) { return std::string(32, '.') + value + "\n"; }

// Point list `list` of a mesh record that the owner uses for as long as the test runs.
template <typename Object>
struct Owned {
    Owned(int type, int list, std::vector<D3DXVECTOR3> points)
    {
        record.controlPoints[list] = std::move(points);
        record.controlPointCount[list] = static_cast<std::uint32_t>(record.controlPoints[list].size());
        object.mesh = &record;
        object.objectType = type;
        object.visible = 1;
        object.cameraDistance = 10.0f;
        D3DXMatrixTranslation(&object.world, 0, 0, 10);
    }
    ~Owned() { object.mesh = nullptr; }

    CMeshContainer::MeshRecord record;
    Object object;
};

class LightComponentsTest : public EffectsTest {
protected:
    void SetUp() override
    {
        EffectsTest::SetUp();
        d3dRender.LockBatchBuffers();
    }
    void TearDown() override
    {
        d3dRender.UnlockBatchBuffers();
        flameSystem.Clear();
        EffectsTest::TearDown();
    }

    // The batch's vertices so far.
    std::vector<GlowVertex> Batch() const
    {
        const auto* first = static_cast<const GlowVertex*>(d3dRender.batchVertices);
        return std::vector<GlowVertex>(first, first + d3dRender.batchVertexCount);
    }

    // An open description holding the given lines.
    int Description(const std::string& text)
    {
        std::ofstream("Component.obj") << text;
        return fileSystem.Open("Component.obj", 1000);
    }
};

} // namespace

TEST_F(LightComponentsTest, GlowPointsOfATrackPieceSwellAsAWaveRunsAlongThem)
{
    std::vector<D3DXVECTOR3> points(10, D3DXVECTOR3(0, 0, 0));
    Owned<CStaticObject> piece(GTYPE_PLATFORM, 1, points);
    CLightsEffect lights;
    lights.owner = &piece.object;
    lights.size = 1.0f;
    const struct {
        std::uint32_t milliseconds;
        std::vector<float> halfSizes; // of sprites 0, 1, 4, 5, 6
    } cases[] = {{10000, {3, 1, 1, 1, 1}}, {10450, {1, 1, 2, 2, 1}}, {10500, {1, 1, 1, 3, 1}}};
    for (const auto& c : cases) {
        gameTimer.gameTime = c.milliseconds;
        d3dRender.LockBatchBuffers();
        lights.Update();
        const std::vector<GlowVertex> batch = Batch();
        ASSERT_EQ(batch.size(), 40u);
        const unsigned sprites[] = {0, 1, 4, 5, 6};
        for (int i = 0; i < 5; ++i)
            EXPECT_NEAR(batch[sprites[i] * 4].x, c.halfSizes[i], 1e-4f) << c.milliseconds << " sprite " << sprites[i];
    }
    lights.Release();
}

TEST_F(LightComponentsTest, DirectLightsFacingAwayAreLeftOutAndThoseFacingTheCameraShineFully)
{
    // The camera is at the origin; the owner 10 ahead of it. The first light points back at the
    // camera, the second away from it.
    Owned<CStaticObject> owner(GTYPE_PLANET1, 2,
                               {{0, 0, 0}, {0, 0, -1}, {1, 0, 0}, {1, 0, 1}});
    CDirectLightsEffect lights;
    lights.owner = &owner.object;
    lights.size = 0.5f;
    lights.colour = D3DXVECTOR4(1, 0.5f, 0, 1);
    lights.Update();
    const std::vector<GlowVertex> batch = Batch();
    ASSERT_EQ(batch.size(), 4u);
    EXPECT_EQ(d3dRender.batchIndexCount, 6);
    EXPECT_EQ(batch[0].colour, 0xFFFF7F00u);
    EXPECT_FLOAT_EQ(batch[0].centreZ, 10.0f);
    EXPECT_FLOAT_EQ(batch[0].centreX, 0.0f);
    EXPECT_FLOAT_EQ(batch[0].y, 2.0f) << "four times taller than wide";
    EXPECT_FLOAT_EQ(batch[0].x, 0.5f);
    lights.Release();
}

TEST_F(LightComponentsTest, SpotColourPaintsTheWholeConeAndTheBuildLeavesItsBaseBlack)
{
    Owned<CStaticObject> owner(GTYPE_PLANET1, 3, {{0, 3, 0}, {0, 0, 0}});
    CSpotsEffect spots;
    spots.owner = &owner.object;
    spots.colour = D3DXVECTOR4(0, 1, 0, 1);
    spots.Update();
    ASSERT_EQ(spots.spotCount, 1u);
    EXPECT_NEAR(spots.coneWidth, 0.9999f, 1e-4f);
    EXPECT_EQ(spots.vertices[0].colour, 0xFF000000u);
    EXPECT_EQ(spots.vertices[1].colour, 0xFF00FF00u);
    EXPECT_FLOAT_EQ(spots.vertices[1].centreY, 3.0f) << "the lamp";
    EXPECT_EQ(d3dRender.batchVertexCount, 3);
    spots.SetColour(1, 0, 0, 1);
    for (const GlowVertex& vertex : spots.vertices)
        EXPECT_EQ(vertex.colour, 0xFFFF0000u);
    spots.Release();
}

TEST_F(LightComponentsTest, AStructureTakesItsLightMapHueOrARandomOne)
{
    Owned<CStaticObject> structure(GTYPE_STRUCTURE, 1, {{0, 0, 0}});
    const std::string text = Line("2.5") + Line("255 255 255");
    CLightsEffect plain;
    int file = Description(text);
    plain.Load(file, &structure.object);
    fileSystem.Close(file);
    EXPECT_FLOAT_EQ(plain.size, 2.5f);
    const float channels[] = {plain.colour.x, plain.colour.y, plain.colour.z};
    float brightest = 0;
    for (float channel : channels) {
        brightest = std::max(brightest, channel);
        EXPECT_TRUE(std::abs(channel - 1.0f) < 1e-5f || std::abs(channel - 0.5f) < 1e-5f ||
                    std::abs(channel - 1.0f / 3.0f) < 1e-5f || std::abs(channel - 2.0f / 3.0f) < 1e-5f)
            << channel;
    }
    EXPECT_FLOAT_EQ(brightest, 1.0f);

    structure.object.components.lightMaps = std::make_unique<CLightMapsEffect>();
    structure.object.components.lightMaps->colour = D3DXVECTOR4(0.2f, 0.4f, 1, 1);
    CLightsEffect lights;
    file = Description(text);
    lights.Load(file, &structure.object);
    fileSystem.Close(file);
    CSpotsEffect spots;
    file = Description(Line("0 255 0"));
    spots.Load(file, &structure.object);
    fileSystem.Close(file);
    EXPECT_FLOAT_EQ(lights.colour.y, 0.4f);
    EXPECT_FLOAT_EQ(spots.colour.y, 0.4f);
    structure.object.components.lightMaps.reset();
}

TEST_F(LightComponentsTest, FlameEmittersReadTheirLinesAndEmitAtEveryInterval)
{
    Owned<CStaticObject> owner(GTYPE_DECORS, 4, {{0, 0, 0}, {1, 0, 0}});
    CFlameEffect flame;
    const int file = Description(Line("1.5") + Line("2") + Line("0.25") + Line("0.5") + Line("0.1 2.5 -3") +
                                 Line("255 128 0") + Line("1"));
    flame.Load(file, &owner.object);
    fileSystem.Close(file);
    EXPECT_FLOAT_EQ(flame.particleSize, 1.5f);
    EXPECT_FLOAT_EQ(flame.particleLife, 2.0f);
    EXPECT_FLOAT_EQ(flame.interval, 0.25f);
    EXPECT_FLOAT_EQ(flame.growth, 0.5f);
    EXPECT_FLOAT_EQ(flame.velocity.y, 2.5f);
    EXPECT_FLOAT_EQ(flame.velocity.z, -3.0f);
    EXPECT_NEAR(flame.colour.y, 128.0f / 255.0f, 1e-6f);
    EXPECT_EQ(flame.hot, 1);

    gameTimer.gameStep = 0.2f;
    flame.Update();
    EXPECT_EQ(flameSystem.count, 0);
    flame.Update();
    ASSERT_EQ(flameSystem.count, 2) << "one particle per flame point";
    EXPECT_FLOAT_EQ(flameSystem.particles[1].position.x, 1.0f);
    EXPECT_FLOAT_EQ(flameSystem.particles[1].position.z, 10.0f);
    EXPECT_FLOAT_EQ(flameSystem.particles[1].velocity.y, 2.5f);
    EXPECT_EQ(flameSystem.particles[1].owner, nullptr);
    EXPECT_EQ(flameSystem.particles[1].fadeColour, 1);
}

TEST_F(LightComponentsTest, EngineFlamesRunHotAndLargeFromHalfTheTopSpeed)
{
    Owned<CVehicle> scooter(GTYPE_VEHICLE, 4, {{0, 0.5f, -2}});
    scooter.object.topSpeed = 100.0f;
    scooter.object.groundDistance = 0.0f;
    CFlameEffect flame;
    flame.owner = &scooter.object;
    flame.particleSize = 2.0f;
    flame.particleLife = 1.0f;
    flame.colour = D3DXVECTOR4(0.2f, 0.6f, 1.0f, 1.0f);
    const struct {
        float speed;
        float size;
        bool redShift;
    } cases[] = {{0.0f, 1.0f, false}, {50.0f, 4.0f, true}, {80.0f, 4.0f, true}};
    gameTimer.gameStep = 0.1f;
    for (const auto& c : cases) {
        scooter.object.speed = c.speed;
        flameSystem.Clear();
        flame.UpdateEngine();
        ASSERT_EQ(flameSystem.count, 1) << c.speed;
        const CFlameSystem::Particle& particle = flameSystem.particles[0];
        EXPECT_FLOAT_EQ(particle.size, c.size) << c.speed;
        EXPECT_EQ(particle.owner, &scooter.object);
        EXPECT_FLOAT_EQ(particle.velocity.z, -2.0f) << "the attachment point in model space";
        EXPECT_EQ(particle.startColour.x > particle.startColour.z, c.redShift) << c.speed;
    }
}
