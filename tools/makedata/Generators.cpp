#include "tools/makedata/Generators.h"

#include <algorithm>
#include <cstring>

namespace {

std::vector<GeneratorEntry>& Registry()
{
    static std::vector<GeneratorEntry> generators;
    return generators;
}

} // namespace

GeneratorRegistration::GeneratorRegistration(const char* name, Generator generate)
{
    Registry().push_back(GeneratorEntry {name, generate});
}

std::vector<GeneratorEntry> AllGenerators()
{
    std::vector<GeneratorEntry> sorted = Registry();
    std::sort(sorted.begin(), sorted.end(),
              [](const GeneratorEntry& a, const GeneratorEntry& b) { return std::strcmp(a.name, b.name) < 0; });
    return sorted;
}
