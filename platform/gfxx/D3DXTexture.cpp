#include "platform/gfxx/D3DXTexture.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gfxx/TextureRequest.h"
#include "platform/win/WinFiles.h"

namespace {

// The whole file; "\" counts as "/". False when it cannot be read.
bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& bytes)
{
    if (path == nullptr)
        return false;
    // A folder opens as a stream too, with a length that is no file's: only regular files are read.
    const std::string name = NativePath(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(name, error))
        return false;
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (!file)
        return false;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long length = ok ? std::ftell(file) : -1;
    ok = length >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(std::size_t(length));
        ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    return ok;
}

void CopyRows(const std::uint32_t* texels, unsigned width, unsigned height, void* bits, int pitch)
{
    auto* row = static_cast<std::uint8_t*>(bits);
    for (unsigned y = 0; y < height; ++y, row += pitch)
        std::memcpy(row, texels + std::size_t(y) * width, std::size_t(width) * 4);
}

void FillInfo(D3DXIMAGE_INFO* info, const PreparedTexture& prepared, D3DRESOURCETYPE type)
{
    if (!info)
        return;
    const ImageLevel& top = prepared.image.Top();
    *info = {top.width, top.height, top.depth, prepared.image.LevelCount(), prepared.format, type};
}

// Locks one level of any texture kind and copies a face's level in.
template <typename Texture, typename Lock, typename Unlock>
HRESULT Upload(Texture* texture, const DecodedImage& image, Lock lock, Unlock unlock)
{
    for (unsigned face = 0; face < image.faces.size(); ++face)
        for (unsigned level = 0; level < image.faces[face].size(); ++level) {
            HRESULT result = lock(texture, face, level, image.faces[face][level]);
            if (FAILED(result))
                return result;
            unlock(texture, face, level);
        }
    return D3D_OK;
}

template <typename Texture>
HRESULT Finish(Texture* created, HRESULT uploaded, Texture** out)
{
    if (FAILED(uploaded)) {
        created->Release();
        return uploaded;
    }
    *out = created;
    return D3D_OK;
}

} // namespace

HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice9* device, const void* data, UINT size, UINT width,
                                            UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format,
                                            D3DPOOL pool, DWORD, DWORD, D3DCOLOR colourKey, D3DXIMAGE_INFO* info,
                                            PALETTEENTRY*, IDirect3DTexture9** texture)
{
    if (!device || !data || !texture)
        return D3DERR_INVALIDCALL;
    PreparedTexture prepared;
    HRESULT result = PrepareTexture(data, size, {ImageShape::Flat, width, height, 1, mipLevels, format, colourKey},
                                    prepared);
    if (FAILED(result))
        return result;
    const ImageLevel& top = prepared.image.Top();
    IDirect3DTexture9* created = nullptr;
    result = device->CreateTexture(top.width, top.height, prepared.image.LevelCount(), usage, prepared.format, pool,
                                   &created, nullptr);
    if (FAILED(result))
        return result;
    FillInfo(info, prepared, D3DRTYPE_TEXTURE);
    return Finish(created,
                  Upload(
                      created, prepared.image,
                      [](IDirect3DTexture9* t, unsigned, unsigned level, const ImageLevel& source) {
                          D3DLOCKED_RECT locked;
                          HRESULT r = t->LockRect(level, &locked, nullptr, 0);
                          if (SUCCEEDED(r))
                              CopyRows(source.texels.data(), source.width, source.height, locked.pBits, locked.Pitch);
                          return r;
                      },
                      [](IDirect3DTexture9* t, unsigned, unsigned level) { t->UnlockRect(level); }),
                  texture);
}

HRESULT D3DXCreateCubeTextureFromFileInMemoryEx(IDirect3DDevice9* device, const void* data, UINT size, UINT edge,
                                                UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD,
                                                DWORD, D3DCOLOR colourKey, D3DXIMAGE_INFO* info, PALETTEENTRY*,
                                                IDirect3DCubeTexture9** texture)
{
    if (!device || !data || !texture)
        return D3DERR_INVALIDCALL;
    PreparedTexture prepared;
    HRESULT result =
        PrepareTexture(data, size, {ImageShape::Cube, edge, edge, 1, mipLevels, format, colourKey}, prepared);
    if (FAILED(result))
        return result;
    IDirect3DCubeTexture9* created = nullptr;
    result = device->CreateCubeTexture(prepared.image.Top().width, prepared.image.LevelCount(), usage,
                                       prepared.format, pool, &created, nullptr);
    if (FAILED(result))
        return result;
    FillInfo(info, prepared, D3DRTYPE_CUBETEXTURE);
    return Finish(created,
                  Upload(
                      created, prepared.image,
                      [](IDirect3DCubeTexture9* t, unsigned face, unsigned level, const ImageLevel& source) {
                          D3DLOCKED_RECT locked;
                          HRESULT r = t->LockRect(D3DCUBEMAP_FACES(face), level, &locked, nullptr, 0);
                          if (SUCCEEDED(r))
                              CopyRows(source.texels.data(), source.width, source.height, locked.pBits, locked.Pitch);
                          return r;
                      },
                      [](IDirect3DCubeTexture9* t, unsigned face, unsigned level) {
                          t->UnlockRect(D3DCUBEMAP_FACES(face), level);
                      }),
                  texture);
}

HRESULT D3DXCreateVolumeTextureFromFileInMemoryEx(IDirect3DDevice9* device, const void* data, UINT size,
                                                  UINT width, UINT height, UINT depth, UINT mipLevels, DWORD usage,
                                                  D3DFORMAT format, D3DPOOL pool, DWORD, DWORD, D3DCOLOR colourKey,
                                                  D3DXIMAGE_INFO* info, PALETTEENTRY*,
                                                  IDirect3DVolumeTexture9** texture)
{
    if (!device || !data || !texture)
        return D3DERR_INVALIDCALL;
    PreparedTexture prepared;
    HRESULT result =
        PrepareTexture(data, size, {ImageShape::Volume, width, height, depth, mipLevels, format, colourKey}, prepared);
    if (FAILED(result))
        return result;
    const ImageLevel& top = prepared.image.Top();
    IDirect3DVolumeTexture9* created = nullptr;
    result = device->CreateVolumeTexture(top.width, top.height, top.depth, prepared.image.LevelCount(), usage,
                                         prepared.format, pool, &created, nullptr);
    if (FAILED(result))
        return result;
    FillInfo(info, prepared, D3DRTYPE_VOLUMETEXTURE);
    return Finish(created,
                  Upload(
                      created, prepared.image,
                      [](IDirect3DVolumeTexture9* t, unsigned, unsigned level, const ImageLevel& source) {
                          D3DLOCKED_BOX locked;
                          HRESULT r = t->LockBox(level, &locked, nullptr, 0);
                          if (SUCCEEDED(r))
                              for (unsigned slice = 0; slice < source.depth; ++slice)
                                  CopyRows(source.texels.data() + std::size_t(slice) * source.width * source.height,
                                           source.width, source.height,
                                           static_cast<std::uint8_t*>(locked.pBits) + std::size_t(slice) * locked.SlicePitch,
                                           locked.RowPitch);
                          return r;
                      },
                      [](IDirect3DVolumeTexture9* t, unsigned, unsigned level) { t->UnlockBox(level); }),
                  texture);
}

HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, const char* path, UINT width, UINT height,
                                     UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                     DWORD mipFilter, D3DCOLOR colourKey, D3DXIMAGE_INFO* info,
                                     PALETTEENTRY* palette, IDirect3DTexture9** texture)
{
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes))
        return D3DERR_NOTFOUND;
    return D3DXCreateTextureFromFileInMemoryEx(device, bytes.data(), UINT(bytes.size()), width, height, mipLevels,
                                               usage, format, pool, filter, mipFilter, colourKey, info, palette,
                                               texture);
}

HRESULT D3DXCreateCubeTextureFromFileExA(IDirect3DDevice9* device, const char* path, UINT edge, UINT mipLevels,
                                         DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                         DWORD mipFilter, D3DCOLOR colourKey, D3DXIMAGE_INFO* info,
                                         PALETTEENTRY* palette, IDirect3DCubeTexture9** texture)
{
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes))
        return D3DERR_NOTFOUND;
    return D3DXCreateCubeTextureFromFileInMemoryEx(device, bytes.data(), UINT(bytes.size()), edge, mipLevels, usage,
                                                   format, pool, filter, mipFilter, colourKey, info, palette, texture);
}

HRESULT D3DXCreateVolumeTextureFromFileExA(IDirect3DDevice9* device, const char* path, UINT width, UINT height,
                                           UINT depth, UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                           DWORD filter, DWORD mipFilter, D3DCOLOR colourKey, D3DXIMAGE_INFO* info,
                                           PALETTEENTRY* palette, IDirect3DVolumeTexture9** texture)
{
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes))
        return D3DERR_NOTFOUND;
    return D3DXCreateVolumeTextureFromFileInMemoryEx(device, bytes.data(), UINT(bytes.size()), width, height, depth,
                                                     mipLevels, usage, format, pool, filter, mipFilter, colourKey,
                                                     info, palette, texture);
}
