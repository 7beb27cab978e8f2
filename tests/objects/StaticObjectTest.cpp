// Loading descriptions into static objects, their rigid bodies, and one object drawn.
#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>
#include <cstdlib>
#include <filesystem>

#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "platform/gfx/GfxControl.h"
#include "tests/objects/ObjectFixture.h"
#include "world/World.h"
#include "world/effects/SurfaceEffects.h"
#include "world/objects/StaticObject.h"

namespace {

class StaticObjectTest : public ObjectTest {
protected:
    void SetUp() override
    {
        ObjectTest::SetUp();
        WriteMesh("box.msh", BoxMesh());
        WriteTexture("base.bmp", 0xFFFF0000u);
        WriteTexture("bump.bmp", 0xFF8080FFu);
    }

    ObjectDescriptionSpec Platform() const
    {
        ObjectDescriptionSpec spec;
        spec.objectType = "GTYPE_PLATFORM";
        spec.mesh = "box.msh";
        spec.baseTexture = "base.bmp";
        spec.bumpTexture = "bump.bmp";
        return spec;
    }
};

std::string NextValue(int handle)
{
    char line[DESCRIPTION_LINE_SIZE];
    ReadDescriptionLine(handle, line);
    return std::string(DescriptionValue(line));
}

} // namespace

TEST_F(StaticObjectTest, PlatformWithoutBumpReadsItsLinesAndLeavesTheTailOpen)
{
    ObjectDescriptionSpec spec = Platform();
    spec.tail = {{"Decors:", "DECORS_TYPE_BOX"}};
    CStaticObject object;
    const int handle = object.Load(Describe("piece.obj", spec).c_str(), 0, -1);
    ASSERT_NE(-1, handle);
    EXPECT_EQ("DECORS_TYPE_BOX", NextValue(handle)) << "the file stays open after \"//--\"";
    fileSystem.Close(handle);

    EXPECT_EQ(GCLASS_STATIC, object.objectClass);
    EXPECT_EQ(GTYPE_PLATFORM, object.objectType);
    ASSERT_NE(nullptr, object.mesh);
    EXPECT_NE(-1, object.textureIds[0]);
    EXPECT_EQ(-1, object.textureIds[1]) << "the bump line is consumed, not loaded, at Bump 0";
    EXPECT_EQ(nullptr, object.components.chrome);
    EXPECT_EQ(nullptr, object.components.shadow);
    EXPECT_FLOAT_EQ(1.0f, object.material.Diffuse.r);
    EXPECT_FLOAT_EQ(1.0f, object.material.Ambient.g);
    EXPECT_FLOAT_EQ(0.5f, object.material.Specular.b);
    EXPECT_FLOAT_EQ(32.0f, object.material.Power);
    object.Release();
    object.Release();
    EXPECT_EQ(nullptr, object.mesh);
}

TEST_F(StaticObjectTest, BumpSettingLoadsTheBumpTextureForPlatformsAboveOne)
{
    GameSettings[SLOT_BUMP] = 2;
    CStaticObject object;
    object.Load(Describe("piece.obj", Platform()).c_str(), 1, -1);
    EXPECT_NE(-1, object.textureIds[1]);
    EXPECT_EQ(5, object.mesh->key) << "bump-mapped mesh layout";
}

TEST_F(StaticObjectTest, VariantMarkPicksTheTextureBySeed)
{
    for (const char* name : {"Tex01.bmp", "Tex02.bmp", "Tex03.bmp"})
        WriteTexture(name, 0xFF00FF00u);
    ObjectDescriptionSpec spec = Platform();
    spec.baseTexture = "Tex%3.bmp";
    const std::string file = Describe("piece.obj", spec);
    CStaticObject seeded;
    seeded.Load(file.c_str(), 1, 7);
    EXPECT_STREQ("Tex02.bmp", seeded.textureNames[0]);
    std::srand(1);
    CStaticObject random;
    random.Load(file.c_str(), 1, -1);
    const std::string chosen = random.textureNames[0];
    EXPECT_TRUE(chosen == "Tex01.bmp" || chosen == "Tex02.bmp" || chosen == "Tex03.bmp") << chosen;
}

TEST_F(StaticObjectTest, ScooterDescriptionHasItsNameLines)
{
    ObjectDescriptionSpec spec = Platform();
    spec.objectClass = "GCLASS_VEHICLE";
    spec.objectType = "GTYPE_VEHICLE";
    spec.vehicleName = "Comet Mk II";
    CStaticObject scooter;
    scooter.Load(Describe("scooter.obj", spec).c_str(), 1, -1);
    EXPECT_STREQ("Comet Mk II", scooter.vehicleName);
    EXPECT_NE(nullptr, scooter.mesh);
    EXPECT_NE(-1, scooter.textureIds[0]);
    EXPECT_FLOAT_EQ(10.0f, scooter.material.Power);
}

TEST_F(StaticObjectTest, UnknownEffectCodeCreatesNothingAndReadingGoesOn)
{
    ObjectDescriptionSpec spec = Platform();
    spec.sections = {{"GEFFECT_SPARKLES", {}}, GlassSection(0, "base.bmp")};
    CStaticObject object;
    object.Load(Describe("piece.obj", spec).c_str(), 1, -1);
    ASSERT_NE(nullptr, object.components.rGlass);
    EXPECT_EQ(object.mesh, object.components.rGlass->mesh) << "layers share the owner's mesh";
    EXPECT_FLOAT_EQ(8.0f, object.components.rGlass->material.Power);
}

TEST_F(StaticObjectTest, BuildFolderPathIsStoredFromItsDataFolder)
{
    std::filesystem::create_directories(scratch.path() / "Data/Static");
    Describe("Data/Static/piece.obj", Platform());
    CStaticObject object;
    EXPECT_NE(-1, object.Load("E:\\Projects\\Game\\Dembrix\\Main Files\\Debug\\Data\\Static\\piece.obj", 1, -1));
    EXPECT_STREQ("Data/Static/piece.obj", object.path);
}

TEST_F(StaticObjectTest, BadDescriptionsEndInTheirMessages)
{
    CStaticObject missing;
    EXPECT_EQ(-1, missing.Load("absent.obj", 1, -1));
    EXPECT_NE(std::string::npos, Log().find("Create static object error!"));
    EXPECT_EQ(nullptr, missing.mesh);

    // Cut off in the middle of a section: no "//--" line ever comes.
    const std::string whole = WriteObjectDescription([&] {
        ObjectDescriptionSpec spec = Platform();
        spec.sections = {ChromeSection(0, "base.bmp", "base.bmp")};
        return spec;
    }()).Text();
    scratch.Write("cut.obj", whole.substr(0, whole.find("Reflection map:")));
    CStaticObject cut;
    EXPECT_NE(-1, cut.Load("cut.obj", 1, -1));
    EXPECT_NE(std::string::npos, Log().find("Object description 'cut.obj' ends before its \"//--\" line!"));
    EXPECT_NE(nullptr, cut.components.chrome);

    scratch.Write("empty.obj", "");
    CStaticObject empty;
    EXPECT_NE(-1, empty.Load("empty.obj", 1, -1));
    EXPECT_EQ(GTYPE_NOTDEFINED, empty.objectType);
    EXPECT_FLOAT_EQ(0.0f, empty.material.Diffuse.r) << "no type, no material";
}

TEST_F(StaticObjectTest, PhysicsBodiesByTypeAndTheirReset)
{
    ASSERT_EQ(1, world.InitPhysics());
    CStaticObject piece;
    piece.Load(Describe("piece.obj", Platform()).c_str(), 1, -1);
    const D3DXVECTOR3 start(5, 2, 1), up(0, 1, 0);
    piece.CreatePhysics(0.0f, start, D3DXVECTOR3(5, 2, 11), up);
    ASSERT_NE(nullptr, piece.body);
    EXPECT_TRUE(piece.body->isInWorld());
    EXPECT_TRUE(piece.body->isStaticObject());
    EXPECT_EQ(DISABLE_SIMULATION, piece.body->getActivationState());
    EXPECT_FLOAT_EQ(0.25f, piece.body->getFriction());
    EXPECT_EQ(&piece, piece.body->getUserPointer());

    btTransform moved = piece.body->getWorldTransform();
    moved.setOrigin(btVector3(50, 0, 0));
    piece.body->setWorldTransform(moved);
    piece.CreatePhysics(-1.0f, D3DXVECTOR3(), D3DXVECTOR3(), D3DXVECTOR3());
    const btVector3 origin = piece.body->getWorldTransform().getOrigin();
    EXPECT_FLOAT_EQ(5.0f, origin.x()) << "reset to the start transform";
    EXPECT_FLOAT_EQ(2.0f, origin.y());

    ObjectDescriptionSpec decorSpec = Platform();
    decorSpec.objectType = "GTYPE_DECORS";
    CStaticObject decor;
    decor.Load(Describe("decor.obj", decorSpec).c_str(), 1, -1);
    decor.CreatePhysics(2.0f, start, D3DXVECTOR3(15, 2, 1), up);
    ASSERT_NE(nullptr, decor.body);
    EXPECT_FALSE(decor.body->isInWorld()) << "decors are added by their piece";
    EXPECT_GT(decor.body->getInvMass(), 0.0f);
    // Facing +x: the body's forward axis (basis column 2) is the world x axis.
    EXPECT_NEAR(1.0f, decor.body->getWorldTransform().getBasis().getColumn(2).x(), 1e-5f);

    piece.Release();
    EXPECT_EQ(nullptr, piece.body);
    decor.Release();
    world.ReleasePhysics();
}

TEST_F(StaticObjectTest, NebulaDrawsItsTextureOnScreen)
{
    ObjectDescriptionSpec spec = Platform();
    spec.objectType = "GTYPE_NEBULA";
    CStaticObject nebula;
    nebula.Load(Describe("nebula.obj", spec).c_str(), 1, -1);
    D3DXMatrixTranslation(&nebula.world, 0, 0, 4);
    nebula.worldCentre = D3DXVECTOR3(0, 0, 4);
    nebula.cameraDistance = 3;
    nebula.UpdateVisibility();
    ASSERT_EQ(1, nebula.visible);

    IDirect3DDevice9* device = d3dRender.device;
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
    device->BeginScene();
    nebula.Draw();
    device->EndScene();
    const D3DCOLOR centre = ReadRenderTarget(device, SIZE / 2, SIZE / 2, 1, 1)[0];
    EXPECT_GT((centre >> 16) & 0xFF, 200u) << std::hex << centre;
    EXPECT_LT((centre >> 8) & 0xFF, 40u) << std::hex << centre;

    nebula.visible = 0;
    const int faces = d3dRender.facesDrawn;
    nebula.Draw();
    EXPECT_EQ(faces, d3dRender.facesDrawn) << "an object out of sight is not drawn";
}
