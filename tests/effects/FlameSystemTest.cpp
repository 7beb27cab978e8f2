// The flame particle pool on a clock the test sets: capacity, expiry with the last particle
// moved into the freed slot, particles out of view, the fade-colour course, scooter-attached
// particles and the drawn quad.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/render/D3DRender.h"
#include "engine/shell/GameTimer.h"
#include "tests/effects/EffectsFixture.h"
#include "tests/support/DeviceFixture.h"
#include "world/effects/FlameSystem.h"
#include "world/objects/StaticObject.h"

namespace {

const D3DXVECTOR3 AHEAD(0, 0, 20);
const D3DXVECTOR3 STILL(0, 0, 0);
const D3DXVECTOR4 RED(1, 0, 0, 1);

class FlameSystemTest : public EffectsTest {
protected:
    void SetUp() override
    {
        EffectsTest::SetUp();
        if (!flameSystem.vertexBuffer)
            flameSystem.Init();
        flameSystem.Clear();
    }
    void TearDown() override
    {
        flameSystem.Clear();
        EffectsTest::TearDown();
    }

    void Step(float seconds)
    {
        gameTimer.gameStep = seconds;
        flameSystem.Update();
    }
};

} // namespace

TEST_F(FlameSystemTest, RefusesTheParticleAfterTheThousandAndTwentyFourth)
{
    for (int i = 0; i < FLAME_PARTICLE_CAPACITY; ++i)
        ASSERT_EQ(flameSystem.AddParticle(AHEAD, STILL, 1, 5, 0, RED, 0, nullptr), 1);
    EXPECT_EQ(flameSystem.AddParticle(AHEAD, STILL, 1, 5, 0, RED, 0, nullptr), 0);
    EXPECT_EQ(flameSystem.count, FLAME_PARTICLE_CAPACITY);
}

TEST_F(FlameSystemTest, EndedParticlesLeaveNoGapAndTheRestMoveOn)
{
    flameSystem.AddParticle(AHEAD, STILL, 1, 0.5f, 0, RED, 0, nullptr);
    flameSystem.AddParticle(AHEAD, D3DXVECTOR3(1, 0, 0), 1, 2.0f, 0.5f, RED, 0, nullptr);
    flameSystem.AddParticle(AHEAD, D3DXVECTOR3(0, 2, 0), 1, 3.0f, 0, RED, 0, nullptr);
    Step(0.6f);
    ASSERT_EQ(flameSystem.count, 2);
    // The last particle took the first slot, and was updated in it.
    EXPECT_FLOAT_EQ(flameSystem.particles[0].life, 3.0f);
    EXPECT_NEAR(flameSystem.particles[0].position.y, 1.2f, 1e-5f);
    EXPECT_NEAR(flameSystem.particles[1].position.x, 0.6f, 1e-5f);
    EXPECT_NEAR(flameSystem.particles[1].size, 1.3f, 1e-5f);
    EXPECT_EQ(flameSystem.particles[2].active, 0);
    Step(1.5f);
    EXPECT_EQ(flameSystem.count, 1);
    Step(1.0f);
    EXPECT_EQ(flameSystem.count, 0);
    EXPECT_EQ(flameSystem.visibleCount, 0);
}

TEST_F(FlameSystemTest, AParticleBehindTheCameraLivesOnUndrawn)
{
    flameSystem.AddParticle(AHEAD, STILL, 1, 4, 0, RED, 0, nullptr);
    LookFrom(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, -1));
    Step(0.1f);
    EXPECT_EQ(flameSystem.count, 1);
    EXPECT_EQ(flameSystem.visibleCount, 0);
    LookFrom(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 1));
    Step(0.1f);
    EXPECT_EQ(flameSystem.visibleCount, 1);
}

TEST_F(FlameSystemTest, AFadeColourParticleStartsHotFadesInAndCoolsToItsColourByMidLife)
{
    std::srand(7);
    flameSystem.AddParticle(AHEAD, STILL, 1, 1.0f, 0, D3DXVECTOR4(0, 0, 0, 0), 1, nullptr);
    const D3DXVECTOR4 start = flameSystem.particles[0].startColour;
    const struct {
        float step;
        float alpha;     // the fade factor
        float hotShare;  // m: how much of (1, 1, 0.5) is mixed in
    } cases[] = {{0.1f, 0.5f, 0.8f}, {0.1f, 1.0f, 0.6f}, {0.3f, 1.0f, 0.0f}, {0.25f, 0.5f, 0.0f}};
    for (const auto& c : cases) {
        Step(c.step);
        const CFlameSystem::Particle& particle = flameSystem.particles[0];
        SCOPED_TRACE(particle.remaining);
        EXPECT_NEAR(particle.colour.w, c.alpha, 1e-4f);
        const float m = c.hotShare;
        EXPECT_NEAR(particle.colour.x, (start.x * (1 - m) + m) * c.alpha, 1e-4f);
        EXPECT_NEAR(particle.colour.z, (start.z * (1 - m) + 0.5f * m) * c.alpha, 1e-4f);
    }
}

TEST_F(FlameSystemTest, ParticlesOfAScooterFollowItAndDriftHalfwayBack)
{
    CStaticObject scooter;
    scooter.objectType = GTYPE_VEHICLE;
    D3DXMatrixTranslation(&scooter.world, 0, 0, 20);
    flameSystem.AddParticle(AHEAD, D3DXVECTOR3(0, 1, 0), 1, 1.0f, 0, RED, 0, &scooter);
    D3DXMatrixTranslation(&scooter.world, 10, 0, 20);
    Step(0.5f);
    // Attachment point (10, 1, 20), pulled a quarter of the way back towards (0, 0, 20).
    EXPECT_NEAR(flameSystem.particles[0].position.x, 7.5f, 1e-4f);
    EXPECT_NEAR(flameSystem.particles[0].position.y, 0.75f, 1e-4f);
    Step(0.4999f);
    EXPECT_NEAR(flameSystem.particles[0].position.x, 5.0f, 1e-3f);
    flameSystem.Clear();
}

TEST_F(FlameSystemTest, OneVisibleParticleIsWrittenAndDrawnAdditively)
{
    for (const int shaders : {1, 0}) {
        SCOPED_TRACE(shaders ? "technique" : "fixed function");
        d3dRender.ps11 = shaders;
        flameSystem.Clear();
        flameSystem.AddParticle(AHEAD, STILL, 3, 4.0f, 0, D3DXVECTOR4(1, 1, 1, 1), 0, nullptr);
        Step(0.01f);
        ASSERT_EQ(flameSystem.visibleCount, 1);
        d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
        d3dRender.facesDrawn = 0;
        flameSystem.Draw();
        flameSystem.Draw(); // a paused frame draws the same quad again
        EXPECT_EQ(d3dRender.facesDrawn, 4);
        const D3DCOLOR centre = PixelAt(512, 384);
        EXPECT_GT(centre & 0xFF, 0x60u) << std::hex << centre;
        EXPECT_TRUE(ColourNear(PixelAt(512, 100), 0xFF000000)) << "beyond the sprite";
    }
    d3dRender.ps11 = 1;
}

// A particle fades out over its second half of life and, within its own size of the eye, by
// (d - s/2) / (s/2), d its distance from the eye and s its size; at s/2 or nearer it ends.
TEST_F(FlameSystemTest, AParticleFadesInItsSecondHalfAndCloseToTheEye)
{
    LookFrom(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 1));
    const struct {
        float distance, age;
        float factor;
        int live;
    } cases[] = {{20.0f, 0.01f, 1.0f, 1}, {20.0f, 0.6f, 0.8f, 1}, {20.0f, 0.9f, 0.2f, 1}, {5.0f, 0.01f, 1.0f, 1},
                 {3.0f, 0.01f, 0.5f, 1},  {2.5f, 0.01f, 0.25f, 1}, {3.0f, 0.6f, 0.4f, 1},  {1.5f, 0.01f, 0.0f, 0}};
    for (const auto& c : cases) {
        flameSystem.Clear();
        flameSystem.AddParticle(D3DXVECTOR3(0, 0, c.distance), STILL, 4, 1.0f, 0, D3DXVECTOR4(0.5f, 0.5f, 0.5f, 1), 0,
                                nullptr);
        Step(c.age);
        SCOPED_TRACE(testing::Message() << c.distance << " after " << c.age);
        ASSERT_EQ(flameSystem.count, c.live);
        if (!c.live)
            continue;
        EXPECT_NEAR(flameSystem.particles[0].colour.w, c.factor, 1e-4f);
        EXPECT_NEAR(flameSystem.particles[0].colour.x, flameSystem.particles[0].startColour.x * c.factor, 1e-4f);
    }
}

// Spins lie in [-0.5, -0.2) or [0.2, 0.5]; each colour lane gains up to 0.25.
TEST_F(FlameSystemTest, StartSpinsKeepClearOfZeroAndColoursWarmByAQuarterAtMost)
{
    std::srand(11);
    float lowest = 1.0f, highest = -1.0f, nearestZero = 1.0f, lowestRed = 1.0f, highestRed = 0.0f;
    for (int i = 0; i < FLAME_PARTICLE_CAPACITY; ++i) {
        flameSystem.AddParticle(AHEAD, STILL, 1, 1, 0, D3DXVECTOR4(0.25f, 0.5f, 0.5f, 1), 0, nullptr);
        const CFlameSystem::Particle& particle = flameSystem.particles[i];
        lowest = std::min(lowest, particle.spin);
        highest = std::max(highest, particle.spin);
        nearestZero = std::min(nearestZero, std::fabs(particle.spin));
        lowestRed = std::min(lowestRed, particle.startColour.x);
        highestRed = std::max(highestRed, particle.startColour.x);
    }
    EXPECT_NEAR(lowest, -0.5f, 0.01f);
    EXPECT_NEAR(highest, 0.5f, 0.01f);
    EXPECT_NEAR(nearestZero, 0.2f, 0.01f);
    EXPECT_GE(nearestZero, 0.2f - 1e-6f);
    EXPECT_NEAR(lowestRed, 0.25f, 0.01f);
    EXPECT_NEAR(highestRed, 0.5f, 0.01f);
}
