#include "engine/files/AssetBytes.h"

#include "engine/files/FileSystem.h"

AssetRead ReadWholeAsset(const char* path, int mode, std::vector<std::uint8_t>& bytes)
{
    int size = 0;
    const int handle = fileSystem.Open(path, mode, &size);
    if (handle == -1)
        return AssetRead::NotFound;
    bytes.assign(std::size_t(size > 0 ? size : 0), 0);
    const bool read = size > 0 && fileSystem.Read(bytes.data(), 1, size, handle) == size;
    fileSystem.Close(handle);
    return read ? AssetRead::Ok : AssetRead::ReadFailed;
}

AssetRead ReadTextureAsset(const char* path, std::vector<std::uint8_t>& bytes)
{
    const AssetRead packed = ReadWholeAsset(path, FILE_MODE_TEXTURES, bytes);
    return packed == AssetRead::NotFound ? ReadWholeAsset(path, FILE_MODE_BINARY, bytes) : packed;
}
