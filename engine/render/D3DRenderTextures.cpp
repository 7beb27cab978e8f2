// The renderer's texture operations: loading, binding by name and releasing through the
// texture table.
#include "engine/render/D3DRender.h"
#include "engine/shell/DebugLog.h"

int CD3DRender::SetTextureByName(const char* name, int blend)
{
    return SetTextureById(textureManager.FindByName(name), blend, 0);
}

int CD3DRender::LoadTexture(const char* name, int mipLevels)
{
    if (!name)
        return -1;
    const int shared = textureManager.FindByName(name);
    if (shared >= 0) {
        textureManager.AddReference(shared);
        return shared;
    }
    const int id = textureManager.Load(device, name, mipLevels, D3DPOOL_MANAGED);
    if (id == -1)
        DebugOutStr("Load texture failed: %s", name);
    return id;
}

void CD3DRender::ReleaseAllTextures() { textureManager.ReleaseAll(); }

void CD3DRender::ReleaseTexture(int id) { textureManager.ReleaseById(id); }

void CD3DRender::ReleaseTextureByName(const char* name) { textureManager.ReleaseByName(name); }

IDirect3DTexture9* CD3DRender::GetTexture(int id) { return textureManager.Get(id); }

IDirect3DTexture9* CD3DRender::GetTextureByName(const char* name) { return textureManager.GetByName(name); }

const char* CD3DRender::GetTextureName(int id) { return textureManager.GetName(id); }

const char* CD3DRender::GetTextureNameOf(IDirect3DTexture9* texture) { return textureManager.GetNameOf(texture); }

void CD3DRender::ReplaceTexture(const char* name, IDirect3DTexture9* texture)
{
    textureManager.ReplaceByName(name, texture);
}
