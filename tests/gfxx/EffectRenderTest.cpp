// On a real GL context: every generated technique file compiles, passes draw what they should,
// passes put back the device state they replace, and textures upload from files in memory.
#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <cstring>

#include "platform/gfxx/D3DXEffect.h"
#include "platform/gfxx/D3DXTexture.h"
#include "tests/gfxx/TechniqueFiles.h"
#include "tests/support/DeviceFixture.h"
#include "tools/makedata/ImageWriters.h"

namespace {

// The glow vertex: corner, colour, sprite uv, centre, up, four spare floats.
struct GlowVertex {
    float x, y, z;
    D3DCOLOR colour;
    float u, v;
    float cx, cy, cz;
    float ux, uy, uz;
    float spare[4];
};
static_assert(sizeof(GlowVertex) == 64);
constexpr DWORD GlowFvf = 0x940442;

struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};
constexpr DWORD ScreenFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

class EffectTest : public DeviceTest {
protected:
    ID3DXEffect* CreateEffect(const std::vector<std::uint8_t>& bytes, std::string* log = nullptr)
    {
        ID3DXEffect* effect = nullptr;
        ID3DXBuffer* errors = nullptr;
        const HRESULT result = D3DXCreateEffect(device, bytes.data(), UINT(bytes.size()), nullptr, nullptr, 0, nullptr,
                                                &effect, &errors);
        if (errors) {
            if (log)
                *log = static_cast<const char*>(errors->GetBufferPointer());
            errors->Release();
        }
        return SUCCEEDED(result) ? effect : nullptr;
    }

    std::vector<std::uint8_t> TechniqueFile(const char* level)
    {
        return files.at(std::string("Data/Misc/RenderTechniques_") + level + ".dat").bytes;
    }

    IDirect3DTexture9* SolidTexture(D3DCOLOR colour)
    {
        const std::vector<std::uint8_t> bmp =
            WriteBmp(MakeFlatImage(4, 4, [&](unsigned, unsigned) { return colour; }), BmpBits::Rgb24);
        IDirect3DTexture9* texture = nullptr;
        EXPECT_EQ(D3DXCreateTextureFromFileInMemoryEx(device, bmp.data(), UINT(bmp.size()), D3DX_DEFAULT, D3DX_DEFAULT,
                                                      1, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT,
                                                      0, nullptr, nullptr, &texture),
                  D3D_OK);
        return texture;
    }

    void DrawFullScreenQuad()
    {
        const ScreenVertex quad[4] = {{0, 0, 0.5f, 1, 0xFFFFFFFF, 0, 0},
                                      {float(WIDTH), 0, 0.5f, 1, 0xFFFFFFFF, 1, 0},
                                      {0, float(HEIGHT), 0.5f, 1, 0xFFFFFFFF, 0, 1},
                                      {float(WIDTH), float(HEIGHT), 0.5f, 1, 0xFFFFFFFF, 1, 1}};
        device->SetFVF(ScreenFvf);
        device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex));
    }

    const std::map<std::string, GeneratedFile> files = GeneratedFiles("techniques");
};

TEST_F(EffectTest, PassZeroBeginsThePassThatEndFinishes)
{
    std::string log;
    ID3DXEffect* effect = CreateEffect(TechniqueFile("20"), &log);
    ASSERT_NE(effect, nullptr) << log;
    ASSERT_EQ(effect->SetTechnique("techDirectLights"), D3D_OK);
    UINT passes = 0;
    ASSERT_EQ(effect->Begin(&passes, 0), D3D_OK);
    ASSERT_EQ(effect->Pass(0), D3D_OK);
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_NE(program, 0);
    EXPECT_EQ(effect->End(), D3D_OK);
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(program, 0);
    effect->Release();
}

TEST_F(EffectTest, EveryTechniqueFileCompilesWithEveryTechnique)
{
    for (const char* level : {"00", "11", "14", "20"}) {
        std::string log;
        ID3DXEffect* effect = CreateEffect(TechniqueFile(level), &log);
        ASSERT_NE(effect, nullptr) << level << ":\n" << log;
        for (const char* technique : {"techDirectLights", "techMotionBlur", "techBumpMap", "techBumpMapTX", "techCloud",
                                      "techOceanSurface"}) {
            ASSERT_EQ(effect->SetTechnique(technique), D3D_OK) << level << " " << technique;
            UINT passes = 0;
            ASSERT_EQ(effect->Begin(&passes, 0), D3D_OK);
            EXPECT_EQ(passes, 1u);
            EXPECT_EQ(effect->BeginPass(0), D3D_OK);
            EXPECT_EQ(effect->EndPass(), D3D_OK);
            EXPECT_EQ(effect->End(), D3D_OK);
        }
        EXPECT_NE(effect->GetParameterByName(nullptr, "DirLight_PosMS"), nullptr);
        EXPECT_EQ(effect->GetParameterByName(nullptr, "NoSuchParameter"), nullptr);
        EXPECT_EQ(effect->SetFloat("NoSuchParameter", 1.0f), D3DERR_INVALIDCALL);
        effect->Release();
    }
}

TEST_F(EffectTest, DirectLightsTurnsTheSpriteToTheEyeAndModulatesItsTexture)
{
    ID3DXEffect* effect = CreateEffect(TechniqueFile("20"));
    ASSERT_NE(effect, nullptr);
    IDirect3DTexture9* texture = SolidTexture(0xFFFF80FFu);
    D3DXMATRIX identity, view, projection;
    D3DXMatrixIdentity(&identity);
    // The eye at the origin looks along +x; the sprite is built in its own frame at (10, 0, 0).
    const D3DXVECTOR3 eye(0, 0, 0), at(1, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection, 1.0f, float(WIDTH) / float(HEIGHT), 0.25f, 100.0f);
    effect->SetTechnique("techDirectLights");
    effect->SetMatrix("matWorld", &identity);
    effect->SetMatrix("matView", &view);
    effect->SetMatrix("matProj", &projection);
    const D3DXVECTOR4 eyePosition(0, 0, 0, 1);
    effect->SetVector("EyePos", &eyePosition);
    effect->SetTexture(effect->GetParameterByName(nullptr, "texBaseMap1"), texture);

    const D3DCOLOR colour = 0xFF80FFFFu;
    GlowVertex quad[4] = {};
    const float corners[4][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    for (int i = 0; i < 4; ++i)
        quad[i] = {corners[i][0], corners[i][1], 0.5f, colour, 0.5f, 0.5f, 10, 0, 0, 0, 1, 0, {}};
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetFVF(GlowFvf);
    UINT passes = 0;
    effect->Begin(&passes, 0);
    effect->BeginPass(0);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(GlowVertex));
    effect->EndPass();
    effect->End();

    EXPECT_TRUE(ColourNear(PixelAt(WIDTH / 2, HEIGHT / 2), 0xFF8080FFu));
    EXPECT_TRUE(ColourNear(PixelAt(5, 5), 0xFF000000u));
    texture->Release();
    effect->Release();
}

TEST_F(EffectTest, MotionBlurWeighsTheFourTargetsByThePixelConstants)
{
    ID3DXEffect* effect = CreateEffect(TechniqueFile("20"));
    ASSERT_NE(effect, nullptr);
    const D3DCOLOR colours[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFF000000u};
    IDirect3DTexture9* targets[4];
    for (int stage = 0; stage < 4; ++stage) {
        targets[stage] = SolidTexture(colours[stage]);
        device->SetTexture(DWORD(stage), targets[stage]);
    }
    const struct {
        float strength;
        D3DCOLOR expected;
    } cases[] = {{1.0f, 0xFF404040u}, {0.5f, 0xFFA02020u}};
    for (const auto& c : cases) {
        const float c0[4] = {c.strength, 0, 0, 0}, c1[4] = {1.0f / (4.0f * c.strength), 0, 0, 0};
        device->SetPixelShaderConstantF(0, c0, 1);
        device->SetPixelShaderConstantF(1, c1, 1);
        effect->SetTechnique("techMotionBlur");
        effect->Begin(nullptr, 0);
        effect->BeginPass(0);
        DrawFullScreenQuad();
        effect->EndPass();
        effect->End();
        EXPECT_TRUE(ColourNear(PixelAt(WIDTH / 3, HEIGHT / 3), c.expected, 10)) << c.strength;
    }
    for (IDirect3DTexture9* target : targets)
        target->Release();
    effect->Release();
}

TEST_F(EffectTest, FixedPassPutsBackTheTexturesAndTransformsItReplaced)
{
    ID3DXEffect* effect = CreateEffect(TechniqueFile("00"));
    ASSERT_NE(effect, nullptr);
    IDirect3DTexture9* mine = SolidTexture(0xFFFFFFFFu);
    IDirect3DTexture9* effects = SolidTexture(0xFF000000u);
    device->SetTexture(0, mine);
    D3DXMATRIX before, world, during, after;
    D3DXMatrixTranslation(&before, 1, 2, 3);
    D3DXMatrixTranslation(&world, 7, 8, 9);
    device->SetTransform(D3DTS_WORLD, &before);
    effect->SetTechnique("techDirectLights");
    effect->SetTexture("texBaseMap1", effects);
    effect->SetMatrix("matWorld", &world);
    effect->Begin(nullptr, 0);
    effect->BeginPass(0);
    IDirect3DBaseTexture9* bound = nullptr;
    device->GetTexture(0, &bound);
    EXPECT_EQ(bound, effects);
    bound->Release();
    device->GetTransform(D3DTS_WORLD, &during);
    EXPECT_EQ(during._41, 7.0f);
    effect->EndPass();
    effect->End();
    device->GetTexture(0, &bound);
    EXPECT_EQ(bound, mine);
    bound->Release();
    device->GetTransform(D3DTS_WORLD, &after);
    EXPECT_EQ(after._41, 1.0f);
    device->SetTexture(0, nullptr);
    mine->Release();
    effects->Release();
    effect->Release();
}

TEST_F(EffectTest, CompileFailureReturnsTheGlslLog)
{
    const std::string text = "@techniques 1\n@technique techBroken glsl\n@vertex\n#version 120\nvoid main() { "
                             "gl_Position = undefinedThing; }\n@fragment\n#version 120\nvoid main() {}\n@end\n";
    std::string log;
    EXPECT_EQ(CreateEffect(std::vector<std::uint8_t>(text.begin(), text.end()), &log), nullptr);
    EXPECT_NE(log.find("techBroken: vertex shader"), std::string::npos) << log;
    EXPECT_NE(log.find("undefinedThing"), std::string::npos) << log;

    const std::string unknown = "@techniques 1\n@technique t glsl\n@vertex\n#version 120\nuniform vec4 Stray;\n"
                                "void main() { gl_Position = Stray; }\n@fragment\n#version 120\nvoid main() {}\n@end\n";
    EXPECT_EQ(CreateEffect(std::vector<std::uint8_t>(unknown.begin(), unknown.end()), &log), nullptr);
    EXPECT_NE(log.find("Stray is not a parameter"), std::string::npos) << log;
}

TEST_F(EffectTest, TexturesOfEveryShapeUploadFromMemory)
{
    DecodedImage flat = MakeFlatImage(8, 4, [](unsigned x, unsigned) { return x < 4 ? 0xFFFF0000u : 0x800000FFu; });
    const std::vector<std::uint8_t> dds = WriteDds(flat, DdsFormat::A8R8G8B8);
    IDirect3DTexture9* texture = nullptr;
    D3DXIMAGE_INFO info {};
    ASSERT_EQ(D3DXCreateTextureFromFileInMemoryEx(device, dds.data(), UINT(dds.size()), D3DX_DEFAULT, D3DX_DEFAULT, 0, 0,
                                                  D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, &info,
                                                  nullptr, &texture),
              D3D_OK);
    EXPECT_EQ(texture->GetLevelCount(), 4u); // 8 x 4 down to 1 x 1
    D3DSURFACE_DESC desc {};
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(desc.Width, 8u);
    EXPECT_EQ(info.Height, 4u);
    D3DLOCKED_RECT locked {};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(static_cast<const std::uint32_t*>(locked.pBits)[5], 0x800000FFu);
    texture->UnlockRect(0);
    texture->Release();

    DecodedImage cubeImage = MakeCubeImage(4, [](unsigned face, unsigned, unsigned) { return 0xFF000000u | face; });
    const std::vector<std::uint8_t> cubeFile = WriteDds(cubeImage, DdsFormat::X8R8G8B8);
    IDirect3DCubeTexture9* cube = nullptr;
    ASSERT_EQ(D3DXCreateCubeTextureFromFileInMemoryEx(device, cubeFile.data(), UINT(cubeFile.size()), D3DX_DEFAULT,
                                                      D3DX_DEFAULT, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT,
                                                      D3DX_DEFAULT, 0, nullptr, nullptr, &cube),
              D3D_OK);
    EXPECT_EQ(cube->GetLevelCount(), 3u);
    cube->Release();

    DecodedImage volumeImage = MakeVolumeImage(4, 4, 2, [](unsigned, unsigned, unsigned z) { return 0xFF000000u | z; });
    const std::vector<std::uint8_t> volumeFile = WriteDds(volumeImage, DdsFormat::A8R8G8B8);
    IDirect3DVolumeTexture9* volume = nullptr;
    ASSERT_EQ(D3DXCreateVolumeTextureFromFileInMemoryEx(device, volumeFile.data(), UINT(volumeFile.size()), D3DX_DEFAULT,
                                                        D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                                        D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr,
                                                        &volume),
              D3D_OK);
    D3DVOLUME_DESC volumeDesc {};
    volume->GetLevelDesc(0, &volumeDesc);
    EXPECT_EQ(volumeDesc.Depth, 2u);
    volume->Release();

    // Wrong shapes and damaged files create nothing.
    IDirect3DCubeTexture9* notCube = nullptr;
    EXPECT_EQ(D3DXCreateCubeTextureFromFileInMemoryEx(device, dds.data(), UINT(dds.size()), D3DX_DEFAULT, D3DX_DEFAULT,
                                                      0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                                      nullptr, nullptr, &notCube),
              D3DXERR_INVALIDDATA);
    EXPECT_EQ(notCube, nullptr);
    IDirect3DTexture9* damaged = nullptr;
    EXPECT_EQ(D3DXCreateTextureFromFileInMemoryEx(device, dds.data(), UINT(dds.size() / 2), D3DX_DEFAULT, D3DX_DEFAULT,
                                                  0, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                                  nullptr, nullptr, &damaged),
              D3DXERR_INVALIDDATA);
    EXPECT_EQ(D3DXCreateTextureFromFileExA(device, "no/such/file.bmp", D3DX_DEFAULT, D3DX_DEFAULT, 0, 0, D3DFMT_UNKNOWN,
                                           D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, &damaged),
              D3DERR_NOTFOUND);
}

} // namespace
