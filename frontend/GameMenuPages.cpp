// Page changes: every page code is set here, with the page's focus list and what opening it does.
#include "audio/AudioManager.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "engine/shell/WindowProcedure.h"
#include "frontend/Background.h"
#include "frontend/Cursor.h"
#include "frontend/GameMenu.h"
#include "frontend/Profiles.h"
#include "world/World.h"
#include "world/scooters/VehicleManager.h"

namespace {

constexpr int TEXT_ENTRY_ON = 1;

bool RaceRunning()
{
    return GameSettings[SLOT_RACE_RUNNING] != 0;
}

// A race has been set up (running or paused); before the first one, during the splash, Esc and
// P have no race to pause or resume.
bool RaceExists()
{
    return playerVehicle != nullptr;
}

void ResumeRace()
{
    background.SetBackground(BACKGROUND_NONE, 1);
    GameSettings[SLOT_RACE_RUNNING] = 1;
    gameTimer.Resume();
}

void PauseRace()
{
    background.SetBackground(BACKGROUND_SCROLL_ONLY, 1);
    GameSettings[SLOT_RACE_RUNNING] = 0;
    gameTimer.Pause();
}

} // namespace

void CGameMenu::SetFocusList(std::initializer_list<CMenuButton*> items, CMenuButton* initial)
{
    ClearFocus();
    for (CMenuButton* item : items) {
        if (focusCount < MENU_FOCUS_LIST)
            focusList[focusCount++] = item;
    }
    SetFocus(initial);
}

void CGameMenu::SetPageFocus(int pageCode)
{
    switch (pageCode) {
    case MENU_PAGE_PROFILES: SetFocusList({&profileContinue, &newProfile, &deleteProfile}, &profileContinue); break;
    case MENU_PAGE_CREATE_PLAYER:
        if (profileCount > 0)
            SetFocusList({&createDone, &back}, &createDone);
        else
            SetFocusList({&createDone}, &createDone);
        break;
    case MENU_PAGE_MAIN:
        SetFocusList({&quickRace, &career, &options, &bestResults, &autoplay, &changeProfile, &exitGame}, &quickRace);
        break;
    case MENU_PAGE_QUICK_RACE:
        SetFocusList({&sectorSelector, &scooterSelector, &trackSelector, &difficultySelector, &lengthSelector,
                      &racersSelector, &levelSelector, &startQuickRace, &back},
                     &startQuickRace);
        break;
    case MENU_PAGE_CAREER:
        SetFocusList({&continueCareer, &startNewCareer, &back},
                     continueCareer.enabled ? &continueCareer : &startNewCareer);
        break;
    case MENU_PAGE_SCOOTER_CHOICE: SetFocusList({&scooterDone, &back}, &back); break;
    case MENU_PAGE_CAREER_PROGRESS: SetFocusList({&startCareerRace, &back}, &startCareerRace); break;
    case MENU_PAGE_UPGRADE: {
        CMenuButton* firstEnabled = upgradeSpeed.enabled ? &upgradeSpeed
                                    : upgradePower.enabled ? &upgradePower
                                                           : &upgradeControl;
        SetFocusList({&upgradeSpeed, &upgradePower, &upgradeControl}, firstEnabled);
        break;
    }
    case MENU_PAGE_BEST_RESULTS:
    case MENU_PAGE_CONTROLS: SetFocusList({&back}, &back); break;
    case MENU_PAGE_OPTIONS: SetFocusList({&graphics, &audio, &controls, &back}, &graphics); break;
    case MENU_PAGE_GRAPHICS: {
        SetFocusList({}, nullptr);
        for (CMenuSelector& selector : graphicsSelectors)
            focusList[focusCount++] = &selector;
        focusList[focusCount++] = &accept;
        focusList[focusCount++] = &cancel;
        SetFocus(&graphicsSelectors[0]);
        break;
    }
    case MENU_PAGE_AUDIO: SetFocusList({&musicVolume, &effectsVolume, &back}, &musicVolume); break;
    case MENU_PAGE_IN_RACE: SetFocusList({&raceContinue, &raceRestart, &exitRace}, &raceContinue); break;
    case MENU_PAGE_END_OF_RACE: SetFocusList({&endContinue, &endRestart}, &endContinue); break;
    case MENU_PAGE_END_OF_CAREER: SetFocusList({&endContinue}, &endContinue); break;
    default: ClearFocus(); break;
    }
}

void CGameMenu::OpenPage(int pageCode)
{
    const bool overRace = pageCode == MENU_PAGE_PAUSE || pageCode == MENU_PAGE_IN_RACE ||
                          pageCode == MENU_PAGE_END_OF_RACE || pageCode == MENU_PAGE_END_OF_CAREER;
    if (active && overRace)
        return;
    const bool endPageOpen = page == MENU_PAGE_END_OF_RACE || page == MENU_PAGE_END_OF_CAREER;
    if (endPageOpen && (pageCode == MENU_PAGE_PAUSE || pageCode == MENU_PAGE_IN_RACE))
        return;

    switch (pageCode) {
    case MENU_PAGE_NONE:
        ClearFocus();
        page = MENU_PAGE_NONE;
        return;
    case MENU_PAGE_PROFILES:
        ListProfiles();
        // Damaged profile files alone still show the page, so that the player sees them.
        if (profileCount == 0 && damagedProfileCount == 0) {
            OpenPage(MENU_PAGE_CREATE_PLAYER);
            return;
        }
        break;
    case MENU_PAGE_CREATE_PLAYER:
        inputState.textEntry = TEXT_ENTRY_ON;
        inputState.typedChar = 0;
        break;
    case MENU_PAGE_QUICK_RACE:
        MenuSelection.sector = 0;
        SelectScooter(MenuSelection.scooter);
        UpdateQuickRaceTexts();
        LoadLocationPhoto();
        break;
    case MENU_PAGE_SCOOTER_CHOICE: SelectScooter(MenuSelection.scooter); break;
    case MENU_PAGE_OPTIONS: UpdateOptionTexts(); break;
    case MENU_PAGE_EXIT: GameSettings[SLOT_QUIT] = 1; break;
    case MENU_PAGE_PAUSE: OpenPauseToggle(); return;
    case MENU_PAGE_IN_RACE: OpenInRaceToggle(); return;
    case MENU_PAGE_END_OF_RACE:
    case MENU_PAGE_END_OF_CAREER: OpenEndPage(pageCode); return;
    case MENU_PAGE_TRANSITION: page = pageCode; return;
    case MENU_PAGE_MAIN:
    case MENU_PAGE_CAREER:
    case MENU_PAGE_CAREER_PROGRESS:
    case MENU_PAGE_UPGRADE:
    case MENU_PAGE_BEST_RESULTS:
    case MENU_PAGE_GRAPHICS:
    case MENU_PAGE_AUDIO:
    case MENU_PAGE_CONTROLS: break;
    default: return;
    }
    SetPageFocus(pageCode);
    page = pageCode;
}

void CGameMenu::OpenPauseToggle()
{
    if (!RaceExists())
        return;
    SetPageFocus(MENU_PAGE_PAUSE);
    page = MENU_PAGE_PAUSE;
    if (RaceRunning()) {
        PauseRace();
        return;
    }
    page = MENU_PAGE_NONE;
    ResumeRace();
}

void CGameMenu::OpenInRaceToggle()
{
    if (RaceMode == RACE_MODE_AUTOPLAY) {
        SetActive(true);
        fade = 100;
        world.Clear();
        GameSettings[SLOT_RACE_RUNNING] = 0;
        return;
    }
    if (!RaceExists())
        return;
    if (RaceRunning()) {
        SetPageFocus(MENU_PAGE_IN_RACE);
        page = MENU_PAGE_IN_RACE;
        cursor.visible = 1;
        PauseRace();
        return;
    }
    ClearFocus();
    cursor.visible = 0;
    page = MENU_PAGE_NONE;
    ResumeRace();
}

void CGameMenu::OpenEndPage(int pageCode)
{
    if (page != MENU_PAGE_NONE) {
        ClearFocus();
        cursor.visible = 0;
        page = MENU_PAGE_NONE;
        return;
    }
    ClearActionKeys();
    inputState.up = 0;
    inputState.down = 0;
    SetPageFocus(pageCode);
    fade = 0;
    cursor.visible = 1;
    page = pageCode;
}

void CGameMenu::SetActive(bool on)
{
    if ((active != 0) == on)
        return;
    audioManager.StopMusic();
    audioManager.StopVoice();
    fade = 0;
    active = on ? 1 : 0;
    audioManager.menuActive = active;
    if (on) {
        if (world.activeCamera)
            world.activeCamera->StartFadeOut(1.0f, 1);
        RestoreOptionCopies();
    }
    background.SetBackground(BACKGROUND_NONE, 1);
    OpenPage(MENU_PAGE_TRANSITION);
}
