// Shadow volumes: the silhouette of a closed mesh, the volume's size, and which owners cast by
// the Shadows setting.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/GameSettings.h"
#include "tests/objects/ObjectFixture.h"
#include "world/ObjectShadow.h"
#include "world/ShadowVolume.h"
#include "world/StaticObject.h"

namespace {

// A cube of eight shared corners, wound so that (c - a) x (b - a) points outwards.
struct Cube {
    Cube()
    {
        for (int i = 0; i < 8; ++i)
            positions.push_back(D3DXVECTOR3(i & 1 ? 1.0f : -1.0f, i & 2 ? 1.0f : -1.0f, i & 4 ? 1.0f : -1.0f));
        const std::uint16_t quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
        for (const auto& q : quads) {
            for (std::uint16_t t : {q[0], q[2], q[1], q[0], q[3], q[2]})
                indices.push_back(t);
        }
        for (std::size_t f = 0; f < indices.size() / 3; ++f) {
            const D3DXVECTOR3 &a = positions[indices[f * 3]], &b = positions[indices[f * 3 + 1]],
                              &c = positions[indices[f * 3 + 2]];
            const D3DXVECTOR3 u = c - a, v = b - a;
            D3DXVECTOR3 n(u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x);
            normals.push_back(n / std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z));
        }
    }
    ShadowMeshView View() const
    {
        return {reinterpret_cast<const std::uint8_t*>(positions.data()), sizeof(D3DXVECTOR3), indices.data(),
                static_cast<std::uint32_t>(indices.size() / 3), normals.data()};
    }
    std::vector<D3DXVECTOR3> positions;
    std::vector<std::uint16_t> indices;
    std::vector<D3DXVECTOR3> normals;
};

} // namespace

TEST(ShadowVolume, ClosedMeshGivesItsSilhouetteAndAClosedVolume)
{
    const Cube cube;
    for (const auto& n : cube.normals)
        ASSERT_NEAR(1.0f, std::fabs(n.x) + std::fabs(n.y) + std::fabs(n.z), 1e-5f) << "outward axis normals";
    D3DXVECTOR3 light(0.3f, 1.0f, 0.2f);
    light = light * (1.0f / std::sqrt(light.x * light.x + light.y * light.y + light.z * light.z));
    const std::vector<EdgePair> edges = SilhouetteEdges(cube.View(), light);
    EXPECT_EQ(6u, edges.size()) << "three lit faces outline a hexagon";
    const std::uint32_t count = ShadowVolumeVertexCount(6, 12);
    EXPECT_EQ(72u, count);
    std::vector<D3DXVECTOR3> volume(count);
    EXPECT_EQ(count, WriteShadowVolume(cube.View(), edges, light, 10.0f, volume.data()));
    int far = 0;
    for (const D3DXVECTOR3& p : volume)
        far += std::fabs(p.x * light.x + p.y * light.y + p.z * light.z) > 5.0f;
    EXPECT_EQ(6 * 3 + 6 * 3, far) << "far cap (six faces) and three of each side's six corners";

    const std::vector<EdgePair> straight = SilhouetteEdges(cube.View(), D3DXVECTOR3(0, 1, 0));
    EXPECT_EQ(4u, straight.size()) << "faces edge-on to the light count as lit";
}

class ObjectShadowTest : public ObjectTest {
protected:
    void LoadShadowed(CStaticObject& object, const char* type)
    {
        WriteMesh("box.msh", BoxMesh());
        WriteTexture("base.bmp", 0xFF808080u);
        ObjectDescriptionSpec spec;
        spec.objectType = type;
        spec.mesh = "box.msh";
        spec.baseTexture = "base.bmp";
        spec.sections = {ShadowSection(false)};
        object.Load(Describe("object.obj", spec).c_str(), 1, -1);
        ASSERT_NE(nullptr, object.components.shadow);
    }
};

TEST_F(ObjectShadowTest, ShadowsSettingChoosesTheCasters)
{
    struct Case {
        int setting;
        int type;
        bool casts;
    };
    const Case cases[] = {{0, GTYPE_VEHICLE, false}, {1, GTYPE_VEHICLE, true},   {1, GTYPE_DECORS, true},
                          {1, GTYPE_STRUCTURE, false}, {2, GTYPE_STRUCTURE, true}, {2, GTYPE_PLATFORM, false},
                          {3, GTYPE_PLATFORM, true},  {3, GTYPE_NEBULA, false}};
    for (const Case& c : cases) {
        GameSettings[SLOT_SHADOWS] = c.setting;
        EXPECT_EQ(c.casts, CObjectShadow::Casts(c.type)) << c.setting << " " << c.type;
    }
    EXPECT_EQ(200u, CObjectShadow::Capacity(4, 6));
    EXPECT_EQ(10u * 24 + 3 * 12, CObjectShadow::Capacity(24, 12));

    GameSettings[SLOT_SHADOWS] = 1;
    CStaticObject piece;
    LoadShadowed(piece, "GTYPE_PLATFORM");
    EXPECT_EQ(nullptr, piece.components.shadow->vertexBuffer) << "excluded at load: never casts";
    CStaticObject decor;
    LoadShadowed(decor, "GTYPE_DECORS");
    EXPECT_NE(nullptr, decor.components.shadow->vertexBuffer);
    EXPECT_FLOAT_EQ(-1.0f, decor.components.shadow->GetRebuildDelay());
}

TEST_F(ObjectShadowTest, StaticShadowIsBuiltOnceInView)
{
    GameSettings[SLOT_SHADOWS] = 3;
    CStaticObject decor;
    LoadShadowed(decor, "GTYPE_DECORS");
    D3DXMatrixTranslation(&decor.world, 0, 0, 10);
    decor.worldCentre = D3DXVECTOR3(0, 0, 10);
    CObjectShadow& shadow = *decor.components.shadow;
    decor.cameraDistance = 600;
    shadow.Update();
    EXPECT_EQ(0u, shadow.vertexCount) << "too far";
    decor.cameraDistance = 8;
    shadow.Update();
    EXPECT_GT(shadow.vertexCount, 0u);
    EXPECT_EQ(0u, shadow.vertexCount % 3);
    const std::uint32_t built = shadow.vertexCount;
    decor.frame = 5;
    shadow.Update();
    EXPECT_EQ(built, shadow.vertexCount) << "a static shadow is final";
}
