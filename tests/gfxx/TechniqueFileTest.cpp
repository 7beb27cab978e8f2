// The technique-file parser, and the four generated technique files: every name the game sets.
#include <gtest/gtest.h>

#include "platform/gfxx/TechniqueFile.h"
#include "tests/gfxx/TechniqueFiles.h"

namespace {

bool Parse(const std::string& text, TechniqueFile& file, std::string& error)
{
    return ParseTechniqueFile(text.data(), text.size(), file, error);
}

TEST(TechniqueFile, ParsesParametersAndBothPassKinds)
{
    const std::string text = "@techniques 1\n"
                             "// a comment\n"
                             "@parameter matrix matWorld\n"
                             "@parameter vector Colour 1 0.5 0 1\n"
                             "@parameter texture texBase\n"
                             "@common\n#version 120\nuniform vec4 Colour;\n"
                             "@technique techA glsl\n@sampler texBase 2\n"
                             "@vertex\nvoid main() { gl_Position = gl_Vertex; }\n"
                             "@fragment\nvoid main() { gl_FragColor = Colour; }\n"
                             "@end\n"
                             "@technique techB fixed\n@texture 1 texBase\n@transform world matWorld\n@end\n";
    TechniqueFile file;
    std::string error;
    ASSERT_TRUE(Parse(text, file, error)) << error;
    ASSERT_EQ(file.parameters.size(), 3u);
    EXPECT_EQ(file.parameters[1].type, ParameterType::Vector);
    EXPECT_EQ(file.parameters[1].initial, (std::vector<float> {1, 0.5f, 0, 1}));
    ASSERT_EQ(file.techniques.size(), 2u);
    const TechniqueDeclaration& a = file.techniques[0];
    EXPECT_EQ(a.kind, PassKind::Glsl);
    EXPECT_EQ(a.vertexSource, "#version 120\nuniform vec4 Colour;\nvoid main() { gl_Position = gl_Vertex; }\n");
    ASSERT_EQ(a.samplers.size(), 1u);
    EXPECT_EQ(a.samplers[0].unit, 2);
    const TechniqueDeclaration& b = file.techniques[1];
    EXPECT_EQ(b.kind, PassKind::Fixed);
    ASSERT_EQ(b.textures.size(), 1u);
    EXPECT_EQ(b.textures[0].stage, 1);
    ASSERT_EQ(b.transforms.size(), 1u);
    EXPECT_EQ(b.transforms[0].slot, TransformSlot::World);
}

TEST(TechniqueFile, RefusesMalformedFilesNamingTheLine)
{
    const std::string head = "@techniques 1\n@parameter texture tex\n@parameter float f\n";
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"", "missing @techniques 1"},
        {"@techniques 2\n", "line 1"},
        {head + "stray text\n", "line 4: text outside a source block"},
        {head + "@parameter float f\n", "declared twice"},
        {head + "@parameter colour c\n", "unknown parameter type"},
        {head + "@parameter float g 1 x\n", "not a number"},
        {head + "@parameter texture t2 1\n", "too many initial values"},
        {head + "@technique t glsl\n@sampler tex 8\n", "unit 0-7"},
        {head + "@technique t glsl\n@sampler f 0\n", "not a texture parameter"},
        {head + "@technique t glsl\n@sampler tex 0\n@sampler other 0\n", "bound twice"},
        {head + "@technique t glsl\n@vertex\nx\n@end\n", "needs @vertex and @fragment"},
        {head + "@technique t glsl\n@vertex\n@vertex\n", "given twice"},
        {head + "@technique t fixed\n@texture 0 missing\n", "not a declared texture parameter"},
        {head + "@technique t fixed\n@transform world f\n", "not a declared matrix parameter"},
        {head + "@technique t fixed\n@sampler tex 0\n", "unknown directive @sampler"},
        {head + "@technique t fixed\n", "has no @end"},
        {head + "@technique t fixed\n@end\n@technique t fixed\n@end\n", "declared twice"},
        {head + "@technique t other\n", "glsl or fixed"},
        {head + "@end\n", "outside a technique"},
        {head + "@technique t fixed\n@end\n@common\n", "@common after a technique"},
    };
    for (const auto& c : cases) {
        TechniqueFile file;
        std::string error;
        EXPECT_FALSE(Parse(c.text, file, error)) << c.text;
        EXPECT_NE(error.find(c.message), std::string::npos) << "got: " << error << "\nfor: " << c.text;
    }
    TechniqueFile file;
    std::string error;
    EXPECT_FALSE(ParseTechniqueFile("@techniques 1\0", 15, file, error));
    EXPECT_FALSE(ParseTechniqueFile(nullptr, 0, file, error));
}

const char* const Techniques[] = {"techDirectLights", "techMotionBlur", "techBumpMap",
                                  "techBumpMapTX",    "techCloud",      "techOceanSurface"};

const struct {
    const char* name;
    ParameterType type;
} GameParameters[] = {
    {"matWorld", ParameterType::Matrix}, {"matView", ParameterType::Matrix}, {"matProj", ParameterType::Matrix},
    {"matViewProj", ParameterType::Matrix}, {"matWorldViewProj", ParameterType::Matrix},
    {"EyePos", ParameterType::Vector}, {"EyePosMS", ParameterType::Vector}, {"DirLight_Diff", ParameterType::Vector},
    {"DirLight_Spec", ParameterType::Vector}, {"DirLight_Dir", ParameterType::Vector},
    {"DirLight_PosMS", ParameterType::Vector}, {"GlobalAmbient", ParameterType::Vector},
    {"FogColor", ParameterType::Vector}, {"MatAmbient", ParameterType::Vector}, {"MatDiffuse", ParameterType::Vector},
    {"MatSpecular", ParameterType::Vector}, {"MatEmissive", ParameterType::Vector}, {"vecTime", ParameterType::Vector},
    {"FogParam", ParameterType::Vector}, {"vecCloud1Velocity", ParameterType::Vector},
    {"vecCloud2Velocity", ParameterType::Vector}, {"vecCloud1BaseScale", ParameterType::Vector},
    {"vecCloud2BaseScale", ParameterType::Vector}, {"vecCloud1Distortion", ParameterType::Vector},
    {"vecCloud2Distortion", ParameterType::Vector}, {"vecCloud1Color", ParameterType::Vector},
    {"vecCloud2Color", ParameterType::Vector}, {"OceanColor", ParameterType::Vector},
    {"WaveScale", ParameterType::Vector}, {"OceanOffset", ParameterType::Vector}, {"Bumpiness", ParameterType::Float},
    {"MatSpecularPow", ParameterType::Float}, {"FadeBias", ParameterType::Float}, {"FadeExp", ParameterType::Float},
    {"ModelBSRadius", ParameterType::Float}, {"NoiseSpeed", ParameterType::Float},
    {"texBaseMap1", ParameterType::Texture}, {"texBumpMap", ParameterType::Texture},
    {"texNoise3D", ParameterType::Texture}, {"texSpaceSkyEnvMap", ParameterType::Texture},
    {"texPlanetEnvMap", ParameterType::Texture}, {"texCubeMap1", ParameterType::Texture},
    {"texCubeMap2", ParameterType::Texture},
};

TEST(GeneratedTechniqueFiles, EachDeclaresEveryTechniqueAndParameter)
{
    const auto files = GeneratedFiles("techniques");
    for (const char* level : {"00", "11", "14", "20"}) {
        const std::string name = std::string("Data/Misc/RenderTechniques_") + level + ".dat";
        ASSERT_EQ(files.count(name), 1u) << name;
        const GeneratedFile& generated = files.at(name);
        EXPECT_EQ(generated.pack, Pack::World);
        TechniqueFile file;
        std::string error;
        ASSERT_TRUE(ParseTechniqueFile(reinterpret_cast<const char*>(generated.bytes.data()), generated.bytes.size(),
                                       file, error))
            << name << ": " << error;
        for (const char* technique : Techniques) {
            auto found = std::find_if(file.techniques.begin(), file.techniques.end(),
                                      [&](const TechniqueDeclaration& t) { return t.name == technique; });
            ASSERT_NE(found, file.techniques.end()) << name << " lacks " << technique;
            EXPECT_EQ(found->kind, std::string(level) == "00" ? PassKind::Fixed : PassKind::Glsl) << technique;
        }
        for (const auto& parameter : GameParameters) {
            const ParameterDeclaration* declared = file.FindParameter(parameter.name);
            ASSERT_NE(declared, nullptr) << name << " lacks " << parameter.name;
            EXPECT_EQ(declared->type, parameter.type) << parameter.name;
        }
    }
}

} // namespace
