// The renderer's frame end: presentation with lost-device recovery, the frame rate, the cursor
// and the preset views.
#include "engine/render/D3DRender.h"
#include "engine/render/LightManager.h"
#include "engine/shell/ErrorBox.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/InputState.h"
#include "engine/shell/StartupTimes.h"
#include "platform/win/WinTime.h"
#include "platform/win/WinWindow.h"

HRESULT CD3DRender::Present()
{
    if (deviceLost) {
        const HRESULT level = device->TestCooperativeLevel();
        if (level == D3DERR_DEVICELOST)
            return 0;
        if (level == D3DERR_DEVICENOTRESET) {
            OnLostDevice();
            const HRESULT reset = device->Reset(&presentParameters);
            if (reset == D3DERR_DEVICELOST)
                return 0;
            if (FAILED(reset)) {
                ShowMessage("D3D device is lost,\nand application can't restore it!\nApplication will now exit...",
                            "Vestrune", MB_ICONERROR);
                GameSettings[SLOT_QUIT] = 1;
                return E_FAIL;
            }
            OnResetDevice();
            deviceLost = 0;
            return 0;
        }
    }
    const HRESULT presented = device->Present(nullptr, nullptr, nullptr, nullptr);
    if (presented == D3DERR_DEVICELOST) {
        deviceLost = 1;
        return 0;
    }
    if (FAILED(presented))
        ShowMessage("Present frame failed!", "Vestrune", MB_ICONERROR);
    if (framesPresented == 0)
        LogStartupStep("first drawn frame presented");
    ++framesPresented;
    facesDrawn = 0;
    return 0;
}

void CD3DRender::OnLostDevice()
{
    lightManager.OnLostDevice();
    ReleaseAndClear(effect);
    ReleaseRenderTargets();
}

void CD3DRender::OnResetDevice()
{
    CreateRenderTechniques();
    SetDefaultStates();
    lightManager.OnResetDevice();
    techniqueName[0] = '\0';
    savedTechniqueName[0] = '\0';
    textureId = savedTextureId = -1;
    // The effect is new: it has no technique yet and needs the shared textures again.
    currentTechnique = nullptr;
    SetEffectTexture("texNoise3D", noiseVolume);
    SetEffectTexture("texSpaceSkyEnvMap", spaceSkyEnvMap);
    SetEffectTexture("texPlanetEnvMap", planetEnvMap);
    CreateRenderTargets();
}

float CD3DRender::GetFPS()
{
    ++fpsCalls;
    const float now = static_cast<float>(timeGetTime()) * 0.001f;
    const float elapsed = now - fpsTime;
    if (elapsed > 1.0f) {
        // The first measurement only starts the clock.
        fps = fpsTime > 0.0f ? static_cast<float>(fpsCalls) / elapsed : 0.0f;
        fpsCalls = 0;
        fpsTime = now;
    }
    return fps;
}

void CD3DRender::SetCursorPosition(float x, float y)
{
    SetCursorPos(static_cast<int>(x * xFactor), static_cast<int>(y * yFactor));
    mouseState.x = mouseState.previousX = static_cast<int>(x);
    mouseState.y = mouseState.previousY = static_cast<int>(y);
}

D3DXMATRIX CD3DRender::GetPresetView(int index)
{
    struct Preset {
        D3DXVECTOR3 direction, up;
    };
    static const Preset presets[6] = {
        {{1, 0, 0}, {0, 1, 0}}, {{-1, 0, 0}, {0, 1, 0}}, {{0, 1, 0}, {0, 0, -1}},
        {{0, -1, 0}, {0, 0, 1}}, {{0, 0, 1}, {0, 1, 0}}, {{0, 0, -1}, {0, 1, 0}},
    };
    const Preset& preset = presets[index >= 0 && index < 6 ? index : 0];
    const D3DXVECTOR3 eye(0, 0, 0);
    D3DXMATRIX view;
    D3DXMatrixLookAtLH(&view, &eye, &preset.direction, &preset.up);
    return view;
}
