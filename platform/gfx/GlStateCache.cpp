#include "platform/gfx/GlStateCache.h"

#include <algorithm>

#include "platform/gfx/GlMapping.h"

void GlStateCache::Invalidate()
{
    const std::uint64_t kept = calls;
    *this = GlStateCache {};
    calls = kept;
}

void GlStateCache::Enable(GLenum capability, bool on)
{
    auto [entry, inserted] = capabilities.try_emplace(capability, on);
    if (!inserted && entry->second == on)
        return;
    entry->second = on;
    on ? glEnable(capability) : glDisable(capability);
    Count();
}

void GlStateCache::DepthFunc(GLenum function)
{
    if (depthFunc.Update(function)) {
        glDepthFunc(function);
        Count();
    }
}

void GlStateCache::DepthMask(bool write)
{
    if (depthMask.Update(write)) {
        glDepthMask(write ? GL_TRUE : GL_FALSE);
        Count();
    }
}

void GlStateCache::BlendFunc(GLenum source, GLenum destination)
{
    if (blendFunc.Update({source, destination})) {
        glBlendFunc(source, destination);
        Count();
    }
}

void GlStateCache::BlendEquation(GLenum equation)
{
    if (blendEquation.Update(equation)) {
        glBlendEquation(equation);
        Count();
    }
}

void GlStateCache::AlphaFunc(GLenum function, float reference)
{
    if (alphaFunc.Update({function, reference})) {
        glAlphaFunc(function, reference);
        Count();
    }
}

void GlStateCache::CullFace(GLenum face)
{
    if (cullFace.Update(face)) {
        glCullFace(face);
        Count();
    }
}

void GlStateCache::PolygonMode(GLenum mode)
{
    if (polygonMode.Update(mode)) {
        glPolygonMode(GL_FRONT_AND_BACK, mode);
        Count();
    }
}

void GlStateCache::ShadeModel(GLenum model)
{
    if (shadeModel.Update(model)) {
        glShadeModel(model);
        Count();
    }
}

void GlStateCache::ColorMask(DWORD mask)
{
    if (colorMask.Update(mask)) {
        glColorMask((mask & D3DCOLORWRITEENABLE_RED) != 0, (mask & D3DCOLORWRITEENABLE_GREEN) != 0,
                    (mask & D3DCOLORWRITEENABLE_BLUE) != 0, (mask & D3DCOLORWRITEENABLE_ALPHA) != 0);
        Count();
    }
}

void GlStateCache::StencilFunc(GLenum face, GLenum function, int reference, GLuint mask)
{
    auto& cached = face == GL_FRONT ? stencilFuncFront : stencilFuncBack;
    if (cached.Update({function, reference, mask})) {
        glStencilFuncSeparate(face, function, reference, mask);
        Count();
    }
}

void GlStateCache::StencilOp(GLenum face, GLenum fail, GLenum depthFail, GLenum pass)
{
    auto& cached = face == GL_FRONT ? stencilOpFront : stencilOpBack;
    if (cached.Update({fail, depthFail, pass})) {
        glStencilOpSeparate(face, fail, depthFail, pass);
        Count();
    }
}

void GlStateCache::StencilWriteMask(GLuint mask)
{
    if (stencilWriteMask.Update(mask)) {
        glStencilMask(mask);
        Count();
    }
}

void GlStateCache::Fog(GLenum mode, float start, float end, float density, D3DCOLOR colourValue)
{
    if (!fog.Update({mode, start, end, density, colourValue}))
        return;
    float rgba[4];
    ColourToFloats(colourValue, rgba);
    glFogi(GL_FOG_MODE, static_cast<GLint>(mode));
    glFogf(GL_FOG_START, start);
    glFogf(GL_FOG_END, end);
    glFogf(GL_FOG_DENSITY, density);
    glFogfv(GL_FOG_COLOR, rgba);
    Count(5);
}

void GlStateCache::PointSize(float size)
{
    if (pointSize.Update(size)) {
        glPointSize(size);
        Count();
    }
}

void GlStateCache::Viewport(int x, int y, int width, int height)
{
    if (viewport.Update({x, y, width, height})) {
        glViewport(x, y, width, height);
        Count();
    }
}

void GlStateCache::DepthRange(float nearZ, float farZ)
{
    if (depthRange.Update({nearZ, farZ})) {
        glDepthRangef(nearZ, farZ);
        Count();
    }
}

void GlStateCache::DrawFramebuffer(GLuint framebuffer)
{
    if (drawFramebuffer.Update(framebuffer)) {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        Count();
    }
}

void GlStateCache::ActiveTexture(unsigned unit)
{
    if (activeTexture.Update(unit)) {
        glActiveTexture(GL_TEXTURE0 + unit);
        Count();
    }
}

void GlStateCache::ClientActiveTexture(unsigned unit)
{
    if (clientActiveTexture.Update(unit)) {
        glClientActiveTexture(GL_TEXTURE0 + unit);
        Count();
    }
}

void GlStateCache::TextureUnit(unsigned unit, GLenum target, GLuint texture)
{
    Unit& state = units[unit];
    const bool targetChanges = !state.target.valid || state.target.value != target;
    const bool textureChanges = target != 0 && (!state.texture.valid || state.texture.value != texture);
    if (!targetChanges && !textureChanges)
        return;
    ActiveTexture(unit);
    if (targetChanges) {
        for (GLenum each : {GLenum(GL_TEXTURE_2D), GLenum(GL_TEXTURE_CUBE_MAP), GLenum(GL_TEXTURE_3D)}) {
            const bool wasOn = !state.target.valid || state.target.value == each;
            if (each == target) {
                glEnable(each);
                Count();
            } else if (wasOn) {
                glDisable(each);
                Count();
            }
        }
        state.target.Update(target);
        state.texture.valid = false;
    }
    if (target != 0 && state.texture.Update(texture)) {
        glBindTexture(target, texture);
        Count();
    }
}

void GlStateCache::BindSampler(unsigned unit, GLuint sampler)
{
    if (units[unit].sampler.Update(sampler)) {
        glBindSampler(unit, sampler);
        Count();
    }
}

void GlStateCache::ClientState(GLenum array, bool on)
{
    auto [entry, inserted] = clientStates.try_emplace(array, on);
    if (!inserted && entry->second == on)
        return;
    entry->second = on;
    on ? glEnableClientState(array) : glDisableClientState(array);
    Count();
}

void GlStateCache::TexCoordArray(unsigned unit, bool on)
{
    if (!units[unit].texCoordArray.Update(on))
        return;
    ClientActiveTexture(unit);
    on ? glEnableClientState(GL_TEXTURE_COORD_ARRAY) : glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    Count();
}

void GlStateCache::Colour(D3DCOLOR value)
{
    if (colour.Update(value)) {
        glColor4ub((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF, value >> 24);
        Count();
    }
}

void GlStateCache::Normal(float x, float y, float z)
{
    if (normal.Update({x, y, z})) {
        glNormal3f(x, y, z);
        Count();
    }
}

void GlStateCache::Scissor(int x, int y, int width, int height)
{
    if (scissor.Update({x, y, width, height})) {
        glScissor(x, y, width, height);
        Count();
    }
}

void GlStateCache::ArrayBuffer(GLuint buffer)
{
    if (arrayBuffer.Update(buffer)) {
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        Count();
    }
}

void GlStateCache::ElementBuffer(GLuint buffer)
{
    if (elementBuffer.Update(buffer)) {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer);
        Count();
    }
}

void GlStateCache::MatrixMode(GLenum mode)
{
    if (matrixMode.Update(mode)) {
        glMatrixMode(mode);
        Count();
    }
}

void GlStateCache::LoadMatrix(GLenum mode, unsigned unit, const float* values)
{
    std::array<float, 16> next;
    std::copy(values, values + 16, next.begin());
    auto& cached = mode == GL_MODELVIEW ? modelview : mode == GL_PROJECTION ? projection : units[unit].matrix;
    if (!cached.Update(next))
        return;
    if (mode == GL_TEXTURE)
        ActiveTexture(unit);
    MatrixMode(mode);
    glLoadMatrixf(values);
    Count();
}

void GlStateCache::Light(unsigned index, const GlLight& light)
{
    if (!lights[index].Update(light))
        return;
    const GLenum id = GL_LIGHT0 + index;
    MatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glLightfv(id, GL_AMBIENT, light.ambient);
    glLightfv(id, GL_DIFFUSE, light.diffuse);
    glLightfv(id, GL_SPECULAR, light.specular);
    glLightfv(id, GL_POSITION, light.position);
    glLightfv(id, GL_SPOT_DIRECTION, light.spotDirection);
    glLightf(id, GL_SPOT_EXPONENT, light.spotExponent);
    glLightf(id, GL_SPOT_CUTOFF, light.spotCutoff);
    glLightf(id, GL_CONSTANT_ATTENUATION, light.attenuation[0]);
    glLightf(id, GL_LINEAR_ATTENUATION, light.attenuation[1]);
    glLightf(id, GL_QUADRATIC_ATTENUATION, light.attenuation[2]);
    glPopMatrix();
    Count(13);
}

void GlStateCache::Material(const GlMaterial& next)
{
    if (!material.Update(next))
        return;
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, next.ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, next.diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, next.specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, next.emission);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, next.shininess);
    Count(5);
}

void GlStateCache::ColorMaterial(GLenum mode)
{
    if (!colorMaterial.Update(mode))
        return;
    if (mode == 0) {
        glDisable(GL_COLOR_MATERIAL);
        Count();
        return;
    }
    glColorMaterial(GL_FRONT_AND_BACK, mode);
    glEnable(GL_COLOR_MATERIAL);
    Count(2);
    // Colour material writes the material while it is on: the material cache no longer holds.
    material.valid = false;
}

void GlStateCache::LightModel(D3DCOLOR ambient, bool localViewer)
{
    if (!lightModel.Update({ambient, localViewer}))
        return;
    float rgba[4];
    ColourToFloats(ambient, rgba);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, rgba);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, localViewer ? GL_TRUE : GL_FALSE);
    Count(2);
}

void GlStateCache::TexEnv(unsigned unit, const GlTexEnv& environment)
{
    if (!units[unit].environment.Update(environment))
        return;
    ActiveTexture(unit);
    static constexpr GLenum sourceRgbNames[3] = {GL_SRC0_RGB, GL_SRC1_RGB, GL_SRC2_RGB};
    static constexpr GLenum operandRgbNames[3] = {GL_OPERAND0_RGB, GL_OPERAND1_RGB, GL_OPERAND2_RGB};
    static constexpr GLenum sourceAlphaNames[3] = {GL_SRC0_ALPHA, GL_SRC1_ALPHA, GL_SRC2_ALPHA};
    static constexpr GLenum operandAlphaNames[3] = {GL_OPERAND0_ALPHA, GL_OPERAND1_ALPHA, GL_OPERAND2_ALPHA};
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, static_cast<GLint>(environment.combineRgb));
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, static_cast<GLint>(environment.combineAlpha));
    for (int i = 0; i < 3; ++i) {
        glTexEnvi(GL_TEXTURE_ENV, sourceRgbNames[i], static_cast<GLint>(environment.sourceRgb[i]));
        glTexEnvi(GL_TEXTURE_ENV, operandRgbNames[i], static_cast<GLint>(environment.operandRgb[i]));
        glTexEnvi(GL_TEXTURE_ENV, sourceAlphaNames[i], static_cast<GLint>(environment.sourceAlpha[i]));
        glTexEnvi(GL_TEXTURE_ENV, operandAlphaNames[i], static_cast<GLint>(environment.operandAlpha[i]));
    }
    glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE, environment.scaleRgb);
    float constant[4];
    ColourToFloats(environment.constant, constant);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, constant);
    Count(17);
}

void GlStateCache::TexGen(unsigned unit, GLenum mode)
{
    if (!units[unit].texGen.Update(mode))
        return;
    ActiveTexture(unit);
    static constexpr GLenum coordinates[4] = {GL_S, GL_T, GL_R, GL_Q};
    static constexpr GLenum enables[4] = {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q};
    const int generated = mode == 0 ? 0 : mode == GL_SPHERE_MAP ? 2 : 3;
    if (mode == GL_EYE_LINEAR) {
        // Eye planes are taken through the modelview current at this call: identity gives the
        // camera-space position itself.
        MatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        static constexpr float planes[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
        for (int i = 0; i < 3; ++i)
            glTexGenfv(coordinates[i], GL_EYE_PLANE, planes[i]);
        glPopMatrix();
        Count(6);
    }
    for (int i = 0; i < 4; ++i) {
        if (i < generated) {
            glTexGeni(coordinates[i], GL_TEXTURE_GEN_MODE, static_cast<GLint>(mode));
            glEnable(enables[i]);
            Count(2);
        } else {
            glDisable(enables[i]);
            Count();
        }
    }
}

void GlStateCache::SamplerParameters(GLuint sampler, unsigned unit, const GlSampler& next)
{
    if (!units[unit].sampler_.Update(next))
        return;
    float border[4];
    ColourToFloats(next.border, border);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, static_cast<GLint>(next.wrapS));
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, static_cast<GLint>(next.wrapT));
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_R, static_cast<GLint>(next.wrapR));
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(next.minFilter));
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(next.magFilter));
    glSamplerParameterf(sampler, GL_TEXTURE_LOD_BIAS, next.lodBias);
    glSamplerParameterf(sampler, GL_TEXTURE_MIN_LOD, next.minLod);
    glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, border);
    Count(8);
    if (epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic")) {
        glSamplerParameterf(sampler, GL_TEXTURE_MAX_ANISOTROPY_EXT, next.anisotropy);
        Count();
    }
}
