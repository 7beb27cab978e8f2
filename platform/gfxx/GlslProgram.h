#pragma once
// The GL program of one GLSL technique: compiled and linked from its sources, with the
// locations of the effect parameters and device constants it reads.
#include <string>
#include <vector>

#include "platform/gfxx/TechniqueFile.h"

struct UniformSlot {
    int parameter; // index into the file's parameters
    int location;
};

class GlslProgram {
public:
    GlslProgram() = default;
    GlslProgram(const GlslProgram&) = delete;
    GlslProgram& operator=(const GlslProgram&) = delete;
    GlslProgram(GlslProgram&& other) noexcept;
    GlslProgram& operator=(GlslProgram&& other) noexcept;
    ~GlslProgram();

    // Compiles and links; checks that every active uniform is a parameter of the matching GLSL
    // type (float, vec4, mat4, a sampler), one of c0-c7 (vec4) or i0 (ivec4). On failure error
    // names the technique and holds the compiler's or linker's log.
    bool Build(const TechniqueDeclaration& technique, const TechniqueFile& file, std::string& error);

    unsigned Program() const { return program_; }
    const std::vector<UniformSlot>& Uniforms() const { return uniforms_; }
    // Location of cN (-1 when unused) and of i0.
    int PixelConstant(int index) const { return pixelConstants_[index]; }
    int IntConstant() const { return intConstant_; }

    static constexpr int PixelConstantCount = 8;

private:
    bool MapUniforms(const TechniqueDeclaration& technique, const TechniqueFile& file, std::string& error);

    unsigned program_ = 0;
    std::vector<UniformSlot> uniforms_;
    int pixelConstants_[PixelConstantCount] = {-1, -1, -1, -1, -1, -1, -1, -1};
    int intConstant_ = -1;
};
