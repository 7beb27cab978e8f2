#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "platform/win/IniDocument.h"
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

// Line ends of every kind and a UTF-8 byte-order mark: every value reads, and a write changes
// its one line and keeps the file's line ends and mark, with no second section added.
TEST(Profile, AnyLineEndAndAByteOrderMarkReadAndSurviveAWrite)
{
    const std::string bom = "\xEF\xBB\xBF";
    const struct Case {
        const char* what;
        std::string prefix;
        const char* end;
    } cases[] = {
        {"LF", "", "\n"},       {"CR LF", "", "\r\n"},          {"CR only", "", "\r"},
        {"BOM, LF", bom, "\n"}, {"BOM, CR LF", bom, "\r\n"},    {"BOM, CR only", bom, "\r"},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        const auto lines = [&](std::initializer_list<const char*> texts) {
            std::string text = c.prefix;
            for (const char* line : texts)
                text += std::string(line) + c.end;
            return text;
        };
        folder.Write("Game.ini", lines({"[Video]", "Windowed=1", "Mode=3", "", "[Audio]", "Master=40"}));
        EXPECT_EQ(Get("Video", "Windowed"), "1") << c.what;
        EXPECT_EQ(Get("Video", "Mode"), "3") << c.what;
        EXPECT_EQ(Get("Audio", "Master"), "40") << c.what;
        ASSERT_TRUE(WritePrivateProfileStringA("Video", "Mode", "2", "Game.ini")) << c.what;
        EXPECT_EQ(folder.Read("Game.ini"), lines({"[Video]", "Windowed=1", "Mode=2", "", "[Audio]", "Master=40"}))
            << c.what;
    }
}

// Game.ini as a FIFO, a link to a device or a file past the size limit: read at once as the
// defaults, never written, and left as it is.
TEST(Profile, SpecialOrHugeFileReadsAsDefaultsAndIsNotWritten)
{
    ScratchFolder folder;
    const std::function<void()> makers[] = {
        [] { ASSERT_EQ(::mkfifo("Game.ini", 0600), 0); },
        [] { std::filesystem::create_symlink("/dev/zero", "Game.ini"); },
        [] {
            std::ofstream("Game.ini") << "[Video]\nMode=3\n";
            std::filesystem::resize_file("Game.ini", IniDocument::SIZE_LIMIT + 1);
        },
    };
    for (const auto& make : makers) {
        make();
        struct stat before {};
        ASSERT_EQ(::lstat("Game.ini", &before), 0);
        EXPECT_EQ(Get("Video", "Mode"), "dflt");
        EXPECT_FALSE(WritePrivateProfileStringA("Video", "Mode", "2", "Game.ini"));
        struct stat after {};
        ASSERT_EQ(::lstat("Game.ini", &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_size, before.st_size);
        std::filesystem::remove("Game.ini");
    }
}

// The file read last is kept only while it is the same: a rewrite in place with the same size,
// right after a read, is still seen.
TEST(Profile, RewrittenFileIsReadAgain)
{
    ScratchFolder folder;
    folder.Write("Game.ini", "[Video]\nMode=3\n");
    std::filesystem::last_write_time("Game.ini", std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    EXPECT_EQ(Get("Video", "Mode"), "3");
    std::ofstream("Game.ini", std::ios::in | std::ios::out) << "[Video]\nMode=4\n";
    EXPECT_EQ(Get("Video", "Mode"), "4");
    std::filesystem::last_write_time("Game.ini", std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    EXPECT_EQ(Get("Video", "Mode"), "4");
    ASSERT_TRUE(WritePrivateProfileStringA("Video", "Mode", "5", "Game.ini"));
    EXPECT_EQ(Get("Video", "Mode"), "5");
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
