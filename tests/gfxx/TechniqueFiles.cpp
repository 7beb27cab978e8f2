#include "tests/gfxx/TechniqueFiles.h"

#include <cstring>

#include "tools/makedata/Generators.h"

namespace {

class MapSink : public AssetSink {
public:
    void Add(const std::string& name, Pack pack, std::vector<std::uint8_t> bytes) override
    {
        files[name] = {pack, std::move(bytes)};
    }
    std::map<std::string, GeneratedFile> files;
};

} // namespace

std::map<std::string, GeneratedFile> GeneratedFiles(const char* generator)
{
    MapSink sink;
    for (const GeneratorEntry& entry : AllGenerators())
        if (std::strcmp(entry.name, generator) == 0)
            entry.generate(sink);
    return sink.files;
}
