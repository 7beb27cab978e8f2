#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/win/FileReplace.h"
#include "platform/win/WinFiles.h"
#include "tests/support/ScratchFolder.h"

namespace {

std::vector<std::string> FindAll(const char* pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.emplace_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

TEST(Files, FindMatchesPatternInNameOrder)
{
    ScratchFolder folder;
    folder.Write("Save/Profile02.sav", "b");
    folder.Write("Save/Profile00.sav", "a");
    folder.Write("Save/Records.sav", "r");
    EXPECT_EQ(FindAll("Save\\Profile*.sav"), (std::vector<std::string> {"Profile00.sav", "Profile02.sav"}));
    EXPECT_TRUE(FindAll("Save/None*.sav").empty());
    EXPECT_TRUE(FindAll("Missing/*.sav").empty());
}

TEST(Files, FolderAndFileLifecycle)
{
    ScratchFolder folder;
    EXPECT_TRUE(CreateDirectoryA("Save", nullptr));
    EXPECT_FALSE(CreateDirectoryA("Save", nullptr));
    folder.Write("Save/Profile00.sav", "x");
    EXPECT_FALSE(DeleteFileA("Save"));
    EXPECT_TRUE(DeleteFileA("Save\\Profile00.sav"));
    EXPECT_FALSE(DeleteFileA("Save/Profile00.sav"));
    EXPECT_TRUE(RemoveDirectoryA("Save"));
}

TEST(Files, CurrentDirectoryReportsSizeNeeded)
{
    ScratchFolder folder;
    char buffer[512];
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    EXPECT_EQ(std::string(buffer, length), folder.path().string());
    char tiny[2];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof tiny, tiny), length + 1);
}

} // namespace

namespace {

// A link planted under the temporary file's name is never written through: the replace fails,
// the link's target keeps its bytes, the link is gone and the next replace works.
TEST(FileReplace, PlantedTemporaryLinkIsNotFollowed)
{
    ScratchFolder folder;
    folder.Write("victim", "keep me");
    folder.Write("Game.ini", "[Video]\n");
    std::filesystem::create_symlink(folder.path() / "victim", folder.path() / "Game.ini.tmp");
    const std::string text = "[Video]\nMode=2\n";
    EXPECT_FALSE(ReplaceFileContents("Game.ini", text.data(), text.size(), LinkWrite::WRITE_THROUGH));
    EXPECT_EQ(folder.Read("victim"), "keep me");
    EXPECT_EQ(folder.Read("Game.ini"), "[Video]\n");
    EXPECT_FALSE(std::filesystem::is_symlink(folder.path() / "Game.ini.tmp"));
    EXPECT_TRUE(ReplaceFileContents("Game.ini", text.data(), text.size(), LinkWrite::WRITE_THROUGH));
    EXPECT_EQ(folder.Read("Game.ini"), text);
}

// Game.ini linked to a file elsewhere: written through, the link stays and the target is
// replaced in one step beside itself; a store's own file takes the link's place instead; a link
// that leads nowhere is not written and nothing is created.
TEST(FileReplace, LinkIsWrittenThroughOrReplacedAsAsked)
{
    const std::string text = "[Video]\nMode=2\n";
    for (const LinkWrite links : {LinkWrite::WRITE_THROUGH, LinkWrite::REPLACE_LINK}) {
        ScratchFolder folder;
        std::filesystem::create_directory("settings");
        folder.Write("settings/Game.ini", "[Video]\n");
        std::filesystem::create_symlink("settings/Game.ini", "Game.ini");
        ASSERT_TRUE(ReplaceFileContents("Game.ini", text.data(), text.size(), links));
        const bool through = links == LinkWrite::WRITE_THROUGH;
        EXPECT_EQ(std::filesystem::is_symlink("Game.ini"), through);
        EXPECT_EQ(folder.Read("settings/Game.ini"), through ? text : "[Video]\n");
        EXPECT_EQ(folder.Read("Game.ini"), text);
        EXPECT_FALSE(folder.Exists("settings/Game.ini.tmp"));
        EXPECT_FALSE(folder.Exists("Game.ini.tmp"));
    }
    ScratchFolder folder;
    std::filesystem::create_symlink("settings/Game.ini", "Game.ini");
    EXPECT_FALSE(ReplaceFileContents("Game.ini", text.data(), text.size(), LinkWrite::WRITE_THROUGH));
    EXPECT_TRUE(std::filesystem::is_symlink("Game.ini"));
    EXPECT_FALSE(folder.Exists("settings"));
}

} // namespace

namespace {

// Only a regular file within the size limit opens; a FIFO without a writer and a device are
// refused at once instead of blocking the reader or feeding it without end.
TEST(Files, OnlyRegularFilesWithinTheLimitOpenForReading)
{
    ScratchFolder folder;
    folder.Write("small", "12345");
    ASSERT_EQ(::mkfifo("fifo", 0600), 0);
    std::filesystem::create_symlink("/dev/zero", "zero");
    std::filesystem::create_directory("folder");
    const struct Case {
        const char* name;
        std::uint64_t limit;
        RegularFile::Failure failure;
    } cases[] = {
        {"small", 5, RegularFile::NONE},          {"small", 4, RegularFile::TOO_LARGE},
        {"fifo", 100, RegularFile::NOT_REGULAR},  {"zero", 100, RegularFile::NOT_REGULAR},
        {"folder", 100, RegularFile::NOT_REGULAR}, {"missing", 100, RegularFile::MISSING},
    };
    for (const Case& c : cases) {
        const RegularFile file = OpenRegularFile(c.name, c.limit);
        EXPECT_EQ(file.failure, c.failure) << c.name;
        EXPECT_EQ(file.descriptor >= 0, c.failure == RegularFile::NONE) << c.name;
        if (file.descriptor >= 0) {
            char bytes[8] = {};
            EXPECT_EQ(::read(file.descriptor, bytes, sizeof bytes), 5) << "blocking reads of the whole file";
            ::close(file.descriptor);
        }
    }
}

} // namespace
