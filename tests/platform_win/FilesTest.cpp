#include <gtest/gtest.h>

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
    EXPECT_FALSE(ReplaceFileContents("Game.ini", text.data(), text.size()));
    EXPECT_EQ(folder.Read("victim"), "keep me");
    EXPECT_EQ(folder.Read("Game.ini"), "[Video]\n");
    EXPECT_FALSE(std::filesystem::is_symlink(folder.path() / "Game.ini.tmp"));
    EXPECT_TRUE(ReplaceFileContents("Game.ini", text.data(), text.size()));
    EXPECT_EQ(folder.Read("Game.ini"), text);
}

} // namespace
