// The menu's profile list and the profile it loads, creates, saves and deletes.
#include <cstdio>
#include <cstring>

#include "engine/shell/ErrorBox.h"
#include "engine/shell/SettingsFile.h"
#include "frontend/GameMenu.h"
#include "frontend/Profiles.h"
#include "platform/win/WinFiles.h"

namespace {

bool IsSelected(int profileCount)
{
    return SelectedProfile >= 0 && SelectedProfile < profileCount;
}

// The player's name, always terminated, with the career.
ProfileImage ProfileOf(const CareerProgress& career)
{
    ProfileImage profile;
    std::memcpy(profile.name, PlayerName, sizeof profile.name);
    profile.name[PLAYER_NAME_SIZE - 1] = 0;
    profile.career = career;
    return profile;
}

// A damaged profile file's place on the page: its file name, marked, on an item that cannot be
// chosen.
void ShowDamaged(CMenuButton& item, const char* path)
{
    const char* separator = std::strrchr(path, '/');
    std::snprintf(item.caption, sizeof item.caption, "%s DAMAGED", separator ? separator + 1 : path);
}

} // namespace

void CGameMenu::ListProfiles()
{
    ProfileList list;
    ListProfileFiles(list);
    profileCount = list.count;
    damagedProfileCount = list.damagedCount;
    for (int i = 0; i < MENU_PROFILES; ++i) {
        CMenuButton& item = profileItems[i];
        const bool listed = i < list.count;
        std::memset(item.caption, 0, sizeof item.caption);
        if (listed) {
            std::memcpy(profileFiles[i], list.paths[i], sizeof profileFiles[i]);
            std::memcpy(item.caption, list.names[i], PLAYER_NAME_SIZE);
        } else if (i < list.count + list.damagedCount) {
            ShowDamaged(item, list.damagedPaths[i - list.count]);
        }
        item.enabled = listed;
    }
    profileContinue.enabled = list.count > 0;
    SelectedProfile = list.count > 0 ? 0 : -1;
}

void CGameMenu::CreateNewProfile()
{
    // An existing file is never overwritten, and the list shows at most ten profiles.
    const int number = profileCount < MENU_PROFILES ? FreeProfileNumber(profileCount + 1) : 0;
    CareerProgress fresh;
    ResetCareer(fresh);
    const ProfileImage profile = ProfileOf(fresh);
    char path[PROFILE_PATH_SIZE];
    ProfilePath(number, path);
    if (number == 0 || !WriteProfileFile(path, profile)) {
        ShowMessage("Could't create new profile!", "CreateNewProfile() error!", MB_ICONWARNING);
        return;
    }
    CareerBlock = profile.career;
    std::memcpy(profileFiles[profileCount], path, sizeof path);
    SelectedProfile = profileCount;
    ++profileCount;
    continueCareer.enabled = 0;
    profileLoaded = 1;
    SaveGameIni();
}

void CGameMenu::LoadProfile()
{
    if (!IsSelected(profileCount))
        return;
    ProfileImage profile;
    if (ReadProfileFile(profileFiles[SelectedProfile], profile) != SaveReadResult::Loaded) {
        ShowMessage("Could't load profile!", "LoadProfile() error!", MB_OK);
        return;
    }
    std::memcpy(PlayerName, profile.name, sizeof PlayerName);
    CareerBlock = profile.career;
    MenuSelection.scooter = CareerBlock.careerScooter;
    profileLoaded = 1;
    continueCareer.enabled = CareerBlock.noCareer == 0;
}

void CGameMenu::SaveProfile()
{
    if (!IsSelected(profileCount))
        return;
    if (!WriteProfileFile(profileFiles[SelectedProfile], ProfileOf(CareerBlock)))
        ShowMessage("Could't save profile!", "SaveProfile() error!", MB_ICONWARNING);
}

void CGameMenu::DeleteProfile()
{
    if (!IsSelected(profileCount))
        return;
    DeleteFileA(profileFiles[SelectedProfile]);
    ListProfiles();
}
