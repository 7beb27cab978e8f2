#pragma once
// The technique file: our own text format for the one effect of the game. Line based; lines
// that start with '@' are directives, everything else inside a source block is GLSL.
//
//   @techniques 1                     first directive: the format and its version
//   @parameter <type> <name> [v...]   type: float | vector | matrix | texture; numeric ones
//                                     may give up to 16 initial values (the rest are 0)
//   @common                           GLSL put in front of every shader (#version, uniforms, ...)
//   @technique <name> glsl            a technique with one GLSL pass:
//     @sampler <uniform> <unit>         the sampler uniform reads texture unit 0-7; when the
//                                       uniform names a texture parameter, the pass binds the
//                                       parameter's texture on that unit when it begins
//     @vertex / @fragment               the two shader sources (both required)
//   @technique <name> fixed           a technique with one fixed-function pass:
//     @texture <stage> <parameter>      binds the texture parameter on stage 0-7
//     @transform <world|view|projection> <parameter>   loads the matrix parameter
//   @end                              closes the technique
//
// Outside source blocks only blank lines and "//" comments may stand between directives.
// GLSL conventions: matrix parameters are uploaded so that `position * matWorldViewProj`
// applies them the Direct3D way (row vectors); uniforms c0-c7 receive the device's pixel shader
// constants and i0 its vertex shader integer constant 0 when a pass begins.
#include <cstddef>
#include <string>
#include <vector>

enum class ParameterType { Float, Vector, Matrix, Texture };
enum class PassKind { Glsl, Fixed };
enum class TransformSlot { World, View, Projection };

struct ParameterDeclaration {
    std::string name;
    ParameterType type;
    std::vector<float> initial; // at most 16
};

struct SamplerBinding {
    std::string uniform;
    int unit;
};

struct StageTexture {
    int stage;
    std::string parameter;
};

struct TransformBinding {
    TransformSlot slot;
    std::string parameter;
};

struct TechniqueDeclaration {
    std::string name;
    PassKind kind = PassKind::Glsl;
    std::vector<SamplerBinding> samplers;   // glsl
    std::string vertexSource, fragmentSource; // glsl, each with the common block in front
    std::vector<StageTexture> textures;      // fixed
    std::vector<TransformBinding> transforms; // fixed
};

struct TechniqueFile {
    std::vector<ParameterDeclaration> parameters;
    std::vector<TechniqueDeclaration> techniques;

    const ParameterDeclaration* FindParameter(const std::string& name) const;
};

constexpr int MaxTextureUnits = 8;

// Parses the bytes of a technique file. On failure returns false with a one-line message
// naming the line ("line 12: unknown directive @foo").
bool ParseTechniqueFile(const char* text, std::size_t size, TechniqueFile& file, std::string& error);
