#pragma once
// The renderer on its test device with the sky and flame sprites written beside the technique
// files, and the world's camera made the active one: the eye at the origin looking along +z.
#include "platform/gfxx/D3DXMath.h"
#include "tests/render/RendererFixture.h"

class EffectsTest : public RendererTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Moves the camera and sends its view to the device and the effect.
    void LookFrom(const D3DXVECTOR3& eye, const D3DXVECTOR3& lookAt);
    // A texture of one colour made through the texture table, so that draws can use its id.
    int SolidTextureId(const char* name, D3DCOLOR colour);
};
