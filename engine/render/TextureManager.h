#pragma once
// The table of the game's 2D textures: 1024 named, reference-counted slots. A slot is in use
// exactly while it holds a texture; its id is its index, -1 means no texture.
#include "platform/gfx/D3D9.h"

constexpr int TEXTURE_SLOTS = 1024;
constexpr int TEXTURE_NAME_SIZE = 255; // 254 characters and the terminator

class CTextureManager {
public:
    // Creates the texture from the file (see Load in the .cpp) in the first free slot with
    // count 1; -1 when the file does not load, the name is too long or all slots are in use.
    int Load(IDirect3DDevice9* device, const char* name, int mipLevels, D3DPOOL pool);
    // First used slot with exactly that name (case-sensitive); -1 when absent or null.
    int FindByName(const char* name) const;
    IDirect3DTexture9* GetByName(const char* name) const;
    IDirect3DTexture9* Get(int id) const;
    const char* GetName(int id) const;
    const char* GetNameOf(const IDirect3DTexture9* texture) const;
    // Releases the texture of the slot named name and keeps texture in its place.
    void ReplaceByName(const char* name, IDirect3DTexture9* texture);
    // One more reference to a used slot.
    void AddReference(int id);
    void ReleaseById(int id);
    void ReleaseByName(const char* name);
    // Logs every slot still in use and drops one reference of each.
    void ReleaseAll();
    // Every slot free (without releasing anything).
    void Clear();

    unsigned ReferenceCount(int id) const;

private:
    bool InUse(int id) const;
    void DropReference(int id);

    char names[TEXTURE_SLOTS][TEXTURE_NAME_SIZE];
    IDirect3DTexture9* textures[TEXTURE_SLOTS];
    unsigned referenceCounts[TEXTURE_SLOTS];
};
