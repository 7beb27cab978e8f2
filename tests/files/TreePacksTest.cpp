// The data builder's packs in the runnable tree: every entry reads back through the lister and
// through the file system with the bytes of its loose copy.
#include <gmock/gmock.h>

#include "tests/files/ScratchFolder.h"
#include "tools/packtool/PackListing.h"

namespace {

using ::testing::IsEmpty;

const std::filesystem::path TREE = VESTRUNE_TREE;

std::vector<std::uint8_t> LooseBytes(const std::string& name)
{
    std::ifstream file(TREE / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(TreePacksTest, EveryEntryReadsBackThroughTheLister)
{
    for (const PackFiles& files : PACK_FILES) {
        SCOPED_TRACE(files.index);
        const std::string base = (TREE / files.index).replace_extension().string();
        OpenedPack pack;
        ASSERT_TRUE(OpenPack(base, pack));
        EXPECT_THAT(pack.index.problems, IsEmpty());
        for (const PackRecord& record : pack.index.records) {
            std::vector<std::uint8_t> bytes;
            ASSERT_TRUE(ReadEntry(pack, record, bytes)) << record.name;
            EXPECT_EQ(bytes, LooseBytes(record.name)) << record.name;
        }
    }
}

TEST(TreePacksTest, EveryEntryOpensInItsPackModeThroughTheFileSystem)
{
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(TREE);
    FileManager = 1;
    fileSystem.Init();
    for (const PackFiles& files : PACK_FILES) {
        OpenedPack pack;
        ASSERT_TRUE(OpenPack((TREE / files.index).replace_extension().string(), pack));
        for (const PackRecord& record : pack.index.records) {
            SCOPED_TRACE(record.name);
            int size = -1;
            const int handle = fileSystem.Open(record.name.c_str(), files.openMode, &size);
            ASSERT_GE(handle, files.openMode);
            EXPECT_EQ(size, record.size);
            if (files.openMode != FILE_MODE_OBJECTS) {
                std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
                EXPECT_EQ(fileSystem.Read(bytes.data(), 1, size, handle), size);
                EXPECT_EQ(bytes, LooseBytes(record.name));
            }
            fileSystem.Close(handle);
        }
    }
    fileSystem.Release();
    FileManager = 0;
    std::filesystem::current_path(previous);
}

} // namespace

namespace {

using ListerTest = ScratchFolder;

TEST_F(ListerTest, ReadsEntriesAsTheGameDoesDecodingOnlyTheObjectsPack)
{
    WritePack(PACK_OBJECTS, {{"Data/Static/Box.obj", "Mesh\x80\n"}});
    WritePack(PACK_WORLD, {{"Data/Meshes/Box.x", "Mesh\x80\n"}});
    for (const char* base : {"Data/Objects", "Data/World"}) {
        SCOPED_TRACE(base);
        OpenedPack pack;
        ASSERT_TRUE(OpenPack(base, pack));
        ASSERT_EQ(pack.index.records.size(), 1u);
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(ReadEntry(pack, pack.index.records[0], bytes));
        EXPECT_EQ(bytes, Bytes("Mesh\x80\n"));
    }
    OpenedPack missing;
    EXPECT_FALSE(OpenPack("Data/SD", missing));
}

} // namespace
