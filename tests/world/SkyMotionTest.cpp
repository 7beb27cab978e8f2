// The sky follows the eye: the nebula sits on it and turns slowly about its own axes, the ground
// planet lies a cloud-shell radius below it and turns about y, a moon circles it.
#include "tests/world/WorldFixture.h"

#include <cmath>
#include <string>

#include "engine/shell/GameTimer.h"
#include "world/World.h"
#include "world/objects/ObjectManager.h"

namespace {

constexpr int SKY_LOCATION = 26;
constexpr float STEP = 10.0f; // game seconds of one update
const D3DXVECTOR3 EYE(5.0f, 6.0f, 7.0f);

std::string Record(const char* file, const char* position, const char* target)
{
    const auto field = [](const std::string& label, const std::string& value) {
        return label + std::string(32 - label.size(), ' ') + value + "\n";
    };
    return field("Object:", file) + field("Position:", position) + field("Target:", target) +
           field("Up:", "    0.00     1.00     0.00") + "//\n";
}

D3DXVECTOR3 Row(const D3DXMATRIX& m, int row) { return D3DXVECTOR3(m.m[row][0], m.m[row][1], m.m[row][2]); }

void ExpectNear(const D3DXVECTOR3& actual, const D3DXVECTOR3& expected, const char* what)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-3f) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-3f) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-3f) << what;
}

class SkyMotionTest : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        WriteLocation(SKY_LOCATION,
                      LocationText(Record("Data/Static/Sky/01/Nebula.obj", "    0.00     0.00     0.00",
                                          "    0.00     0.00     1.00") +
                                   Record("Data/Static/Sky/01/Ground.obj", "    0.00     0.00     0.00",
                                          "    0.00     0.00     1.00") +
                                   Record("Data/Static/Sky/01/Ardan.obj", "    0.00     0.00   300.00",
                                          "    0.00     0.00   301.00") +
                                   "//--\n"));
        world.LoadLocation(SKY_LOCATION);
        ASSERT_EQ(objectManager.count, 3);
        world.eye = EYE;
        gameTimer.gameStep = STEP;
        objectManager.Update();
        gameTimer.gameStep = 0.0f;
    }
    static const D3DXMATRIX& WorldOf(int index) { return objectManager.objects[index]->world; }
};

TEST_F(SkyMotionTest, TheNebulaSitsOnTheEyeAndTurnsAboutItsOwnAxes)
{
    ExpectNear(Row(WorldOf(0), 3), EYE, "position");
    D3DXMATRIX x, y, z;
    D3DXMatrixRotationX(&x, 0.0025f * STEP);
    D3DXMatrixRotationY(&y, 0.0075f * STEP);
    D3DXMatrixRotationZ(&z, 0.005f * STEP);
    const D3DXMATRIX turned = x * y * z;
    for (int row = 0; row < 3; ++row)
        ExpectNear(Row(WorldOf(0), row), Row(turned, row), "rotation");
}

TEST_F(SkyMotionTest, TheGroundPlanetLiesItsCloudShellBelowTheEyeAndTurnsAboutY)
{
    const float shell = objectManager.objects[1]->mesh->radii[9][0];
    ExpectNear(Row(WorldOf(1), 3), D3DXVECTOR3(EYE.x, EYE.y - shell, EYE.z), "position");
    const float a = 0.02f * STEP;
    ExpectNear(Row(WorldOf(1), 0), D3DXVECTOR3(std::cos(a), 0.0f, -std::sin(a)), "right");
}

TEST_F(SkyMotionTest, AMoonCirclesTheEyeAndSpinsAboutItsForwardAxis)
{
    const float orbit = -0.015f * STEP;
    const D3DXVECTOR3 offset(300.0f * std::sin(orbit), 0.0f, 300.0f * std::cos(orbit));
    ExpectNear(Row(WorldOf(2), 3), EYE + offset, "position");
    const float spin = -0.03f * STEP;
    ExpectNear(Row(WorldOf(2), 0), D3DXVECTOR3(std::cos(spin), std::sin(spin), 0.0f), "right");
    ExpectNear(Row(WorldOf(2), 2), D3DXVECTOR3(0.0f, 0.0f, 1.0f), "forward");
}

} // namespace
