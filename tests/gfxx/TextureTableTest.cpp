// The renderer's texture table over real textures: sharing by name, reference counts, BMP to
// JPG, the slot limit and bad files; and the technique file chosen by the shader level.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "tests/support/DeviceFixture.h"
#include "tests/support/ScratchFolder.h"
#include "tools/makedata/ImageWriters.h"

namespace {

std::string Bytes(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string TinyBmp(D3DCOLOR colour)
{
    return Bytes(WriteBmp(MakeFlatImage(2, 2, [&](unsigned, unsigned) { return colour; }), BmpBits::Rgb24));
}

class RendererTextureTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        render = std::make_unique<CD3DRender>();
        device->AddRef(); // the renderer releases its device when it frees itself
        render->device = device;
        GameSettings[SLOT_DEBUG_LOG] = 1;
        GameSettings[SLOT_BMP_TO_JPG] = 0;
        FileManager = 1; // packs on, none present: every file is found loose
        fileSystem.Init();
    }

    void TearDown() override
    {
        render->ReleaseAllTextures();
        ReleaseEffect();
        device->Release();
        fileSystem.Release();
        GameSettings[SLOT_DEBUG_LOG] = 0;
        FileManager = 1;
    }

    void ReleaseEffect()
    {
        if (render->effect) {
            render->effect->Release();
            render->effect = nullptr;
        }
    }

    // Packs off: every mode opens the loose file.
    void PacksOff()
    {
        FileManager = 0;
        fileSystem.Release();
        fileSystem.Init();
    }

    bool LogHas(const std::string& text) const { return folder.Read("debug.txt").find(text) != std::string::npos; }

    ScratchFolder folder;
    std::unique_ptr<CD3DRender> render;
};

TEST_F(RendererTextureTest, SameNameSharesTheSlotUntilTheLastRelease)
{
    folder.Write("Data/a.bmp", TinyBmp(0xFFFF0000u));
    folder.Write("Data/A.bmp", TinyBmp(0xFF00FF00u));
    const int first = render->LoadTexture("Data/a.bmp", 1);
    ASSERT_GE(first, 0);
    EXPECT_EQ(render->LoadTexture("Data/a.bmp", 0), first);
    EXPECT_EQ(render->textureManager.ReferenceCount(first), 2u);
    const int other = render->LoadTexture("Data/A.bmp", 1);
    EXPECT_NE(other, first);
    EXPECT_STREQ(render->GetTextureName(first), "Data/a.bmp");
    EXPECT_STREQ(render->GetTextureNameOf(render->GetTexture(other)), "Data/A.bmp");
    EXPECT_EQ(render->GetTextureByName("Data/a.bmp"), render->GetTexture(first));

    render->ReleaseTexture(first);
    EXPECT_NE(render->GetTexture(first), nullptr);
    render->ReleaseTextureByName("Data/a.bmp");
    EXPECT_EQ(render->GetTexture(first), nullptr);
    EXPECT_STREQ(render->GetTextureName(first), "");
    EXPECT_EQ(render->textureManager.FindByName("Data/a.bmp"), -1);

    render->ReleaseTexture(-1);
    render->ReleaseTextureByName(nullptr);
    EXPECT_EQ(render->GetTextureName(-1), nullptr);
    EXPECT_EQ(render->GetTexture(-1), nullptr);
    EXPECT_EQ(render->LoadTexture(nullptr, 0), -1);
}

TEST_F(RendererTextureTest, BmpToJpgReadsTheJpgButKeepsTheAskedName)
{
    folder.Write("Data/pic.jpg", Bytes(WriteJpg(MakeFlatImage(8, 8, [](unsigned, unsigned) { return 0xFF808080u; }))));
    EXPECT_EQ(render->LoadTexture("Data/pic.bmp", 1), -1);
    EXPECT_TRUE(LogHas("Load texture failed: Data/pic.bmp\n"));

    GameSettings[SLOT_BMP_TO_JPG] = 1;
    const int id = render->LoadTexture("Data/pic.bmp", 1);
    ASSERT_GE(id, 0);
    EXPECT_STREQ(render->GetTextureName(id), "Data/pic.bmp");
    EXPECT_EQ(render->LoadTexture("Data/pic.bmp", 1), id);
    render->ReleaseTexture(id); // the second reference; the table's release takes the first
}

TEST_F(RendererTextureTest, PacksOffLoadFromThePathOnDisk)
{
    PacksOff();
    folder.Write("Data/b.bmp", TinyBmp(0xFF0000FFu));
    EXPECT_GE(render->LoadTexture("Data/b.bmp", 0), 0);
}

TEST_F(RendererTextureTest, BadFilesFailWithTheLogLine)
{
    folder.Write("Data/short.bmp", "BM");
    folder.Write("Data/cut.dds", Bytes(WriteDds(MakeFlatImage(8, 8, [](unsigned, unsigned) { return 0u; }),
                                                DdsFormat::Dxt1)).substr(0, 140));
    folder.Write("Data/Folder.bmp/inside.txt", "a folder named like a texture");
    for (const char* name : {"Data/short.bmp", "Data/cut.dds", "Data/missing.bmp", "Data/Folder.bmp", "Data"}) {
        EXPECT_EQ(render->LoadTexture(name, 0), -1) << name;
        EXPECT_TRUE(LogHas(std::string("Load texture failed: ") + name)) << name;
    }
}

TEST_F(RendererTextureTest, TheTableHoldsAtMost1024Textures)
{
    folder.Write("Data/t.bmp", TinyBmp(0xFFFFFFFFu));
    for (int i = 0; i < TEXTURE_SLOTS + 1; ++i)
        std::filesystem::copy_file(folder.path() / "Data/t.bmp", folder.path() / ("Data/t" + std::to_string(i) + ".bmp"));
    for (int i = 0; i < TEXTURE_SLOTS; ++i)
        ASSERT_EQ(render->LoadTexture(("Data/t" + std::to_string(i) + ".bmp").c_str(), 1), i);
    EXPECT_EQ(render->LoadTexture("Data/t1024.bmp", 1), -1);
    render->ReleaseTexture(17);
    EXPECT_EQ(render->LoadTexture("Data/t1024.bmp", 1), 17);
}

TEST_F(RendererTextureTest, ReleaseAllLogsEveryTextureStillHeld)
{
    folder.Write("Data/a.bmp", TinyBmp(0xFFFF0000u));
    const int id = render->LoadTexture("Data/a.bmp", 1);
    render->LoadTexture("Data/a.bmp", 1);
    render->ReleaseAllTextures();
    EXPECT_TRUE(LogHas("\tCTextureManager::ReleaseAllTextures() start...\n"
                       "\t\tTexture lost! (ID: 0; REF: 2; Name: Data/a.bmp\n"
                       "\tCTextureManager::ReleaseAllTextures() done!\n"));
    EXPECT_EQ(render->textureManager.ReferenceCount(id), 1u);
}

// A technique file whose one technique names its level.
std::string LevelFile(const char* level)
{
    return std::string("@techniques 1\n@technique level") + level + " fixed\n@end\n";
}

TEST_F(RendererTextureTest, ShaderLevelsChooseTheirTechniqueFile)
{
    for (const char* level : {"00", "11", "14", "20"})
        folder.Write(std::string("Data/Misc/RenderTechniques_") + level + ".dat", LevelFile(level));
    PacksOff();
    const struct {
        int ps11, ps14, ps20;
        const char* technique;
    } cases[] = {{1, 1, 1, "level20"}, {1, 1, 0, "level14"}, {1, 0, 0, "level11"}, {0, 0, 0, "level00"}};
    for (const auto& c : cases) {
        render->ps11 = c.ps11, render->ps14 = c.ps14, render->ps20 = c.ps20;
        ASSERT_EQ(render->CreateRenderTechniques(), 0) << c.technique;
        EXPECT_NE(render->effect->GetTechniqueByName(c.technique), nullptr) << c.technique;
    }
    std::filesystem::remove(folder.path() / "Data/Misc/RenderTechniques_00.dat");
    ReleaseEffect();
    EXPECT_EQ(render->CreateRenderTechniques(), E_FAIL);
}

TEST_F(RendererTextureTest, ATechniqueFileThatDoesNotCompileShowsTheLog)
{
    folder.Write("Data/Misc/RenderTechniques_20.dat",
                 "@techniques 1\n@technique broken glsl\n@vertex\n#version 120\nvoid main() { gl_Position = nope; }\n"
                 "@fragment\n#version 120\nvoid main() {}\n@end\n");
    PacksOff();
    render->ps11 = render->ps14 = render->ps20 = 1;
    device->AddRef(); // FreeD3DRender releases the device once more
    EXPECT_TRUE(FAILED(render->CreateRenderTechniques()));
    EXPECT_TRUE(LogHas("Create render techniques failed!\nbroken: vertex shader:"));
    EXPECT_TRUE(LogHas("nope"));
    EXPECT_EQ(render->device, nullptr);
    render->device = device;
}

} // namespace
