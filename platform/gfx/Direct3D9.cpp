// The Direct3D object: adapter modes from SDL, format checks, capabilities from the GL context,
// and device creation on a window.
#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/gfx/Device.h"
#include "platform/gfx/FullScreen.h"
#include "platform/gfx/GfxControl.h"
#include "platform/win/WinSdl.h"

namespace {

struct ReportedModes {
    std::vector<D3DDISPLAYMODE> modes;
    D3DDISPLAYMODE desktop {};
};

struct Controls {
    DWORD vertexShaderCeiling = 0;
    DWORD pixelShaderCeiling = 0;
    std::vector<D3DFORMAT> refusedDepthFormats;
    std::optional<ReportedModes> reportedModes;
};

Controls& controls()
{
    static Controls instance;
    return instance;
}

D3DFORMAT FormatOfSdl(Uint32 format)
{
    if (SDL_BITSPERPIXEL(format) == 16)
        return SDL_PIXELLAYOUT(format) == SDL_PACKEDLAYOUT_565 ? D3DFMT_R5G6B5 : D3DFMT_X1R5G5B5;
    return D3DFMT_X8R8G8B8;
}

D3DDISPLAYMODE ModeOfSdl(const SDL_DisplayMode& mode)
{
    return {static_cast<UINT>(mode.w), static_cast<UINT>(mode.h), static_cast<UINT>(mode.refresh_rate),
            FormatOfSdl(mode.format)};
}

std::vector<D3DDISPLAYMODE> AdapterModes()
{
    if (controls().reportedModes)
        return controls().reportedModes->modes;
    std::vector<D3DDISPLAYMODE> modes;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) == 0)
            modes.push_back(ModeOfSdl(mode));
    }
    // Direct3D lists modes from the smallest; SDL from the largest.
    std::reverse(modes.begin(), modes.end());
    return modes;
}

// Shader versions and limits of the GL implementation, read once from a hidden probe window.
struct GlAbilities {
    bool known = false;
    DWORD vertexShaderVersion = 0;
    DWORD pixelShaderVersion = 0;
    DWORD maxTextureSize = 2048;
    DWORD maxVolumeExtent = 256;
    DWORD maxAnisotropy = 1;
    bool s3tc = false;
};

GlAbilities ProbeGl()
{
    GlAbilities abilities;
    SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!probe)
        return abilities;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GLContext context = SDL_GL_CreateContext(probe);
    if (context) {
        abilities.known = true;
        const int version = epoxy_gl_version();
        const int glsl = epoxy_glsl_version();
        if (version >= 30 && glsl >= 130) {
            abilities.vertexShaderVersion = D3DVS_VERSION(3, 0);
            abilities.pixelShaderVersion = D3DPS_VERSION(3, 0);
        } else if (version >= 20) {
            abilities.vertexShaderVersion = D3DVS_VERSION(2, 0);
            abilities.pixelShaderVersion = D3DPS_VERSION(2, 0);
        } else if (epoxy_has_gl_extension("GL_ARB_vertex_program") &&
                   epoxy_has_gl_extension("GL_ARB_fragment_program")) {
            abilities.vertexShaderVersion = D3DVS_VERSION(1, 1);
            abilities.pixelShaderVersion = D3DPS_VERSION(1, 4);
        }
        GLint value = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &value);
        abilities.maxTextureSize = static_cast<DWORD>(value);
        glGetIntegerv(GL_MAX_3D_TEXTURE_SIZE, &value);
        abilities.maxVolumeExtent = static_cast<DWORD>(value);
        if (epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic")) {
            float anisotropy = 1;
            glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
            abilities.maxAnisotropy = static_cast<DWORD>(anisotropy);
        }
        abilities.s3tc = epoxy_has_gl_extension("GL_EXT_texture_compression_s3tc");
        SDL_GL_DeleteContext(context);
    }
    SDL_DestroyWindow(probe);
    return abilities;
}

const GlAbilities& Abilities()
{
    static GlAbilities abilities = ProbeGl();
    return abilities;
}

DWORD Ceiling(DWORD native, DWORD ceiling)
{
    if (ceiling == 0)
        return native;
    // Compare major.minor; the type bits above are the same for one kind of shader.
    return (ceiling & 0xFFFF) < (native & 0xFFFF) ? ceiling : native;
}

bool DisplayFormatSupported(D3DFORMAT format)
{
    return format == D3DFMT_X8R8G8B8 || format == D3DFMT_R5G6B5;
}

class Direct3D9 final : public RefCounted<IDirect3D9> {
public:
    UINT GetAdapterCount() override { return 1; }

    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override
    {
        if (adapter != 0 || !mode)
            return D3DERR_INVALIDCALL;
        if (controls().reportedModes) {
            *mode = controls().reportedModes->desktop;
            return D3D_OK;
        }
        SDL_DisplayMode desktop;
        if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
            return D3DERR_NOTAVAILABLE;
        *mode = ModeOfSdl(desktop);
        return D3D_OK;
    }

    UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format) override
    {
        if (adapter != 0)
            return 0;
        const auto modes = AdapterModes();
        return static_cast<UINT>(std::count_if(modes.begin(), modes.end(),
                                               [format](const D3DDISPLAYMODE& m) { return m.Format == format; }));
    }

    HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT index, D3DDISPLAYMODE* result) override
    {
        if (adapter != 0 || !result)
            return D3DERR_INVALIDCALL;
        UINT seen = 0;
        for (const D3DDISPLAYMODE& mode : AdapterModes()) {
            if (mode.Format != format)
                continue;
            if (seen++ == index) {
                *result = mode;
                return D3D_OK;
            }
        }
        return D3DERR_INVALIDCALL;
    }

    HRESULT CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat,
                            BOOL) override
    {
        if (adapter != 0 || type != D3DDEVTYPE_HAL)
            return D3DERR_INVALIDCALL;
        const bool backBufferOk = backBufferFormat == adapterFormat ||
                                  (adapterFormat == D3DFMT_X8R8G8B8 && backBufferFormat == D3DFMT_A8R8G8B8);
        return DisplayFormatSupported(adapterFormat) && backBufferOk ? D3D_OK : D3DERR_NOTAVAILABLE;
    }

    HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                              D3DRESOURCETYPE, D3DFORMAT format) override
    {
        if (adapter != 0 || type != D3DDEVTYPE_HAL || !DisplayFormatSupported(adapterFormat))
            return D3DERR_INVALIDCALL;
        const FormatInfo* info = FindFormat(format);
        if (!info || (info->compressed && !Abilities().s3tc))
            return D3DERR_NOTAVAILABLE;
        if ((usage & D3DUSAGE_DEPTHSTENCIL) != 0 && !info->depth)
            return D3DERR_NOTAVAILABLE;
        if ((usage & D3DUSAGE_RENDERTARGET) != 0 && (info->depth || info->compressed))
            return D3DERR_NOTAVAILABLE;
        return D3D_OK;
    }

    HRESULT CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, D3DFORMAT,
                                   D3DFORMAT depthFormat) override
    {
        if (adapter != 0 || type != D3DDEVTYPE_HAL || !DisplayFormatSupported(adapterFormat))
            return D3DERR_INVALIDCALL;
        const auto& refused = controls().refusedDepthFormats;
        if (std::find(refused.begin(), refused.end(), depthFormat) != refused.end())
            return D3DERR_NOTAVAILABLE;
        // GL offers 24-bit depth with 8-bit stencil, and depth alone in 16, 24 and 32 bits.
        switch (depthFormat) {
        case D3DFMT_D24S8:
        case D3DFMT_D24X8:
        case D3DFMT_D16:
        case D3DFMT_D32: return D3D_OK;
        default: return D3DERR_NOTAVAILABLE;
        }
    }

    HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) override
    {
        if (adapter != 0 || type != D3DDEVTYPE_HAL || !caps)
            return D3DERR_INVALIDCALL;
        const GlAbilities& gl = Abilities();
        if (!gl.known)
            return D3DERR_NOTAVAILABLE;
        *caps = {};
        caps->DeviceType = D3DDEVTYPE_HAL;
        caps->DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT | D3DDEVCAPS_PUREDEVICE;
        caps->TextureCaps = D3DPTEXTURECAPS_CUBEMAP | D3DPTEXTURECAPS_VOLUMEMAP;
        caps->StencilCaps = D3DSTENCILCAPS_TWOSIDED;
        caps->MaxTextureWidth = caps->MaxTextureHeight = gl.maxTextureSize;
        caps->MaxVolumeExtent = gl.maxVolumeExtent;
        caps->MaxAnisotropy = gl.maxAnisotropy;
        caps->MaxTextureBlendStages = caps->MaxSimultaneousTextures = D3D_MAX_TEXTURE_STAGES;
        caps->MaxActiveLights = D3D_MAX_LIGHTS;
        caps->MaxPrimitiveCount = 0xFFFFFF;
        caps->MaxVertexIndex = 0xFFFFFF;
        caps->MaxStreams = 1;
        caps->MaxStreamStride = 255;
        caps->VertexShaderVersion = Ceiling(gl.vertexShaderVersion, controls().vertexShaderCeiling);
        caps->MaxVertexShaderConst = 256;
        caps->PixelShaderVersion = Ceiling(gl.pixelShaderVersion, controls().pixelShaderCeiling);
        caps->NumSimultaneousRTs = 1;
        return D3D_OK;
    }

    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) override
    {
        if (adapter != 0 || type != D3DDEVTYPE_HAL || !parameters || !device)
            return D3DERR_INVALIDCALL;
        SDL_Window* window = SdlWindowOf(parameters->hDeviceWindow ? parameters->hDeviceWindow : focusWindow);
        if (!window)
            return D3DERR_INVALIDCALL;
        D3DCAPS9 caps;
        if (FAILED(GetDeviceCaps(adapter, type, &caps)))
            return D3DERR_NOTAVAILABLE;
        ApplyPresentationMode(window, *parameters);
        HRESULT result = D3D_OK;
        Device* created = Device::Create(this, window, *parameters, caps, &result);
        if (!created)
            return result;
        *device = created;
        return D3D_OK;
    }
};

} // namespace

IDirect3D9* Direct3DCreate9(UINT sdkVersion)
{
    if (sdkVersion != D3D_SDK_VERSION || !EnsureSdlVideo())
        return nullptr;
    return new Direct3D9;
}

void SetReportedShaderLevel(DWORD vertexShaderVersion, DWORD pixelShaderVersion)
{
    controls().vertexShaderCeiling = vertexShaderVersion;
    controls().pixelShaderCeiling = pixelShaderVersion;
}

void SetRefusedDepthFormats(std::vector<D3DFORMAT> formats) { controls().refusedDepthFormats = std::move(formats); }

void SetReportedDisplayModes(std::vector<D3DDISPLAYMODE> modes, D3DDISPLAYMODE desktop)
{
    if (modes.empty())
        controls().reportedModes.reset();
    else
        controls().reportedModes = ReportedModes {std::move(modes), desktop};
}
