#pragma once
// The device: a GL compatibility context on the SDL window, a back buffer drawn as a frame
// buffer object, and Direct3D's render, stage and sampler states applied to GL at each draw
// through the state cache.
#include <SDL.h>
#include <epoxy/gl.h>

#include <vector>

#include "platform/gfx/Buffers.h"
#include "platform/gfx/FvfLayout.h"
#include "platform/gfx/GfxControl.h"
#include "platform/gfx/GlStateCache.h"
#include "platform/gfx/RefCounted.h"
#include "platform/gfx/Textures.h"

class Device final : public RefCounted<IDirect3DDevice9> {
public:
    // Null with *result set when the context or the back buffer cannot be made.
    static Device* Create(IDirect3D9* owner, SDL_Window* window, const D3DPRESENT_PARAMETERS& parameters,
                          const D3DCAPS9& caps, HRESULT* result);
    ~Device() override;

    HRESULT TestCooperativeLevel() override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override;
    HRESULT Present(const RECT* source, const RECT* destination, HWND window, const void* dirtyRegion) override;
    HRESULT GetDeviceCaps(D3DCAPS9* caps) override;
    HRESULT GetDirect3D(IDirect3D9** direct3D) override;
    HRESULT GetBackBuffer(UINT swapChain, UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface9** surface) override;

    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                          IDirect3DTexture9** texture, void* shared) override;
    HRESULT CreateCubeTexture(UINT edge, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DCubeTexture9** texture, void* shared) override;
    HRESULT CreateVolumeTexture(UINT width, UINT height, UINT depth, UINT levels, DWORD usage, D3DFORMAT format,
                                D3DPOOL pool, IDirect3DVolumeTexture9** texture, void* shared) override;
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, IDirect3DVertexBuffer9** buffer,
                               void* shared) override;
    HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DIndexBuffer9** buffer, void* shared) override;
    HRESULT CreateRenderTarget(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE multiSample,
                               DWORD quality, BOOL lockable, IDirect3DSurface9** surface, void* shared) override;
    HRESULT CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE multiSample,
                                      DWORD quality, BOOL discard, IDirect3DSurface9** surface,
                                      void* shared) override;

    HRESULT StretchRect(IDirect3DSurface9* source, const RECT* sourceRect, IDirect3DSurface9* destination,
                        const RECT* destinationRect, D3DTEXTUREFILTERTYPE filter) override;
    HRESULT SetRenderTarget(DWORD index, IDirect3DSurface9* surface) override;
    HRESULT GetRenderTarget(DWORD index, IDirect3DSurface9** surface) override;
    HRESULT SetDepthStencilSurface(IDirect3DSurface9* surface) override;
    HRESULT GetDepthStencilSurface(IDirect3DSurface9** surface) override;

    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD count, const RECT* rects, DWORD flags, D3DCOLOR colour, float z, DWORD stencil) override;

    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
    HRESULT SetViewport(const D3DVIEWPORT9* viewport) override;
    HRESULT GetViewport(D3DVIEWPORT9* viewport) override;
    HRESULT SetMaterial(const D3DMATERIAL9* material) override;
    HRESULT GetMaterial(D3DMATERIAL9* material) override;
    HRESULT SetLight(DWORD index, const D3DLIGHT9* light) override;
    HRESULT GetLight(DWORD index, D3DLIGHT9* light) override;
    HRESULT LightEnable(DWORD index, BOOL enable) override;
    HRESULT GetLightEnable(DWORD index, BOOL* enable) override;

    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override;
    HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture9** texture) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
    HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override;
    HRESULT GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) override;

    HRESULT SetFVF(DWORD fvf) override;
    HRESULT GetFVF(DWORD* fvf) override;
    HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) override;
    HRESULT SetIndices(IDirect3DIndexBuffer9* buffer) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, int baseVertexIndex, UINT minIndex, UINT vertexCount,
                                 UINT startIndex, UINT primitiveCount) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices, UINT stride) override;
    HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount, UINT primitiveCount,
                                   const void* indices, D3DFORMAT indexFormat, const void* vertices,
                                   UINT stride) override;

    HRESULT SetVertexShaderConstantF(UINT start, const float* values, UINT count) override;
    HRESULT SetVertexShaderConstantI(UINT start, const int* values, UINT count) override;
    HRESULT SetPixelShaderConstantF(UINT start, const float* values, UINT count) override;

    void Lose(DeviceLoss kind);
    std::uint64_t StateCalls() const { return cache.Calls(); }
    const DeviceCounters& Counters() const { return counters; }
    std::vector<D3DCOLOR> ReadPixels(int x, int y, int width, int height);
    std::vector<unsigned char> ReadStencilValues(int x, int y, int width, int height);
    std::vector<float> ReadDepthValues(int x, int y, int width, int height);
    const ShaderConstants& Constants() const { return constants; }
    void RecordDraws(std::vector<RecordedDraw>* record) { drawRecord = record; }

private:
    Device(IDirect3D9* owner, SDL_Window* window, SDL_GLContext context, const D3DCAPS9& caps);
    bool CreateSwapChain(const D3DPRESENT_PARAMETERS& parameters);
    void ReleaseSwapChain();
    void ShowBlackWindow();
    void ResetStates();
    void ReplaceSurface(SurfaceBase*& slot, IDirect3DSurface9* surface);
    void BindTargets();
    template <typename Value>
    std::vector<Value> ReadDepthStencil(int x, int y, int width, int height, GLenum format, GLenum type);

    // DevicePipeline.cpp: Direct3D state to GL before each draw.
    void ApplyPipeline(const FvfLayout& layout, bool programActive);
    void ApplyRaster();
    void ApplyOutputMerger();
    void ApplyTransformsAndLighting(const FvfLayout& layout);
    void ApplyTextureStages(const FvfLayout& layout, bool programActive);
    GlTexEnv TextureEnvironment(unsigned stage) const;
    GlSampler SamplerOf(unsigned stage) const;
    // Texture matrix of a stage for inputs of the given component count.
    void TextureMatrix(unsigned stage, unsigned inputComponents, float out[16]) const;

    // DeviceDraw.cpp
    bool PrepareDraw(const std::byte* vertices, UINT stride, GLuint arrayBuffer, FvfLayout& layout);
    void BindVertexArrays(const FvfLayout& layout, const std::byte* base, UINT stride, bool programActive);
    void FinishDraw(const FvfLayout& layout);
    void RecordDraw(const void* vertices, UINT stride, UINT vertexCount);

    IDirect3D9* owner;
    SDL_Window* window;
    SDL_GLContext context;
    D3DCAPS9 caps;
    D3DPRESENT_PARAMETERS presentation {};
    std::shared_ptr<int> defaultPoolResources = std::make_shared<int>(0);
    GlStateCache cache;
    bool radialFog = false;

    GLuint drawFramebuffer = 0, readFramebuffer = 0, copyFramebuffer = 0;
    RenderbufferSurface* backBuffer = nullptr;
    RenderbufferSurface* autoDepthStencil = nullptr;
    SurfaceBase* renderTarget = nullptr;
    SurfaceBase* depthStencil = nullptr;
    bool targetsChanged = true;

    DWORD renderStates[D3DRS_COUNT] {};
    DWORD stageStates[D3D_MAX_TEXTURE_STAGES][D3DTSS_COUNT] {};
    DWORD samplerStates[D3D_MAX_TEXTURE_STAGES][D3DSAMP_COUNT] {};
    IDirect3DBaseTexture9* textures[D3D_MAX_TEXTURE_STAGES] {};
    GLuint samplers[D3D_MAX_TEXTURE_STAGES] {};
    D3DMATRIX world {}, view {}, projection {};
    D3DMATRIX textureTransforms[D3D_MAX_TEXTURE_STAGES] {};
    D3DVIEWPORT9 viewport {};
    D3DMATERIAL9 material {};
    D3DLIGHT9 lights[D3D_MAX_LIGHTS] {};
    bool lightEnabled[D3D_MAX_LIGHTS] {};

    DWORD fvf = 0;
    VertexBuffer* stream = nullptr;
    UINT streamOffset = 0, streamStride = 0;
    IndexBuffer* indices = nullptr;
    ShaderConstants constants {};

    DeviceCounters counters;
    unsigned drawsUnsubmitted = 0;
    bool inScene = false;
    enum class Loss { None, Pending, Lost, NotReset };
    Loss loss = Loss::None;
    bool unrestorable = false;
    std::vector<RecordedDraw>* drawRecord = nullptr;
};
