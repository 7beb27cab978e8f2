#pragma once
// Textures from image files on disk or in memory (.dds, .bmp, .jpg, told apart by content):
// 2D textures, cube maps from cube .dds files and volume textures from volume .dds files.
//
// Every surface is created as A8R8G8B8 (files with alpha, DXT files, or a colour key) or
// X8R8G8B8, unless one of those two is asked for. Width, height and depth must be D3DX_DEFAULT,
// D3DX_DEFAULT_NONPOW2, 0 or the file's own (no resampling). Mip levels: 0 or D3DX_DEFAULT a
// full chain, D3DX_FROM_FILE the file's, n at most n; levels the file lacks are box-filtered.
// A colour key other than 0 turns texels of exactly that colour (0xAARRGGBB) into transparent
// black. The filters are accepted and not used. Damaged, truncated or unknown files give
// D3DXERR_INVALIDDATA and create nothing.
#include <cstddef>

#include "platform/gfx/D3D9.h"
#include "platform/gfxx/D3DXTypes.h"

constexpr DWORD D3DX_FILTER_NONE = 1;
constexpr DWORD D3DX_FILTER_POINT = 2;
constexpr DWORD D3DX_FILTER_LINEAR = 3;
constexpr DWORD D3DX_FILTER_TRIANGLE = 4;
constexpr DWORD D3DX_FILTER_BOX = 5;

// What the file held: its size, levels and kind; Format is the format the texture was made in.
struct D3DXIMAGE_INFO {
    UINT Width, Height, Depth, MipLevels;
    D3DFORMAT Format;
    D3DRESOURCETYPE ResourceType;
};

struct PALETTEENTRY {
    BYTE peRed, peGreen, peBlue, peFlags;
};

HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, const char* path, UINT width, UINT height,
                                     UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                     DWORD mipFilter, D3DCOLOR colourKey, D3DXIMAGE_INFO* info,
                                     PALETTEENTRY* palette, IDirect3DTexture9** texture);
HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice9* device, const void* data, UINT size, UINT width,
                                            UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format,
                                            D3DPOOL pool, DWORD filter, DWORD mipFilter, D3DCOLOR colourKey,
                                            D3DXIMAGE_INFO* info, PALETTEENTRY* palette,
                                            IDirect3DTexture9** texture);

HRESULT D3DXCreateCubeTextureFromFileExA(IDirect3DDevice9* device, const char* path, UINT edge, UINT mipLevels,
                                         DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                         DWORD mipFilter, D3DCOLOR colourKey, D3DXIMAGE_INFO* info,
                                         PALETTEENTRY* palette, IDirect3DCubeTexture9** texture);
HRESULT D3DXCreateCubeTextureFromFileInMemoryEx(IDirect3DDevice9* device, const void* data, UINT size, UINT edge,
                                                UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                                DWORD filter, DWORD mipFilter, D3DCOLOR colourKey,
                                                D3DXIMAGE_INFO* info, PALETTEENTRY* palette,
                                                IDirect3DCubeTexture9** texture);

HRESULT D3DXCreateVolumeTextureFromFileExA(IDirect3DDevice9* device, const char* path, UINT width, UINT height,
                                           UINT depth, UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                           DWORD filter, DWORD mipFilter, D3DCOLOR colourKey, D3DXIMAGE_INFO* info,
                                           PALETTEENTRY* palette, IDirect3DVolumeTexture9** texture);
HRESULT D3DXCreateVolumeTextureFromFileInMemoryEx(IDirect3DDevice9* device, const void* data, UINT size,
                                                  UINT width, UINT height, UINT depth, UINT mipLevels, DWORD usage,
                                                  D3DFORMAT format, D3DPOOL pool, DWORD filter, DWORD mipFilter,
                                                  D3DCOLOR colourKey, D3DXIMAGE_INFO* info, PALETTEENTRY* palette,
                                                  IDirect3DVolumeTexture9** texture);
