#include "platform/gfxx/GlslProgram.h"

#include <epoxy/gl.h>

#include <utility>

namespace {

std::string ShaderLog(GLuint shader)
{
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::string log(std::size_t(length > 0 ? length : 1), '\0');
    glGetShaderInfoLog(shader, GLsizei(log.size()), nullptr, log.data());
    log.resize(log.find('\0') == std::string::npos ? log.size() : log.find('\0'));
    return log;
}

std::string ProgramLog(GLuint program)
{
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::string log(std::size_t(length > 0 ? length : 1), '\0');
    glGetProgramInfoLog(program, GLsizei(log.size()), nullptr, log.data());
    log.resize(log.find('\0') == std::string::npos ? log.size() : log.find('\0'));
    return log;
}

GLuint Compile(GLenum stage, const std::string& source, std::string& log)
{
    GLuint shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        log = ShaderLog(shader);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

bool IsSamplerType(GLenum type)
{
    return type == GL_SAMPLER_2D || type == GL_SAMPLER_CUBE || type == GL_SAMPLER_3D;
}

GLenum GlslTypeOf(ParameterType type)
{
    switch (type) {
    case ParameterType::Float: return GL_FLOAT;
    case ParameterType::Vector: return GL_FLOAT_VEC4;
    case ParameterType::Matrix: return GL_FLOAT_MAT4;
    case ParameterType::Texture: return GL_SAMPLER_2D; // any sampler, see below
    }
    return GL_NONE;
}

} // namespace

GlslProgram::GlslProgram(GlslProgram&& other) noexcept { *this = std::move(other); }

GlslProgram& GlslProgram::operator=(GlslProgram&& other) noexcept
{
    std::swap(program_, other.program_);
    std::swap(uniforms_, other.uniforms_);
    std::swap(pixelConstants_, other.pixelConstants_);
    std::swap(intConstant_, other.intConstant_);
    return *this;
}

GlslProgram::~GlslProgram()
{
    if (program_)
        glDeleteProgram(program_);
}

bool GlslProgram::Build(const TechniqueDeclaration& technique, const TechniqueFile& file, std::string& error)
{
    std::string log;
    GLuint vertex = Compile(GL_VERTEX_SHADER, technique.vertexSource, log);
    if (!vertex) {
        error = technique.name + ": vertex shader:\n" + log;
        return false;
    }
    GLuint fragment = Compile(GL_FRAGMENT_SHADER, technique.fragmentSource, log);
    if (!fragment) {
        glDeleteShader(vertex);
        error = technique.name + ": fragment shader:\n" + log;
        return false;
    }
    program_ = glCreateProgram();
    glAttachShader(program_, vertex);
    glAttachShader(program_, fragment);
    glLinkProgram(program_);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(program_, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        error = technique.name + ": link:\n" + ProgramLog(program_);
        return false;
    }
    return MapUniforms(technique, file, error);
}

bool GlslProgram::MapUniforms(const TechniqueDeclaration& technique, const TechniqueFile& file, std::string& error)
{
    GLint previous = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &previous);
    glUseProgram(program_);
    GLint count = 0;
    glGetProgramiv(program_, GL_ACTIVE_UNIFORMS, &count);
    bool ok = true;
    for (GLint i = 0; i < count && ok; ++i) {
        char name[256];
        GLint size = 0;
        GLenum type = GL_NONE;
        glGetActiveUniform(program_, GLuint(i), sizeof name, nullptr, &size, &type, name);
        const std::string uniform(name);
        if (uniform.rfind("gl_", 0) == 0)
            continue;
        const GLint location = glGetUniformLocation(program_, name);
        if (uniform.size() == 2 && uniform[0] == 'c' && uniform[1] >= '0' && uniform[1] < '0' + PixelConstantCount) {
            pixelConstants_[uniform[1] - '0'] = location;
            ok = type == GL_FLOAT_VEC4;
        } else if (uniform == "i0") {
            intConstant_ = location;
            ok = type == GL_INT_VEC4;
        } else if (IsSamplerType(type)) {
            const SamplerBinding* binding = nullptr;
            for (const auto& sampler : technique.samplers)
                if (sampler.uniform == uniform)
                    binding = &sampler;
            if (!binding) {
                error = technique.name + ": sampler " + uniform + " has no @sampler unit";
                break;
            }
            glUniform1i(location, binding->unit);
        } else {
            const ParameterDeclaration* parameter = file.FindParameter(uniform);
            if (!parameter) {
                error = technique.name + ": uniform " + uniform + " is not a parameter of the file";
                break;
            }
            ok = parameter->type != ParameterType::Texture && GlslTypeOf(parameter->type) == type;
            uniforms_.push_back({int(parameter - file.parameters.data()), location});
        }
        if (!ok)
            error = technique.name + ": uniform " + uniform + " has the wrong GLSL type";
    }
    glUseProgram(GLuint(previous));
    return error.empty();
}
