#include <algorithm>
#include <cmath>

#include "platform/gfx/Device.h"
#include "platform/gfx/GlMapping.h"

namespace {

void Multiply(const D3DMATRIX& a, const D3DMATRIX& b, float out[16])
{
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            out[row * 4 + column] = a.m[row][0] * b.m[0][column] + a.m[row][1] * b.m[1][column] +
                                    a.m[row][2] * b.m[2][column] + a.m[row][3] * b.m[3][column];
}

// A row vector (x, y, z, w) through a row-major matrix.
void TransformRow(const D3DMATRIX& m, const float in[4], float out[4])
{
    for (int column = 0; column < 4; ++column)
        out[column] = in[0] * m.m[0][column] + in[1] * m.m[1][column] + in[2] * m.m[2][column] + in[3] * m.m[3][column];
}

void CopyColour(const D3DCOLORVALUE& colour, float out[4])
{
    out[0] = colour.r;
    out[1] = colour.g;
    out[2] = colour.b;
    out[3] = colour.a;
}

GlLight LightInEyeSpace(const D3DLIGHT9& light, const D3DMATRIX& view)
{
    GlLight gl {};
    CopyColour(light.Ambient, gl.ambient);
    CopyColour(light.Diffuse, gl.diffuse);
    CopyColour(light.Specular, gl.specular);
    gl.spotCutoff = 180.0f;
    gl.attenuation[0] = 1.0f;
    gl.spotDirection[2] = -1.0f;
    if (light.Type == D3DLIGHT_DIRECTIONAL) {
        // GL's directional position points towards the light.
        const float towards[4] = {-light.Direction.x, -light.Direction.y, -light.Direction.z, 0.0f};
        TransformRow(view, towards, gl.position);
        return gl;
    }
    const float position[4] = {light.Position.x, light.Position.y, light.Position.z, 1.0f};
    TransformRow(view, position, gl.position);
    gl.attenuation[0] = light.Attenuation0;
    gl.attenuation[1] = light.Attenuation1;
    gl.attenuation[2] = light.Attenuation2;
    if (light.Attenuation0 == 0 && light.Attenuation1 == 0 && light.Attenuation2 == 0)
        gl.attenuation[0] = 1.0f;
    if (light.Type == D3DLIGHT_SPOT) {
        const float direction[4] = {light.Direction.x, light.Direction.y, light.Direction.z, 0.0f};
        float eye[4];
        TransformRow(view, direction, eye);
        std::copy(eye, eye + 3, gl.spotDirection);
        // GL has one cone: the outer angle, with the fall-off as its exponent.
        gl.spotCutoff = std::clamp(light.Phi * 0.5f * 57.29578f, 0.0f, 90.0f);
        gl.spotExponent = std::clamp(light.Falloff, 0.0f, 128.0f);
    }
    return gl;
}

GLenum ArgumentSource(DWORD argument)
{
    switch (argument & D3DTA_SELECTMASK) {
    case D3DTA_DIFFUSE:
    case D3DTA_SPECULAR: return GL_PRIMARY_COLOR;
    case D3DTA_TEXTURE: return GL_TEXTURE;
    case D3DTA_TFACTOR:
    case D3DTA_CONSTANT: return GL_CONSTANT;
    default: return GL_PREVIOUS;
    }
}

GLenum ColourOperand(DWORD argument)
{
    const bool complement = argument & D3DTA_COMPLEMENT;
    if (argument & D3DTA_ALPHAREPLICATE)
        return complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
    return complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR;
}

GLenum AlphaOperand(DWORD argument)
{
    return (argument & D3DTA_COMPLEMENT) ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
}

struct Combine {
    GLenum function;
    float scale;
    GLenum blendSource; // third argument of INTERPOLATE, else 0
};

Combine CombineOf(DWORD op)
{
    switch (op) {
    case D3DTOP_SELECTARG1:
    case D3DTOP_SELECTARG2: return {GL_REPLACE, 1, 0};
    case D3DTOP_MODULATE2X: return {GL_MODULATE, 2, 0};
    case D3DTOP_MODULATE4X: return {GL_MODULATE, 4, 0};
    case D3DTOP_ADD: return {GL_ADD, 1, 0};
    case D3DTOP_ADDSIGNED: return {GL_ADD_SIGNED, 1, 0};
    case D3DTOP_ADDSIGNED2X: return {GL_ADD_SIGNED, 2, 0};
    case D3DTOP_SUBTRACT: return {GL_SUBTRACT, 1, 0};
    case D3DTOP_BLENDDIFFUSEALPHA: return {GL_INTERPOLATE, 1, GL_PRIMARY_COLOR};
    case D3DTOP_BLENDTEXTUREALPHA: return {GL_INTERPOLATE, 1, GL_TEXTURE};
    case D3DTOP_DISABLE: return {GL_REPLACE, 1, 0}; // passes the current value
    default: return {GL_MODULATE, 1, 0};
    }
}

} // namespace

void Device::ApplyPipeline(const FvfLayout& layout, bool programActive)
{
    BindTargets();
    cache.Viewport(static_cast<int>(viewport.X), static_cast<int>(viewport.Y), static_cast<int>(viewport.Width),
                   static_cast<int>(viewport.Height));
    cache.DepthRange(viewport.MinZ, viewport.MaxZ);
    cache.Enable(GL_SCISSOR_TEST, false);
    ApplyRaster();
    ApplyOutputMerger();
    ApplyTransformsAndLighting(layout);
    ApplyTextureStages(layout, programActive);
}

void Device::ApplyRaster()
{
    const DWORD fill = renderStates[D3DRS_FILLMODE];
    cache.PolygonMode(fill == D3DFILL_POINT ? GL_POINT : fill == D3DFILL_WIREFRAME ? GL_LINE : GL_FILL);
    cache.ShadeModel(renderStates[D3DRS_SHADEMODE] == D3DSHADE_FLAT ? GL_FLAT : GL_SMOOTH);
    const DWORD cull = renderStates[D3DRS_CULLMODE];
    cache.Enable(GL_CULL_FACE, cull == D3DCULL_CW || cull == D3DCULL_CCW);
    // GL's front faces are Direct3D's clockwise triangles (see the constructor).
    if (cull == D3DCULL_CW || cull == D3DCULL_CCW)
        cache.CullFace(cull == D3DCULL_CW ? GL_FRONT : GL_BACK);
    cache.PointSize(std::max(1.0f, BitsFloat(renderStates[D3DRS_POINTSIZE])));
}

void Device::ApplyOutputMerger()
{
    const bool depthTest = renderStates[D3DRS_ZENABLE] != D3DZB_FALSE && depthStencil;
    cache.Enable(GL_DEPTH_TEST, depthTest);
    if (depthTest) {
        cache.DepthFunc(GlCompare(renderStates[D3DRS_ZFUNC]));
        cache.DepthMask(renderStates[D3DRS_ZWRITEENABLE] != FALSE);
    }

    const bool blend = renderStates[D3DRS_ALPHABLENDENABLE] != FALSE;
    cache.Enable(GL_BLEND, blend);
    if (blend) {
        cache.BlendFunc(GlBlendFactor(renderStates[D3DRS_SRCBLEND]), GlBlendFactor(renderStates[D3DRS_DESTBLEND]));
        cache.BlendEquation(GlBlendEquation(renderStates[D3DRS_BLENDOP]));
    }

    const bool alphaTest = renderStates[D3DRS_ALPHATESTENABLE] != FALSE;
    cache.Enable(GL_ALPHA_TEST, alphaTest);
    if (alphaTest)
        cache.AlphaFunc(GlCompare(renderStates[D3DRS_ALPHAFUNC]), (renderStates[D3DRS_ALPHAREF] & 0xFF) / 255.0f);

    cache.ColorMask(renderStates[D3DRS_COLORWRITEENABLE]);

    const bool stencil = renderStates[D3DRS_STENCILENABLE] != FALSE && depthStencil && depthStencil->HasStencil();
    cache.Enable(GL_STENCIL_TEST, stencil);
    if (!stencil)
        return;
    const int reference = static_cast<int>(renderStates[D3DRS_STENCILREF]);
    const GLuint mask = renderStates[D3DRS_STENCILMASK];
    const bool twoSided = renderStates[D3DRS_TWOSIDEDSTENCILMODE] != FALSE;
    auto face = [&](GLenum glFace, D3DRENDERSTATETYPE function, D3DRENDERSTATETYPE fail, D3DRENDERSTATETYPE zFail,
                    D3DRENDERSTATETYPE pass) {
        cache.StencilFunc(glFace, GlCompare(renderStates[function]), reference, mask);
        cache.StencilOp(glFace, GlStencilOp(renderStates[fail]), GlStencilOp(renderStates[zFail]),
                        GlStencilOp(renderStates[pass]));
    };
    face(GL_FRONT, D3DRS_STENCILFUNC, D3DRS_STENCILFAIL, D3DRS_STENCILZFAIL, D3DRS_STENCILPASS);
    if (twoSided)
        face(GL_BACK, D3DRS_CCW_STENCILFUNC, D3DRS_CCW_STENCILFAIL, D3DRS_CCW_STENCILZFAIL, D3DRS_CCW_STENCILPASS);
    else
        face(GL_BACK, D3DRS_STENCILFUNC, D3DRS_STENCILFAIL, D3DRS_STENCILZFAIL, D3DRS_STENCILPASS);
    cache.StencilWriteMask(renderStates[D3DRS_STENCILWRITEMASK]);
}

void Device::ApplyTransformsAndLighting(const FvfLayout& layout)
{
    if (layout.pretransformed) {
        // Pixel coordinates of the render target to clip space within the viewport. Direct3D's
        // pixel centres lie on whole coordinates, GL's half a pixel further; a shift just under
        // half a pixel keeps edges on whole coordinates off GL's centres, so that Direct3D's
        // top-left fill rule results.
        constexpr float CENTRE_SHIFT = 63.0f / 128.0f;
        const float w = static_cast<float>(viewport.Width), h = static_cast<float>(viewport.Height);
        const float x0 = static_cast<float>(viewport.X), y0 = static_cast<float>(viewport.Y);
        const float pixelToClip[16] = {2.0f / w, 0, 0, 0, 0, -2.0f / h, 0, 0, 0, 0, 1, 0,
                                       -1.0f + 2.0f * (CENTRE_SHIFT - x0) / w, 1.0f - 2.0f * (CENTRE_SHIFT - y0) / h,
                                       0, 1};
        static constexpr float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        cache.LoadMatrix(GL_PROJECTION, 0, pixelToClip);
        cache.LoadMatrix(GL_MODELVIEW, 0, identity);
    } else {
        float worldView[16];
        Multiply(world, view, worldView);
        cache.LoadMatrix(GL_PROJECTION, 0, &projection.m[0][0]);
        cache.LoadMatrix(GL_MODELVIEW, 0, worldView);
    }

    const DWORD fogMode = renderStates[D3DRS_FOGTABLEMODE] != D3DFOG_NONE ? renderStates[D3DRS_FOGTABLEMODE]
                                                                          : renderStates[D3DRS_FOGVERTEXMODE];
    const bool fog = renderStates[D3DRS_FOGENABLE] != FALSE && fogMode != D3DFOG_NONE && !layout.pretransformed;
    cache.Enable(GL_FOG, fog);
    if (fog) {
        const GLenum mode = fogMode == D3DFOG_EXP ? GL_EXP : fogMode == D3DFOG_EXP2 ? GL_EXP2 : GL_LINEAR;
        cache.Fog(mode, BitsFloat(renderStates[D3DRS_FOGSTART]), BitsFloat(renderStates[D3DRS_FOGEND]),
                  BitsFloat(renderStates[D3DRS_FOGDENSITY]), renderStates[D3DRS_FOGCOLOR]);
        if (radialFog)
            glFogi(GL_FOG_DISTANCE_MODE_NV,
                   renderStates[D3DRS_RANGEFOGENABLE] ? GL_EYE_RADIAL_NV : GL_EYE_PLANE_ABSOLUTE_NV);
    }

    if (layout.diffuseOffset < 0)
        cache.Colour(0xFFFFFFFF);
    const bool lighting = renderStates[D3DRS_LIGHTING] != FALSE && !layout.pretransformed;
    cache.Enable(GL_LIGHTING, lighting);
    if (!lighting)
        return;
    if (layout.normalOffset < 0)
        cache.Normal(0, 0, 0);
    cache.Enable(GL_NORMALIZE, renderStates[D3DRS_NORMALIZENORMALS] != FALSE);
    cache.LightModel(renderStates[D3DRS_AMBIENT], renderStates[D3DRS_LOCALVIEWER] != FALSE);
    for (unsigned i = 0; i < D3D_MAX_LIGHTS; ++i) {
        cache.Enable(GL_LIGHT0 + i, lightEnabled[i]);
        if (lightEnabled[i])
            cache.Light(i, LightInEyeSpace(lights[i], view));
    }

    const bool vertexColour = renderStates[D3DRS_COLORVERTEX] != FALSE && layout.diffuseOffset >= 0;
    const bool diffuseFromVertex = vertexColour && renderStates[D3DRS_DIFFUSEMATERIALSOURCE] == D3DMCS_COLOR1;
    const bool ambientFromVertex = vertexColour && renderStates[D3DRS_AMBIENTMATERIALSOURCE] == D3DMCS_COLOR1;
    const bool emissiveFromVertex = vertexColour && renderStates[D3DRS_EMISSIVEMATERIALSOURCE] == D3DMCS_COLOR1;
    GLenum colourMaterial = 0;
    if (diffuseFromVertex && ambientFromVertex)
        colourMaterial = GL_AMBIENT_AND_DIFFUSE;
    else if (diffuseFromVertex)
        colourMaterial = GL_DIFFUSE;
    else if (ambientFromVertex)
        colourMaterial = GL_AMBIENT;
    else if (emissiveFromVertex)
        colourMaterial = GL_EMISSION;
    cache.ColorMaterial(colourMaterial);

    GlMaterial gl {};
    CopyColour(material.Ambient, gl.ambient);
    CopyColour(material.Diffuse, gl.diffuse);
    if (renderStates[D3DRS_SPECULARENABLE])
        CopyColour(material.Specular, gl.specular);
    CopyColour(material.Emissive, gl.emission);
    gl.shininess = std::clamp(material.Power, 0.0f, 128.0f);
    cache.Material(gl);
}

GlTexEnv Device::TextureEnvironment(unsigned stage) const
{
    const DWORD* ts = stageStates[stage];
    GlTexEnv env {};
    const Combine colour = CombineOf(ts[D3DTSS_COLOROP]);
    const Combine alpha = CombineOf(ts[D3DTSS_ALPHAOP]);
    env.combineRgb = colour.function;
    env.combineAlpha = alpha.function;
    env.scaleRgb = colour.scale;
    env.constant = renderStates[D3DRS_TEXTUREFACTOR];

    const bool colourSecond = ts[D3DTSS_COLOROP] == D3DTOP_SELECTARG2;
    const DWORD colourArg0 = colourSecond ? ts[D3DTSS_COLORARG2] : ts[D3DTSS_COLORARG1];
    env.sourceRgb[0] = ArgumentSource(colourArg0);
    env.operandRgb[0] = ColourOperand(colourArg0);
    env.sourceRgb[1] = ArgumentSource(ts[D3DTSS_COLORARG2]);
    env.operandRgb[1] = ColourOperand(ts[D3DTSS_COLORARG2]);
    env.sourceRgb[2] = colour.blendSource ? colour.blendSource : GL_PREVIOUS;
    env.operandRgb[2] = GL_SRC_ALPHA;

    const DWORD alphaOp = ts[D3DTSS_ALPHAOP];
    const DWORD alphaArg0 = alphaOp == D3DTOP_DISABLE      ? D3DTA_CURRENT
                            : alphaOp == D3DTOP_SELECTARG2 ? ts[D3DTSS_ALPHAARG2]
                                                           : ts[D3DTSS_ALPHAARG1];
    env.sourceAlpha[0] = ArgumentSource(alphaArg0);
    env.operandAlpha[0] = AlphaOperand(alphaArg0);
    env.sourceAlpha[1] = ArgumentSource(ts[D3DTSS_ALPHAARG2]);
    env.operandAlpha[1] = AlphaOperand(ts[D3DTSS_ALPHAARG2]);
    env.sourceAlpha[2] = alpha.blendSource ? alpha.blendSource : GL_PREVIOUS;
    env.operandAlpha[2] = GL_SRC_ALPHA;
    return env;
}

GlSampler Device::SamplerOf(unsigned stage) const
{
    const DWORD* ss = samplerStates[stage];
    GlSampler sampler {};
    sampler.wrapS = GlAddress(ss[D3DSAMP_ADDRESSU]);
    sampler.wrapT = GlAddress(ss[D3DSAMP_ADDRESSV]);
    sampler.wrapR = GlAddress(ss[D3DSAMP_ADDRESSW]);
    sampler.minFilter = GlMinFilter(ss[D3DSAMP_MINFILTER], ss[D3DSAMP_MIPFILTER]);
    sampler.magFilter = GlMagFilter(ss[D3DSAMP_MAGFILTER]);
    sampler.lodBias = BitsFloat(ss[D3DSAMP_MIPMAPLODBIAS]);
    sampler.minLod = static_cast<float>(ss[D3DSAMP_MAXMIPLEVEL]);
    sampler.anisotropy = ss[D3DSAMP_MINFILTER] == D3DTEXF_ANISOTROPIC ? static_cast<float>(std::max(1u, ss[D3DSAMP_MAXANISOTROPY])) : 1.0f;
    sampler.border = ss[D3DSAMP_BORDERCOLOR];
    return sampler;
}

void Device::TextureMatrix(unsigned stage, unsigned inputComponents, float out[16]) const
{
    static constexpr float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const DWORD flags = stageStates[stage][D3DTSS_TEXTURETRANSFORMFLAGS];
    const DWORD count = flags & 0xFF;
    if (count == D3DTTFF_DISABLE) {
        std::copy(identity, identity + 16, out);
        return;
    }
    const D3DMATRIX& m = textureTransforms[stage];
    // GL feeds (s, t, 0, 1) for two components; Direct3D multiplies (u, v, 1, 0), so its third
    // row is the translation. Rows of the GL matrix below are indexed by GL's input component.
    float rows[4][4] = {};
    auto copyRow = [&](int to, int from) { std::copy(m.m[from], m.m[from] + 4, rows[to]); };
    switch (inputComponents) {
    case 1: copyRow(0, 0), copyRow(3, 1); break;
    case 2: copyRow(0, 0), copyRow(1, 1), copyRow(3, 2); break;
    default: copyRow(0, 0), copyRow(1, 1), copyRow(2, 2), copyRow(3, 3); break;
    }
    // The q that GL divides by: the last counted component when projected, else 1.
    const bool projected = (flags & D3DTTFF_PROJECTED) != 0;
    for (int row = 0; row < 4; ++row)
        rows[row][3] = projected ? rows[row][count - 1] : (row == 3 ? 1.0f : 0.0f);
    std::copy(&rows[0][0], &rows[0][0] + 16, out);
}

void Device::ApplyTextureStages(const FvfLayout& layout, bool programActive)
{
    bool stagesOn = true;
    for (unsigned stage = 0; stage < D3D_MAX_TEXTURE_STAGES; ++stage) {
        const DWORD* ts = stageStates[stage];
        if (ts[D3DTSS_COLOROP] == D3DTOP_DISABLE)
            stagesOn = false;
        TextureStorage* storage = StorageOf(textures[stage]);
        // A program samples every bound texture; the fixed pipeline stops at the first disabled stage.
        const bool active = storage && (programActive || stagesOn);
        if (!active) {
            cache.TextureUnit(stage, 0, 0);
            cache.TexGen(stage, 0);
            continue;
        }
        cache.TextureUnit(stage, storage->Target(), storage->Name());
        cache.BindSampler(stage, samplers[stage]);
        cache.SamplerParameters(samplers[stage], stage, SamplerOf(stage));
        cache.TexEnv(stage, TextureEnvironment(stage));

        const DWORD generation = layout.pretransformed ? D3DTSS_TCI_PASSTHRU : ts[D3DTSS_TEXCOORDINDEX] & 0xFFFF0000;
        GLenum texGen = 0;
        switch (generation) {
        case D3DTSS_TCI_CAMERASPACENORMAL: texGen = GL_NORMAL_MAP; break;
        case D3DTSS_TCI_CAMERASPACEPOSITION: texGen = GL_EYE_LINEAR; break;
        case D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR: texGen = GL_REFLECTION_MAP; break;
        case D3DTSS_TCI_SPHEREMAP: texGen = GL_SPHERE_MAP; break;
        default: break;
        }
        cache.TexGen(stage, programActive ? 0 : texGen);
        const unsigned set = ts[D3DTSS_TEXCOORDINDEX] & 0xFFFF;
        const unsigned inputs = texGen ? 3 : (set < layout.textureSets ? layout.textureComponents[set] : 2);
        float matrix[16];
        TextureMatrix(stage, inputs, matrix);
        cache.LoadMatrix(GL_TEXTURE, stage, matrix);
    }
}
