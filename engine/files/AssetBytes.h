#pragma once
// Reads a whole asset through the file system into memory.
#include <cstdint>
#include <vector>

enum class AssetRead { Ok, NotFound, ReadFailed };

// Opens path in the given mode (FileSystem.h), reads all of it and closes it again.
AssetRead ReadWholeAsset(const char* path, int mode, std::vector<std::uint8_t>& bytes);
// The Textures pack first (mode 5000), then the loose file (mode 1).
AssetRead ReadTextureAsset(const char* path, std::vector<std::uint8_t>& bytes);
