// The launcher program on the X display: its dialog, its page and what each way of closing
// it starts. The program under test is the launcher built with the portal on this test's
// loopback server and with the dialog command hook.

#include "LauncherHarness.h"
#include "PortalServer.h"
#include "StandIns.h"

#include "launcher/platform/DialogUnits.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

namespace {

constexpr char kStartPageTarget[] = "/?mini=2&gameid=148";
const std::string kStatisticsPage = "http://127.0.0.1:" + std::to_string(TEST_PORTAL_PORT) + "/stats/vestrune.html";

constexpr int kCommandClose = 1002;
constexpr int kCommandEnd = 1004;
constexpr int kCommandOptions = 1001;
constexpr int kCommandReadMe = 1005;
constexpr int kCommandCancel = 2;

// Dialog-unit rectangles of the main dialog's controls.
struct DialogUnitRect {
  int x, y, cx, cy;
};
constexpr DialogUnitRect kPlayButton{7, 215, 76, 14};
constexpr DialogUnitRect kCloseButton{377, 215, 49, 14};
constexpr DialogUnitRect kGamepadButton{101, 215, 73, 14};
constexpr DialogUnitRect kBrowserArea{7, 7, 419, 202};

std::string ReadFile(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

DialogBaseUnits DialogFontUnits() {
  static const bool gtk = gtk_init_check(nullptr, nullptr);
  return gtk ? MeasureDialogBaseUnits(8) : DialogBaseUnits{0, 0};
}

std::string SafeName(std::string name) {
  std::replace(name.begin(), name.end(), '/', '_');
  return name;
}

bool IsBluish(unsigned long pixel) {
  const int red = static_cast<int>((pixel >> 16) & 0xFF);
  const int blue = static_cast<int>(pixel & 0xFF);
  return blue > red + 10;
}

class LauncherProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "DISPLAY is unset: the launcher tests need an X display (xvfb-run)";
    ASSERT_TRUE(display_.IsOpen());
    ASSERT_TRUE(server_.Listening()) << "the test portal's port " << TEST_PORTAL_PORT << " is taken";
    folder_.AddStandIn("Data/Vestrune", "game");
    folder_.AddStandIn("xpad", "gamepad");
    folder_.AddStandIn("bin/xdg-open", "xdg-open");
    folder_.AddFile("Fennimark.txt", "read me\n");
  }

  void StartLauncher() {
    launcher_.emplace(LAUNCHER_UNDER_TEST, folder_.Path(), folder_.Path() / "bin");
    ASSERT_GT(launcher_->Pid(), 0);
    dialog_ = display_.WaitForWindow(launcher_->Pid(), "Vestrune", 30.0);
    ASSERT_NE(dialog_, 0u) << "the launcher showed no dialog titled \"Vestrune\"";
    ASSERT_TRUE(server_.WaitForTarget(kStartPageTarget, 30.0)) << "the browser never asked for the start page";
  }

  // Screen rectangle of a control of the main dialog (inside its one-pixel border).
  ScreenRect ControlRect(const DialogUnitRect& control) const {
    const ScreenRect dialog = display_.Geometry(dialog_);
    const RECT pixels = MapDialogRect(DialogFontUnits(), control.x, control.y, control.cx, control.cy);
    return {dialog.x + 1 + pixels.left, dialog.y + 1 + pixels.top, pixels.right - pixels.left,
            pixels.bottom - pixels.top};
  }

  void Click(const DialogUnitRect& control) const {
    const ScreenRect rect = ControlRect(control);
    display_.Raise(dialog_);
    display_.Click(rect.x + rect.width / 2, rect.y + rect.height / 2);
  }

  void ExpectExitWithoutWaiting() {
    int exitCode = -1;
    ASSERT_TRUE(launcher_->WaitForExit(20.0, &exitCode)) << "the launcher did not exit";
    EXPECT_EQ(exitCode, 0);
  }

  const std::string testName_ = SafeName(::testing::UnitTest::GetInstance()->current_test_info()->name());
  TestDisplay display_;
  PortalServer server_{TEST_PORTAL_PORT, ReadFile(PORTAL_START_PAGE)};
  StandInFolder folder_{testName_};
  std::optional<LauncherProcess> launcher_;
  Window dialog_ = 0;
};

TEST_F(LauncherProgram, ShowsTheCentredDialogOfTemplateSizeWithTheStartPage) {
  StartLauncher();
  const RECT client = MapDialogRect(DialogFontUnits(), 0, 0, 433, 236);
  const ScreenRect dialog = display_.Geometry(dialog_);
  EXPECT_EQ(dialog.width, client.right + 2);  // the client area in a one-pixel border
  EXPECT_EQ(dialog.height, client.bottom + 2);
  EXPECT_EQ(dialog.x, (display_.ScreenWidth() - dialog.width) / 2);
  EXPECT_EQ(dialog.y, (display_.ScreenHeight() - dialog.height) / 2);

  // The page's dark blue fills the browser area once it has painted.
  const ScreenRect browser = ControlRect(kBrowserArea);
  bool painted = false;
  for (int tries = 0; tries < 300 && !painted; ++tries) {
    painted = IsBluish(display_.ScreenPixel(browser.x + browser.width / 2, browser.y + browser.height / 2));
    if (!painted) SleepSeconds(0.1);
  }
  EXPECT_TRUE(painted) << "the start page never showed in the browser area";
  SleepSeconds(1.0);
  const std::string screenshot = std::string(SCREENSHOT_FOLDER) + "/launcher_dialog.png";
  std::remove(screenshot.c_str());
  display_.Raise(dialog_);
  const std::string command = "import -window " + std::to_string(dialog_) + " '" + screenshot + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
  EXPECT_TRUE(std::filesystem::exists(screenshot));

  display_.RequestClose(dialog_);
  ExpectExitWithoutWaiting();
}

enum class Ending { kPlay, kGamepad, kClose, kCloseRequest, kEndCommand };

struct EndingCase {
  const char* name;
  Ending ending;
  const char* label;
  std::vector<std::string> arguments;
};

void PrintTo(const EndingCase& ending, std::ostream* stream) { *stream << ending.name; }

class LauncherEnding : public LauncherProgram, public ::testing::WithParamInterface<EndingCase> {};

TEST_P(LauncherEnding, StartsTheTargetOfItsResultAndExitsWithoutWaiting) {
  StartLauncher();
  switch (GetParam().ending) {
    case Ending::kPlay:
      Click(kPlayButton);
      break;
    case Ending::kGamepad:
      Click(kGamepadButton);
      break;
    case Ending::kClose:
      Click(kCloseButton);
      break;
    case Ending::kCloseRequest:
      display_.RequestClose(dialog_);
      break;
    case Ending::kEndCommand:
      display_.SendCommand(dialog_, kCommandEnd);
      break;
  }
  ExpectExitWithoutWaiting();

  const std::vector<std::string> records = folder_.WaitForRecords(1, 10.0);
  ASSERT_EQ(records.size(), 1u);
  const StandInRecord record = ParseRecord(records.front());
  EXPECT_EQ(record.label, GetParam().label);
  EXPECT_EQ(record.arguments, GetParam().arguments);
  EXPECT_EQ(std::filesystem::path(record.folder), folder_.Path());
  EXPECT_EQ(kill(record.pid, 0), 0) << "the started program should still run after the launcher exited";
}

INSTANTIATE_TEST_SUITE_P(
    Results, LauncherEnding,
    ::testing::Values(EndingCase{"Play", Ending::kPlay, "game", {}},
                      EndingCase{"Gamepad", Ending::kGamepad, "gamepad", {}},
                      EndingCase{"Close", Ending::kClose, "xdg-open", {kStatisticsPage}},
                      EndingCase{"CloseRequest", Ending::kCloseRequest, "xdg-open", {kStatisticsPage}},
                      EndingCase{"EndCommand", Ending::kEndCommand, "xdg-open", {kStatisticsPage}}),
    [](const ::testing::TestParamInfo<EndingCase>& info) { return std::string(info.param.name); });

TEST_F(LauncherProgram, ReadMeCommandOpensTheReadMeAndKeepsTheDialogOpen) {
  StartLauncher();
  display_.SendCommand(dialog_, kCommandReadMe);
  std::vector<std::string> records = folder_.WaitForRecords(1, 10.0);
  ASSERT_EQ(records.size(), 1u);
  const StandInRecord record = ParseRecord(records.front());
  EXPECT_EQ(record.label, "xdg-open");
  EXPECT_EQ(record.arguments, std::vector<std::string>{"Fennimark.txt"});
  SleepSeconds(0.5);
  EXPECT_TRUE(launcher_->Running());
  EXPECT_TRUE(display_.IsShown(dialog_));

  display_.SendCommand(dialog_, kCommandClose);
  ExpectExitWithoutWaiting();
  records = folder_.WaitForRecords(2, 10.0);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(ParseRecord(records.back()).arguments, std::vector<std::string>{kStatisticsPage});
}

TEST_F(LauncherProgram, MissingTargetIsIgnored) {
  std::filesystem::remove(folder_.Path() / "xpad");
  StartLauncher();
  Click(kGamepadButton);
  ExpectExitWithoutWaiting();
  SleepSeconds(0.5);
  EXPECT_TRUE(folder_.Records().empty());
}

TEST_F(LauncherProgram, OptionsCommandShowsTheCentredOptionsDialogUntilCancelled) {
  StartLauncher();
  display_.SendCommand(dialog_, kCommandOptions);
  const Window options = display_.WaitForWindow(launcher_->Pid(), "Options", 10.0);
  ASSERT_NE(options, 0u) << "no dialog titled \"Options\"";
  const RECT client = MapDialogRect(DialogFontUnits(), 0, 0, 186, 80);
  const ScreenRect geometry = display_.Geometry(options);
  EXPECT_EQ(geometry.width, client.right);
  EXPECT_EQ(geometry.height, client.bottom);
  EXPECT_EQ(geometry.x, (display_.ScreenWidth() - geometry.width) / 2);
  EXPECT_EQ(geometry.y, (display_.ScreenHeight() - geometry.height) / 2);

  display_.SendCommand(options, kCommandCancel);
  for (int tries = 0; tries < 100 && display_.IsShown(options); ++tries) SleepSeconds(0.05);
  EXPECT_FALSE(display_.IsShown(options));
  EXPECT_TRUE(launcher_->Running());
  EXPECT_TRUE(display_.IsShown(dialog_));
  EXPECT_TRUE(folder_.Records().empty());

  display_.RequestClose(dialog_);
  ExpectExitWithoutWaiting();
  EXPECT_EQ(folder_.WaitForRecords(1, 10.0).size(), 1u);
}

}  // namespace
