#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>

#include "engine/shell/GameSettings.h"
#include "engine/shell/InputState.h"
#include "engine/shell/MainWindow.h"
#include "engine/shell/RunCounter.h"
#include "engine/shell/SettingsFile.h"
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

// Every key of the file with a value of its own, under maxima that let each one stand, so that a
// key read into another slot shows.
TEST_F(Settings, EveryKeyIsReadIntoItsOwnSlot)
{
    std::fill(std::begin(OptionMaximum), std::end(OptionMaximum), 100000);
    folder.Write("Game.ini",
                 "[Video]\nMode=9\nDistance=3\nShadows=11\nBump=12\nBlur=13\nOSurface=14\nAtmosphere=15\n"
                 "Windowed=16\n[Audio]\nAudio=17\nMaster=18\nMusic=19\nEffects=20\n"
                 "[Misc]\nFile manager=21\nBMP to JPG=22\nGame menu=23\nDebug out=24\n"
                 "[Controls]\nAct01=65\nAct02=66\nAct03=67\nAct04=68\n");
    LoadGameIni("Game.ini");
    const struct {
        int value;
        int expected;
        const char* what;
    } cases[] = {
        {GameSettings[SLOT_MODE], 9, "Mode"},
        {GameSettings[SLOT_DISTANCE], 3 * 750 + 500, "Distance"},
        {GameSettings[SLOT_SHADOWS], 11, "Shadows"},
        {GameSettings[SLOT_BUMP], 12, "Bump"},
        {GameSettings[SLOT_BLUR], 13, "Blur"},
        {GameSettings[SLOT_OSURFACE], 14, "OSurface"},
        {GameSettings[SLOT_ATMOSPHERE], 15, "Atmosphere"},
        {GameSettings[SLOT_WINDOWED], 16, "Windowed"},
        {GameSettings[SLOT_AUDIO], 17, "Audio"},
        {GameSettings[SLOT_MASTER], 18, "Master"},
        {GameSettings[SLOT_MUSIC], 19, "Music"},
        {GameSettings[SLOT_EFFECTS], 20, "Effects"},
        {FileManager, 21, "File manager"},
        {GameSettings[SLOT_BMP_TO_JPG], 22, "BMP to JPG"},
        {GameMenu, 23, "Game menu"},
        {GameSettings[SLOT_DEBUG_MODE], 24, "Debug out (debug mode)"},
        {GameSettings[SLOT_DEBUG_LOG], 24, "Debug out (debug log)"},
        {ActionKeyBinding[ACTION_ACCELERATE].key, 65, "Act01"},
        {ActionKeyBinding[ACTION_BRAKE].key, 66, "Act02"},
        {ActionKeyBinding[ACTION_LEFT].key, 67, "Act03"},
        {ActionKeyBinding[ACTION_RIGHT].key, 68, "Act04"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value, c.expected) << c.what;
}

// Every option the menu changes goes under its own key; the keys the save leaves alone keep
// what the player set by hand, and the file reads back into the same slots.
TEST_F(Settings, SaveWritesEveryOptionUnderItsOwnKeyAndKeepsTheRest)
{
    std::fill(std::begin(OptionMaximum), std::end(OptionMaximum), 100000);
    const std::string handSet = "; mine\n[Video]\nWindowed=1\nGamma=7\n[Audio]\nAudio=0\n"
                                "[Misc]\nFile manager=0\nBMP to JPG=0\nGame menu=0\nDebug out=1\n";
    folder.Write("Game.ini", handSet);
    LoadGameIni("Game.ini");
    const struct {
        int slot;
        int value;
        const char* section;
        const char* key;
        const char* written;
    } options[] = {
        {SLOT_MODE, 9, "Video", "Mode", "9"},
        {SLOT_DISTANCE, 3 * 750 + 500, "Video", "Distance", "3"},
        {SLOT_SHADOWS, 11, "Video", "Shadows", "11"},
        {SLOT_BLUR, 13, "Video", "Blur", "13"},
        {SLOT_ATMOSPHERE, 15, "Video", "Atmosphere", "15"},
        {SLOT_BUMP, 12, "Video", "Bump", "12"},
        {SLOT_OSURFACE, 14, "Video", "OSurface", "14"},
        {SLOT_MASTER, 18, "Audio", "Master", "18"},
        {SLOT_MUSIC, 19, "Audio", "Music", "19"},
        {SLOT_EFFECTS, 20, "Audio", "Effects", "20"},
    };
    for (const auto& o : options)
        GameSettings[o.slot] = o.value;
    const int keys[4] = {65, 66, 67, 68};
    for (int i = 0; i < 4; ++i)
        ActionKeyBinding[i].key = keys[i];
    GameSettings[SLOT_WINDOWED] = GameSettings[SLOT_AUDIO] = 5;

    EXPECT_NE(SaveGameIni(), 0);
    for (const auto& o : options)
        EXPECT_EQ(Ini(o.section, o.key), o.written) << o.key;
    const char* controls[4] = {"Act01", "Act02", "Act03", "Act04"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Ini("Controls", controls[i]), std::to_string(keys[i])) << controls[i];
    const std::string file = folder.Read("Game.ini");
    EXPECT_EQ(file.rfind("; mine\n[Video]\nWindowed=1\nGamma=7\n", 0), 0u) << file;
    EXPECT_NE(file.find("[Audio]\nAudio=0\n"), std::string::npos) << file;
    EXPECT_NE(file.find("[Misc]\nFile manager=0\nBMP to JPG=0\nGame menu=0\nDebug out=1\n"), std::string::npos) << file;

    for (const auto& o : options)
        GameSettings[o.slot] = -1;
    LoadGameIni("Game.ini");
    for (const auto& o : options)
        EXPECT_EQ(GameSettings[o.slot], o.value) << o.key;
}

// Each slot at one past each end of its range: the clamp brings every one to that end, with the
// maxima as the renderer lowered them; the display mode is not clamped.
TEST_F(Settings, ClampBringsEverySlotIntoItsRange)
{
    const int lowered[OPTION_MAXIMA] = {1250, 2, 1, 0, 1, 1};
    std::copy(std::begin(lowered), std::end(lowered), OptionMaximum);
    const struct {
        int slot;
        int maximum;
    } ranges[] = {{SLOT_DISTANCE, 1250}, {SLOT_SHADOWS, 2}, {SLOT_BUMP, 1},   {SLOT_BLUR, 0},   {SLOT_OSURFACE, 1},
                  {SLOT_ATMOSPHERE, 1},  {SLOT_MASTER, 100}, {SLOT_MUSIC, 100}, {SLOT_EFFECTS, 100}};
    for (const auto& r : ranges) {
        for (const auto& [value, expected] : {std::pair {r.maximum + 1, r.maximum}, std::pair {-1, 0},
                                              std::pair {r.maximum, r.maximum}, std::pair {0, 0}}) {
            for (const auto& other : ranges)
                GameSettings[other.slot] = 0;
            GameSettings[r.slot] = value;
            ClampSettings();
            for (const auto& other : ranges)
                EXPECT_EQ(GameSettings[other.slot], other.slot == r.slot ? expected : 0)
                    << "slot " << other.slot << " after slot " << r.slot << " = " << value;
        }
    }
    GameSettings[SLOT_MODE] = 250;
    ClampSettings();
    EXPECT_EQ(GameSettings[SLOT_MODE], 250);
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

// Numbers at and past the ends of the int range read as the nearest end, then clamp.
TEST_F(Settings, NumbersPastTheIntRangeClampLikeAnyOutOfRangeValue)
{
    const struct {
        const char* line;
        int slot;
        int expected;
    } cases[] = {
        {"[Video]\nDistance=2147483647", SLOT_DISTANCE, 2000},
        {"[Video]\nDistance=-2147483648", SLOT_DISTANCE, 0},
        {"[Video]\nDistance=-1", SLOT_DISTANCE, 0},
        {"[Video]\nDistance=0", SLOT_DISTANCE, 500},
        {"[Video]\nDistance=1", SLOT_DISTANCE, 1250},
        {"[Video]\nDistance=99999999999", SLOT_DISTANCE, 2000},
        {"[Video]\nDistance=-99999999999", SLOT_DISTANCE, 0},
        {"[Video]\nShadows=2147483648", SLOT_SHADOWS, 3},
        {"[Video]\nShadows=4294967297", SLOT_SHADOWS, 3},
        {"[Audio]\nMaster=99999999999999999999", SLOT_MASTER, 100},
        {"[Audio]\nMaster=-4294967296", SLOT_MASTER, 0},
        {"[Audio]\nMusic=+150", SLOT_MUSIC, 100},
        {"[Audio]\nEffects=00000000000000000042", SLOT_EFFECTS, 42},
        {"[Video]\nMode=99999999999", SLOT_MODE, std::numeric_limits<int>::max()},
        {"[Video]\nMode=-99999999999", SLOT_MODE, std::numeric_limits<int>::min()},
    };
    for (const auto& c : cases) {
        folder.Write("Game.ini", std::string(c.line) + "\n");
        LoadGameIni("Game.ini");
        EXPECT_EQ(GameSettings[c.slot], c.expected) << c.line;
    }
}

TEST_F(Settings, FailedSaveKeepsGameIniByteForByte)
{
    const std::string handSet = "[Video]\r\nWindowed=1\r\nMode=3\r\n[Controls]\r\nAct01=87\r\n; mine\r\n";
    folder.Write("Game.ini", handSet);
    LoadGameIni("Game.ini");
    // Mode keeps the file's size and would fit alone; the new keys would not.
    GameSettings[SLOT_MODE] = 5;
    GameSettings[SLOT_MUSIC] = 40;
    {
        FileSizeLimit limit(handSet.size());
        EXPECT_EQ(SaveGameIni(), 0);
    }
    EXPECT_EQ(folder.Read("Game.ini"), handSet);
}

// A save, and the reset of a first start, give Game.ini its new content in one replace: a
// kill at any moment leaves either the old options or the new ones.
TEST_F(Settings, SaveReplacesGameIniOnce)
{
    folder.Write("Game.ini", "[Video]\nWindowed=1\n");
    LoadGameIni("Game.ini");
    const int watcher = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watcher, 0);
    ASSERT_GE(inotify_add_watch(watcher, folder.path().c_str(), IN_MOVED_TO), 0);
    const auto replacesOfGameIni = [watcher] {
        int replaces = 0;
        alignas(inotify_event) char events[4096];
        for (ssize_t size; (size = read(watcher, events, sizeof events)) > 0;) {
            for (char* at = events; at < events + size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                if ((event->mask & IN_MOVED_TO) && std::string(event->name) == "Game.ini")
                    ++replaces;
                at += sizeof(inotify_event) + event->len;
            }
        }
        return replaces;
    };
    EXPECT_NE(SaveGameIni(), 0);
    EXPECT_EQ(replacesOfGameIni(), 1);
    ResetSettings();
    EXPECT_EQ(replacesOfGameIni(), 1);
    close(watcher);
}

TEST_F(Settings, ResetWritesDefaultsAndKeepsHandSetLines)
{
    folder.Write("Game.ini", "[Video]\nWindowed=1\nMode=3\n[Misc]\nDebug out=1\n");
    LoadGameIni("Game.ini");
    for (int slot = SLOT_MODE; slot <= SLOT_EFFECTS; ++slot)
        GameSettings[slot] = 0;
    ResetSettings();
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } defaults[] = {
        {"Video", "Mode", "100"},   {"Video", "Distance", "2"}, {"Video", "Shadows", "3"},
        {"Video", "Bump", "2"},     {"Video", "Blur", "1"},     {"Video", "OSurface", "1"},
        {"Video", "Atmosphere", "2"}, {"Audio", "Master", "100"}, {"Audio", "Music", "100"},
        {"Audio", "Effects", "100"},
    };
    for (const auto& d : defaults)
        EXPECT_EQ(Ini(d.section, d.key), d.value) << d.key;
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
