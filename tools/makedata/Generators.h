#pragma once
// The data set's generators, one per kind of asset; each adds its files to the sink. A
// generator module registers itself with a file-scope GeneratorRegistration.
#include <vector>

#include "tools/makedata/AssetSink.h"

using Generator = void (*)(AssetSink&);

struct GeneratorEntry {
    const char* name;
    Generator generate;
};

struct GeneratorRegistration {
    GeneratorRegistration(const char* name, Generator generate);
};

// Every registered generator, sorted by name so that the build is deterministic.
std::vector<GeneratorEntry> AllGenerators();
