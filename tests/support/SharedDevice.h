#pragma once
// One window and one device per process, made on first use and shared by every test or
// benchmark in it.
#include "platform/gfx/D3D9.h"

struct SharedDevice {
    HWND window = nullptr;
    IDirect3D9* direct3D = nullptr;
    IDirect3DDevice9* device = nullptr;
    D3DPRESENT_PARAMETERS presentation {};
};

// Back buffer of width x height (made again when a caller asks for another size); device is
// null when no GL device can be made.
SharedDevice& SharedDeviceOf(UINT width, UINT height);
