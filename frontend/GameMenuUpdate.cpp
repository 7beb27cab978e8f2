// One frame of menu logic: the keyboard focus, then the actions of the page shown.
#include <cstring>

#include "audio/AudioManager.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "engine/shell/SettingsFile.h"
#include "frontend/Cursor.h"
#include "frontend/GameMenu.h"
#include "frontend/Profiles.h"
#include "world/scooters/Vehicle.h"

namespace {

constexpr int TEXT_ENTRY_OFF = 0;
constexpr int TEXT_ENTRY_ON = 1;
constexpr int TEXT_ENTRY_BACKSPACE = 3;
constexpr int NAME_MAXIMUM = PLAYER_NAME_SIZE - 1;
constexpr float NAME_SCALE = 0.75f;
constexpr float NAME_WIDTH_LIMIT = 300.0f;
constexpr int VIEW_DISTANCE_MINIMUM = 500;
constexpr int VIEW_DISTANCE_STEP = 750;
constexpr int VOLUME_STEP = 5;
constexpr int VOLUME_MAXIMUM = 100;
constexpr int UPGRADE_LEVEL_MAXIMUM = 9;

// value + 1, wrapping to 0 after the maximum.
void StepWrapped(int& value, int maximum)
{
    value = value >= maximum ? 0 : value + 1;
}

bool TakeEscape()
{
    if (!inputState.escape)
        return false;
    inputState.escape = 0;
    return true;
}

} // namespace

void CGameMenu::Update()
{
    const int startPage = page;
    if (startPage == MENU_PAGE_IN_RACE)
        UpdateInRaceMenu();
    else if (startPage == MENU_PAGE_END_OF_RACE || startPage == MENU_PAGE_END_OF_CAREER)
        UpdateEndPage();
    cursor.Update();
    const bool racePage = startPage == MENU_PAGE_IN_RACE || startPage == MENU_PAGE_END_OF_RACE ||
                          startPage == MENU_PAGE_END_OF_CAREER;
    if (!active || racePage)
        return;

    fade += gameTimer.gameStep;
    // While a name is typed the space bar types a blank; it must not press the focused "DONE".
    if (inputState.textEntry != TEXT_ENTRY_OFF)
        inputState.space = 0;
    UpdateSelection();
    UpdatePage();
}

void CGameMenu::UpdatePage()
{
    switch (page) {
    case MENU_PAGE_PROFILES: UpdateProfilesPage(); break;
    case MENU_PAGE_CREATE_PLAYER: UpdateCreatePlayerPage(); break;
    case MENU_PAGE_MAIN: UpdateMainPage(); break;
    case MENU_PAGE_QUICK_RACE: UpdateQuickRacePage(); break;
    case MENU_PAGE_CAREER: UpdateCareerPage(); break;
    case MENU_PAGE_SCOOTER_CHOICE: UpdateScooterChoicePage(); break;
    case MENU_PAGE_CAREER_PROGRESS: UpdateCareerProgressPage(); break;
    case MENU_PAGE_UPGRADE: UpdateUpgradePage(); break;
    case MENU_PAGE_BEST_RESULTS:
        if (BackRequested())
            OpenPage(MENU_PAGE_MAIN);
        break;
    case MENU_PAGE_OPTIONS: UpdateOptionsPage(); break;
    case MENU_PAGE_GRAPHICS: UpdateGraphicsPage(); break;
    case MENU_PAGE_AUDIO: UpdateAudioPage(); break;
    case MENU_PAGE_CONTROLS:
        if (BackRequested())
            OpenPage(MENU_PAGE_OPTIONS);
        break;
    case MENU_PAGE_TRANSITION: UpdateTransition(); break;
    default: break;
    }
}

bool CGameMenu::BackRequested()
{
    return back.IsActivated() || TakeEscape();
}

void CGameMenu::UpdateProfilesPage()
{
    for (int i = 0; i < MENU_PROFILES; ++i) {
        if (profileItems[i].IsActivated())
            SelectedProfile = i;
    }
    if (profileContinue.IsActivated() && SelectedProfile != -1) {
        LoadProfile();
        OpenPage(MENU_PAGE_MAIN);
        return;
    }
    if (deleteProfile.IsActivated())
        DeleteProfile();
    if (newProfile.IsActivated())
        OpenPage(MENU_PAGE_CREATE_PLAYER);
}

void CGameMenu::UpdateCreatePlayerPage()
{
    const auto length = static_cast<int>(std::strlen(PlayerName));
    if (inputState.textEntry == TEXT_ENTRY_ON && inputState.typedChar != 0) {
        const char typed = static_cast<char>(inputState.typedChar);
        if (font.FindChar(typed) != FONT_NO_GLYPH && length < NAME_MAXIMUM &&
            font.GetTextWidth(PlayerName, NAME_SCALE, 0) < NAME_WIDTH_LIMIT) {
            PlayerName[length] = typed;
            PlayerName[length + 1] = 0;
        }
    }
    inputState.typedChar = 0;
    if (inputState.textEntry == TEXT_ENTRY_BACKSPACE) {
        if (length > 0)
            PlayerName[length - 1] = 0;
        inputState.textEntry = TEXT_ENTRY_ON;
    }

    createDone.enabled = PlayerName[0] != 0;
    if (!createDone.enabled)
        createDone.pressed = 0;
    if (createDone.IsActivated()) {
        inputState.textEntry = TEXT_ENTRY_OFF;
        inputState.typedChar = 0;
        CreateNewProfile();
        OpenPage(MENU_PAGE_MAIN);
        return;
    }
    if (profileCount > 0 && BackRequested()) {
        inputState.textEntry = TEXT_ENTRY_OFF;
        OpenPage(MENU_PAGE_PROFILES);
    }
}

void CGameMenu::UpdateMainPage()
{
    if (quickRace.IsActivated())
        OpenPage(MENU_PAGE_QUICK_RACE);
    else if (career.IsActivated())
        OpenPage(MENU_PAGE_CAREER);
    else if (options.IsActivated())
        OpenPage(MENU_PAGE_OPTIONS);
    else if (bestResults.IsActivated())
        OpenPage(MENU_PAGE_BEST_RESULTS);
    else if (autoplay.IsActivated())
        StartAutoplay();
    else if (changeProfile.IsActivated())
        OpenPage(MENU_PAGE_PROFILES);
    else if (exitGame.IsActivated())
        OpenPage(MENU_PAGE_EXIT);
}

void CGameMenu::UpdateQuickRacePage()
{
    MenuChoices& choice = MenuSelection;
    choice.scooterMaximum = MENU_SCOOTERS - 1;
    if (sectorSelector.IsActivated()) {
        StepWrapped(choice.sector, choice.sectorMaximum);
        LoadLocationPhoto();
        UpdateQuickRaceTexts();
    }
    if (scooterSelector.IsActivated()) {
        int next = choice.scooter;
        StepWrapped(next, choice.scooterMaximum);
        SelectScooter(next);
        UpdateQuickRaceTexts();
    }
    struct Step {
        CMenuSelector& selector;
        int& value;
        int maximum;
    };
    const Step steps[] = {
        {trackSelector, choice.track, choice.trackMaximum},
        {difficultySelector, choice.difficulty, choice.difficultyMaximum},
        {lengthSelector, choice.length, choice.lengthMaximum},
        {racersSelector, choice.racersIndex, choice.racersMaximum},
        {levelSelector, choice.racerLevel, choice.levelMaximum},
    };
    for (const Step& step : steps) {
        if (step.selector.IsActivated()) {
            StepWrapped(step.value, step.maximum);
            UpdateQuickRaceTexts();
        }
    }

    const bool open = choice.sector < CareerBlock.sectorsOpen && choice.scooter < CareerBlock.scootersOpen;
    startQuickRace.enabled = open;
    if (!open)
        startQuickRace.pressed = 0;
    if (startQuickRace.IsActivated()) {
        StartQuickRace();
        return;
    }
    if (BackRequested())
        OpenPage(MENU_PAGE_MAIN);
}

void CGameMenu::UpdateCareerPage()
{
    if (continueCareer.IsActivated()) {
        OpenPage(MENU_PAGE_CAREER_PROGRESS);
        return;
    }
    if (startNewCareer.IsActivated()) {
        CareerBlock.sector = 0;
        CareerBlock.stage = 0;
        CareerBlock.upgradePoints = 0;
        CareerBlock.noCareer = 0;
        OpenPage(MENU_PAGE_SCOOTER_CHOICE);
        return;
    }
    if (BackRequested())
        OpenPage(MENU_PAGE_MAIN);
}

void CGameMenu::UpdateScooterChoicePage()
{
    for (int j = 0; j < MENU_SCOOTERS; ++j) {
        if (scooterItems[j].IsActivated())
            SelectScooter(j);
    }
    scooterDone.enabled = MenuSelection.scooter < CareerBlock.scootersOpen;
    if (!scooterDone.enabled)
        scooterDone.pressed = 0;
    if (scooterDone.IsActivated()) {
        CareerBlock.careerScooter = MenuSelection.scooter;
        if (previewScooter) {
            CareerBlock.speedLevel = previewScooter->baseSpeedLevel;
            CareerBlock.powerLevel = previewScooter->basePowerLevel;
            CareerBlock.controlLevel = previewScooter->baseControlLevel;
        }
        OpenPage(MENU_PAGE_CAREER_PROGRESS);
        return;
    }
    if (BackRequested())
        OpenPage(MENU_PAGE_MAIN);
}

void CGameMenu::UpdateCareerProgressPage()
{
    if (startCareerRace.IsActivated()) {
        StartCareerRace();
        return;
    }
    if (BackRequested()) {
        OpenPage(MENU_PAGE_MAIN);
        SaveProfile();
        RaceMode = RACE_MODE_NONE;
    }
}

void CGameMenu::UpdateUpgradePage()
{
    struct Upgrade {
        CMenuButton& item;
        std::int32_t& level;
    };
    const Upgrade upgrades[] = {
        {upgradeSpeed, CareerBlock.speedLevel},
        {upgradePower, CareerBlock.powerLevel},
        {upgradeControl, CareerBlock.controlLevel},
    };
    for (const Upgrade& upgrade : upgrades) {
        if (upgrade.item.IsActivated()) {
            ++upgrade.level;
            SaveProfile();
            OpenPage(MENU_PAGE_CAREER_PROGRESS);
            return;
        }
    }
}

void CGameMenu::UpdateOptionsPage()
{
    if (graphics.IsActivated())
        OpenPage(MENU_PAGE_GRAPHICS);
    else if (audio.IsActivated())
        OpenPage(MENU_PAGE_AUDIO);
    else if (controls.IsActivated())
        OpenPage(MENU_PAGE_CONTROLS);
    else if (BackRequested())
        OpenPage(MENU_PAGE_MAIN);
}

void CGameMenu::StepGraphicsOption(int selector)
{
    switch (selector) {
    case GRAPHICS_RESOLUTION: {
        int& mode = optionCopies[OPTION_COPY_MODE];
        mode = mode + 1 >= d3dRender.displayModeCount ? 0 : mode + 1;
        break;
    }
    case GRAPHICS_VIEW_DISTANCE: {
        int& distance = optionCopies[OPTION_COPY_DISTANCE];
        distance = distance >= OptionMaximumOf(SLOT_DISTANCE) ? VIEW_DISTANCE_MINIMUM : distance + VIEW_DISTANCE_STEP;
        break;
    }
    case GRAPHICS_SHADOWS: StepWrapped(optionCopies[OPTION_COPY_SHADOWS], OptionMaximumOf(SLOT_SHADOWS)); break;
    case GRAPHICS_RELIEF: StepWrapped(optionCopies[OPTION_COPY_RELIEF], OptionMaximumOf(SLOT_BUMP)); break;
    case GRAPHICS_BLUR: StepWrapped(optionCopies[OPTION_COPY_BLUR], OptionMaximumOf(SLOT_BLUR)); break;
    case GRAPHICS_OCEAN: StepWrapped(optionCopies[OPTION_COPY_OCEAN], OptionMaximumOf(SLOT_OSURFACE)); break;
    case GRAPHICS_CLOUDS: StepWrapped(optionCopies[OPTION_COPY_CLOUDS], OptionMaximumOf(SLOT_ATMOSPHERE)); break;
    default: break;
    }
}

void CGameMenu::RestoreOptionCopies()
{
    for (int i = 0; i < OPTION_COPIES; ++i)
        optionCopies[i] = GameSettings[OPTION_COPY_SLOTS[i]];
}

void CGameMenu::UpdateGraphicsPage()
{
    for (int i = 0; i < GRAPHICS_SELECTORS; ++i) {
        if (graphicsSelectors[i].IsActivated()) {
            StepGraphicsOption(i);
            UpdateOptionTexts();
        }
    }
    if (accept.IsActivated()) {
        for (int i = 0; i < OPTION_COPIES; ++i)
            GameSettings[OPTION_COPY_SLOTS[i]] = optionCopies[i];
        ClampSettings();
        SaveGameIni();
        OpenPage(MENU_PAGE_OPTIONS);
        return;
    }
    if (cancel.IsActivated() || TakeEscape()) {
        RestoreOptionCopies();
        OpenPage(MENU_PAGE_OPTIONS);
    }
}

void CGameMenu::UpdateAudioPage()
{
    const struct {
        CMenuSelector& selector;
        SettingSlot slot;
    } volumes[] = {{musicVolume, SLOT_MUSIC}, {effectsVolume, SLOT_EFFECTS}};
    for (const auto& volume : volumes) {
        if (volume.selector.IsActivated()) {
            int& value = GameSettings[volume.slot];
            value = value >= VOLUME_MAXIMUM ? 0 : value + VOLUME_STEP;
            UpdateOptionTexts();
            SaveGameIni();
        }
    }
    if (BackRequested())
        OpenPage(MENU_PAGE_OPTIONS);
}

void CGameMenu::OpenPageAfterUpgrade()
{
    SelectScooter(CareerBlock.careerScooter);
    if (previewScooter) {
        previewScooter->speedLevel = CareerBlock.speedLevel;
        previewScooter->powerLevel = CareerBlock.powerLevel;
        previewScooter->controlLevel = CareerBlock.controlLevel;
        previewScooter->UpdateParameters();
    }
    upgradeSpeed.enabled = CareerBlock.speedLevel < UPGRADE_LEVEL_MAXIMUM;
    upgradePower.enabled = CareerBlock.powerLevel < UPGRADE_LEVEL_MAXIMUM;
    upgradeControl.enabled = CareerBlock.controlLevel < UPGRADE_LEVEL_MAXIMUM;
    const bool anyOpen = upgradeSpeed.enabled || upgradePower.enabled || upgradeControl.enabled;
    OpenPage(anyOpen ? MENU_PAGE_UPGRADE : MENU_PAGE_CAREER_PROGRESS);
    SaveProfile();
}
