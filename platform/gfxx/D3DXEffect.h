#pragma once
// The effect: techniques and parameters made from a technique file (TechniqueFile.h describes
// the format). Every technique has one pass. Parameters are global to the effect; a pass
// applies them when it begins and again on CommitChanges.
//
// A GLSL pass makes its program current (glUseProgram) from BeginPass to EndPass and binds the
// textures of its sampler parameters through the device; a fixed-function pass binds its
// textures on their stages and loads its matrices into the device's transforms. Unless Begin
// is given D3DXFX_DONOTSAVESTATE, EndPass puts back the textures and transforms the pass
// replaced, so the caller's caches of device state stay true.
#include "platform/gfx/D3D9.h"
#include "platform/gfxx/D3DXBuffer.h"
#include "platform/gfxx/D3DXMath.h"
#include "platform/gfxx/D3DXTypes.h"

constexpr DWORD D3DXFX_DONOTSAVESTATE = 0x1;

struct D3DXMACRO {
    const char* Name;
    const char* Definition;
};
class ID3DXInclude;
class ID3DXEffectPool;

class ID3DXEffect : public IUnknownLike {
public:
    // parent must be null; the handle stays valid for the effect's life. Null when absent.
    virtual D3DXHANDLE GetParameterByName(D3DXHANDLE parent, const char* name) = 0;
    virtual D3DXHANDLE GetTechniqueByName(const char* name) = 0;
    // Setters take a handle or a name; D3DERR_INVALIDCALL for an unknown one. Numeric setters
    // write the first floats of the parameter's 16 (a float uses 1, a vector 4, a matrix 16).
    virtual HRESULT SetFloat(D3DXHANDLE parameter, float value) = 0;
    virtual HRESULT SetVector(D3DXHANDLE parameter, const D3DXVECTOR4* vector) = 0;
    virtual HRESULT SetMatrix(D3DXHANDLE parameter, const D3DXMATRIX* matrix) = 0;
    virtual HRESULT SetValue(D3DXHANDLE parameter, const void* data, UINT bytes) = 0;
    // The effect keeps a reference to the texture (null clears it).
    virtual HRESULT SetTexture(D3DXHANDLE parameter, IDirect3DBaseTexture9* texture) = 0;
    virtual HRESULT SetTechnique(D3DXHANDLE technique) = 0;
    // The technique set last; the first one of the file before any.
    virtual D3DXHANDLE GetCurrentTechnique() = 0;

    virtual HRESULT Begin(UINT* passes, DWORD flags) = 0;
    virtual HRESULT BeginPass(UINT pass) = 0;
    // The one-call form of the older interface: begins the pass, which End finishes.
    virtual HRESULT Pass(UINT pass) = 0;
    virtual HRESULT CommitChanges() = 0;
    virtual HRESULT EndPass() = 0;
    virtual HRESULT End() = 0;

    // GL programs survive a device reset: both only end an active pass or keep what exists.
    virtual HRESULT OnLostDevice() = 0;
    virtual HRESULT OnResetDevice() = 0;
};

// Builds the effect from the bytes of a technique file and compiles every GLSL pass on the
// device's GL context. On failure *errors (when given) receives the parser's message or the
// GLSL compiler's log. defines, include and pool are not supported and must be null.
HRESULT D3DXCreateEffect(IDirect3DDevice9* device, const void* data, UINT size, const D3DXMACRO* defines,
                         ID3DXInclude* include, DWORD flags, ID3DXEffectPool* pool, ID3DXEffect** effect,
                         ID3DXBuffer** errors);
