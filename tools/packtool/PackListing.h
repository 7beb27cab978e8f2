#pragma once
// A pack opened for listing and extraction, read through the file system's index reader.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/files/PackIndex.h"

struct OpenedPack {
    std::string dataPath;
    bool dataShifted;  // the Objects pack stores its bytes + 128
    PackIndex index;
};

// base: the pack's path without its extension, e.g. "Data/World". False when its ".hdr" or
// ".pak" cannot be read.
bool OpenPack(const std::string& base, OpenedPack& pack);

// The entry's bytes as the game reads them; false when the data file cannot be read there.
bool ReadEntry(const OpenedPack& pack, const PackRecord& record, std::vector<std::uint8_t>& bytes);
