#include "tests/support/GeneratedData.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/makedata/Generators.h"

namespace {

class LooseFileSink : public AssetSink {
public:
    void Add(const std::string& name, Pack, std::vector<std::uint8_t> bytes) override
    {
        const std::filesystem::path path(name);
        if (path.has_parent_path())
            std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
};

} // namespace

void WriteGeneratedData(std::initializer_list<const char*> generators)
{
    LooseFileSink sink;
    for (const GeneratorEntry& entry : AllGenerators())
        for (const char* name : generators)
            if (std::strcmp(entry.name, name) == 0)
                entry.generate(sink);
}
