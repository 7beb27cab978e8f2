// Shadow volumes: the silhouette of a closed mesh, the volume's size, and which owners cast by
// the Shadows setting.
#include <gtest/gtest.h>

#include <array>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <map>
#include <vector>

#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "platform/gfx/GfxControl.h"
#include "tests/objects/ObjectFixture.h"
#include "world/World.h"
#include "world/objects/ObjectManager.h"
#include "world/objects/StaticObject.h"
#include "world/scooters/Vehicle.h"
#include "world/shadows/ObjectShadow.h"
#include "world/shadows/ShadowVolume.h"
#include "world/sky/Environment.h"

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
    // On the camera's axis at z, as far from the eye as it is along it.
    static void PlaceOnAxis(CStaticObject& object, float z)
    {
        D3DXMatrixTranslation(&object.world, 0, 0, z);
        object.worldCentre = D3DXVECTOR3(0, 0, z);
        object.cameraDistance = z;
    }

    void LoadShadowed(CStaticObject& object, const char* type, bool dynamic = false)
    {
        const bool scooter = std::string(type) == "GTYPE_VEHICLE";
        WriteMesh("box.msh", BoxMesh());
        WriteTexture("base.bmp", 0xFF808080u);
        ObjectDescriptionSpec spec;
        spec.objectType = type;
        spec.objectClass = scooter ? "GCLASS_VEHICLE" : "GCLASS_STATIC";
        spec.mesh = "box.msh";
        spec.baseTexture = "base.bmp";
        spec.sections = {ShadowSection(dynamic)};
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
    PlaceOnAxis(decor, 10);
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

namespace {

D3DXVECTOR3 Unit(D3DXVECTOR3 v) { return v * (1.0f / std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z)); }

// The volume of the prepared shadow mesh of an object's frame 0.
std::vector<D3DXVECTOR3> VolumeOf(const CStaticObject& object, const D3DXVECTOR3& light, float extrusion)
{
    CMeshContainer::MeshRecord* record = object.components.shadow->mesh;
    ID3DXMesh* mesh = record->meshes[1][0].get();
    void* vertices = nullptr;
    void* indices = nullptr;
    mesh->LockVertexBuffer(D3DLOCK_READONLY, &vertices);
    mesh->LockIndexBuffer(D3DLOCK_READONLY, &indices);
    const ShadowMeshView view {static_cast<const std::uint8_t*>(vertices), mesh->GetNumBytesPerVertex(),
                               static_cast<const std::uint16_t*>(indices), mesh->GetNumFaces(),
                               record->shadowFaceNormals[0].data()};
    const std::vector<EdgePair> edges = SilhouetteEdges(view, light);
    std::vector<D3DXVECTOR3> volume(ShadowVolumeVertexCount(std::uint32_t(edges.size()), view.faceCount));
    volume.resize(WriteShadowVolume(view, edges, light, extrusion, volume.data()));
    mesh->UnlockIndexBuffer();
    mesh->UnlockVertexBuffer();
    return volume;
}

using DirectedEdge = std::array<float, 6>;

DirectedEdge EdgeOf(const D3DXVECTOR3& from, const D3DXVECTOR3& to) { return {from.x, from.y, from.z, to.x, to.y, to.z}; }

} // namespace

TEST_F(ObjectShadowTest, HardEdgedBoxGivesAClosedVolumeWoundOutwards)
{
    // The box keeps four corners of its own per face, as meshes drawn with hard edges do.
    CStaticObject decor;
    LoadShadowed(decor, "GTYPE_DECORS");
    const D3DXVECTOR3 lights[] = {Unit({0.3f, 1.0f, 0.2f}), {0, 1, 0}, Unit({1, 1, 0}), Unit({-0.5f, -0.2f, 1})};
    for (const D3DXVECTOR3& light : lights) {
        const std::vector<D3DXVECTOR3> volume = VolumeOf(decor, light, 10.0f);
        ASSERT_EQ(0u, volume.size() % 3);
        std::map<DirectedEdge, int> uses;
        double signedVolume = 0.0;
        for (std::size_t t = 0; t < volume.size(); t += 3) {
            const D3DXVECTOR3 &p = volume[t], &q = volume[t + 1], &r = volume[t + 2];
            ++uses[EdgeOf(p, q)];
            ++uses[EdgeOf(q, r)];
            ++uses[EdgeOf(r, p)];
            // Six times the signed volume of the tetrahedron (origin, p, q, r).
            signedVolume += p.x * (q.y * r.z - q.z * r.y) - p.y * (q.x * r.z - q.z * r.x) + p.z * (q.x * r.y - q.y * r.x);
        }
        for (const auto& [edge, count] : uses) {
            const DirectedEdge reverse {edge[3], edge[4], edge[5], edge[0], edge[1], edge[2]};
            const auto back = uses.find(reverse);
            ASSERT_EQ(1, count) << "light " << light.x << " " << light.y << " " << light.z;
            ASSERT_TRUE(back != uses.end() && back->second == 1) << "every edge is met once the other way";
        }
        // (q - p) x (r - p) points out of the volume: Direct3D's clockwise faces seen from outside.
        EXPECT_GT(signedVolume / 6.0, 1.8 * 1.8 * 1.8) << "at least the inset box itself";
    }
}

namespace {

// A wall across the view at depth z in one colour, writing depth.
void DrawWall(float z, D3DCOLOR colour)
{
    IDirect3DDevice9* device = d3dRender.device;
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    device->SetTransform(D3DTS_WORLD, &identity);
    device->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    d3dRender.SetLighting(0);
    d3dRender.SetAlphaBlend(0);
    device->SetTexture(0, nullptr);
    // An earlier test's draw may have left depth writes off (the default states do not set them).
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    d3dRender.SetZWrite(1);
    struct Vertex {
        float x, y, z;
        D3DCOLOR colour;
    };
    // Counter-clockwise as seen from the camera: the game's front faces.
    const Vertex wall[6] = {{-50, -50, z, colour}, {50, 50, z, colour}, {-50, 50, z, colour},
                            {-50, -50, z, colour}, {50, -50, z, colour}, {50, 50, z, colour}};
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, wall, sizeof(Vertex));
}

} // namespace

TEST_F(ObjectShadowTest, BoxShadowOnAWallFillsItsOutline)
{
    // The camera looks down +z at a wall at z = 6; the box floats at z = 4 with the light
    // behind the camera, a little up and to the right.
    IDirect3DDevice9* device = d3dRender.device;
    CSceneObject decor;
    LoadShadowed(decor, "GTYPE_DECORS");
    PlaceOnAxis(decor, 4);
    CObjectShadow& shadow = *decor.components.shadow;
    const D3DXVECTOR3 light = Unit({0.2f, 0.1f, -1.0f});
    shadow.visible = 1;
    shadow.Build(shadow.mesh, light, 30.0f);
    ASSERT_GT(shadow.vertexCount, 0u);

    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF000000u, 1.0f, 0);
    device->BeginScene();
    DrawWall(6.0f, 0xFF808080u);
    objectManager.AddEntry(&decor);
    environment.shadowStrength = 1.0f;
    world.RenderShadowVolumes();
    objectManager.RemoveEntry(&decor);
    device->EndScene();

    // The shadow on the wall: the inset box's cross-section (1.8 wide) pushed along -light.
    const std::vector<unsigned char> stencil = ReadStencil(device, 0, 0, SIZE, SIZE);
    int shadowed = 0;
    int inside = 0;
    for (UINT y = 0; y < SIZE; ++y) {
        for (UINT x = 0; x < SIZE; ++x) {
            const unsigned char value = stencil[y * SIZE + x];
            EXPECT_LE(value, 1) << x << " " << y << ": one volume counts at most once";
            shadowed += value == 1;
        }
    }
    const float along = 2.0f / -light.z;
    const D3DXVECTOR3 centre = D3DXVECTOR3(0, 0, 4) - light * along;
    const int cx = int(SIZE / 2 + SIZE / 2 * centre.x / centre.z);
    const int cy = int(SIZE / 2 - SIZE / 2 * centre.y / centre.z);
    for (int y = cy - 1; y <= cy + 1; ++y)
        for (int x = cx - 1; x <= cx + 1; ++x)
            inside += stencil[y * SIZE + x] == 1;
    EXPECT_EQ(9, inside) << "the middle of the shadow around " << cx << " " << cy;
    // 1.8 wide at z = 6 is about 9.6 pixels: some 90 pixels filled, under 40 on its outline.
    EXPECT_GT(shadowed, 70) << "a filled area, not its outline";
}

namespace {

// The vertices of an object's last shadow build, in its model space.
std::vector<D3DXVECTOR3> BuiltVolume(CObjectShadow& shadow)
{
    std::vector<D3DXVECTOR3> volume(shadow.vertexCount);
    void* data = nullptr;
    if (volume.empty() || FAILED(shadow.vertexBuffer->Lock(0, 0, &data, D3DLOCK_READONLY)))
        return {};
    std::memcpy(volume.data(), data, volume.size() * sizeof(D3DXVECTOR3));
    shadow.vertexBuffer->Unlock();
    return volume;
}

// How far the volume reaches below and to the left of its caster's inset box (x, y >= -0.9).
D3DXVECTOR2 Reach(const std::vector<D3DXVECTOR3>& volume)
{
    D3DXVECTOR2 lowest(0, 0);
    for (const D3DXVECTOR3& p : volume) {
        lowest.x = std::min(lowest.x, p.x);
        lowest.y = std::min(lowest.y, p.y);
    }
    return D3DXVECTOR2(-0.9f - lowest.x, -0.9f - lowest.y);
}

} // namespace

// Towards a sun up and to the right (1, 1, 0): scenery extrudes along (1, 0.4, 0) by 20 for a
// piece, 60 for a structure, five radii for a decor; a scooter along (1, 1, 0) by twice (its
// ground distance or two radii, whichever is more, plus 1).
TEST_F(ObjectShadowTest, ExtrusionFollowsTheOwnersType)
{
    environment.shadowVector = D3DXVECTOR3(1, 1, 0);
    struct Case {
        const char* type;
        float groundDistance;
        float lift; // the light's y before normalising
    };
    const Case cases[] = {{"GTYPE_PLATFORM", 0, 0.4f}, {"GTYPE_STRUCTURE", 0, 0.4f}, {"GTYPE_DECORS", 0, 0.4f},
                          {"GTYPE_VEHICLE", 0, 1.0f},   {"GTYPE_VEHICLE", 10, 1.0f}};
    for (const Case& c : cases) {
        CVehicle object; // a scooter's own fields; the description gives the type
        LoadShadowed(object, c.type);
        object.groundDistance = c.groundDistance;
        PlaceOnAxis(object, 10);
        object.cameraDistance = 8;
        const float r = object.radius;
        const float extrusion = std::string(c.type) == "GTYPE_PLATFORM"    ? 20.0f
                                : std::string(c.type) == "GTYPE_STRUCTURE" ? 60.0f
                                : std::string(c.type) == "GTYPE_DECORS"    ? 5.0f * r
                                                                           : (std::max(2.0f * r, c.groundDistance) + 1.0f) * 2.0f;
        const D3DXVECTOR3 light = Unit({1.0f, c.lift, 0.0f});
        object.components.shadow->Update();
        const D3DXVECTOR2 reach = Reach(BuiltVolume(*object.components.shadow));
        EXPECT_NEAR(reach.x, light.x * extrusion, 0.05f) << c.type << " " << c.groundDistance;
        EXPECT_NEAR(reach.y, light.y * extrusion, 0.05f) << c.type << " " << c.groundDistance;
    }
}

TEST_F(ObjectShadowTest, ShadowsAreBuiltWithin500OfTheEyeAScootersWithin100)
{
    struct Case {
        const char* type;
        float distance;
        bool built;
    };
    const Case cases[] = {{"GTYPE_DECORS", 499, true}, {"GTYPE_DECORS", 501, false},
                          {"GTYPE_VEHICLE", 99, true}, {"GTYPE_VEHICLE", 101, false}};
    for (const Case& c : cases) {
        CVehicle object;
        LoadShadowed(object, c.type);
        PlaceOnAxis(object, 10);
        object.cameraDistance = c.distance;
        object.components.shadow->Update();
        EXPECT_EQ(object.components.shadow->vertexCount > 0, c.built) << c.type << " at " << c.distance;
    }
}

// A scooter's dynamic shadow follows the light at most every 0.025 s of game time; another
// dynamic shadow every frame.
TEST_F(ObjectShadowTest, AScootersShadowIsRebuiltAfterItsDelayOtherDynamicShadowsEveryFrame)
{
    struct Case {
        const char* type;
        float step;
        bool rebuilt;
    };
    const Case cases[] = {{"GTYPE_VEHICLE", 0.02f, false}, {"GTYPE_VEHICLE", 0.03f, true}, {"GTYPE_DECORS", 0.0f, true}};
    for (const Case& c : cases) {
        CVehicle object;
        LoadShadowed(object, c.type, true);
        PlaceOnAxis(object, 10);
        object.cameraDistance = 8;
        gameTimer.gameStep = 0.0f;
        environment.shadowVector = D3DXVECTOR3(1, 1, 0);
        object.components.shadow->Update();
        const std::vector<D3DXVECTOR3> first = BuiltVolume(*object.components.shadow);
        environment.shadowVector = D3DXVECTOR3(-1, 1, 0);
        gameTimer.gameStep = c.step;
        object.components.shadow->Update();
        const std::vector<D3DXVECTOR3> second = BuiltVolume(*object.components.shadow);
        ASSERT_FALSE(first.empty());
        const bool same = first.size() == second.size() &&
                          std::memcmp(first.data(), second.data(), first.size() * sizeof(D3DXVECTOR3)) == 0;
        EXPECT_EQ(!same, c.rebuilt) << c.type << " after " << c.step;
    }
    gameTimer.gameStep = 0.0f;
}

// The volumes only count in the stencil: colours and depths stay, and a volume wholly behind the
// wall (its front and back faces both hidden) counts nothing.
TEST_F(ObjectShadowTest, VolumesChangeNeitherColourNorDepthAndCountNothingBehindAWall)
{
    IDirect3DDevice9* device = d3dRender.device;
    CSceneObject decor;
    LoadShadowed(decor, "GTYPE_DECORS");
    PlaceOnAxis(decor, 4);
    CObjectShadow& shadow = *decor.components.shadow;
    shadow.visible = 1;
    shadow.Build(shadow.mesh, Unit({0.2f, 0.1f, -1.0f}), 30.0f);
    environment.shadowStrength = 1.0f;
    objectManager.AddEntry(&decor);

    struct Case {
        float wallDepth;
        bool shadowed;
    };
    for (const Case c : {Case {6.0f, true}, Case {2.0f, false}}) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF000000u, 1.0f, 0);
        device->BeginScene();
        DrawWall(c.wallDepth, 0xFF808080u);
        world.RenderShadowVolumes();
        const std::vector<D3DCOLOR> afterVolumes = ReadRenderTarget(device, 0, 0, SIZE, SIZE);
        DrawWall(c.wallDepth - 0.5f, 0xFF00FF00u); // in front of the wall, behind the box's near side
        device->EndScene();
        const std::vector<unsigned char> stencil = ReadStencil(device, 0, 0, SIZE, SIZE);
        const std::vector<D3DCOLOR> afterSecondWall = ReadRenderTarget(device, 0, 0, SIZE, SIZE);
        EXPECT_EQ(std::count(afterVolumes.begin(), afterVolumes.end(), afterVolumes[0]), long(afterVolumes.size()))
            << "the wall's colour everywhere, wall at " << c.wallDepth;
        EXPECT_EQ(std::count(afterSecondWall.begin(), afterSecondWall.end(), 0xFF00FF00u), long(afterSecondWall.size()))
            << "no depth from the volumes, wall at " << c.wallDepth;
        EXPECT_EQ(std::count(stencil.begin(), stencil.end(), 0) < long(stencil.size()), c.shadowed)
            << "wall at " << c.wallDepth;
    }
    objectManager.RemoveEntry(&decor);
}
