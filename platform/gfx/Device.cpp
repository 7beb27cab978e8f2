#include "platform/gfx/Device.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/gfx/GlMapping.h"

namespace {

constexpr D3DMATRIX IDENTITY = {{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}};

// A copy that keeps the size samples texel centres, where linear filtering gives the texel
// itself; nearest filtering lets the driver copy without filtering.
GLenum BlitFilter(bool linear, GLint fromWidth, GLint fromHeight, GLint toWidth, GLint toHeight)
{
    const bool sameSize = std::abs(fromWidth) == std::abs(toWidth) && std::abs(fromHeight) == std::abs(toHeight);
    return linear && !sameSize ? GL_LINEAR : GL_NEAREST;
}

} // namespace

Device* Device::Create(IDirect3D9* owner, SDL_Window* window, const D3DPRESENT_PARAMETERS& parameters,
                       const D3DCAPS9& caps, HRESULT* result)
{
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) {
        std::fprintf(stderr, "GL context: %s\n", SDL_GetError());
        *result = D3DERR_NOTAVAILABLE;
        return nullptr;
    }
    // Direct state access and clip control are core in GL 4.5.
    if (epoxy_gl_version() < 45) {
        std::fprintf(stderr, "GL context: version 4.5 needed, %d.%d found\n", epoxy_gl_version() / 10,
                     epoxy_gl_version() % 10);
        SDL_GL_DeleteContext(context);
        *result = D3DERR_NOTAVAILABLE;
        return nullptr;
    }
    auto* device = new Device(owner, window, context, caps);
    if (!device->CreateSwapChain(parameters)) {
        device->Release();
        *result = D3DERR_OUTOFVIDEOMEMORY;
        return nullptr;
    }
    device->ResetStates();
    device->ShowBlackWindow();
    *result = D3D_OK;
    return device;
}

Device::Device(IDirect3D9* owner_, SDL_Window* window_, SDL_GLContext context_, const D3DCAPS9& caps_)
    : owner(owner_), window(window_), context(context_), caps(caps_)
{
    owner->AddRef();
    glClipControl(GL_UPPER_LEFT, GL_ZERO_TO_ONE);
    // GL's front faces are Direct3D's clockwise triangles (the upper-left origin flips y).
    glFrontFace(GL_CW);
    glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    glEnable(GL_TEXTURE_CUBE_MAP_SEAMLESS);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    glFogi(GL_FOG_COORDINATE_SOURCE, GL_FRAGMENT_DEPTH);
    radialFog = epoxy_has_gl_extension("GL_NV_fog_distance");
    glCreateFramebuffers(1, &drawFramebuffer);
    glCreateFramebuffers(1, &readFramebuffer);
    glCreateFramebuffers(1, &copyFramebuffer);
    glCreateSamplers(D3D_MAX_TEXTURE_STAGES, samplers);
}

Device::~Device()
{
    for (auto& texture : textures)
        SetReferenced<IDirect3DBaseTexture9>(texture, nullptr);
    SetReferenced<VertexBuffer>(stream, nullptr);
    SetReferenced<IndexBuffer>(indices, nullptr);
    ReleaseSwapChain();
    glDeleteSamplers(D3D_MAX_TEXTURE_STAGES, samplers);
    glDeleteFramebuffers(1, &drawFramebuffer);
    glDeleteFramebuffers(1, &readFramebuffer);
    glDeleteFramebuffers(1, &copyFramebuffer);
    SDL_GL_DeleteContext(context);
    owner->Release();
}

bool Device::CreateSwapChain(const D3DPRESENT_PARAMETERS& parameters)
{
    presentation = parameters;
    if (presentation.BackBufferWidth == 0 || presentation.BackBufferHeight == 0) {
        int width = 0, height = 0;
        SDL_GL_GetDrawableSize(window, &width, &height);
        presentation.BackBufferWidth = static_cast<UINT>(std::max(width, 1));
        presentation.BackBufferHeight = static_cast<UINT>(std::max(height, 1));
    }
    if (presentation.BackBufferFormat == D3DFMT_UNKNOWN)
        presentation.BackBufferFormat = D3DFMT_X8R8G8B8;
    presentation.BackBufferCount = std::clamp(presentation.BackBufferCount, 1u, 3u);

    const D3DFORMAT colourFormat =
        presentation.BackBufferFormat == D3DFMT_A8R8G8B8 ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    backBuffer = new RenderbufferSurface(presentation.BackBufferWidth, presentation.BackBufferHeight, colourFormat,
                                         nullptr);
    if (!backBuffer->Valid())
        return false;
    SetReferenced<SurfaceBase>(renderTarget, backBuffer);
    if (presentation.EnableAutoDepthStencil) {
        autoDepthStencil = new RenderbufferSurface(presentation.BackBufferWidth, presentation.BackBufferHeight,
                                                   presentation.AutoDepthStencilFormat, nullptr);
        if (!autoDepthStencil->Valid())
            return false;
        SetReferenced<SurfaceBase>(depthStencil, autoDepthStencil);
    }
    SDL_GL_SetSwapInterval(presentation.PresentationInterval == D3DPRESENT_INTERVAL_IMMEDIATE ? 0 : 1);
    targetsChanged = true;
    return true;
}

// The window shows black from the moment the device owns it, as a window painted with a black
// background brush does, until the first frame is presented.
void Device::ShowBlackWindow()
{
    cache.DrawFramebuffer(0);
    cache.Enable(GL_SCISSOR_TEST, false);
    cache.ColorMask(0xF);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
}

void Device::ReleaseSwapChain()
{
    SetReferenced<SurfaceBase>(renderTarget, nullptr);
    SetReferenced<SurfaceBase>(depthStencil, nullptr);
    SetReferenced<RenderbufferSurface>(backBuffer, nullptr);
    SetReferenced<RenderbufferSurface>(autoDepthStencil, nullptr);
}

void Device::ResetStates()
{
    std::fill(std::begin(renderStates), std::end(renderStates), 0);
    auto rs = [this](D3DRENDERSTATETYPE state, DWORD value) { renderStates[state] = value; };
    rs(D3DRS_ZENABLE, presentation.EnableAutoDepthStencil ? D3DZB_TRUE : D3DZB_FALSE);
    rs(D3DRS_FILLMODE, D3DFILL_SOLID);
    rs(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    rs(D3DRS_ZWRITEENABLE, TRUE);
    rs(D3DRS_LASTPIXEL, TRUE);
    rs(D3DRS_SRCBLEND, D3DBLEND_ONE);
    rs(D3DRS_DESTBLEND, D3DBLEND_ZERO);
    rs(D3DRS_CULLMODE, D3DCULL_CCW);
    rs(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
    rs(D3DRS_ALPHAFUNC, D3DCMP_ALWAYS);
    rs(D3DRS_FOGEND, FloatBits(1.0f));
    rs(D3DRS_FOGDENSITY, FloatBits(1.0f));
    for (auto state : {D3DRS_STENCILFAIL, D3DRS_STENCILZFAIL, D3DRS_STENCILPASS, D3DRS_CCW_STENCILFAIL,
                       D3DRS_CCW_STENCILZFAIL, D3DRS_CCW_STENCILPASS})
        rs(state, D3DSTENCILOP_KEEP);
    rs(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
    rs(D3DRS_CCW_STENCILFUNC, D3DCMP_ALWAYS);
    rs(D3DRS_STENCILMASK, 0xFFFFFFFF);
    rs(D3DRS_STENCILWRITEMASK, 0xFFFFFFFF);
    rs(D3DRS_TEXTUREFACTOR, 0xFFFFFFFF);
    rs(D3DRS_CLIPPING, TRUE);
    rs(D3DRS_LIGHTING, TRUE);
    rs(D3DRS_COLORVERTEX, TRUE);
    rs(D3DRS_LOCALVIEWER, TRUE);
    rs(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
    rs(D3DRS_SPECULARMATERIALSOURCE, D3DMCS_COLOR2);
    rs(D3DRS_POINTSIZE, FloatBits(1.0f));
    rs(D3DRS_COLORWRITEENABLE, 0xF);
    rs(D3DRS_BLENDOP, D3DBLENDOP_ADD);

    for (DWORD stage = 0; stage < D3D_MAX_TEXTURE_STAGES; ++stage) {
        DWORD* ts = stageStates[stage];
        std::fill(ts, ts + D3DTSS_COUNT, 0);
        ts[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        ts[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        ts[D3DTSS_COLORARG1] = ts[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        ts[D3DTSS_COLORARG2] = ts[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        ts[D3DTSS_COLORARG0] = ts[D3DTSS_ALPHAARG0] = ts[D3DTSS_RESULTARG] = D3DTA_CURRENT;
        ts[D3DTSS_TEXCOORDINDEX] = stage;
        DWORD* ss = samplerStates[stage];
        std::fill(ss, ss + D3DSAMP_COUNT, 0);
        ss[D3DSAMP_ADDRESSU] = ss[D3DSAMP_ADDRESSV] = ss[D3DSAMP_ADDRESSW] = D3DTADDRESS_WRAP;
        ss[D3DSAMP_MAGFILTER] = ss[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
        ss[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
        ss[D3DSAMP_MAXANISOTROPY] = 1;
        textureTransforms[stage] = IDENTITY;
        SetReferenced<IDirect3DBaseTexture9>(textures[stage], nullptr);
    }
    world = view = projection = IDENTITY;
    material = {};
    for (DWORD i = 0; i < D3D_MAX_LIGHTS; ++i) {
        lights[i] = {};
        lights[i].Type = D3DLIGHT_DIRECTIONAL;
        lights[i].Diffuse = {1, 1, 1, 0};
        lights[i].Direction = {0, 0, 1};
        lightEnabled[i] = false;
    }
    viewport = {0, 0, presentation.BackBufferWidth, presentation.BackBufferHeight, 0.0f, 1.0f};
    fvf = 0;
    SetReferenced<VertexBuffer>(stream, nullptr);
    SetReferenced<IndexBuffer>(indices, nullptr);
    streamOffset = streamStride = 0;
    constants = {};
}

HRESULT Device::TestCooperativeLevel()
{
    switch (loss) {
    case Loss::Lost:
        loss = Loss::NotReset;
        return D3DERR_DEVICELOST;
    case Loss::NotReset: return D3DERR_DEVICENOTRESET;
    default: return D3D_OK;
    }
}

HRESULT Device::Reset(D3DPRESENT_PARAMETERS* parameters)
{
    if (!parameters)
        return D3DERR_INVALIDCALL;
    if (loss == Loss::NotReset && unrestorable)
        return D3DERR_DRIVERINTERNALERROR;
    // As Direct3D does: every DEFAULT-pool resource must be released before a reset.
    if (*defaultPoolResources > 0)
        return D3DERR_INVALIDCALL;
    ReleaseSwapChain();
    if (!CreateSwapChain(*parameters))
        return D3DERR_OUTOFVIDEOMEMORY;
    *parameters = presentation;
    ResetStates();
    loss = Loss::None;
    inScene = false;
    return D3D_OK;
}

HRESULT Device::Present(const RECT*, const RECT*, HWND, const void*)
{
    if (loss == Loss::Pending)
        loss = Loss::Lost;
    if (loss != Loss::None)
        return D3DERR_DEVICELOST;
    if (inScene)
        return D3DERR_INVALIDCALL;
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    backBuffer->Attach(readFramebuffer, GL_COLOR_ATTACHMENT0);
    cache.Enable(GL_SCISSOR_TEST, false);
    cache.DrawFramebuffer(0);
    // The back buffer's row 0 is the top row; the window's is the bottom row.
    const auto backWidth = static_cast<GLint>(presentation.BackBufferWidth);
    const auto backHeight = static_cast<GLint>(presentation.BackBufferHeight);
    glBlitNamedFramebuffer(readFramebuffer, 0, 0, 0, backWidth, backHeight, 0, height, width, 0, GL_COLOR_BUFFER_BIT,
                           BlitFilter(true, backWidth, backHeight, width, height));
    SDL_GL_SwapWindow(window);
    counters.pixelsCopied += std::uint64_t(width) * std::uint64_t(height);
    return D3D_OK;
}

HRESULT Device::GetDeviceCaps(D3DCAPS9* out)
{
    if (!out)
        return D3DERR_INVALIDCALL;
    *out = caps;
    return D3D_OK;
}

HRESULT Device::GetDirect3D(IDirect3D9** out)
{
    if (!out)
        return D3DERR_INVALIDCALL;
    owner->AddRef();
    *out = owner;
    return D3D_OK;
}

HRESULT Device::GetBackBuffer(UINT, UINT index, D3DBACKBUFFER_TYPE, IDirect3DSurface9** surface)
{
    if (!surface || index >= presentation.BackBufferCount)
        return D3DERR_INVALIDCALL;
    backBuffer->AddRef();
    *surface = backBuffer;
    return D3D_OK;
}

HRESULT Device::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DTexture9** texture, void*)
{
    if (!texture || width == 0 || height == 0 || ((usage & D3DUSAGE_RENDERTARGET) && pool != D3DPOOL_DEFAULT))
        return D3DERR_INVALIDCALL;
    auto* created = new Texture2D(width, height, levels, usage, format, pool, defaultPoolResources);
    if (!created->Storage().Valid()) {
        created->Release();
        return FindFormat(format) ? D3DERR_OUTOFVIDEOMEMORY : D3DERR_INVALIDCALL;
    }
    *texture = created;
    return D3D_OK;
}

HRESULT Device::CreateCubeTexture(UINT edge, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                  IDirect3DCubeTexture9** texture, void*)
{
    if (!texture || edge == 0)
        return D3DERR_INVALIDCALL;
    auto* created = new CubeTexture(edge, levels, usage, format, pool, defaultPoolResources);
    if (!created->Storage().Valid()) {
        created->Release();
        return D3DERR_INVALIDCALL;
    }
    *texture = created;
    return D3D_OK;
}

HRESULT Device::CreateVolumeTexture(UINT width, UINT height, UINT depth, UINT levels, DWORD usage, D3DFORMAT format,
                                    D3DPOOL pool, IDirect3DVolumeTexture9** texture, void*)
{
    if (!texture || width == 0 || height == 0 || depth == 0 || (usage & D3DUSAGE_RENDERTARGET))
        return D3DERR_INVALIDCALL;
    auto* created = new VolumeTexture(width, height, depth, levels, usage, format, pool, defaultPoolResources);
    if (!created->Storage().Valid()) {
        created->Release();
        return D3DERR_INVALIDCALL;
    }
    *texture = created;
    return D3D_OK;
}

HRESULT Device::CreateVertexBuffer(UINT length, DWORD usage, DWORD vertexFormat, D3DPOOL pool,
                                   IDirect3DVertexBuffer9** buffer, void*)
{
    if (!buffer || length == 0)
        return D3DERR_INVALIDCALL;
    *buffer = new VertexBuffer(length, usage, vertexFormat, pool, defaultPoolResources);
    return D3D_OK;
}

HRESULT Device::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                  IDirect3DIndexBuffer9** buffer, void*)
{
    if (!buffer || length == 0 || (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32))
        return D3DERR_INVALIDCALL;
    *buffer = new IndexBuffer(length, usage, format, pool, defaultPoolResources);
    return D3D_OK;
}

HRESULT Device::CreateRenderTarget(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE, DWORD, BOOL,
                                   IDirect3DSurface9** surface, void*)
{
    const FormatInfo* info = FindFormat(format);
    if (!surface || !info || info->depth || info->compressed)
        return D3DERR_INVALIDCALL;
    auto* created = new RenderbufferSurface(width, height, format, defaultPoolResources);
    if (!created->Valid()) {
        created->Release();
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    *surface = created;
    return D3D_OK;
}

HRESULT Device::CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE, DWORD,
                                          BOOL, IDirect3DSurface9** surface, void*)
{
    const FormatInfo* info = FindFormat(format);
    if (!surface || !info || !info->depth)
        return D3DERR_INVALIDCALL;
    auto* created = new RenderbufferSurface(width, height, format, defaultPoolResources);
    if (!created->Valid()) {
        created->Release();
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    *surface = created;
    return D3D_OK;
}

HRESULT Device::StretchRect(IDirect3DSurface9* source, const RECT* sourceRect, IDirect3DSurface9* destination,
                            const RECT* destinationRect, D3DTEXTUREFILTERTYPE filter)
{
    if (!source || !destination || source == destination)
        return D3DERR_INVALIDCALL;
    auto* from = static_cast<SurfaceBase*>(source);
    auto* to = static_cast<SurfaceBase*>(destination);
    if (from->IsDepth() != to->IsDepth())
        return D3DERR_INVALIDCALL;
    const RECT fromRect = sourceRect ? *sourceRect : RECT {0, 0, LONG(from->Width()), LONG(from->Height())};
    const RECT toRect = destinationRect ? *destinationRect : RECT {0, 0, LONG(to->Width()), LONG(to->Height())};
    const GLenum attachment = from->IsDepth() ? (from->HasStencil() ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT)
                                              : GL_COLOR_ATTACHMENT0;
    from->Attach(readFramebuffer, attachment);
    to->Attach(copyFramebuffer, attachment);
    const GLbitfield mask = from->IsDepth() ? GL_DEPTH_BUFFER_BIT | (from->HasStencil() ? GL_STENCIL_BUFFER_BIT : 0)
                                            : GL_COLOR_BUFFER_BIT;
    const GLenum glFilter =
        BlitFilter(filter != D3DTEXF_POINT && !from->IsDepth(), fromRect.right - fromRect.left,
                   fromRect.bottom - fromRect.top, toRect.right - toRect.left, toRect.bottom - toRect.top);
    cache.Enable(GL_SCISSOR_TEST, false);
    while (glGetError() != GL_NO_ERROR) {
    }
    glBlitNamedFramebuffer(readFramebuffer, copyFramebuffer, fromRect.left, fromRect.top, fromRect.right,
                           fromRect.bottom, toRect.left, toRect.top, toRect.right, toRect.bottom, mask, glFilter);
    glNamedFramebufferTexture(readFramebuffer, attachment, 0, 0);
    glNamedFramebufferTexture(copyFramebuffer, attachment, 0, 0);
    counters.pixelsCopied += std::uint64_t(std::abs(toRect.right - toRect.left)) * std::abs(toRect.bottom - toRect.top);
    return glGetError() == GL_NO_ERROR ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT Device::SetRenderTarget(DWORD index, IDirect3DSurface9* surface)
{
    if (index != 0 || !surface || static_cast<SurfaceBase*>(surface)->IsDepth())
        return D3DERR_INVALIDCALL;
    SetReferenced<SurfaceBase>(renderTarget, static_cast<SurfaceBase*>(surface));
    viewport = {0, 0, renderTarget->Width(), renderTarget->Height(), 0.0f, 1.0f};
    targetsChanged = true;
    return D3D_OK;
}

HRESULT Device::GetRenderTarget(DWORD index, IDirect3DSurface9** surface)
{
    if (index != 0 || !surface)
        return D3DERR_INVALIDCALL;
    renderTarget->AddRef();
    *surface = renderTarget;
    return D3D_OK;
}

HRESULT Device::SetDepthStencilSurface(IDirect3DSurface9* surface)
{
    if (surface && !static_cast<SurfaceBase*>(surface)->IsDepth())
        return D3DERR_INVALIDCALL;
    SetReferenced<SurfaceBase>(depthStencil, static_cast<SurfaceBase*>(surface));
    targetsChanged = true;
    return D3D_OK;
}

HRESULT Device::GetDepthStencilSurface(IDirect3DSurface9** surface)
{
    if (!surface)
        return D3DERR_INVALIDCALL;
    if (!depthStencil)
        return D3DERR_NOTFOUND;
    depthStencil->AddRef();
    *surface = depthStencil;
    return D3D_OK;
}

void Device::BindTargets()
{
    cache.DrawFramebuffer(drawFramebuffer);
    if (!targetsChanged)
        return;
    targetsChanged = false;
    ++counters.targetSwitches;
    renderTarget->Attach(drawFramebuffer, GL_COLOR_ATTACHMENT0);
    glNamedFramebufferRenderbuffer(drawFramebuffer, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
    if (depthStencil)
        depthStencil->Attach(drawFramebuffer,
                             depthStencil->HasStencil() ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT);
}

HRESULT Device::BeginScene()
{
    if (inScene)
        return D3DERR_INVALIDCALL;
    inScene = true;
    return D3D_OK;
}

HRESULT Device::EndScene()
{
    if (!inScene)
        return D3DERR_INVALIDCALL;
    inScene = false;
    // The scene's last draws are submitted now, so that they are drawn while the game updates
    // before it presents.
    glFlush();
    drawsUnsubmitted = 0;
    return D3D_OK;
}

HRESULT Device::Clear(DWORD count, const RECT* rects, DWORD flags, D3DCOLOR colour, float z, DWORD stencil)
{
    if ((flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) && !depthStencil)
        return D3DERR_INVALIDCALL;
    BindTargets();
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET) {
        float rgba[4];
        ColourToFloats(colour, rgba);
        glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
        cache.ColorMask(0xF);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_ZBUFFER) {
        glClearDepth(std::clamp(z, 0.0f, 1.0f));
        cache.DepthMask(true);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if ((flags & D3DCLEAR_STENCIL) && depthStencil->HasStencil()) {
        glClearStencil(static_cast<GLint>(stencil));
        cache.StencilWriteMask(0xFFFFFFFF);
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    if (mask == 0)
        return D3D_OK;
    // Direct3D clears the viewport, or the given rectangles within it.
    const RECT area {LONG(viewport.X), LONG(viewport.Y), LONG(viewport.X + viewport.Width),
                     LONG(viewport.Y + viewport.Height)};
    cache.Enable(GL_SCISSOR_TEST, true);
    const DWORD pieces = (rects && count > 0) ? count : 1;
    for (DWORD i = 0; i < pieces; ++i) {
        RECT r = area;
        if (rects && count > 0) {
            r.left = std::max(r.left, rects[i].left);
            r.top = std::max(r.top, rects[i].top);
            r.right = std::min(r.right, rects[i].right);
            r.bottom = std::min(r.bottom, rects[i].bottom);
            if (r.left >= r.right || r.top >= r.bottom)
                continue;
        }
        cache.Scissor(r.left, r.top, r.right - r.left, r.bottom - r.top);
        glClear(mask);
        counters.pixelsCleared += std::uint64_t(r.right - r.left) * std::uint64_t(r.bottom - r.top);
    }
    return D3D_OK;
}

void Device::Lose(DeviceLoss kind)
{
    loss = Loss::Pending;
    unrestorable = kind == DeviceLoss::Unrestorable;
}

std::vector<D3DCOLOR> Device::ReadPixels(int x, int y, int width, int height)
{
    BindTargets();
    std::vector<D3DCOLOR> pixels(static_cast<std::size_t>(std::max(0, width)) * std::max(0, height));
    glFinish();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, drawFramebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(x, y, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

template <typename Value>
std::vector<Value> Device::ReadDepthStencil(int x, int y, int width, int height, GLenum format, GLenum type)
{
    BindTargets();
    std::vector<Value> values(static_cast<std::size_t>(std::max(0, width)) * std::max(0, height));
    glFinish();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, drawFramebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, format, type, values.data());
    return values;
}

std::vector<unsigned char> Device::ReadStencilValues(int x, int y, int width, int height)
{
    return ReadDepthStencil<unsigned char>(x, y, width, height, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE);
}

std::vector<float> Device::ReadDepthValues(int x, int y, int width, int height)
{
    return ReadDepthStencil<float>(x, y, width, height, GL_DEPTH_COMPONENT, GL_FLOAT);
}

void LoseDevice(IDirect3DDevice9* device, DeviceLoss kind) { static_cast<Device*>(device)->Lose(kind); }

DeviceCounters CountersOf(IDirect3DDevice9* device) { return static_cast<Device*>(device)->Counters(); }

std::uint64_t GlStateCallCount(IDirect3DDevice9* device) { return static_cast<Device*>(device)->StateCalls(); }

void RecordDrawsFromMemory(IDirect3DDevice9* device, std::vector<RecordedDraw>* record)
{
    static_cast<Device*>(device)->RecordDraws(record);
}

std::vector<D3DCOLOR> ReadRenderTarget(IDirect3DDevice9* device, int x, int y, int width, int height)
{
    return static_cast<Device*>(device)->ReadPixels(x, y, width, height);
}

std::vector<unsigned char> ReadStencil(IDirect3DDevice9* device, int x, int y, int width, int height)
{
    return static_cast<Device*>(device)->ReadStencilValues(x, y, width, height);
}

std::vector<float> ReadDepth(IDirect3DDevice9* device, int x, int y, int width, int height)
{
    return static_cast<Device*>(device)->ReadDepthValues(x, y, width, height);
}

const ShaderConstants* ShaderConstantsOf(IDirect3DDevice9* device)
{
    return device ? &static_cast<Device*>(device)->Constants() : nullptr;
}
