#include "tests/support/SharedRenderer.h"

#include "engine/render/D3DRender.h"
#include "tests/support/SharedDevice.h"

bool AdoptSharedDevice(UINT width, UINT height)
{
    SharedDevice& shared = SharedDeviceOf(width, height);
    if (!shared.device)
        return false;
    d3dRender.direct3D = nullptr;
    d3dRender.device = shared.device;
    d3dRender.presentParameters = shared.presentation;
    D3DCAPS9 caps {};
    shared.device->GetDeviceCaps(&caps);
    d3dRender.ps11 = caps.PixelShaderVersion >= D3DPS_VERSION(1, 1);
    d3dRender.ps14 = caps.PixelShaderVersion >= D3DPS_VERSION(1, 4);
    d3dRender.ps20 = caps.PixelShaderVersion >= D3DPS_VERSION(2, 0);
    if (FAILED(d3dRender.CreateRenderTechniques()))
        return false;
    d3dRender.LoadVolumeTexture("Data/Misc/NoiseVolume.dds", &d3dRender.noiseVolume);
    d3dRender.SetEffectTexture("texNoise3D", d3dRender.noiseVolume);
    d3dRender.LoadCubeTexture("Data/Locations/SpaceSkyEnvMap.dds", &d3dRender.spaceSkyEnvMap);
    d3dRender.SetEffectTexture("texSpaceSkyEnvMap", d3dRender.spaceSkyEnvMap);
    d3dRender.LoadCubeTexture("Data/Locations/PlanetEnvMap.dds", &d3dRender.planetEnvMap);
    d3dRender.SetEffectTexture("texPlanetEnvMap", d3dRender.planetEnvMap);
    d3dRender.CreateBatchResources();
    UseScreenSize(width, height);
    d3dRender.SetLighting(1);
    d3dRender.SetDefaultStates();
    return true;
}

void UseScreenSize(UINT width, UINT height)
{
    d3dRender.presentParameters.BackBufferWidth = width;
    d3dRender.presentParameters.BackBufferHeight = height;
    d3dRender.screenWidth = float(width);
    d3dRender.screenHeight = float(height);
    d3dRender.xFactor = d3dRender.screenWidth * 0.00125f;
    d3dRender.yFactor = d3dRender.screenHeight * 0.0016666667f;
    d3dRender.CreateRenderTargets();
}
