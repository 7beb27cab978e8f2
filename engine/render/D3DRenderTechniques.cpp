// The effect: made from the technique file of the device's shader level.
#include <string>
#include <vector>

#include "engine/files/AssetBytes.h"
#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/ErrorBox.h"
#include "engine/shell/MainWindow.h"

namespace {

const char* TechniqueFileFor(int ps11, int ps14, int ps20)
{
    if (ps20)
        return "Data/Misc/RenderTechniques_20.dat";
    if (ps14)
        return "Data/Misc/RenderTechniques_14.dat";
    if (ps11)
        return "Data/Misc/RenderTechniques_11.dat";
    return "Data/Misc/RenderTechniques_00.dat";
}

} // namespace

HRESULT CD3DRender::CreateRenderTechniques()
{
    std::vector<std::uint8_t> bytes;
    if (ReadWholeAsset(TechniqueFileFor(ps11, ps14, ps20), FILE_MODE_WORLD, bytes) != AssetRead::Ok)
        return E_FAIL;
    ReleaseAndClear(effect);
    ID3DXBuffer* errors = nullptr;
    const HRESULT result = D3DXCreateEffect(device, bytes.data(), UINT(bytes.size()), nullptr, nullptr, 0, nullptr,
                                            &effect, &errors);
    if (FAILED(result)) {
        if (errors) {
            const std::string text =
                std::string("Create render techniques failed!\n") + static_cast<const char*>(errors->GetBufferPointer());
            errors->Release();
            ShowMessage(text.c_str(), productName, MB_ICONERROR);
        }
        FreeD3DRender();
        return result;
    }
    effect->OnResetDevice();
    // A new effect after a device reset: it has no technique yet and gets the shared textures
    // again (before the first device creation they do not exist yet).
    currentTechnique = nullptr;
    effect->SetTexture("texNoise3D", noiseVolume);
    effect->SetTexture("texSpaceSkyEnvMap", spaceSkyEnvMap);
    effect->SetTexture("texPlanetEnvMap", planetEnvMap);
    return 0;
}
