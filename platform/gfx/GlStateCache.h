#pragma once
// The GL state the device last set. Each setter reaches GL only when its value differs from the
// one already set, and counts the GL calls it makes.
#include <epoxy/gl.h>

#include <array>
#include <cstdint>
#include <tuple>
#include <unordered_map>

#include "platform/gfx/D3D9.h"

struct GlLight {
    float ambient[4], diffuse[4], specular[4];
    float position[4];
    float spotDirection[3];
    float spotExponent, spotCutoff;
    float attenuation[3];
    bool operator==(const GlLight&) const = default;
};

struct GlMaterial {
    float ambient[4], diffuse[4], specular[4], emission[4];
    float shininess;
    bool operator==(const GlMaterial&) const = default;
};

struct GlTexEnv {
    GLenum combineRgb, combineAlpha;
    GLenum sourceRgb[3], operandRgb[3];
    GLenum sourceAlpha[3], operandAlpha[3];
    float scaleRgb;
    D3DCOLOR constant;
    bool operator==(const GlTexEnv&) const = default;
};

struct GlSampler {
    GLenum wrapS, wrapT, wrapR;
    GLenum minFilter, magFilter;
    float lodBias, minLod, anisotropy;
    D3DCOLOR border;
    bool operator==(const GlSampler&) const = default;
};

class GlStateCache {
public:
    // Forget everything known: the next value of every state is sent.
    void Invalidate();
    std::uint64_t Calls() const { return calls; }

    void Enable(GLenum capability, bool on);
    void DepthFunc(GLenum function);
    void DepthMask(bool write);
    void BlendFunc(GLenum source, GLenum destination);
    void BlendEquation(GLenum equation);
    void AlphaFunc(GLenum function, float reference);
    void CullFace(GLenum face);
    void PolygonMode(GLenum mode);
    void ShadeModel(GLenum model);
    void ColorMask(DWORD mask);
    void StencilFunc(GLenum face, GLenum function, int reference, GLuint mask);
    void StencilOp(GLenum face, GLenum fail, GLenum depthFail, GLenum pass);
    void StencilWriteMask(GLuint mask);
    void Fog(GLenum mode, float start, float end, float density, D3DCOLOR colour);
    void PointSize(float size);
    void Viewport(int x, int y, int width, int height);
    void DepthRange(float nearZ, float farZ);
    void DrawFramebuffer(GLuint framebuffer);
    void ActiveTexture(unsigned unit);
    void ClientActiveTexture(unsigned unit);
    // Enables target on the unit (0: none) and binds the texture to it.
    void TextureUnit(unsigned unit, GLenum target, GLuint texture);
    void BindSampler(unsigned unit, GLuint sampler);
    void ClientState(GLenum array, bool on);
    void TexCoordArray(unsigned unit, bool on);
    void Scissor(int x, int y, int width, int height);
    void ArrayBuffer(GLuint buffer);
    void ElementBuffer(GLuint buffer);
    // GL_MODELVIEW, GL_PROJECTION, or GL_TEXTURE of a unit.
    void LoadMatrix(GLenum mode, unsigned unit, const float* matrix);
    // One light in eye coordinates (position w 0 for a directional light).
    void Light(unsigned index, const GlLight& light);
    void Material(const GlMaterial& material);
    // 0: colour material off; else GL_DIFFUSE, GL_AMBIENT, GL_AMBIENT_AND_DIFFUSE or GL_EMISSION.
    void ColorMaterial(GLenum mode);
    void LightModel(D3DCOLOR ambient, bool localViewer);
    void TexEnv(unsigned unit, const GlTexEnv& environment);
    // 0: no generation; else GL_REFLECTION_MAP, GL_NORMAL_MAP, GL_EYE_LINEAR or GL_SPHERE_MAP.
    void TexGen(unsigned unit, GLenum mode);
    void SamplerParameters(GLuint sampler, unsigned unit, const GlSampler& parameters);
    void Colour(D3DCOLOR colour);
    void Normal(float x, float y, float z);
    // GL leaves the current colour and normal undefined after a draw from arrays that feed them.
    void ForgetColour() { colour.valid = false; }
    void ForgetNormal() { normal.valid = false; }

private:
    void Count(int n = 1) { calls += static_cast<std::uint64_t>(n); }
    void MatrixMode(GLenum mode);

    std::uint64_t calls = 0;
    std::unordered_map<GLenum, bool> capabilities;
    template <typename T>
    struct Cached {
        bool valid = false;
        T value {};
        bool Update(const T& next)
        {
            if (valid && value == next)
                return false;
            valid = true;
            value = next;
            return true;
        }
    };
    struct FogState {
        GLenum mode;
        float start, end, density;
        D3DCOLOR colour;
        bool operator==(const FogState&) const = default;
    };
    struct Rect {
        int x, y, width, height;
        bool operator==(const Rect&) const = default;
    };
    struct Unit {
        Cached<GLenum> target;
        Cached<GLuint> texture;
        Cached<GLuint> sampler;
        Cached<bool> texCoordArray;
        Cached<std::array<float, 16>> matrix;
        Cached<GlTexEnv> environment;
        Cached<GLenum> texGen;
        Cached<GlSampler> sampler_;
    };

    Cached<GLenum> depthFunc;
    Cached<bool> depthMask;
    Cached<std::array<GLenum, 2>> blendFunc;
    Cached<GLenum> blendEquation;
    Cached<std::pair<GLenum, float>> alphaFunc;
    Cached<GLenum> cullFace;
    Cached<GLenum> polygonMode;
    Cached<GLenum> shadeModel;
    Cached<DWORD> colorMask;
    Cached<std::tuple<GLenum, int, GLuint>> stencilFuncFront, stencilFuncBack;
    Cached<std::array<GLenum, 3>> stencilOpFront, stencilOpBack;
    Cached<GLuint> stencilWriteMask;
    Cached<FogState> fog;
    Cached<float> pointSize;
    Cached<Rect> viewport;
    Cached<std::pair<float, float>> depthRange;
    Cached<GLuint> drawFramebuffer;
    Cached<unsigned> activeTexture;
    Cached<unsigned> clientActiveTexture;
    std::array<Unit, D3D_MAX_TEXTURE_STAGES> units;
    std::unordered_map<GLenum, bool> clientStates;
    Cached<Rect> scissor;
    Cached<GLuint> arrayBuffer, elementBuffer;
    Cached<GLenum> matrixMode;
    Cached<std::array<float, 16>> modelview, projection;
    std::array<Cached<GlLight>, D3D_MAX_LIGHTS> lights;
    Cached<GlMaterial> material;
    Cached<GLenum> colorMaterial;
    Cached<std::pair<D3DCOLOR, bool>> lightModel;
    Cached<D3DCOLOR> colour;
    Cached<std::array<float, 3>> normal;
};
