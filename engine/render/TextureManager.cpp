#include "engine/render/TextureManager.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/files/AssetBytes.h"
#include "engine/helpers/StringHelpers.h"
#include "engine/shell/DebugLog.h"
#include "engine/shell/GameSettings.h"
#include "platform/gfxx/D3DXTexture.h"

namespace {

// The file a name is read from: with "BMP to JPG" on, its first ".bmp" becomes ".jpg".
void WorkingPath(const char* name, char (&path)[TEXTURE_NAME_SIZE])
{
    std::snprintf(path, sizeof path, "%s", name);
    if (GameSettings[SLOT_BMP_TO_JPG])
        if (char* extension = std::strstr(path, ".bmp"))
            std::memcpy(extension, ".jpg", 4);
}

IDirect3DTexture9* CreateFromFile(IDirect3DDevice9* device, const char* path, int mipLevels, D3DPOOL pool)
{
    IDirect3DTexture9* texture = nullptr;
    if (FileManager) {
        std::vector<std::uint8_t> bytes;
        if (ReadTextureAsset(path, bytes) != AssetRead::Ok)
            return nullptr;
        D3DXCreateTextureFromFileInMemoryEx(device, bytes.data(), UINT(bytes.size()), D3DX_DEFAULT, D3DX_DEFAULT,
                                            UINT(mipLevels), 0, D3DFMT_UNKNOWN, pool, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                            nullptr, nullptr, &texture);
    } else {
        D3DXCreateTextureFromFileExA(device, path, D3DX_DEFAULT, D3DX_DEFAULT, UINT(mipLevels), 0, D3DFMT_UNKNOWN,
                                     pool, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, &texture);
    }
    return texture;
}

void LogSlot(const char* format, int id, unsigned count, const char* name)
{
    char line[TEXTURE_NAME_SIZE + 64];
    std::snprintf(line, sizeof line, format, id, int(count), name);
    DebugOut(line);
}

} // namespace

bool CTextureManager::InUse(int id) const { return id >= 0 && id < TEXTURE_SLOTS && textures[id] != nullptr; }

int CTextureManager::Load(IDirect3DDevice9* device, const char* name, int mipLevels, D3DPOOL pool)
{
    if (!name || std::strlen(name) >= TEXTURE_NAME_SIZE)
        return -1;
    int slot = 0;
    while (slot < TEXTURE_SLOTS && textures[slot])
        ++slot;
    if (slot == TEXTURE_SLOTS)
        return -1; // nothing is created when no slot could keep it
    char path[TEXTURE_NAME_SIZE];
    WorkingPath(name, path);
    IDirect3DTexture9* texture = CreateFromFile(device, path, mipLevels, pool);
    if (!texture)
        return -1;
    std::memcpy(names[slot], name, std::strlen(name) + 1);
    textures[slot] = texture;
    referenceCounts[slot] = 1;
    return slot;
}

int CTextureManager::FindByName(const char* name) const
{
    if (!name)
        return -1;
    for (int id = 0; id < TEXTURE_SLOTS; ++id)
        if (textures[id] && StrEqual(names[id], name))
            return id;
    return -1;
}

IDirect3DTexture9* CTextureManager::GetByName(const char* name) const { return Get(FindByName(name)); }

IDirect3DTexture9* CTextureManager::Get(int id) const { return InUse(id) ? textures[id] : nullptr; }

const char* CTextureManager::GetName(int id) const { return id >= 0 && id < TEXTURE_SLOTS ? names[id] : nullptr; }

const char* CTextureManager::GetNameOf(const IDirect3DTexture9* texture) const
{
    if (!texture)
        return nullptr;
    for (int id = 0; id < TEXTURE_SLOTS; ++id)
        if (textures[id] == texture)
            return names[id];
    return nullptr;
}

void CTextureManager::ReplaceByName(const char* name, IDirect3DTexture9* texture)
{
    const int id = FindByName(name);
    if (id < 0 || !texture)
        return;
    textures[id]->Release();
    textures[id] = texture;
}

void CTextureManager::AddReference(int id)
{
    if (InUse(id))
        ++referenceCounts[id];
}

unsigned CTextureManager::ReferenceCount(int id) const { return InUse(id) ? referenceCounts[id] : 0; }

void CTextureManager::DropReference(int id)
{
    if (referenceCounts[id] == 0) {
        LogSlot("Texture reference counter in use! (ID: %d; REF: %d; Name: %s", id, 0, names[id]);
        return;
    }
    if (--referenceCounts[id] == 0) {
        textures[id]->Release();
        textures[id] = nullptr;
        names[id][0] = '\0';
    }
}

void CTextureManager::ReleaseById(int id)
{
    if (InUse(id))
        DropReference(id);
}

void CTextureManager::ReleaseByName(const char* name)
{
    // The first used slot of that name takes the release.
    const int id = FindByName(name);
    if (id >= 0)
        DropReference(id);
}

void CTextureManager::ReleaseAll()
{
    DebugOut("\tCTextureManager::ReleaseAllTextures() start...");
    for (int id = 0; id < TEXTURE_SLOTS; ++id)
        if (textures[id]) {
            LogSlot("\t\tTexture lost! (ID: %d; REF: %d; Name: %s", id, referenceCounts[id], names[id]);
            ReleaseById(id);
        }
    DebugOut("\tCTextureManager::ReleaseAllTextures() done!");
}

void CTextureManager::Clear()
{
    std::memset(names, 0, sizeof names);
    std::memset(textures, 0, sizeof textures);
    std::memset(referenceCounts, 0, sizeof referenceCounts);
}
