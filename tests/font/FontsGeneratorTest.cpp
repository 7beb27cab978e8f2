#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "engine/font/FontMask.h"
#include "tools/makedata/Generators.h"

namespace {

struct CapturedFile {
    Pack pack;
    std::vector<std::uint8_t> bytes;
};

class CapturingSink : public AssetSink {
public:
    void Add(const std::string& name, Pack pack, std::vector<std::uint8_t> bytes) override
    {
        files[name] = {pack, std::move(bytes)};
    }
    std::map<std::string, CapturedFile> files;
};

TEST(FontsGenerator, ThreeReadableFontFoldersInTheirPacks)
{
    CapturingSink sink;
    for (const GeneratorEntry& generator : AllGenerators())
        if (std::strcmp(generator.name, "fonts") == 0)
            generator.generate(sink);

    for (const char* folder : {"Data/Interface/Fonts/Arial.18", "Data/Interface/Fonts/Menu 01",
                               "Data/Interface/Fonts/Game 01"}) {
        const std::string base = folder;
        ASSERT_TRUE(sink.files.count(base + "/Main.dat")) << folder;
        const CapturedFile& chars = sink.files[base + "/Main.dat"];
        const CapturedFile& mask = sink.files[base + "/Mask.dat"];
        EXPECT_EQ(chars.pack, Pack::World);
        EXPECT_EQ(mask.pack, Pack::World);
        EXPECT_EQ(sink.files[base + "/Main.dds"].pack, Pack::Textures);
        FontGlyphTable table {};
        EXPECT_EQ(ReadFontGlyphs(chars.bytes.data(), chars.bytes.size(), mask.bytes.data(), mask.bytes.size(), table),
                  nullptr)
            << folder;
        EXPECT_EQ(table.count, 95u);
    }
}

} // namespace
