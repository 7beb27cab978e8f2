// makedata <tree>: runs every generator, writes each file loose under the tree and the packed
// ones into the four packs. Files and packs whose bytes are unchanged are left as they are.
#include <array>
#include <cstdio>
#include <exception>
#include <filesystem>

#include "engine/files/PackIndex.h"
#include "tools/makedata/DataSetSink.h"
#include "tools/makedata/FileUpdate.h"
#include "tools/makedata/Generators.h"
#include "tools/makedata/PackWriter.h"

namespace {

PackId PackIdOf(Pack pack)
{
    switch (pack) {
    case Pack::Objects: return PACK_OBJECTS;
    case Pack::World: return PACK_WORLD;
    case Pack::Textures: return PACK_TEXTURES;
    case Pack::SD: return PACK_SD;
    case Pack::Loose: break;
    }
    return PACK_COUNT;
}

int BuildDataSet(const std::filesystem::path& tree)
{
    DataSetSink sink;
    for (const GeneratorEntry& generator : AllGenerators())
        generator.generate(sink);
    for (const std::string& problem : sink.Problems())
        std::fprintf(stderr, "makedata: %s\n", problem.c_str());
    if (!sink.Problems().empty())
        return 1;

    std::array<PackBuilder, PACK_COUNT> packs {PackBuilder(PACK_FILES[PACK_OBJECTS].dataShifted),
                                               PackBuilder(PACK_FILES[PACK_WORLD].dataShifted),
                                               PackBuilder(PACK_FILES[PACK_TEXTURES].dataShifted),
                                               PackBuilder(PACK_FILES[PACK_SD].dataShifted)};
    int written = 0;
    for (const auto& [name, file] : sink.Files()) {
        written += WriteFileIfChanged(tree / name, file.bytes);
        if (const PackId pack = PackIdOf(file.pack); pack != PACK_COUNT)
            packs[pack].Add(name, file.bytes);
    }
    for (int pack = 0; pack < PACK_COUNT; ++pack) {
        written += WriteFileIfChanged(tree / PACK_FILES[pack].index, packs[pack].Index());
        written += WriteFileIfChanged(tree / PACK_FILES[pack].data, packs[pack].Data());
    }
    std::printf("makedata: %zu files, Objects %d, World %d, Textures %d, SD %d entries; %d files written\n",
                sink.Files().size(), packs[PACK_OBJECTS].Count(), packs[PACK_WORLD].Count(),
                packs[PACK_TEXTURES].Count(), packs[PACK_SD].Count(), written);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makedata <tree>\n");
        return 2;
    }
    try {
        return BuildDataSet(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "makedata: %s\n", error.what());
        return 1;
    }
}
