#pragma once
// A block of bytes handed out by the utility library (effect compiler messages, ...).
#include "platform/gfx/D3D9.h"

class ID3DXBuffer : public IUnknownLike {
public:
    virtual void* GetBufferPointer() = 0;
    virtual DWORD GetBufferSize() = 0;
};

// A zero-filled buffer of size bytes.
HRESULT D3DXCreateBuffer(DWORD size, ID3DXBuffer** buffer);
// A buffer holding the text and its terminating zero.
ID3DXBuffer* CreateTextBuffer(const char* text);
