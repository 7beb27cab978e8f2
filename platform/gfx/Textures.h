#pragma once
// The 2D, cube and volume textures, and the surfaces that name one level of a texture or a
// render buffer.
#include "platform/gfx/TextureStorage.h"

// What the device needs of any texture: its GL storage.
TextureStorage* StorageOf(IDirect3DBaseTexture9* texture);

class Texture2D final : public RefCounted<IDirect3DTexture9> {
public:
    Texture2D(unsigned width, unsigned height, unsigned levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
              std::shared_ptr<int> counter)
        : storage(GL_TEXTURE_2D, width, height, 1, levels, usage, format, pool, std::move(counter))
    {
    }
    TextureStorage& Storage() { return storage; }

    D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
    DWORD GetLevelCount() override { return storage.Levels(); }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT level) override { return storage.Unlock(0, level); }

private:
    TextureStorage storage;
};

class CubeTexture final : public RefCounted<IDirect3DCubeTexture9> {
public:
    CubeTexture(unsigned edge, unsigned levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                std::shared_ptr<int> counter)
        : storage(GL_TEXTURE_CUBE_MAP, edge, edge, 1, levels, usage, format, pool, std::move(counter))
    {
    }
    TextureStorage& Storage() { return storage; }

    D3DRESOURCETYPE GetType() override { return D3DRTYPE_CUBETEXTURE; }
    DWORD GetLevelCount() override { return storage.Levels(); }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(D3DCUBEMAP_FACES face, UINT level, D3DLOCKED_RECT* locked, const RECT* rect,
                     DWORD flags) override;
    HRESULT UnlockRect(D3DCUBEMAP_FACES face, UINT level) override { return storage.Unlock(face, level); }

private:
    TextureStorage storage;
};

class VolumeTexture final : public RefCounted<IDirect3DVolumeTexture9> {
public:
    VolumeTexture(unsigned width, unsigned height, unsigned depth, unsigned levels, DWORD usage, D3DFORMAT format,
                  D3DPOOL pool, std::shared_ptr<int> counter)
        : storage(GL_TEXTURE_3D, width, height, depth, levels, usage, format, pool, std::move(counter))
    {
    }
    TextureStorage& Storage() { return storage; }

    D3DRESOURCETYPE GetType() override { return D3DRTYPE_VOLUMETEXTURE; }
    DWORD GetLevelCount() override { return storage.Levels(); }
    HRESULT GetLevelDesc(UINT level, D3DVOLUME_DESC* desc) override;
    HRESULT LockBox(UINT level, D3DLOCKED_BOX* locked, const D3DBOX* box, DWORD flags) override;
    HRESULT UnlockBox(UINT level) override { return storage.Unlock(0, level); }

private:
    TextureStorage storage;
};

// A surface that can be drawn into or copied: attaches itself to a frame buffer.
class SurfaceBase : public RefCounted<IDirect3DSurface9> {
public:
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_SURFACE; }
    virtual void Attach(GLuint framebuffer, GLenum attachment) = 0;
    virtual unsigned Width() = 0;
    virtual unsigned Height() = 0;
    virtual bool IsDepth() = 0;
    virtual bool HasStencil() = 0;
};

// One level (and face) of a texture; holds a reference on the texture.
class TextureSurface final : public SurfaceBase {
public:
    TextureSurface(IDirect3DBaseTexture9* texture, unsigned face, unsigned level);
    ~TextureSurface() override;

    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect() override;
    void Attach(GLuint framebuffer, GLenum attachment) override;
    unsigned Width() override { return storage->Width(level); }
    unsigned Height() override { return storage->Height(level); }
    bool IsDepth() override { return false; }
    bool HasStencil() override { return false; }

private:
    IDirect3DBaseTexture9* texture;
    TextureStorage* storage;
    unsigned face;
    unsigned level;
};

// A render buffer: the back buffer, a render target or a depth-stencil surface.
class RenderbufferSurface final : public SurfaceBase {
public:
    RenderbufferSurface(unsigned width, unsigned height, D3DFORMAT format, std::shared_ptr<int> counter);
    ~RenderbufferSurface() override;
    bool Valid() const { return name != 0; }

    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(D3DLOCKED_RECT*, const RECT*, DWORD) override { return D3DERR_INVALIDCALL; }
    HRESULT UnlockRect() override { return D3DERR_INVALIDCALL; }
    void Attach(GLuint framebuffer, GLenum attachment) override;
    unsigned Width() override { return width; }
    unsigned Height() override { return height; }
    bool IsDepth() override { return info && info->depth; }
    bool HasStencil() override { return info && info->stencil; }

private:
    unsigned width, height;
    D3DFORMAT format;
    const FormatInfo* info;
    GLuint name = 0;
    DefaultPoolTicket ticket;
};
