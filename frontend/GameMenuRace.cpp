// Handing races to the world and taking them back: quick, career and autoplay starts, the
// transition page, the in-race and end-of-race menus and the career progress.
#include <algorithm>
#include <cstdlib>

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
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"

namespace {

constexpr float TRANSITION_SECONDS = 1.0f;
constexpr float RACE_FADE_SECONDS = 2.0f;
constexpr float END_PAGE_KEY_LOCK = 2.0f; // seconds without arrow keys on the end pages
constexpr int RANDOM_SEED = -1;
constexpr int LAST_STAGE = 3;
constexpr int CAREER_FINISHED = 4;
constexpr int POINTS_PER_UPGRADE = 4;

float LevelFactor(int racerLevel)
{
    return static_cast<float>(racerLevel) * 0.1f + 0.8f;
}

void StartCameraFade(bool in, float seconds)
{
    if (!world.activeCamera)
        return;
    if (in)
        world.activeCamera->StartFadeIn(seconds, 1);
    else
        world.activeCamera->StartFadeOut(seconds, 1);
}

void RestartRace(int phase)
{
    race.SetPhase(phase, nullptr);
    StartCameraFade(true, RACE_FADE_SECONDS);
    world.RestartRace();
}

} // namespace

void CGameMenu::BeginRaceStart()
{
    background.SetBackground(BACKGROUND_NONE, 1);
    OpenPage(MENU_PAGE_TRANSITION);
    ShowLoading(true);
}

void CGameMenu::FinishRaceStart(int phase, int mode)
{
    race.SetPhase(phase, nullptr);
    RaceMode = mode;
    GameSettings[SLOT_RACE_RUNNING] = 1;
    StartCameraFade(false, TRANSITION_SECONDS);
    fade = 0;
}

void CGameMenu::StartQuickRace()
{
    const MenuChoices& choice = MenuSelection;
    BeginRaceStart();
    RacerLevelFactor = LevelFactor(choice.racerLevel);
    world.LoadLocation(choice.sector + 1);
    world.StartRace(choice.track != 0 ? choice.track : RANDOM_SEED, choice.difficulty, choice.length,
                    choice.racersIndex + 1, choice.scooter);
    vehicleManager.SetOpponentLevels();
    FinishRaceStart(RACE_SEQUENCE_START, RACE_MODE_QUICK);
}

void CGameMenu::StartCareerRace()
{
    CareerProgress& progress = CareerBlock;
    // A finished or damaged career has no race to start.
    if (progress.sector < 0 || progress.sector > LAST_STAGE || progress.stage < 0 || progress.stage > LAST_STAGE)
        return;
    MenuSelection.sectorOpened = 0;
    MenuSelection.upgradePending = 0;
    progress.lastPlace = -1;
    continueCareer.enabled = progress.noCareer == 0;
    MenuSelection.scooter = progress.careerScooter;

    const int entry = progress.sector * 4 + progress.stage;
    BeginRaceStart();
    RacerLevelFactor = LevelFactor(CareerStageTable.racerLevel[entry]);
    world.LoadLocation(progress.sector + 1);
    world.StartRace(progress.stage * 4 + progress.sector + 1, CareerStageTable.trackType[entry],
                    CareerStageTable.trackLength[entry], CareerStageTable.racers[entry], progress.careerScooter);
    if (playerVehicle) {
        playerVehicle->speedLevel = progress.speedLevel;
        playerVehicle->powerLevel = progress.powerLevel;
        playerVehicle->controlLevel = progress.controlLevel;
        playerVehicle->UpdateParameters();
    }
    vehicleManager.SetOpponentLevels();
    FinishRaceStart(RACE_SEQUENCE_START, RACE_MODE_CAREER);
}

void CGameMenu::StartAutoplay()
{
    BeginRaceStart();
    RacerLevelFactor = 1.0f;
    world.LoadLocation(std::rand() % MENU_LOCATIONS + 1);
    world.StartRace(RANDOM_SEED, 2, 2, 12, -1);
    FinishRaceStart(RACE_SEQUENCE_AUTOPLAY, RACE_MODE_AUTOPLAY);
}

void CGameMenu::UpdateTransition()
{
    if (fade < TRANSITION_SECONDS)
        return;
    if (playerVehicle) {
        audioManager.PlayMusic(1, nullptr, 0.0f, 0, 80.0f);
        StartCameraFade(true, RACE_FADE_SECONDS);
        OpenPage(MENU_PAGE_NONE);
        active = 0;
        audioManager.menuActive = 0;
    } else {
        audioManager.PlayMusic(2, "Data/Audio/TrI01.wav", 3.0f, 1, 100.0f);
        StartCameraFade(true, TRANSITION_SECONDS);
        LoadBackground(-1);
        background.SetBackground(BACKGROUND_PICTURES_AND_SCROLL, 1);
        cursor.visible = 1;
        if (!profileLoaded) {
            OpenPage(MENU_PAGE_PROFILES);
        } else if (RaceMode == RACE_MODE_CAREER) {
            AdvanceCareer();
        } else {
            OpenPage(MENU_PAGE_MAIN);
            SaveProfile();
        }
    }
    fade = 0;
}

void CGameMenu::LeaveRace()
{
    SetActive(true);
    fade = 100;
    world.Clear();
}

void CGameMenu::UpdateInRaceMenu()
{
    UpdateSelection();
    if (raceContinue.IsActivated()) {
        OpenPage(MENU_PAGE_IN_RACE);
    } else if (raceRestart.IsActivated()) {
        OpenPage(MENU_PAGE_IN_RACE);
        RestartRace(RaceMode == RACE_MODE_AUTOPLAY ? RACE_SEQUENCE_AUTOPLAY : RACE_SEQUENCE_START);
    } else if (exitRace.IsActivated()) {
        OpenPage(MENU_PAGE_IN_RACE);
        LeaveRace();
        GameSettings[SLOT_RACE_RUNNING] = 0;
    }
}

void CGameMenu::UpdateEndPage()
{
    fade += gameTimer.gameStep;
    ClearActionKeys();
    if (fade < END_PAGE_KEY_LOCK) {
        inputState.up = 0;
        inputState.down = 0;
    }
    UpdateSelection();
    if (endContinue.IsActivated()) {
        UpdateRecords();
        OpenPage(page);
        LeaveRace();
    } else if (page == MENU_PAGE_END_OF_RACE && endRestart.IsActivated()) {
        CareerBlock.lastPlace = 0;
        OpenPage(page);
        RestartRace(RACE_SEQUENCE_START);
    }
}

void CGameMenu::AdvanceCareer()
{
    CareerProgress& progress = CareerBlock;
    const int place = progress.lastPlace;
    if (place >= 1 && place <= 3) {
        const int entry = progress.sector * 4 + progress.stage;
        if (entry >= 0 && entry < CAREER_RACES) {
            progress.places[entry] = place;
            progress.times[entry] = progress.lastTime;
        }
        if (++progress.sector >= 4) {
            // The counts stop at all open: the last stage opens no further sector, a second
            // career nothing.
            progress.sectorsOpen = std::min(progress.sectorsOpen + 1, CAREER_SECTORS);
            ++progress.stage;
            progress.scootersOpen = std::min(progress.scootersOpen + 1, CAREER_SCOOTERS);
            if (progress.stage < LAST_STAGE)
                MenuSelection.sectorOpened = 1;
            progress.sector = 0;
        }
        progress.upgradePoints += 4 - place;
        if (progress.upgradePoints >= POINTS_PER_UPGRADE) {
            progress.upgradePoints -= POINTS_PER_UPGRADE;
            MenuSelection.upgradePending = 1;
            continueCareer.enabled = 0;
        }
    }
    if (progress.stage != CAREER_FINISHED && progress.noCareer == 0) {
        if (MenuSelection.upgradePending) {
            OpenPageAfterUpgrade();
        } else {
            OpenPage(MENU_PAGE_CAREER_PROGRESS);
            SaveProfile();
        }
        return;
    }
    ++progress.careersCompleted;
    progress.stage = 0;
    progress.sector = 0;
    progress.upgradePoints = 0;
    SaveProfile();
    OpenPage(MENU_PAGE_MAIN);
    SaveProfile();
}
