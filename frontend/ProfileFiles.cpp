#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/files/FileSystem.h"
#include "engine/shell/DebugLog.h"
#include "frontend/Profiles.h"
#include "frontend/SaveFile.h"
#include "platform/win/WinFiles.h"

char PlayerName[PLAYER_NAME_SIZE] = "Player";
CareerProgress CareerBlock;
int SelectedProfile = -1;

namespace {

constexpr int CAREER_STAGES = 4;
constexpr int UPGRADE_LEVEL_MAXIMUM = 9;
constexpr int RACERS_LIMIT = 64;

bool InRange(std::int32_t value, std::int32_t low, std::int32_t high)
{
    return value >= low && value <= high;
}

bool IsTime(float seconds)
{
    return std::isfinite(seconds) && seconds >= 0.0f;
}

// Earlier builds counted the sectors and scooters open on past all open at the end of a career.
void CapOpenCounts(CareerProgress& career)
{
    career.sectorsOpen = std::min(career.sectorsOpen, CAREER_SECTORS);
    career.scootersOpen = std::min(career.scootersOpen, CAREER_SCOOTERS);
}

bool FileExists(const char* path)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

} // namespace

void ResetCareer(CareerProgress& career)
{
    std::memset(&career, 0, sizeof career);
    career.sectorsOpen = 1;
    career.scootersOpen = 4;
    career.careerScooter = 0;
    career.upgradePoints = 0;
    career.noCareer = 1;
}

bool IsPlausibleCareer(const CareerProgress& career)
{
    for (int entry = 0; entry < CAREER_ENTRIES; ++entry)
        if (!InRange(career.places[entry], 0, 3) || !IsTime(career.times[entry]))
            return false;
    return InRange(career.sector, 0, CAREER_SECTORS - 1) && InRange(career.stage, 0, CAREER_STAGES) &&
           InRange(career.noCareer, 0, 1) && career.careersCompleted >= 0 &&
           InRange(career.lastPlace, -1, RACERS_LIMIT) && std::isfinite(career.lastTime) &&
           InRange(career.sectorsOpen, 1, CAREER_SECTORS) && InRange(career.scootersOpen, 1, CAREER_SCOOTERS) &&
           InRange(career.careerScooter, 0, CAREER_SCOOTERS - 1) && career.upgradePoints >= 0 &&
           InRange(career.speedLevel, 0, UPGRADE_LEVEL_MAXIMUM) &&
           InRange(career.powerLevel, 0, UPGRADE_LEVEL_MAXIMUM) &&
           InRange(career.controlLevel, 0, UPGRADE_LEVEL_MAXIMUM);
}

SaveReadResult ReadProfileFile(const char* path, ProfileImage& profile)
{
    int size = 0;
    const int handle = fileSystem.Open(path, FILE_MODE_BINARY, &size);
    if (handle < 0)
        return SaveReadResult::Missing;
    ProfileImage image;
    const bool whole = size == PROFILE_FILE_SIZE && fileSystem.Read(&image, sizeof image, 1, handle) == 1;
    fileSystem.Close(handle);
    if (whole)
        CapOpenCounts(image.career);
    if (!whole || !std::memchr(image.name, 0, sizeof image.name) || !IsPlausibleCareer(image.career)) {
        DebugOutStr("Damaged profile file left alone: %s", path);
        return SaveReadResult::Damaged;
    }
    profile = image;
    return SaveReadResult::Loaded;
}

void ProfilePath(int number, char* path)
{
    std::snprintf(path, PROFILE_PATH_SIZE, "Save/Profile%02d.sav", number);
}

bool WriteProfileFile(const char* path, const ProfileImage& profile)
{
    const char* separator = std::strrchr(path, '/');
    return WriteSaveFile(separator ? separator + 1 : path, &profile, sizeof profile);
}

void ListProfileFiles(ProfileList& list)
{
    list.count = 0;
    list.damagedCount = 0;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA("Save/Profile*.sav", &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        char path[PROFILE_PATH_SIZE];
        if (std::snprintf(path, sizeof path, "Save/%s", found.cFileName) >= PROFILE_PATH_SIZE)
            continue;
        ProfileImage profile;
        if (ReadProfileFile(path, profile) == SaveReadResult::Loaded) {
            std::memcpy(list.paths[list.count], path, sizeof path);
            std::memcpy(list.names[list.count], profile.name, PLAYER_NAME_SIZE);
            ++list.count;
        } else if (list.damagedCount < PROFILE_LIST_SIZE) {
            std::memcpy(list.damagedPaths[list.damagedCount++], path, sizeof path);
        }
    } while (list.count < PROFILE_LIST_SIZE && FindNextFileA(search, &found));
    FindClose(search);
    list.damagedCount = std::min(list.damagedCount, PROFILE_LIST_SIZE - list.count);
}

int FreeProfileNumber(int preferred)
{
    char path[PROFILE_PATH_SIZE];
    if (InRange(preferred, 1, PROFILE_NUMBER_LIMIT)) {
        ProfilePath(preferred, path);
        if (!FileExists(path))
            return preferred;
    }
    for (int number = 1; number <= PROFILE_NUMBER_LIMIT; ++number) {
        ProfilePath(number, path);
        if (!FileExists(path))
            return number;
    }
    return 0;
}
