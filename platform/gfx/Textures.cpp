#include "platform/gfx/Textures.h"

namespace {

D3DBOX BoxOf(const RECT* rect)
{
    return {static_cast<UINT>(rect->left), static_cast<UINT>(rect->top), static_cast<UINT>(rect->right),
            static_cast<UINT>(rect->bottom), 0, 1};
}

HRESULT LockLevel(TextureStorage& storage, unsigned face, unsigned level, D3DLOCKED_RECT* locked, const RECT* rect,
                  DWORD flags)
{
    if (!locked)
        return D3DERR_INVALIDCALL;
    if (rect && (rect->left < 0 || rect->top < 0))
        return D3DERR_INVALIDCALL;
    const D3DBOX box = rect ? BoxOf(rect) : D3DBOX {};
    D3DLOCKED_BOX lockedBox {};
    const HRESULT result = storage.Lock(face, level, rect ? &box : nullptr, &lockedBox, flags);
    if (SUCCEEDED(result)) {
        locked->Pitch = lockedBox.RowPitch;
        locked->pBits = lockedBox.pBits;
    }
    return result;
}

} // namespace

TextureStorage* StorageOf(IDirect3DBaseTexture9* texture)
{
    if (!texture)
        return nullptr;
    switch (texture->GetType()) {
    case D3DRTYPE_TEXTURE: return &static_cast<Texture2D*>(texture)->Storage();
    case D3DRTYPE_CUBETEXTURE: return &static_cast<CubeTexture*>(texture)->Storage();
    case D3DRTYPE_VOLUMETEXTURE: return &static_cast<VolumeTexture*>(texture)->Storage();
    default: return nullptr;
    }
}

unsigned GlTextureName(IDirect3DBaseTexture9* texture)
{
    const TextureStorage* storage = StorageOf(texture);
    return storage ? storage->Name() : 0;
}

unsigned GlTextureTarget(IDirect3DBaseTexture9* texture)
{
    const TextureStorage* storage = StorageOf(texture);
    return storage ? storage->Target() : 0;
}

HRESULT Texture2D::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc)
{
    if (!desc || level >= storage.Levels())
        return D3DERR_INVALIDCALL;
    *desc = storage.SurfaceDesc(level, D3DRTYPE_SURFACE);
    return D3D_OK;
}

HRESULT Texture2D::GetSurfaceLevel(UINT level, IDirect3DSurface9** surface)
{
    if (!surface || level >= storage.Levels())
        return D3DERR_INVALIDCALL;
    *surface = new TextureSurface(this, 0, level);
    return D3D_OK;
}

HRESULT Texture2D::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags)
{
    return LockLevel(storage, 0, level, locked, rect, flags);
}

HRESULT CubeTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc)
{
    if (!desc || level >= storage.Levels())
        return D3DERR_INVALIDCALL;
    *desc = storage.SurfaceDesc(level, D3DRTYPE_SURFACE);
    return D3D_OK;
}

HRESULT CubeTexture::LockRect(D3DCUBEMAP_FACES face, UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags)
{
    return LockLevel(storage, face, level, locked, rect, flags);
}

HRESULT VolumeTexture::GetLevelDesc(UINT level, D3DVOLUME_DESC* desc)
{
    if (!desc || level >= storage.Levels())
        return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC surface = storage.SurfaceDesc(level, D3DRTYPE_VOLUME);
    *desc = {surface.Format, D3DRTYPE_VOLUME, surface.Usage, surface.Pool, surface.Width, surface.Height,
             storage.Depth(level)};
    return D3D_OK;
}

HRESULT VolumeTexture::LockBox(UINT level, D3DLOCKED_BOX* locked, const D3DBOX* box, DWORD flags)
{
    return storage.Lock(0, level, box, locked, flags);
}

TextureSurface::TextureSurface(IDirect3DBaseTexture9* texture_, unsigned face_, unsigned level_)
    : texture(texture_), storage(StorageOf(texture_)), face(face_), level(level_)
{
    texture->AddRef();
}

TextureSurface::~TextureSurface() { texture->Release(); }

HRESULT TextureSurface::GetDesc(D3DSURFACE_DESC* desc)
{
    if (!desc)
        return D3DERR_INVALIDCALL;
    *desc = storage->SurfaceDesc(level, D3DRTYPE_SURFACE);
    return D3D_OK;
}

HRESULT TextureSurface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags)
{
    return LockLevel(*storage, face, level, locked, rect, flags);
}

HRESULT TextureSurface::UnlockRect() { return storage->Unlock(face, level); }

void TextureSurface::Attach(GLuint framebuffer, GLenum attachment)
{
    if (storage->Target() == GL_TEXTURE_2D)
        glNamedFramebufferTexture(framebuffer, attachment, storage->Name(), static_cast<GLint>(level));
    else
        glNamedFramebufferTextureLayer(framebuffer, attachment, storage->Name(), static_cast<GLint>(level),
                                       static_cast<GLint>(face));
}

RenderbufferSurface::RenderbufferSurface(unsigned width_, unsigned height_, D3DFORMAT format_,
                                         std::shared_ptr<int> counter)
    : width(width_), height(height_), format(format_), info(FindFormat(format_)),
      ticket(std::move(counter), D3DPOOL_DEFAULT)
{
    if (!info || info->compressed || width == 0 || height == 0)
        return;
    glCreateRenderbuffers(1, &name);
    glNamedRenderbufferStorage(name, info->internalFormat, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
}

RenderbufferSurface::~RenderbufferSurface()
{
    if (name)
        glDeleteRenderbuffers(1, &name);
}

HRESULT RenderbufferSurface::GetDesc(D3DSURFACE_DESC* desc)
{
    if (!desc)
        return D3DERR_INVALIDCALL;
    *desc = {format, D3DRTYPE_SURFACE, IsDepth() ? D3DUSAGE_DEPTHSTENCIL : D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT,
             D3DMULTISAMPLE_NONE, 0, width, height};
    return D3D_OK;
}

void RenderbufferSurface::Attach(GLuint framebuffer, GLenum attachment)
{
    glNamedFramebufferRenderbuffer(framebuffer, attachment, GL_RENDERBUFFER, name);
}
