#include <gtest/gtest.h>

#include <string>

#include "engine/shell/DebugLog.h"
#include "engine/shell/GameSettings.h"
#include "tests/support/ScratchFolder.h"

namespace {

TEST(DebugLog, WritesOnlyWhileOn)
{
    ScratchFolder folder;
    GameSettings[SLOT_DEBUG_LOG] = 0;
    DebugOut(nullptr);
    DebugOut("line");
    EXPECT_FALSE(folder.Exists("debug.txt"));

    GameSettings[SLOT_DEBUG_LOG] = 1;
    folder.Write("debug.txt", "old run\n");
    DebugOut(nullptr);
    EXPECT_EQ(folder.Read("debug.txt"), "");

    const int a = 7, b = -2;
    DebugOut("Plain 100%");
    DebugOut("One %d", &a);
    DebugOut("Two %d %d", &a, &b);
    DebugOutStr("Texture %s", "Data/Misc/LightMap.bmp");
    DebugOutStr("Lost %s (%d)", "mesh", 3);
    DebugOutStr("No text", nullptr);
    EXPECT_EQ(folder.Read("debug.txt"),
              "Plain 100%\nOne 7\nTwo 7 -2\nTexture Data/Misc/LightMap.bmp\nLost mesh (3)\nNo text\n");
    GameSettings[SLOT_DEBUG_LOG] = 0;
}

TEST(DebugLog, LongLineIsCutAt2047WithNewline)
{
    ScratchFolder folder;
    GameSettings[SLOT_DEBUG_LOG] = 1;
    DebugOut(nullptr);
    DebugOutStr("%s", std::string(5000, 'x').c_str());
    const std::string written = folder.Read("debug.txt");
    EXPECT_EQ(written.size(), 2047u);
    EXPECT_EQ(written.back(), '\n');
    GameSettings[SLOT_DEBUG_LOG] = 0;
}

} // namespace
