// The cube and volume textures the renderer shares with the effect: read from the Textures pack
// or the loose file, or created from the path on disk.
#include <vector>

#include "engine/files/AssetBytes.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/ErrorBox.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/MainWindow.h"
#include "platform/gfxx/D3DXTexture.h"

namespace {

// The file's bytes when the packs are on and it is found; false (with nothing read) when it is
// to be created from the path on disk; a read failure shows readMessage.
enum class SharedSource { Memory, Disk, Failed };

SharedSource ReadShared(const char* path, std::vector<std::uint8_t>& bytes, const char* readMessage)
{
    if (!FileManager)
        return SharedSource::Disk;
    switch (ReadTextureAsset(path, bytes)) {
    case AssetRead::Ok: return SharedSource::Memory;
    case AssetRead::NotFound: return SharedSource::Disk;
    case AssetRead::ReadFailed: break;
    }
    ShowMessage(readMessage, productName, MB_ICONERROR);
    return SharedSource::Failed;
}

} // namespace

int CD3DRender::LoadCubeTexture(const char* path, IDirect3DCubeTexture9** texture)
{
    ReleaseAndClear(*texture);
    std::vector<std::uint8_t> bytes;
    const SharedSource source = ReadShared(path, bytes, "Could not load cube texture!");
    if (source == SharedSource::Failed)
        return -1;
    const HRESULT result =
        source == SharedSource::Memory
            ? D3DXCreateCubeTextureFromFileInMemoryEx(device, bytes.data(), UINT(bytes.size()), D3DX_DEFAULT,
                                                      D3DX_DEFAULT, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT,
                                                      D3DX_DEFAULT, 0, nullptr, nullptr, texture)
            : D3DXCreateCubeTextureFromFileExA(device, path, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                               D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr,
                                               texture);
    if (FAILED(result)) {
        ShowMessage("Could not create cube texture!", productName, MB_ICONERROR);
        return -1;
    }
    return 0;
}

int CD3DRender::LoadVolumeTexture(const char* path, IDirect3DVolumeTexture9** texture)
{
    ReleaseAndClear(*texture);
    std::vector<std::uint8_t> bytes;
    const SharedSource source = ReadShared(path, bytes, "Could not load volume texture!");
    if (source == SharedSource::Failed)
        return -1;
    const HRESULT result =
        source == SharedSource::Memory
            ? D3DXCreateVolumeTextureFromFileInMemoryEx(device, bytes.data(), UINT(bytes.size()), D3DX_DEFAULT,
                                                        D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                                        D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr,
                                                        nullptr, texture)
            : D3DXCreateVolumeTextureFromFileExA(device, path, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT,
                                                 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                                 nullptr, nullptr, texture);
    if (FAILED(result)) {
        // Without the noise volume the ocean cannot be drawn by its effect.
        OptionMaximumOf(SLOT_OSURFACE) = 0;
        return -1;
    }
    return 0;
}
