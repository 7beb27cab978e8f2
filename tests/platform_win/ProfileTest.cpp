#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/win/WinProfile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ScratchFolder.h"

namespace {

std::string Get(const char* section, const char* key, const char* fallback = "dflt", DWORD size = 128)
{
    char buffer[128];
    GetPrivateProfileStringA(section, key, fallback, buffer, size, "Game.ini");
    return buffer;
}

TEST(Profile, ReadsValuesWithWindowsRules)
{
    ScratchFolder folder;
    folder.Write("Game.ini", "; comment\r\n[Video]\r\nMode = 3 \r\n  Distance=2\r\n[audio]\r\nMaster=\"50\"\r\nMusic=\r\n");
    struct Case {
        const char* section;
        const char* key;
        std::string expected;
    } cases[] = {
        {"Video", "Mode", "3"},        // trimmed
        {"VIDEO", "distance", "2"},    // names without regard to case
        {"Audio", "Master", "50"},     // quotes stripped
        {"Audio", "Music", ""},        // present but empty: no default
        {"Audio", "Effects", "dflt"},  // missing key
        {"Misc", "Debug out", "dflt"}, // missing section
    };
    for (const auto& c : cases)
        EXPECT_EQ(Get(c.section, c.key), c.expected) << c.section << "/" << c.key;
}

TEST(Profile, CutsToBufferAndDefaultsWithoutFile)
{
    ScratchFolder folder;
    EXPECT_EQ(Get("Video", "Mode", "123456", 4), "123");
    folder.Write("Game.ini", "[Video]\nMode=98765\n");
    char buffer[4];
    EXPECT_EQ(GetPrivateProfileStringA("Video", "Mode", "", buffer, sizeof buffer, "Game.ini"), 3u);
    EXPECT_STREQ(buffer, "987");
}

TEST(Profile, WriteCreatesFileAndSection)
{
    ScratchFolder folder;
    ASSERT_TRUE(WritePrivateProfileStringA("Video", "Mode", "2", "Game.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("Audio", "Master", "80", "Game.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("Video", "Blur", "1", "Game.ini"));
    EXPECT_EQ(folder.Read("Game.ini"), "[Video]\nMode=2\nBlur=1\n[Audio]\nMaster=80\n");
}

TEST(Profile, WriteKeepsEveryOtherLine)
{
    ScratchFolder folder;
    folder.Write("Game.ini", "[Video]\r\n; keep me\r\nWindowed=1\r\nmode=1\r\n\r\n[Misc]\r\nDebug out=1\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("VIDEO", "Mode", "5", "Game.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("Video", "Shadows", "2", "Game.ini"));
    EXPECT_EQ(folder.Read("Game.ini"),
              "[Video]\r\n; keep me\r\nWindowed=1\r\nMode=5\r\nShadows=2\r\n\r\n[Misc]\r\nDebug out=1\r\n");
}

TEST(Profile, NullValueRemovesKeyAndNullKeyRemovesSection)
{
    ScratchFolder folder;
    folder.Write("Game.ini", "[A]\nx=1\ny=2\n[B]\nz=3\n");
    ASSERT_TRUE(WritePrivateProfileStringA("A", "x", nullptr, "Game.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("B", nullptr, nullptr, "Game.ini"));
    EXPECT_EQ(folder.Read("Game.ini"), "[A]\ny=2\n");
}

TEST(Profile, BackslashPathsReachTheFile)
{
    ScratchFolder folder;
    const std::string path = folder.path().string() + "\\Game.ini";
    ASSERT_TRUE(WritePrivateProfileStringA("Video", "Mode", "4", path.c_str()));
    EXPECT_EQ(Get("Video", "Mode"), "4");
}

TEST(Profile, FailedWriteKeepsTheOldFileByteForByte)
{
    ScratchFolder folder;
    const std::string original = "[Video]\r\nWindowed=1\r\nMode=2\r\n; set by hand\r\n[Controls]\r\nAct01=87\r\n";
    folder.Write("Game.ini", original);
    {
        FileSizeLimit limit(original.size());
        EXPECT_FALSE(WritePrivateProfileStringA("Video", "Distance", "2", "Game.ini"));
    }
    EXPECT_EQ(folder.Read("Game.ini"), original);
    EXPECT_FALSE(folder.Exists("Game.ini.tmp"));
}

TEST(Profile, WriteKeepsTheFilePermissions)
{
    ScratchFolder folder;
    folder.Write("Game.ini", "[Video]\nMode=1\n");
    std::filesystem::permissions("Game.ini", std::filesystem::perms(0640));
    ASSERT_TRUE(WritePrivateProfileStringA("Video", "Mode", "2", "Game.ini"));
    struct stat info {};
    ASSERT_EQ(stat("Game.ini", &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(Get("Video", "Mode"), "2");
}

TEST(Profile, UnwritableFileFails)
{
    ScratchFolder folder;
    EXPECT_FALSE(WritePrivateProfileStringA("Video", "Mode", "4", "missing-folder/Game.ini"));
}

} // namespace
