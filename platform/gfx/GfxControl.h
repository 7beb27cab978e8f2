#pragma once
// Controls and views of the GL device layer for tests and debugging.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx/D3D9.h"

// The highest shader versions the layer reports (D3DVS_VERSION / D3DPS_VERSION values), so that
// lower levels and their fallbacks can be tried; (0, 0) reports what the GL context offers.
void SetReportedShaderLevel(DWORD vertexShaderVersion, DWORD pixelShaderVersion);

// Depth formats that CheckDepthStencilMatch refuses; empty: none.
void SetRefusedDepthFormats(std::vector<D3DFORMAT> formats);

// Display modes reported in place of SDL's (all of one format); an empty list reports SDL's.
void SetReportedDisplayModes(std::vector<D3DDISPLAYMODE> modes, D3DDISPLAYMODE desktop);

// Loses the device as a window switch would: Present reports D3DERR_DEVICELOST, then
// TestCooperativeLevel D3DERR_DEVICENOTRESET. An unrestorable loss makes Reset fail.
enum class DeviceLoss { Restorable, Unrestorable };
void LoseDevice(IDirect3DDevice9* device, DeviceLoss kind);

// What the device has done since it was made: draw calls, switches of the bound render target
// or depth surface, and pixels cleared (per rectangle, whatever the buffers) and copied
// (StretchRect and Present).
struct DeviceCounters {
    std::uint64_t draws = 0;
    std::uint64_t targetSwitches = 0;
    std::uint64_t pixelsCleared = 0;
    std::uint64_t pixelsCopied = 0;
};
DeviceCounters CountersOf(IDirect3DDevice9* device);

// GL state calls made by the device's state cache so far.
std::uint64_t GlStateCallCount(IDirect3DDevice9* device);

// Pixels of render target 0 as ARGB, rows from the top (glReadPixels).
std::vector<D3DCOLOR> ReadRenderTarget(IDirect3DDevice9* device, int x, int y, int width, int height);

// Stencil values of the bound depth-stencil surface, rows from the top as ReadRenderTarget's.
std::vector<unsigned char> ReadStencil(IDirect3DDevice9* device, int x, int y, int width, int height);
// Depth values (0 near, 1 far) of the bound depth-stencil surface, rows as ReadStencil's.
std::vector<float> ReadDepth(IDirect3DDevice9* device, int x, int y, int width, int height);

// A draw from memory (DrawPrimitiveUP, DrawIndexedPrimitiveUP) as the device took it: the texture
// of stage 0, the vertex format and the bytes of the vertices drawn.
struct RecordedDraw {
    IDirect3DBaseTexture9* texture;
    DWORD fvf;
    UINT stride;
    std::vector<std::byte> vertices;
};

// Appends every later draw from memory to the list, until the list given is null.
void RecordDrawsFromMemory(IDirect3DDevice9* device, std::vector<RecordedDraw>* record);
