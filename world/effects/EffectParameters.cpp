#include "world/effects/EffectParameters.h"

#include "engine/render/D3DRender.h"

namespace {

D3DXVECTOR4 ToVector(const D3DCOLORVALUE& colour) { return D3DXVECTOR4(colour.r, colour.g, colour.b, colour.a); }

} // namespace

void SetEffectParameter(const char* name, float value)
{
    if (d3dRender.effect)
        d3dRender.effect->SetFloat(name, value);
}

void SetEffectParameter(const char* name, const D3DXVECTOR4& value)
{
    if (d3dRender.effect)
        d3dRender.effect->SetVector(name, &value);
}

void SetEffectParameter(const char* name, const D3DXMATRIX& value)
{
    if (d3dRender.effect)
        d3dRender.effect->SetMatrix(name, &value);
}

void SetEffectTextureId(const char* name, int textureId)
{
    d3dRender.SetEffectTexture(name, textureId == -1 ? nullptr : d3dRender.GetTexture(textureId));
}

void SetEffectMaterial(const D3DMATERIAL9& material)
{
    SetEffectParameter("MatAmbient", ToVector(material.Ambient));
    SetEffectParameter("MatDiffuse", ToVector(material.Diffuse));
    SetEffectParameter("MatSpecular", ToVector(material.Specular));
    SetEffectParameter("MatEmissive", ToVector(material.Emissive));
    SetEffectParameter("MatSpecularPow", material.Power);
}
