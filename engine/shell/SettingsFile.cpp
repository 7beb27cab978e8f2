#include "engine/shell/SettingsFile.h"

#include <algorithm>
#include <cstdio>
#include <cctype>
#include <limits>
#include <string>

#include "engine/render/VertexTemplates.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/InputState.h"
#include "platform/win/IniDocument.h"
#include "platform/win/WinFiles.h"
#include "platform/win/WinProfile.h"

namespace {

std::string WorkingFolder()
{
    char folder[256] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    return folder;
}

// The leading number of the text as atoi reads it (0 without one), but a number past the int
// range gives the nearest end of the range, so that it clamps as any other out-of-range value.
int LeadingInt(const char* text)
{
    while (std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    constexpr long long LIMIT = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long magnitude = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)); ++text)
        magnitude = std::min(LIMIT, magnitude * 10 + (*text - '0'));
    return static_cast<int>(std::clamp(negative ? -magnitude : magnitude,
                                       static_cast<long long>(std::numeric_limits<int>::min()),
                                       static_cast<long long>(std::numeric_limits<int>::max())));
}

int ReadInt(const char* section, const char* key, const char* defaultValue, const std::string& path)
{
    char value[128];
    GetPrivateProfileStringA(section, key, defaultValue, value, sizeof value, path.c_str());
    return LeadingInt(value);
}

// Slot 30 from the file's Distance steps. Steps below -1 or past the int range give the same
// slot after the clamp as -1 or the largest step, so they are cut first.
int DistanceOfSteps(int steps)
{
    constexpr int STEP = 750, BASE = 500;
    return std::clamp(steps, -1, (std::numeric_limits<int>::max() - BASE) / STEP) * STEP + BASE;
}

constexpr const char* CONTROL_KEYS[4] = {"Act01", "Act02", "Act03", "Act04"};
constexpr const char* CONTROL_DEFAULTS[4] = {"38", "40", "37", "39"};

} // namespace

void LoadGameIni(const char* fileName)
{
    const std::string path = WorkingFolder() + "/" + fileName;
    GameSettings[SLOT_MODE] = ReadInt("Video", "Mode", "1", path);
    GameSettings[SLOT_DISTANCE] = DistanceOfSteps(ReadInt("Video", "Distance", "2", path));
    GameSettings[SLOT_SHADOWS] = ReadInt("Video", "Shadows", "2", path);
    GameSettings[SLOT_BLUR] = ReadInt("Video", "Blur", "1", path);
    GameSettings[SLOT_ATMOSPHERE] = ReadInt("Video", "Atmosphere", "2", path);
    GameSettings[SLOT_BUMP] = ReadInt("Video", "Bump", "2", path);
    GameSettings[SLOT_OSURFACE] = ReadInt("Video", "OSurface", "1", path);
    GameSettings[SLOT_WINDOWED] = ReadInt("Video", "Windowed", "0", path);
    GameSettings[SLOT_AUDIO] = ReadInt("Audio", "Audio", "1", path);
    GameSettings[SLOT_MASTER] = ReadInt("Audio", "Master", "100", path);
    GameSettings[SLOT_MUSIC] = ReadInt("Audio", "Music", "100", path);
    GameSettings[SLOT_EFFECTS] = ReadInt("Audio", "Effects", "100", path);
    FileManager = ReadInt("Misc", "File manager", "1", path);
    GameSettings[SLOT_BMP_TO_JPG] = ReadInt("Misc", "BMP to JPG", "1", path);
    GameMenu = ReadInt("Misc", "Game menu", "1", path);
    GameSettings[SLOT_DEBUG_MODE] = GameSettings[SLOT_DEBUG_LOG] = ReadInt("Misc", "Debug out", "0", path);
    for (int i = 0; i < 4; ++i)
        ActionKeyBinding[i].key = ReadInt("Controls", CONTROL_KEYS[i], CONTROL_DEFAULTS[i], path);
    ClampSettings();
    FillVertexTemplates();
}

// The whole new file is built first and replaces the old one in one step, so the file never
// holds some options of this save and the rest of an earlier one.
int SaveGameIni()
{
    const std::string path = NativePath((WorkingFolder() + "\\Game.ini").c_str());
    std::string problem = "cannot be written";
    auto ini = IniDocument::Load(path, &problem);
    const auto write = [&](const char* section, const char* key, int value) {
        if (ini)
            ini->SetValue(section, key, std::to_string(value).c_str());
    };
    write("Video", "Mode", GameSettings[SLOT_MODE]);
    write("Video", "Distance", (GameSettings[SLOT_DISTANCE] - 500) / 750);
    write("Video", "Shadows", GameSettings[SLOT_SHADOWS]);
    write("Video", "Blur", GameSettings[SLOT_BLUR]);
    write("Video", "Atmosphere", GameSettings[SLOT_ATMOSPHERE]);
    write("Video", "Bump", GameSettings[SLOT_BUMP]);
    write("Video", "OSurface", GameSettings[SLOT_OSURFACE]);
    write("Audio", "Master", GameSettings[SLOT_MASTER]);
    write("Audio", "Music", GameSettings[SLOT_MUSIC]);
    write("Audio", "Effects", GameSettings[SLOT_EFFECTS]);
    for (int i = 0; i < 4; ++i)
        write("Controls", CONTROL_KEYS[i], ActionKeyBinding[i].key);
    // A failed write leaves the file as it was; the options still hold for this run.
    const bool written = ini && ini->Save(path);
    if (!written)
        std::fprintf(stderr, "Could not write the options to %s: %s\n", path.c_str(), problem.c_str());
    return written ? TRUE : FALSE;
}

void ClampSettings()
{
    for (int slot = SLOT_DISTANCE; slot <= SLOT_ATMOSPHERE; ++slot)
        GameSettings[slot] = std::min(OptionMaximumOf(SettingSlot(slot)), std::max(0, GameSettings[slot]));
    for (int slot : {SLOT_MASTER, SLOT_MUSIC, SLOT_EFFECTS})
        GameSettings[slot] = std::min(100, std::max(0, GameSettings[slot]));
}

void ResetSettings()
{
    GameSettings[SLOT_MODE] = 100;
    for (int slot = SLOT_DISTANCE; slot <= SLOT_ATMOSPHERE; ++slot)
        GameSettings[slot] = OptionMaximumOf(SettingSlot(slot));
    for (int slot : {SLOT_MASTER, SLOT_MUSIC, SLOT_EFFECTS})
        GameSettings[slot] = 100;
    SaveGameIni();
}
