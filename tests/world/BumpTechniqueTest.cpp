// The bump technique on the shared device with the generated techniques: a plate painted with a
// scooter's livery, lit by a location, shades its panel seams differently with the scooters'
// relief map than with a flat one.
#include "tests/world/WorldFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "platform/gfx/GfxControl.h"
#include "tools/makedata/ImageWriters.h"
#include "tools/makedata/MeshWriter.h"
#include "tools/makedata/ObjectDescriptionWriter.h"
#include "world/World.h"
#include "world/objects/StaticObject.h"

namespace {

void WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(name).parent_path());
    std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A flat structure plate whose description names the scooters' paint and the given relief map.
std::string WritePlate(const std::string& name, const std::string& bumpTexture)
{
    MeshWriter mesh;
    mesh.AddFrame(GROUP_BODY, MakeBox({0, 0, 0}, {2, 0.05f, 2}));
    WriteFile("Data/Test/Plate.msh", mesh.Encode());
    ObjectDescriptionSpec spec;
    spec.objectType = "GTYPE_STRUCTURE";
    spec.mesh = "Data/Test/Plate.msh";
    spec.baseTexture = "Data/Vehicles/01/Paint.jpg";
    spec.bumpTexture = bumpTexture;
    const std::string path = "Data/Test/" + name + ".obj";
    WriteFile(path, WriteObjectDescription(spec).Bytes());
    return path;
}

class BumpTechniqueTest : public WorldTest {
protected:
    void TearDown() override
    {
        GameSettings[SLOT_BUMP] = 0;
        WorldTest::TearDown();
    }

    // The plate drawn by itself from above, as the game draws a structure.
    static std::vector<D3DCOLOR> DrawPlate(const std::string& description)
    {
        CStaticObject plate;
        plate.Load(description.c_str(), 1, -1);
        plate.visible = 1;
        d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
        d3dRender.device->BeginScene();
        plate.Draw();
        d3dRender.device->EndScene();
        plate.Release();
        return ReadRenderTarget(d3dRender.device, 0, 0, int(WORLD_SCREEN_WIDTH), int(WORLD_SCREEN_HEIGHT));
    }
};

TEST_F(BumpTechniqueTest, TheReliefMapShadesThePanelSeams)
{
    WriteFile("Data/Test/FlatBump.jpg",
              WriteJpg(MakeFlatImage(64, 64, [](unsigned, unsigned) { return Argb(255, 128, 128, 255); })));
    const std::string relief = WritePlate("Relief", "Data/Vehicles/Bump.jpg");
    const std::string flat = WritePlate("Flat", "Data/Test/FlatBump.jpg");
    world.LoadLocation(1);
    world.activeCamera->SetPosition(D3DXVECTOR3(0, 2.4f, -0.9f), D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 1, 0));

    GameSettings[SLOT_BUMP] = 2;
    const std::vector<D3DCOLOR> bumped = DrawPlate(relief);
    const std::vector<D3DCOLOR> smooth = DrawPlate(flat);
    int lit = 0, shaded = 0;
    for (std::size_t i = 0; i < bumped.size(); ++i) {
        const D3DCOLOR a = bumped[i], b = smooth[i];
        lit += (b & 0xFFFFFF) != 0;
        int difference = 0;
        for (int shift = 0; shift < 24; shift += 8)
            difference += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
        shaded += difference > 24;
    }
    EXPECT_GT(lit, int(bumped.size()) / 3) << "the plate fills the view";
    EXPECT_GT(shaded, lit / 50) << "seams shaded by the relief";
    EXPECT_LT(shaded, lit / 2) << "flat panels between the seams";
}

} // namespace
