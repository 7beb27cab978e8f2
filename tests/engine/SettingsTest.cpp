#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "engine/GameSettings.h"
#include "engine/InputState.h"
#include "engine/RunCounter.h"
#include "engine/SettingsFile.h"
#include "engine/MainWindow.h"
#include "platform/win/WinProfile.h"
#include "platform/win/WinRegistry.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ScratchFolder.h"

namespace {

class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_RUNTIME_DIR", folder.path().c_str(), 1);
        productName = "Vestrune";
        std::fill(std::begin(OptionMaximum), std::end(OptionMaximum), 0);
        const int built[OPTION_MAXIMA] = {2000, 3, 2, 1, 1, 2};
        std::copy(std::begin(built), std::end(built), OptionMaximum);
    }
    void TearDown() override
    {
        unsetenv("XDG_RUNTIME_DIR");
        unsetenv("XDG_STATE_HOME");
    }

    // The settings steps of a start: the file, then the defaults on a first start.
    static void Start()
    {
        LoadGameIni("Game.ini");
        if (CountStarts() == 0)
            ResetSettings();
    }

    std::string Ini(const char* section, const char* key)
    {
        char value[128];
        GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, "Game.ini");
        return value;
    }

    ScratchFolder folder;
};

TEST_F(Settings, DefaultsWithoutFile)
{
    LoadGameIni("Game.ini");
    EXPECT_EQ(GameSettings[SLOT_MODE], 1);
    EXPECT_EQ(GameSettings[SLOT_DISTANCE], 2000);
    EXPECT_EQ(GameSettings[SLOT_SHADOWS], 2);
    EXPECT_EQ(GameSettings[SLOT_BUMP], 2);
    EXPECT_EQ(GameSettings[SLOT_BLUR], 1);
    EXPECT_EQ(GameSettings[SLOT_OSURFACE], 1);
    EXPECT_EQ(GameSettings[SLOT_ATMOSPHERE], 2);
    EXPECT_EQ(GameSettings[SLOT_WINDOWED], 0);
    EXPECT_EQ(GameSettings[SLOT_AUDIO], 1);
    EXPECT_EQ(GameSettings[SLOT_MASTER], 100);
    EXPECT_EQ(GameSettings[SLOT_BMP_TO_JPG], 1);
    EXPECT_EQ(GameSettings[SLOT_DEBUG_LOG], 0);
    EXPECT_EQ(FileManager, 1);
    EXPECT_EQ(GameMenu, 1);
    EXPECT_EQ(ActionKeyBinding[ACTION_ACCELERATE].key, 38);
    EXPECT_EQ(ActionKeyBinding[ACTION_RIGHT].key, 39);
    EXPECT_FALSE(folder.Exists("Game.ini"));
}

TEST_F(Settings, ValuesAreConvertedAndClamped)
{
    folder.Write("Game.ini",
                 "[Video]\nDistance=5\nShadows=-3\nBump=abc\n[Audio]\nMaster=-20\nMusic=150\nEffects=7x\n"
                 "[Misc]\nDebug out=1\nFile manager=0\n[Controls]\nAct01=67\n");
    LoadGameIni("Game.ini");
    EXPECT_EQ(GameSettings[SLOT_DISTANCE], 2000); // 5 x 750 + 500 = 4250, clamped
    EXPECT_EQ(GameSettings[SLOT_SHADOWS], 0);
    EXPECT_EQ(GameSettings[SLOT_BUMP], 0);        // not a number
    EXPECT_EQ(GameSettings[SLOT_MASTER], 0);
    EXPECT_EQ(GameSettings[SLOT_MUSIC], 100);
    EXPECT_EQ(GameSettings[SLOT_EFFECTS], 7);
    EXPECT_EQ(GameSettings[SLOT_DEBUG_MODE], 1);
    EXPECT_EQ(GameSettings[SLOT_DEBUG_LOG], 1);
    EXPECT_EQ(FileManager, 0);
    EXPECT_EQ(ActionKeyBinding[ACTION_ACCELERATE].key, 'C');

    SaveGameIni();
    EXPECT_EQ(Ini("Video", "Distance"), "2");
    EXPECT_EQ(Ini("Audio", "Master"), "0");
    EXPECT_EQ(Ini("Controls", "Act01"), "67");
}

TEST_F(Settings, DistanceStepsAtTheEndsOfTheIntRangeClamp)
{
    const struct {
        const char* steps;
        int distance;
    } cases[] = {{"2147483647", 2000}, {"-2147483648", 0}, {"-1", 0}, {"0", 500}, {"1", 1250}};
    for (const auto& c : cases) {
        folder.Write("Game.ini", std::string("[Video]\nDistance=") + c.steps + "\n");
        LoadGameIni("Game.ini");
        EXPECT_EQ(GameSettings[SLOT_DISTANCE], c.distance) << c.steps;
    }
}

TEST_F(Settings, FailedSaveKeepsGameIniByteForByte)
{
    const std::string handSet = "[Video]\r\nWindowed=1\r\nMode=3\r\n[Controls]\r\nAct01=87\r\n; mine\r\n";
    folder.Write("Game.ini", handSet);
    LoadGameIni("Game.ini");
    GameSettings[SLOT_MUSIC] = 40;
    {
        FileSizeLimit limit(handSet.size());
        EXPECT_EQ(SaveGameIni(), 0);
    }
    EXPECT_EQ(folder.Read("Game.ini"), handSet);
}

TEST_F(Settings, ResetWritesDefaultsAndKeepsHandSetLines)
{
    folder.Write("Game.ini", "[Video]\nWindowed=1\nMode=3\n[Misc]\nDebug out=1\n");
    LoadGameIni("Game.ini");
    ResetSettings();
    EXPECT_EQ(Ini("Video", "Mode"), "100");
    EXPECT_EQ(Ini("Video", "Distance"), "2");
    EXPECT_EQ(Ini("Video", "Shadows"), "3");
    EXPECT_EQ(Ini("Video", "Atmosphere"), "2");
    EXPECT_EQ(Ini("Audio", "Effects"), "100");
    EXPECT_EQ(Ini("Video", "Windowed"), "1");
    EXPECT_EQ(Ini("Misc", "Debug out"), "1");
    EXPECT_EQ(Ini("Audio", "Audio"), "<none>");
}

TEST_F(Settings, ClampUsesLoweredMaxima)
{
    LoadGameIni("Game.ini");
    OptionMaximumOf(SLOT_SHADOWS) = 1;
    OptionMaximumOf(SLOT_BUMP) = 0;
    ClampSettings();
    EXPECT_EQ(GameSettings[SLOT_SHADOWS], 1);
    EXPECT_EQ(GameSettings[SLOT_BUMP], 0);
}

TEST_F(Settings, RunCounterCountsUntilStoreIsCleared)
{
    EXPECT_EQ(CountStarts(), 0); // first start
    EXPECT_EQ(CountStarts(), 1);
    EXPECT_EQ(CountStarts(), 2);
    std::filesystem::remove_all(folder.path() / "vestrune-registry"); // the machine restarted
    EXPECT_EQ(CountStarts(), 0);
}

TEST_F(Settings, RunCounterKeyWithoutValueAlwaysCountsAsFirstStart)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Talvoro\\Vestrune\\", 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(CountStarts(), 0);
    EXPECT_EQ(CountStarts(), 0);
}

// Without XDG_RUNTIME_DIR the counter lives in the player's state folder, so a store that another
// user planted in /dev/shm under a fixed name (an empty "Started" value: every start a first
// start) does not reset the player's settings. A folder of that name that is there already is
// left alone, and the settings must survive it as well.
TEST_F(Settings, StorePlantedInSharedMemoryDoesNotResetTheSettings)
{
    const std::filesystem::path planted = "/dev/shm/vestrune-registry-" + std::to_string(getuid());
    const auto key = planted / "HKEY_LOCAL_MACHINE/Software/Talvoro/Vestrune";
    struct Plant {
        std::filesystem::path folder;
        bool made = false;
        ~Plant()
        {
            if (made)
                std::filesystem::remove_all(folder);
        }
    } plant {planted};
    if (!std::filesystem::exists(planted)) {
        plant.made = true;
        std::filesystem::create_directories(key);
        std::ofstream(key / "Started").flush();
        if (geteuid() == 0) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(planted))
                ASSERT_EQ(lchown(entry.path().c_str(), 4321, 4321), 0);
            ASSERT_EQ(lchown(planted.c_str(), 4321, 4321), 0);
        }
    }
    unsetenv("XDG_RUNTIME_DIR");
    setenv("XDG_STATE_HOME", (folder.path() / "state").c_str(), 1);

    Start();
    GameSettings[SLOT_MUSIC] = 40;
    SaveGameIni();
    Start();
    EXPECT_EQ(GameSettings[SLOT_MUSIC], 40);
    if (plant.made) {
        EXPECT_EQ(std::filesystem::file_size(key / "Started"), 0u);
    }
}

} // namespace
