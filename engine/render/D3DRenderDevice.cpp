// The renderer's start-up and release: the Direct3D interface, the adapter format, the display
// modes, the device with its fallbacks, the capability flags and the option maxima.
#include <cstdio>
#include <cstring>

#include "engine/mesh/MeshContainer.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/DebugLog.h"
#include "engine/shell/ErrorBox.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/MainWindow.h"
#include "engine/shell/SettingsFile.h"
#include "engine/shell/StartupTimes.h"
#include "platform/win/WinMessageBox.h"
#include "platform/win/WinWindow.h"

namespace {

constexpr const char* CAPTION = "Vestrune";
constexpr int MODE_FROM_DESKTOP = 100; // Mode settings from here on select the desktop's size
constexpr DWORD PURE_HARDWARE = D3DCREATE_PUREDEVICE | D3DCREATE_HARDWARE_VERTEXPROCESSING; // 0x50
constexpr DWORD PURE_MIXED = D3DCREATE_PUREDEVICE | D3DCREATE_MIXED_VERTEXPROCESSING;       // 0x90

void Fail(const char* text) { ShowMessage(text, CAPTION, MB_ICONERROR); }

} // namespace

CD3DRender::CD3DRender() { ResetFields(); }

void CD3DRender::ResetFields()
{
    std::strcpy(techniqueName, "Empty");
    techniqueName[0] = '\0';
    savedTechniqueName[0] = '\0';
    textureId = savedTextureId = -1;
    zWrite = savedZWrite = zEnable = savedZEnable = lighting = savedLighting = 0;
    sourceBlend = savedSourceBlend = destinationBlend = savedDestinationBlend = 0;
    alphaBlend = savedAlphaBlend = fogEnable = 0;
    batchVertices = nullptr;
    batchIndices = nullptr;
    batchVertexBuffer = nullptr;
    batchIndexBuffer = nullptr;
    batchVertexCount = batchIndexCount = 0;
    lightMapId = -1;
    textureManager.Clear();
    adapterFormat = D3DFMT_UNKNOWN;
    presentParameters = {};
    deviceLost = 0;
    ps11 = ps14 = ps20 = 0;
    screenWidth = savedScreenWidth = xFactor = savedXFactor = 0.0f;
    screenHeight = savedScreenHeight = yFactor = savedYFactor = 0.0f;
    std::memset(displayModes, 0, sizeof displayModes);
    desktopMode = {};
    displayModeCount = 0;
    direct3D = nullptr;
    device = nullptr;
    fillMode = D3DFILL_SOLID;
    shadeMode = D3DSHADE_GOURAUD;
    fogStart = savedFogStart = fogEnd = savedFogEnd = 0.0f;
    effect = nullptr;
    currentTechnique = nullptr;
    facesDrawn = framesPresented = 0;
    savedRenderTarget = savedDepthSurface = nullptr;
    spaceSkyEnvMap = planetEnvMap = nullptr;
    noiseVolume = nullptr;
    blurAvailable = 0;
    blurStrength = 0.0f;
    for (auto& target : blurTargets)
        target = nullptr;
    blurDepthSurface = nullptr;
    blurQuads[0] = blurQuads[1] = nullptr;
    fpsCalls = 0;
    fpsTime = 0.0f;
    fps = 0.0f;
}

bool CD3DRender::ChooseAdapterFormat(int windowed)
{
    const D3DFORMAT candidates[] = {desktopMode.format, D3DFMT_X8R8G8B8, D3DFMT_R8G8B8, D3DFMT_R5G6B5};
    for (D3DFORMAT format : candidates) {
        if (SUCCEEDED(direct3D->CheckDeviceType(0, D3DDEVTYPE_HAL, format, format, windowed))) {
            adapterFormat = format;
            return true;
        }
    }
    return false;
}

void CD3DRender::ListDisplayModes()
{
    displayModeCount = 0;
    const UINT count = direct3D->GetAdapterModeCount(0, adapterFormat);
    for (UINT i = 0; i < count && displayModeCount < DISPLAY_MODE_ROWS; ++i) {
        D3DDISPLAYMODE mode;
        if (FAILED(direct3D->EnumAdapterModes(0, adapterFormat, i, &mode)))
            continue;
        // Each size once, at its first refresh rate: a size equal to the last kept row is skipped.
        if (displayModeCount > 0) {
            const DisplayModeRow& last = displayModes[displayModeCount - 1];
            if (last.width == mode.Width && last.height == mode.Height)
                continue;
        }
        if (GameSettings[SLOT_MODE] >= MODE_FROM_DESKTOP && mode.Width == desktopMode.width &&
            mode.Height == desktopMode.height)
            GameSettings[SLOT_MODE] = displayModeCount;
        displayModes[displayModeCount++] = {mode.Width, mode.Height, mode.RefreshRate, mode.Format};
    }
}

int CD3DRender::InitD3D(int windowed)
{
    ResetFields();
    direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (!direct3D) {
        Fail("Could not initialize Direct3D!\nYou may want to check that the latest version of\nDirectX is "
             "correctly installed on your system.\n");
        return -1;
    }
    DebugOut("Create Direct3D OK\n");

    D3DDISPLAYMODE desktop {};
    direct3D->GetAdapterDisplayMode(0, &desktop);
    desktopMode = {desktop.Width, desktop.Height, desktop.RefreshRate, desktop.Format};

    if (!ChooseAdapterFormat(windowed)) {
        FreeD3DRender();
        Fail("Check device type failed!\nCould not find any compatible Direct3D devices.\nThis application "
             "requires functionality that is\nnot available on your Direct3D hardware accelerator.");
        return -1;
    }
    DebugOut("Check device type OK\n");

    // A negative Mode (a hand-edited file) selects no row: it counts as the desktop's mode.
    if (GameSettings[SLOT_MODE] < 0)
        GameSettings[SLOT_MODE] = MODE_FROM_DESKTOP;
    ListDisplayModes();
    if (displayModeCount == 0) {
        FreeD3DRender();
        Fail("Enum and check video modes failed!\nThis application requires functionality that is\nnot "
             "available on your Direct3D hardware accelerator.");
        return -1;
    }
    if (GameSettings[SLOT_MODE] >= displayModeCount)
        GameSettings[SLOT_MODE] = displayModeCount - 1;
    SaveGameIni();
    return 0;
}

bool DepthFormatHasStencil(D3DFORMAT format)
{
    return format == D3DFMT_D24S8 || format == D3DFMT_D24X4S4 || format == D3DFMT_D15S1;
}

bool CD3DRender::ChooseDepthFormat(D3DFORMAT* chosen)
{
    const D3DFORMAT candidates[] = {D3DFMT_D24S8, D3DFMT_D24X4S4, D3DFMT_D32, D3DFMT_D24X8, D3DFMT_D16};
    bool found = false;
    bool stencil = false;
    for (D3DFORMAT format : candidates) {
        if (SUCCEEDED(direct3D->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, adapterFormat, adapterFormat, format))) {
            stencil = DepthFormatHasStencil(format);
            *chosen = format;
            found = true;
            break;
        }
    }
    // Stencil shadows need a stencil buffer.
    if (!stencil)
        OptionMaximumOf(SLOT_SHADOWS) = 0;
    return found;
}

void CD3DRender::ReadCapabilities(const D3DCAPS9& caps)
{
    const unsigned vs = caps.VertexShaderVersion & 0xFFFF;
    const unsigned ps = caps.PixelShaderVersion & 0xFFFF;
    constexpr unsigned V1_0 = 0x0100, V1_4 = 0x0104, V2_0 = 0x0200;
    ps11 = vs > V1_0 ? 1 : 0;
    ps14 = vs > V1_0 && ps >= V1_4 ? 1 : 0;
    ps20 = vs >= V2_0 && ps >= V2_0 ? 1 : 0;
    if (!ps14)
        OptionMaximumOf(SLOT_ATMOSPHERE) = 1;
    if (!ps20) {
        OptionMaximumOf(SLOT_BUMP) = 0;
        OptionMaximumOf(SLOT_OSURFACE) = 0;
    }
    if (!ps14 && !ps20)
        OptionMaximumOf(SLOT_BLUR) = 0;
}

HRESULT CD3DRender::CreateDeviceWithFallbacks(HWND window)
{
    struct Attempt {
        UINT backBuffers;
        D3DSWAPEFFECT swapEffect;
        DWORD behaviour;
    };
    static constexpr Attempt attempts[] = {
        {2, D3DSWAPEFFECT_FLIP, PURE_HARDWARE}, {2, D3DSWAPEFFECT_FLIP, PURE_MIXED},
        {1, D3DSWAPEFFECT_COPY, PURE_HARDWARE}, {1, D3DSWAPEFFECT_COPY, PURE_MIXED},
        {1, D3DSWAPEFFECT_DISCARD, PURE_HARDWARE}, {1, D3DSWAPEFFECT_DISCARD, PURE_MIXED},
    };
    HRESULT result = E_FAIL;
    for (const Attempt& attempt : attempts) {
        presentParameters.BackBufferCount = attempt.backBuffers;
        presentParameters.SwapEffect = attempt.swapEffect;
        result = direct3D->CreateDevice(0, D3DDEVTYPE_HAL, window, attempt.behaviour, &presentParameters, &device);
        // The runtime may lower the back-buffer count; the call is then made once more.
        if (SUCCEEDED(result) && attempt.backBuffers == 2 && presentParameters.BackBufferCount != 2) {
            ReleaseAndClear(device);
            result = direct3D->CreateDevice(0, D3DDEVTYPE_HAL, window, attempt.behaviour, &presentParameters,
                                            &device);
        }
        if (SUCCEEDED(result))
            return result;
        device = nullptr;
    }
    return result;
}

int CD3DRender::CreateDevice(HWND window, int windowed, int, int)
{
    D3DFORMAT depthFormat = D3DFMT_UNKNOWN;
    if (!ChooseDepthFormat(&depthFormat)) {
        Fail("Check depth buffer match failed!");
        return -1;
    }
    D3DCAPS9 caps {};
    if (FAILED(direct3D->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps))) {
        Fail("GetDeviceCaps() failed!");
        return -1;
    }
    ReadCapabilities(caps);

    const DisplayModeRow& mode = displayModes[GameSettings[SLOT_MODE]];
    presentParameters = {};
    presentParameters.BackBufferWidth = mode.width;
    presentParameters.BackBufferHeight = mode.height;
    presentParameters.BackBufferFormat = adapterFormat;
    presentParameters.MultiSampleType = D3DMULTISAMPLE_NONE;
    presentParameters.hDeviceWindow = window;
    presentParameters.Windowed = windowed;
    presentParameters.EnableAutoDepthStencil = TRUE;
    presentParameters.AutoDepthStencilFormat = depthFormat;
    presentParameters.Flags = 0;
    presentParameters.FullScreen_RefreshRateInHz = 0;
    presentParameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;

    const HRESULT created = CreateDeviceWithFallbacks(window);
    LogStartupStep("device created: first frame presented (black)");
    if (FAILED(created)) {
        ReleaseAndClear(direct3D);
        Fail("Could not create Direct3DDevice9!");
        FreeD3DRender();
        return created;
    }

    const HRESULT techniques = CreateRenderTechniques();
    LogStartupStep("techniques compiled");
    if (FAILED(techniques)) {
        Fail("Could not create render technique!");
        FreeD3DRender();
        return techniques;
    }

    LoadVolumeTexture("Data/Misc/NoiseVolume.dds", &noiseVolume);
    SetEffectTexture("texNoise3D", noiseVolume);
    LoadCubeTexture("Data/Locations/SpaceSkyEnvMap.dds", &spaceSkyEnvMap);
    SetEffectTexture("texSpaceSkyEnvMap", spaceSkyEnvMap);
    LoadCubeTexture("Data/Locations/PlanetEnvMap.dds", &planetEnvMap);
    SetEffectTexture("texPlanetEnvMap", planetEnvMap);
    CreateBatchResources();
    LogStartupStep("shared textures loaded");

    screenWidth = static_cast<float>(presentParameters.BackBufferWidth);
    screenHeight = static_cast<float>(presentParameters.BackBufferHeight);
    xFactor = screenWidth * 0.00125f;
    yFactor = screenHeight * 0.0016666667f;
    CreateRenderTargets();

    const D3DXMATRIX identity(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    device->SetTransform(D3DTS_WORLD, &identity);
    SetLighting(1);
    SetDefaultStates();
    return 0;
}

int CD3DRender::FreeD3DRender()
{
    DebugOut("\nCD3DRender::FreeD3DRender() start...");
    meshContainer.Release();
    ReleaseBatchResources();
    ReleaseAllTextures();
    ReleaseRenderTargets();
    ReleaseAndClear(effect);
    ReleaseAndClear(spaceSkyEnvMap);
    ReleaseAndClear(planetEnvMap);
    ReleaseAndClear(noiseVolume);
    ReleaseAndClear(device);
    ReleaseAndClear(direct3D);
    DebugOut("CD3DRender::FreeD3DRender() done!\n");
    return 0;
}

HRESULT CD3DRender::ShowError(HRESULT code)
{
    const char* text = "Generic application error!";
    switch (code) {
    case RENDER_ERROR_NO_DIRECT3D: text = "Could not create Direct3D 9.0!\nPlease install DirectX 9.0 first!"; break;
    case RENDER_ERROR_NO_COMPATIBLE_DEVICE: text = "Could not find any compatible Direct3D devices!"; break;
    case RENDER_ERROR_NO_HARDWARE_DEVICE: text = "No hardware-accelerated Direct3D devices were found!"; break;
    case RENDER_ERROR_MISSING_FUNCTIONALITY:
        text = "This application requires functionality that is\nnot available on your Direct3D hardware "
               "accelerator!";
        break;
    case RENDER_ERROR_RESET_FAILED: text = "Could not reset the Direct3D device!"; break;
    case D3DERR_DRIVERINTERNALERROR: text = "A serious problem occured inside the display driver!"; break;
    default: break;
    }
    char message[512];
    std::snprintf(message, sizeof message, "%s\n\nThis application will now exit.", text);
    MessageBoxA(nullptr, message, CAPTION, MB_ICONERROR);
    SendMessageA(mainWindow, WM_CLOSE, 0, 0);
    return code;
}
