#include <gmock/gmock.h>

#include "tests/files/ScratchFolder.h"
#include "tools/makedata/DataSetSink.h"
#include "tools/makedata/FileUpdate.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using MakedataOutputTest = ScratchFolder;

TEST_F(MakedataOutputTest, UnchangedBytesLeaveTheFileAndItsTimeAlone)
{
    const std::filesystem::path path = "Data/Misc/File.dat";
    EXPECT_TRUE(WriteFileIfChanged(path, Bytes("first")));
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(path, old);

    EXPECT_FALSE(WriteFileIfChanged(path, Bytes("first")));
    EXPECT_EQ(std::filesystem::last_write_time(path), old);
    EXPECT_TRUE(WriteFileIfChanged(path, Bytes("firsT")));
    EXPECT_EQ(ReadText(path), "firsT");
    EXPECT_TRUE(WriteFileIfChanged(path, {}));
    EXPECT_EQ(ReadText(path), "");
    EXPECT_FALSE(std::filesystem::exists("Data/Misc/File.dat.part"));
}

TEST(DataSetSinkTest, RefusesNamesOutsideThePlainTreeAndDuplicates)
{
    DataSetSink sink;
    sink.Add("Data/Static/Box.obj", Pack::Objects, {1});
    sink.Add("Data/Meshes/Box.x", Pack::World, {2});
    sink.Add("splash.jpg", Pack::Textures, {4}); // a file of the working folder
    for (const char* name : {"../Box.obj", "./Box.obj", "/Data/Box.obj", "Data\\Box.obj", "Data/../Box.obj", "Data//Box.obj",
                             "Data/Folder/", "Data/World.pak", "Data/\x80.obj"})
        sink.Add(name, Pack::World, {});
    sink.Add("Data/" + std::string(PACK_NAME_LIMIT, 'n'), Pack::Loose, {});
    sink.Add("Data/Static/Box.obj", Pack::Objects, {3});

    ASSERT_EQ(sink.Files().size(), 3u);
    EXPECT_EQ(sink.Files().begin()->first, "Data/Meshes/Box.x");
    EXPECT_EQ(sink.Files().at("Data/Static/Box.obj").bytes, std::vector<std::uint8_t> {1});
    ASSERT_EQ(sink.Problems().size(), 11u);
    EXPECT_THAT(sink.Problems().back(), HasSubstr("added twice"));
}

} // namespace
