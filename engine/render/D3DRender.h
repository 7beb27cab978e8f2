#pragma once
// The game's one renderer: the Direct3D interface and device, the effect made from the technique
// file, the texture table, the cached render states, the display-mode list and the two factors
// of the 800 x 600 virtual screen. Every other part draws through it.
#include "engine/render/GlowVertex.h"
#include "engine/render/TextureManager.h"
#include "platform/gfx/D3D9.h"
#include "platform/gfxx/D3DXEffect.h"
#include "platform/gfxx/D3DXMath.h"

constexpr int TECHNIQUE_NAME_SIZE = 255;
constexpr int DISPLAY_MODE_ROWS = 512;
constexpr int BLUR_TARGETS = 4;
// The light-glow batch holds fewer than this many vertices, and at most 1.5 indices per vertex.
constexpr int BATCH_VERTEX_CAPACITY = 20000;
constexpr int BATCH_INDEX_CAPACITY = 30000;
// The cached texture id while stage 0 holds a texture bound by interface, not by id.
constexpr int TEXTURE_ID_UNKNOWN = -2;

// The renderer's own failure codes, shown by ShowError.
constexpr HRESULT RENDER_ERROR_NO_DIRECT3D = static_cast<HRESULT>(0x82000001u);
constexpr HRESULT RENDER_ERROR_NO_COMPATIBLE_DEVICE = static_cast<HRESULT>(0x82000003u);
constexpr HRESULT RENDER_ERROR_NO_HARDWARE_DEVICE = static_cast<HRESULT>(0x82000005u);
constexpr HRESULT RENDER_ERROR_MISSING_FUNCTIONALITY = static_cast<HRESULT>(0x82000006u);
constexpr HRESULT RENDER_ERROR_RESET_FAILED = static_cast<HRESULT>(0x8200000Cu);

struct DisplayModeRow {
    UINT width;
    UINT height;
    UINT refreshRate;
    D3DFORMAT format;
};

class CD3DRender {
public:
    CD3DRender();
    virtual ~CD3DRender() = default;

    // ---- Virtual operations, in slot order ----
    virtual int SetTexture(IDirect3DBaseTexture9* texture, int blend);
    virtual int SetTextureById(int id, int blend, int stage);
    virtual int SetTextureByName(const char* name, int blend);
    virtual int InitD3D(int windowed);
    virtual int CreateDevice(HWND window, int windowed, int unused1, int unused2);
    virtual HRESULT ShowError(HRESULT code);
    virtual int FreeD3DRender();
    virtual int SetDefaultStates();
    virtual HRESULT CreateRenderTechniques();
    virtual HRESULT Present();
    virtual void ToggleWireframe();
    virtual void ToggleShadeMode();
    virtual int LoadTexture(const char* name, int mipLevels);
    virtual void ReleaseAllTextures();
    virtual void ReleaseTexture(int id);
    virtual void ReleaseTextureByName(const char* name);
    virtual void SetZWrite(int value);
    virtual void SetZEnable(int value);
    virtual void SetLighting(int value);
    virtual void SetBlend(int source, int destination);
    virtual void SetAlphaBlend(int value);
    virtual void SetFog(int value);
    virtual float GetFPS();
    virtual void SetCursorPosition(float x, float y);

    // ---- Further operations ----
    // Solid drawing whatever the fill mode (true), or the fill mode again (false): for what must
    // cover the screen also in the wireframe view.
    void ForceSolidFill(bool solid);
    void SetTechnique(const char* name);
    void SetEffectTexture(const char* name, IDirect3DBaseTexture9* texture);
    IDirect3DTexture9* GetTexture(int id);
    IDirect3DTexture9* GetTextureByName(const char* name);
    const char* GetTextureName(int id);
    const char* GetTextureNameOf(IDirect3DTexture9* texture);
    void ReplaceTexture(const char* name, IDirect3DTexture9* texture);
    void SetFogRange(float start, float end);
    void SaveFogRange();
    void RestoreFogRange();
    void SaveState();
    void RestoreState();
    void OnLostDevice();
    void OnResetDevice();
    int LoadCubeTexture(const char* path, IDirect3DCubeTexture9** texture);
    int LoadVolumeTexture(const char* path, IDirect3DVolumeTexture9** texture);
    D3DXMATRIX GetPresetView(int index);
    void Nop() {}

    // ---- Light-glow batch ----
    // The LightMap texture and the two batch buffers.
    void CreateBatchResources();
    void ReleaseBatchResources();
    // Starts a new batch: both buffers locked, both counts 0.
    void LockBatchBuffers();
    // Appends glow vertices and indices numbered from 0 within this call; refused (silently)
    // when not locked or when the batch would reach its vertex capacity.
    void AddToBatch(const GlowVertex* vertices, const WORD* indices, int vertexCount, int indexCount);
    void UnlockBatchBuffers();
    // Draws the batch in one additive call, every quad turned to the active camera's eye.
    void DrawDirectLights();
    // Additive camera-facing glow: techDirectLights over the texture and world matrix when the
    // shaders draw (true), else the texture and world transform of the fixed-function stage.
    bool SetGlowTechnique(int textureId, const D3DXMATRIX& worldMatrix);
    // z test without z write, no lighting, ONE/ONE blending, no culling; the glow vertex stream.
    void SetGlowStates(IDirect3DVertexBuffer9* vertices);
    // The indexed glow triangles in the technique's pass when the shaders draw; culling back on.
    void DrawGlowTriangles(bool shaders, UINT vertexCount, UINT triangles);

    // ---- Motion blur ----
    // The four square targets, their depth surface and the two quads; lowers the Blur maximum
    // to 0 when they cannot be made.
    void CreateRenderTargets();
    // Releases them; blur unavailable, strength 0.
    void ReleaseRenderTargets();
    // Redirects drawing into target 0 after shifting the history (blur on and strength above 0).
    void BeginMotionBlur();
    // Composes the four targets onto the back buffer.
    void DrawMotionBlur();
    void SaveRenderTarget();
    void SaveDepthSurface();
    void RestoreRenderTarget();
    void RestoreDepthSurface();

    // ---- Fields ----
    char techniqueName[TECHNIQUE_NAME_SIZE];
    char savedTechniqueName[TECHNIQUE_NAME_SIZE];

    int textureId;
    int savedTextureId;

    int zWrite, savedZWrite;
    int zEnable, savedZEnable;
    int lighting, savedLighting;
    int sourceBlend, savedSourceBlend;
    int destinationBlend, savedDestinationBlend;
    int alphaBlend, savedAlphaBlend;
    int fogEnable;

    // Light-glow batch: the locked pointers, the buffers, the counts of this frame, the LightMap.
    void* batchVertices;
    WORD* batchIndices;
    IDirect3DVertexBuffer9* batchVertexBuffer;
    IDirect3DIndexBuffer9* batchIndexBuffer;
    int batchVertexCount;
    int batchIndexCount;
    int lightMapId;

    CTextureManager textureManager;

    D3DFORMAT adapterFormat;
    D3DPRESENT_PARAMETERS presentParameters;

    int deviceLost;

    int ps11, ps14, ps20;

    float screenWidth, savedScreenWidth;
    float xFactor, savedXFactor;
    float screenHeight, savedScreenHeight;
    float yFactor, savedYFactor;

    DisplayModeRow displayModes[DISPLAY_MODE_ROWS];
    DisplayModeRow desktopMode;
    int displayModeCount;

    IDirect3D9* direct3D;
    IDirect3DDevice9* device;

    int fillMode;  // D3DFILL_SOLID or D3DFILL_WIREFRAME
    int shadeMode; // D3DSHADE_GOURAUD or D3DSHADE_FLAT

    float fogStart, savedFogStart;
    float fogEnd, savedFogEnd;

    ID3DXEffect* effect;
    const char* currentTechnique; // compared by address

    int facesDrawn;
    int framesPresented;

    IDirect3DSurface9* savedRenderTarget;
    IDirect3DSurface9* savedDepthSurface;

    IDirect3DCubeTexture9* spaceSkyEnvMap;
    IDirect3DCubeTexture9* planetEnvMap;
    IDirect3DVolumeTexture9* noiseVolume;

    // Motion blur: four square targets, their depth surface and the two full-screen quads (a
    // player's race, autoplay), each sampling the area its scene fills.
    int blurAvailable;
    float blurStrength;
    IDirect3DTexture9* blurTargets[BLUR_TARGETS];
    IDirect3DSurface9* blurDepthSurface;
    IDirect3DVertexBuffer9* blurQuads[2];

    // Blur available with an effect to compose it, the Blur setting on and the strength above 0.
    bool MotionBlurRuns() const;

private:
    void ResetFields();
    // The top-left area of target 0 that the scene is drawn into: the back buffer's own size, at
    // most 512 on each side in autoplay and 1024 otherwise.
    RECT MotionBlurSceneArea(bool autoplay) const;
    void SaveScreenMetrics();
    void RestoreScreenMetrics();
    // Moves the three older frames one target down, each the area that the scene fills at that
    // target's scale; false when a copy fails.
    bool ShiftBlurHistory(const RECT& sceneArea);
    bool CreateBlurQuads();
    // Turns every batch vertex to the eye on the processor (no vertex shaders).
    void TurnBatchToEye(const D3DXVECTOR3& eye);
    // The first display mode in formats the adapter takes; false when none does.
    bool ChooseAdapterFormat(int windowed);
    void ListDisplayModes();
    bool ChooseDepthFormat(D3DFORMAT* format);
    void ReadCapabilities(const D3DCAPS9& caps);
    HRESULT CreateDeviceWithFallbacks(HWND window);
    // Sends the render state only when it differs from its cached value, then caches it.
    void SetCachedState(int& cached, D3DRENDERSTATETYPE state, int value);
    template <typename T>
    static void ReleaseAndClear(T*& object)
    {
        if (object) {
            object->Release();
            object = nullptr;
        }
    }

    // GetFPS: calls counted since the last measurement, its time in seconds, the last result.
    int fpsCalls;
    float fpsTime;
    float fps;
    // The fixed-function path has turned this batch's corners to the eye in place.
    int batchFacesEye = 0;
};

extern CD3DRender d3dRender;

// True for the depth formats with stencil bits.
bool DepthFormatHasStencil(D3DFORMAT format);
