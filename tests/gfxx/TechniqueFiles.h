#pragma once
// The files the data builder's generators make, by name, for tests.
#include <map>
#include <string>
#include <vector>

#include "tools/makedata/AssetSink.h"

struct GeneratedFile {
    Pack pack;
    std::vector<std::uint8_t> bytes;
};

// Runs the named generator ("techniques", "textures") into a map by file name.
std::map<std::string, GeneratedFile> GeneratedFiles(const char* generator);
