// The launcher's platform layer without a display: the shell's "open", wide strings and
// dialog-unit arithmetic.

#include "StandIns.h"

#include "launcher/platform/DialogUnits.h"
#include "launcher/platform/Ole.h"
#include "launcher/platform/ShellApi.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

INT_PTR Open(const char* verb, const char* file, const char* parameters = "", const char* directory = "") {
  return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, verb, file, parameters, directory, 1));
}

class ShellOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.AddStandIn("Data/Game", "game");
    folder_.AddStandIn("tools/tool", "tool");
    folder_.AddStandIn("bin/xdg-open", "xdg-open");
    folder_.AddFile("notes.txt", "read me\n");
    previousPath_ = std::getenv("PATH");
    setenv("PATH", ((folder_.Path() / "bin").string() + ":" + previousPath_).c_str(), 1);
    previousFolder_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_.Path());
  }

  void TearDown() override {
    std::filesystem::current_path(previousFolder_);
    setenv("PATH", previousPath_.c_str(), 1);
  }

  StandInFolder folder_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
  std::string previousPath_;
  std::filesystem::path previousFolder_;
};

TEST_F(ShellOpen, StartsProgramsAndOpensEverythingElseWithXdgOpen) {
  struct Case {
    const char* file;
    const char* parameters;
    const char* directory;
    std::string label;
    std::string folder;  // relative to the scratch folder
    std::vector<std::string> arguments;
  };
  const Case cases[] = {
      {".\\Data\\Game.exe", "", "", "game", "", {}},
      {"Data/Game.EXE", "-w  fast", "", "game", "", {"-w", "fast"}},
      {"tools/tool", "", "", "tool", "", {}},
      {"tool.exe", "", "tools", "tool", "tools", {}},
      {"notes.txt", "ignored", "", "xdg-open", "", {"notes.txt"}},
      {"http://127.0.0.1:1/stats/vestrune.html", "", "", "xdg-open", "", {"http://127.0.0.1:1/stats/vestrune.html"}},
  };
  std::size_t records = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_GT(Open("open", c.file, c.parameters, c.directory), 32);
    const std::vector<std::string> lines = folder_.WaitForRecords(++records, 5.0);
    ASSERT_EQ(lines.size(), records);
    const StandInRecord record = ParseRecord(lines.back());
    EXPECT_EQ(record.label, c.label);
    EXPECT_EQ(std::filesystem::path(record.folder), c.folder.empty() ? folder_.Path() : folder_.Path() / c.folder);
    EXPECT_EQ(record.arguments, c.arguments);
  }
}

TEST_F(ShellOpen, NullVerbMeansOpen) {
  EXPECT_GT(Open(nullptr, "notes.txt"), 32);
  EXPECT_EQ(folder_.WaitForRecords(1, 5.0).size(), 1u);
}

TEST_F(ShellOpen, FailsWithoutStartingAnything) {
  struct Case {
    const char* verb;
    const char* file;
    INT_PTR result;
  };
  const Case cases[] = {
      {"open", ".\\xpad.exe", SE_ERR_FNF},  // no native program beside it
      {"open", "missing.txt", SE_ERR_FNF},
      {"open", "", SE_ERR_FNF},
      {"edit", "notes.txt", SE_ERR_NOASSOC},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(Open(c.verb, c.file), c.result);
  }
  SleepSeconds(0.3);
  EXPECT_TRUE(folder_.Records().empty());
}

TEST_F(ShellOpen, ReportsMissingXdgOpen) {
  setenv("PATH", "/nonexistent", 1);
  EXPECT_LE(Open("open", "notes.txt"), 32);
  EXPECT_LE(Open("open", "https://127.0.0.1:1/"), 32);
}

TEST(WideStrings, ConvertFromTheUtf8CodePage) {
  const char text[] = "Gr\xC3\xB6\xC3\x9F" "e \xF0\x9F\x9A\x80";  // "Größe " and a character beyond 16 bits
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), 9);  // 6 + a surrogate pair + the zero
  WCHAR wide[9];
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 9), 9);
  const std::u16string expected = u"Gr\u00F6\u00DFe \U0001F680";
  EXPECT_EQ(std::u16string(wide), expected);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 8), 0);  // too small
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, 2, wide, 9), 2);   // no terminator
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "\xC3(", -1, wide, 9), 0);  // not UTF-8

  BSTR string = SysAllocString(wide);
  EXPECT_EQ(SysStringLen(string), 8u);
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = VT_BSTR;
  variant.bstrVal = string;
  EXPECT_EQ(VariantClear(&variant), S_OK);
  EXPECT_EQ(variant.vt, VT_EMPTY);
}

TEST(DialogUnitArithmetic, MulDivRoundsHalfAwayFromZero) {
  struct Case {
    int number, numerator, denominator, result;
  };
  const Case cases[] = {
      {433, 7, 4, 758}, {236, 13, 8, 384}, {14, 13, 8, 23}, {-3, 1, 2, -2}, {3, -1, 2, -2}, {5, 1, 0, -1}, {0x40000000, 4, 2, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.result) << c.number;
  const RECT rect = MapDialogRect({6, 13}, 7, 215, 76, 14);
  EXPECT_EQ(rect.left, 11);
  EXPECT_EQ(rect.top, 349);
  EXPECT_EQ(rect.right - rect.left, 114);
  EXPECT_EQ(rect.bottom - rect.top, 23);
}

}  // namespace
