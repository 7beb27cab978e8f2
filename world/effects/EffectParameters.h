#pragma once
// Setters of the shared effect's parameters by name; nothing while there is no effect.
#include "platform/gfxx/D3DXMath.h"

void SetEffectParameter(const char* name, float value);
void SetEffectParameter(const char* name, const D3DXVECTOR4& value);
void SetEffectParameter(const char* name, const D3DXMATRIX& value);
// A texture of the texture table (id -1: none).
void SetEffectTextureId(const char* name, int textureId);
// The material's four colours and power as "MatAmbient", "MatDiffuse", "MatSpecular",
// "MatEmissive" and "MatSpecularPow".
void SetEffectMaterial(const D3DMATERIAL9& material);
