#pragma once
// A GL-backed device on a small borderless window.
#include "platform/gfx/D3D9.h"
#include "platform/win/WinWindow.h"

class TestDevice {
public:
    TestDevice(int width = 128, int height = 128);
    ~TestDevice();
    TestDevice(const TestDevice&) = delete;
    TestDevice& operator=(const TestDevice&) = delete;

    IDirect3DDevice9* device() const { return device_; }

private:
    HWND window_ = nullptr;
    IDirect3D9* direct3D_ = nullptr;
    IDirect3DDevice9* device_ = nullptr;
};
