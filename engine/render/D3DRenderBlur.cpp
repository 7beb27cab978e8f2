// Motion blur: the world is drawn into a square target while the three previous frames move down
// a history of falling resolutions; a post-effect technique then blends the four onto the back
// buffer.
#include <algorithm>
#include <array>
#include <cstring>

#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "engine/render/ScreenVertex.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/SettingsFile.h"
#include "frontend/GameMenu.h"
#include "world/World.h"

namespace {

constexpr UINT BLUR_TARGET_SIZES[BLUR_TARGETS] = {1024, 768, 512, 256};
constexpr UINT BLUR_DEPTH_SIZE = 1024;
constexpr LONG AUTOPLAY_RENDER_SIZE = 512;
constexpr LONG RENDER_SIZE = 1024;
// Pixel shader constants c2 to c5: the area sampled in each target.
constexpr UINT FIRST_AREA_CONSTANT = 2;

// The active camera's viewport on the virtual screen, and its view again.
void ResetCameraViewport(float width, float height, bool updateView)
{
    if (!world.activeCamera)
        return;
    world.activeCamera->SetViewport(0.0f, 0.0f, width, height);
    if (updateView)
        world.activeCamera->UpdateView();
}

// The top-left area of a target that the scene fills: the scene's area in target 0 at that
// target's scale. The composition samples nothing outside it.
RECT FilledArea(int target, const RECT& sceneArea)
{
    const auto scale = [target](LONG side) {
        return static_cast<LONG>(BLUR_TARGET_SIZES[target] * UINT(side) / UINT(RENDER_SIZE));
    };
    return RECT {0, 0, scale(sceneArea.right), scale(sceneArea.bottom)};
}

// The texture coordinates that the composition samples a target within, as (least u, least v,
// most u, most v): the centres of the outer texels of its filled area, so that the filtering
// reaches nothing beyond it, nor, wrapping round, the far side of the target.
std::array<float, 4> SampledArea(int target, const RECT& sceneArea)
{
    const RECT filled = FilledArea(target, sceneArea);
    const auto size = static_cast<float>(BLUR_TARGET_SIZES[target]);
    return {0.5f / size, 0.5f / size, (static_cast<float>(filled.right) - 0.5f) / size,
            (static_cast<float>(filled.bottom) - 0.5f) / size};
}

} // namespace

bool CD3DRender::MotionBlurRuns() const
{
    return blurAvailable && effect && GameSettings[SLOT_BLUR] != 0 && blurStrength > 0.0f;
}

RECT CD3DRender::MotionBlurSceneArea(bool autoplay) const
{
    const LONG side = autoplay ? AUTOPLAY_RENDER_SIZE : RENDER_SIZE;
    return RECT {0, 0, std::min(side, static_cast<LONG>(presentParameters.BackBufferWidth)),
                 std::min(side, static_cast<LONG>(presentParameters.BackBufferHeight))};
}

void CD3DRender::CreateRenderTargets()
{
    ReleaseRenderTargets();
    bool allTargets = true;
    for (int i = 0; i < BLUR_TARGETS && allTargets; ++i) {
        const UINT size = BLUR_TARGET_SIZES[i];
        allTargets = SUCCEEDED(device->CreateTexture(size, size, 1, D3DUSAGE_RENDERTARGET,
                                                     presentParameters.BackBufferFormat, D3DPOOL_DEFAULT,
                                                     &blurTargets[i], nullptr));
        if (!allTargets)
            blurTargets[i] = nullptr;
    }
    if (allTargets &&
        FAILED(device->CreateDepthStencilSurface(BLUR_DEPTH_SIZE, BLUR_DEPTH_SIZE, D3DFMT_D24S8,
                                                 D3DMULTISAMPLE_NONE, 0, FALSE, &blurDepthSurface, nullptr)))
        blurDepthSurface = nullptr;
    if (!blurDepthSurface || !CreateBlurQuads()) {
        ReleaseRenderTargets();
        OptionMaximumOf(SLOT_BLUR) = 0;
        return;
    }
    blurAvailable = 1;
}

bool CD3DRender::CreateBlurQuads()
{
    // The whole screen from (-1, -1) to (801, 601) virtual units, sampling the area its scene
    // fills: the first quad a player's race, the second autoplay.
    const float x1 = -1.0f * xFactor, y1 = -1.0f * yFactor;
    const float x2 = 801.0f * xFactor, y2 = 601.0f * yFactor;
    for (int quad = 0; quad < 2; ++quad) {
        const RECT area = MotionBlurSceneArea(quad == 1);
        const float u = static_cast<float>(area.right) / RENDER_SIZE;
        const float v = static_cast<float>(area.bottom) / RENDER_SIZE;
        const ScreenVertex vertices[4] = {
            {x1, y1, 0.0f, 1.0f, 0xFFFFFFFFu, 0.0f, 0.0f, 0.0f},
            {x1, y2, 0.0f, 1.0f, 0xFFFFFFFFu, 0.0f, v, 0.0f},
            {x2, y1, 0.0f, 1.0f, 0xFFFFFFFFu, u, 0.0f, 0.0f},
            {x2, y2, 0.0f, 1.0f, 0xFFFFFFFFu, u, v, 0.0f},
        };
        if (FAILED(device->CreateVertexBuffer(sizeof vertices, 0, SCREEN_VERTEX_FVF, D3DPOOL_DEFAULT, &blurQuads[quad],
                                              nullptr))) {
            blurQuads[quad] = nullptr;
            return false;
        }
        void* data = nullptr;
        if (FAILED(blurQuads[quad]->Lock(0, 0, &data, 0)))
            return false;
        std::memcpy(data, vertices, sizeof vertices);
        blurQuads[quad]->Unlock();
    }
    return true;
}

void CD3DRender::ReleaseRenderTargets()
{
    for (auto& target : blurTargets)
        ReleaseAndClear(target);
    ReleaseAndClear(blurDepthSurface);
    ReleaseAndClear(blurQuads[0]);
    ReleaseAndClear(blurQuads[1]);
    blurAvailable = 0;
    blurStrength = 0.0f;
}

void CD3DRender::SaveScreenMetrics()
{
    savedScreenWidth = screenWidth;
    savedScreenHeight = screenHeight;
    savedXFactor = xFactor;
    savedYFactor = yFactor;
}

void CD3DRender::RestoreScreenMetrics()
{
    screenWidth = savedScreenWidth;
    screenHeight = savedScreenHeight;
    xFactor = savedXFactor;
    yFactor = savedYFactor;
}

void CD3DRender::SaveRenderTarget()
{
    ReleaseAndClear(savedRenderTarget);
    device->GetRenderTarget(0, &savedRenderTarget);
}

void CD3DRender::SaveDepthSurface()
{
    ReleaseAndClear(savedDepthSurface);
    device->GetDepthStencilSurface(&savedDepthSurface);
}

void CD3DRender::RestoreRenderTarget()
{
    if (!savedRenderTarget)
        return;
    device->SetRenderTarget(0, savedRenderTarget);
    ReleaseAndClear(savedRenderTarget);
}

void CD3DRender::RestoreDepthSurface()
{
    if (!savedDepthSurface)
        return;
    device->SetDepthStencilSurface(savedDepthSurface);
    ReleaseAndClear(savedDepthSurface);
}

bool CD3DRender::ShiftBlurHistory(const RECT& sceneArea)
{
    // Oldest first, so that each frame moves down one target.
    for (int destination = BLUR_TARGETS - 1; destination > 0; --destination) {
        const RECT fromArea = FilledArea(destination - 1, sceneArea);
        const RECT toArea = FilledArea(destination, sceneArea);
        IDirect3DSurface9* from = nullptr;
        IDirect3DSurface9* to = nullptr;
        blurTargets[destination - 1]->GetSurfaceLevel(0, &from);
        blurTargets[destination]->GetSurfaceLevel(0, &to);
        const bool copied = from && to && SUCCEEDED(device->StretchRect(from, &fromArea, to, &toArea, D3DTEXF_LINEAR));
        ReleaseAndClear(from);
        ReleaseAndClear(to);
        if (!copied)
            return false;
    }
    return true;
}

void CD3DRender::BeginMotionBlur()
{
    if (!MotionBlurRuns())
        return;
    const RECT sceneArea = MotionBlurSceneArea(RaceMode == RACE_MODE_AUTOPLAY);
    const auto sceneWidth = static_cast<float>(sceneArea.right), sceneHeight = static_cast<float>(sceneArea.bottom);
    SaveRenderTarget();
    SaveDepthSurface();
    SaveScreenMetrics();
    screenWidth = sceneWidth;
    screenHeight = sceneHeight;
    xFactor = yFactor = 1.0f;

    if (!ShiftBlurHistory(sceneArea)) {
        // The history cannot be kept on this device: blur off for good.
        RestoreRenderTarget();
        RestoreDepthSurface();
        ReleaseRenderTargets();
        GameSettings[SLOT_BLUR] = 0;
        SaveGameIni();
        RestoreScreenMetrics();
        ResetCameraViewport(800.0f, 600.0f, true);
        return;
    }

    IDirect3DSurface9* frame = nullptr;
    blurTargets[0]->GetSurfaceLevel(0, &frame);
    device->SetRenderTarget(0, frame);
    ReleaseAndClear(frame);
    device->SetDepthStencilSurface(blurDepthSurface);
    ResetCameraViewport(sceneWidth, sceneHeight, false);
}

void CD3DRender::DrawMotionBlur()
{
    // Only after a BeginMotionBlur of this frame redirected the drawing.
    if (!MotionBlurRuns() || !savedRenderTarget)
        return;
    RestoreRenderTarget();
    RestoreDepthSurface();
    RestoreScreenMetrics();
    ResetCameraViewport(800.0f, 600.0f, true);

    const float c0[4] = {blurStrength, 0.0f, 0.0f, 0.0f};
    const float c1[4] = {1.0f / (4.0f * blurStrength), 0.0f, 0.0f, 0.0f};
    device->SetPixelShaderConstantF(0, c0, 1);
    device->SetPixelShaderConstantF(1, c1, 1);
    const RECT sceneArea = MotionBlurSceneArea(RaceMode == RACE_MODE_AUTOPLAY);
    for (int target = 0; target < BLUR_TARGETS; ++target) {
        const std::array<float, 4> area = SampledArea(target, sceneArea);
        device->SetPixelShaderConstantF(FIRST_AREA_CONSTANT + UINT(target), area.data(), 1);
    }
    SetTechnique("techMotionBlur");
    for (int stage = 0; stage < BLUR_TARGETS; ++stage)
        device->SetTexture(static_cast<DWORD>(stage), blurTargets[stage]);
    textureId = TEXTURE_ID_UNKNOWN;

    SetAlphaBlend(0);
    SetBlend(D3DBLEND_ONE, D3DBLEND_ZERO);
    SetZEnable(0);
    SetZWrite(0);
    SetLighting(0);
    device->SetFVF(SCREEN_VERTEX_FVF);
    device->SetStreamSource(0, blurQuads[RaceMode == RACE_MODE_AUTOPLAY ? 1 : 0], 0, sizeof(ScreenVertex));
    // Solid also in the wireframe view: lines would leave the rest of the screen as it was.
    ForceSolidFill(true);
    effect->Begin(nullptr, 0);
    effect->Pass(0);
    device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
    effect->End();
    ForceSolidFill(false);
    facesDrawn += 2;

    // Target 0 must not stay bound while the next frame is drawn into it.
    for (int stage = 0; stage < BLUR_TARGETS; ++stage)
        device->SetTexture(static_cast<DWORD>(stage), nullptr);
    textureId = -1;
}
