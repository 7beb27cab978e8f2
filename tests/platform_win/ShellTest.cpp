#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/win/WinShell.h"
#include "platform/win/WinWindow.h"
#include "tests/support/ScratchFolder.h"

namespace {

void WriteScript(const ScratchFolder& folder, const std::string& name, const std::string& body)
{
    folder.Write(name, "#!/bin/sh\n" + body + "\n");
    ::chmod((folder.path() / name).c_str(), 0755);
}

// The started process is not waited for: poll for what it leaves behind.
std::string WaitForFile(const ScratchFolder& folder, const std::string& name)
{
    for (int i = 0; i < 200 && !folder.Exists(name); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return folder.Read(name);
}

bool Succeeded(HINSTANCE result)
{
    return reinterpret_cast<std::intptr_t>(result) > 32;
}

TEST(Shell, ExeNameStartsTheNativeProgram)
{
    ScratchFolder folder;
    WriteScript(folder, "Data/Game", "echo started > started.txt");
    EXPECT_TRUE(Succeeded(ShellExecuteA(nullptr, "open", ".\\Data\\Game.exe", "", "", SW_SHOWNORMAL)));
    EXPECT_EQ(WaitForFile(folder, "started.txt"), "started\n");
}

TEST(Shell, FilesAndUrlsGoToXdgOpen)
{
    ScratchFolder folder;
    WriteScript(folder, "bin/xdg-open", "echo \"$1\" >> opened.txt");
    const std::string path = (folder.path() / "bin").string() + ":" + std::getenv("PATH");
    const std::string previous = std::getenv("PATH");
    setenv("PATH", path.c_str(), 1);
    folder.Write("play.url", "[InternetShortcut]\n");
    EXPECT_TRUE(Succeeded(ShellExecuteA(nullptr, "open", "play.url", nullptr, nullptr, SW_SHOWNORMAL)));
    EXPECT_EQ(WaitForFile(folder, "opened.txt"), "play.url\n");
    EXPECT_TRUE(Succeeded(ShellExecuteA(nullptr, "open", "http://127.0.0.1/stats", nullptr, nullptr, SW_SHOWNORMAL)));
    setenv("PATH", previous.c_str(), 1);
}

TEST(Shell, MissingTargetFails)
{
    ScratchFolder folder;
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(ShellExecuteA(nullptr, "open", ".\\xpad.exe", "", "", SW_SHOWNORMAL)), SE_ERR_FNF);
}

} // namespace
