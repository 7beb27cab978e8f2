#include <cstdio>

#include "audio/AudioManager.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "frontend/GameMenu.h"
#include "frontend/MenuText.h"
#include "frontend/Profiles.h"

namespace {

constexpr MenuColour YELLOW {1, 1, 0.8f, 1};
constexpr MenuColour RED {1, 0.4f, 0.4f, 1};
constexpr MenuColour BLUE {0.8f, 0.8f, 1, 1};
constexpr MenuColour ORANGE {1, 0.5f, 0, 1};

constexpr int SCOOTER_MAXIMUM = 7;

// Track type, length, racers and racer level of the four stages of each sector.
struct SectorStages {
    int trackType[4];
    int trackLength[4];
    int racers[4];
    int racerLevel[4];
};
constexpr SectorStages SECTOR_STAGES[MENU_LOCATIONS] = {
    {{0, 1, 2, 2}, {0, 1, 1, 2}, {6, 12, 12, 12}, {0, 2, 2, 2}},
    {{1, 2, 2, 2}, {0, 1, 1, 2}, {6, 12, 12, 12}, {1, 2, 2, 2}},
    {{1, 1, 2, 2}, {0, 1, 1, 2}, {9, 12, 12, 12}, {1, 2, 2, 2}},
    {{2, 2, 2, 2}, {0, 1, 1, 2}, {9, 12, 12, 12}, {1, 2, 2, 2}},
};

void WriteCareerStageTable()
{
    CareerStageTable = {};
    for (int sector = 0; sector < MENU_LOCATIONS; ++sector) {
        for (int stage = 0; stage < 4; ++stage) {
            const int entry = sector * 4 + stage;
            CareerStageTable.trackType[entry] = SECTOR_STAGES[sector].trackType[stage];
            CareerStageTable.trackLength[entry] = SECTOR_STAGES[sector].trackLength[stage];
            CareerStageTable.racers[entry] = SECTOR_STAGES[sector].racers[stage];
            CareerStageTable.racerLevel[entry] = SECTOR_STAGES[sector].racerLevel[stage];
        }
    }
}

void SetSelectionDefaults()
{
    MenuSelection = {};
    MenuSelection.scooterMaximum = SCOOTER_MAXIMUM;
    MenuSelection.difficulty = 2;
    MenuSelection.racersIndex = 8;
    MenuSelection.sectorMaximum = 3;
    MenuSelection.trackMaximum = 4;
    MenuSelection.difficultyMaximum = 2;
    MenuSelection.lengthMaximum = 2;
    MenuSelection.racersMaximum = 11;
    MenuSelection.levelMaximum = 2;
}

void LoadOnce(int& texture, const char* name)
{
    if (texture == -1)
        texture = d3dRender.LoadTexture(name, 1);
}

void ReleaseTexture(int& texture)
{
    if (texture != -1)
        d3dRender.ReleaseTexture(texture);
    texture = -1;
}

} // namespace

void CGameMenu::CreateItem(CMenuButton& item, const char* caption, float x, float y, float scale, int alignment,
                           const MenuColour& colour, int enabled)
{
    item.Init(menuText.Translate(caption), &font, colour.r, colour.g, colour.b, colour.a, alignment, scale, enabled);
    item.x = x;
    item.y = y;
}

void CGameMenu::CreateSelector(CMenuSelector& item, const char* caption, float x, float y, float scale)
{
    CreateItem(item, caption, x, y, scale, MENU_ALIGN_RIGHT, YELLOW, 1);
    item.SetValue("", ORANGE.r, ORANGE.g, ORANGE.b, ORANGE.a, MENU_ALIGN_LEFT);
}

void CGameMenu::CreateItems()
{
    constexpr int C = MENU_ALIGN_CENTRE;
    for (int i = 0; i < MENU_PROFILES; ++i)
        CreateItem(profileItems[i], "-", 600, 250.0f + 23.0f * i, 0.4f, C, YELLOW, 0);
    CreateItem(profileContinue, "CONTINUE", 600, 500, 0.5f, C, RED, 1);
    CreateItem(newProfile, "NEW PROFILE", 600, 530, 0.5f, C, RED, 1);
    CreateItem(deleteProfile, "DELETE PROFILE", 600, 560, 0.5f, C, RED, 1);
    CreateItem(createDone, "DONE", 600, 500, 0.5f, C, YELLOW, 1);

    CreateItem(quickRace, "QUICK RACE", 600, 300, 0.7f, C, YELLOW, 1);
    CreateItem(career, "CAREER", 600, 335, 0.7f, C, YELLOW, 1);
    CreateItem(options, "OPTIONS", 600, 370, 0.7f, C, YELLOW, 1);
    CreateItem(bestResults, "BEST RESULTS", 600, 410, 0.55f, C, BLUE, 1);
    CreateItem(autoplay, "AUTOPLAY", 600, 440, 0.55f, C, BLUE, 1);
    CreateItem(changeProfile, "CHANGE PROFILE", 600, 470, 0.55f, C, BLUE, 1);
    CreateItem(exitGame, "EXIT GAME", 600, 540, 0.7f, C, RED, 1);

    CreateSelector(scooterSelector, "Scooter :", 120, 315, 0.4f);
    CreateSelector(sectorSelector, "Sector :", 400, 275, 0.65f);
    CreateSelector(trackSelector, "Track :", 570, 330, 0.5f);
    CreateSelector(difficultySelector, "Track difficulty :", 570, 355, 0.5f);
    CreateSelector(lengthSelector, "Track length :", 570, 380, 0.5f);
    CreateSelector(racersSelector, "Racers number :", 570, 405, 0.5f);
    CreateSelector(levelSelector, "Racers level :", 570, 430, 0.5f);
    CreateItem(startQuickRace, "START!", 600, 485, 0.75f, C, YELLOW, 1);

    CreateItem(continueCareer, "CONTINUE CAREER", 600, 340, 0.7f, C, YELLOW, 1);
    CreateItem(startNewCareer, "START NEW CAREER", 600, 390, 0.7f, C, YELLOW, 1);
    for (int i = 0; i < MENU_SCOOTERS; ++i)
        CreateItem(scooterItems[i], "-", 515, 270.0f + 25.0f * i, 0.5f, C, YELLOW, 1);
    CreateItem(scooterDone, "DONE", 600, 485, 0.75f, C, YELLOW, 1);
    CreateItem(startCareerRace, "START RACE!", 600, 485, 0.75f, C, YELLOW, 1);
    CreateItem(upgradeSpeed, "SPEED", 540, 350, 0.6f, C, YELLOW, 1);
    CreateItem(upgradePower, "POWER", 540, 400, 0.6f, C, YELLOW, 1);
    CreateItem(upgradeControl, "CONTROL", 540, 450, 0.6f, C, YELLOW, 1);

    CreateItem(graphics, "GRAPHICS", 600, 370, 0.6f, C, YELLOW, 1);
    CreateItem(audio, "AUDIO", 600, 410, 0.6f, C, YELLOW, 1);
    CreateItem(controls, "CONTROLS", 600, 450, 0.6f, C, YELLOW, 1);
    const char* const graphicsCaptions[GRAPHICS_SELECTORS] = {
        "Resolution :", "View distance :", "Shadows :", "Relief :", "Blur :", "Ocean type :", "Clouds type :",
    };
    for (int i = 0; i < GRAPHICS_SELECTORS; ++i)
        CreateSelector(graphicsSelectors[i], graphicsCaptions[i], 605, 300.0f + 25.0f * i, 0.5f);
    CreateItem(accept, "ACCEPT", 600, 500, 0.75f, C, RED, 1);
    CreateItem(cancel, "CANCEL", 600, 540, 0.75f, C, RED, 1);
    CreateSelector(musicVolume, "Music volume :", 610, 425, 0.5f);
    CreateSelector(effectsVolume, "Effects volume :", 610, 450, 0.5f);

    CreateItem(endContinue, "CONTINUE", 400, 500, 0.65f, C, ORANGE, 1);
    CreateItem(endRestart, "RESTART", 400, 540, 0.65f, C, ORANGE, 1);
    CreateItem(raceContinue, "CONTINUE", 400, 170, 0.65f, C, ORANGE, 1);
    CreateItem(raceRestart, "RESTART", 400, 220, 0.65f, C, ORANGE, 1);
    CreateItem(exitRace, "EXIT RACE", 400, 270, 0.65f, C, ORANGE, 1);
    CreateItem(back, "BACK", 600, 540, 0.75f, C, RED, 1);
}

void CGameMenu::CreatePages()
{
    CreateItems();
    SetSelectionDefaults();
    WriteCareerStageTable();
}

int CGameMenu::Load()
{
    active = 0;
    fade = 0;
    page = MENU_PAGE_NONE;
    ClearFocus();

    font.Load("Data/Interface/Fonts/Menu 01");
    font.letterSpacing = -font.UpdateSpacing();

    LoadOnce(backHiderTexture, "Data/Interface/GameMenu/Backgrounds/BackHider.dds");
    LoadOnce(titleTexture, "Data/Title.dds");
    LoadOnce(talvoroLogoTexture, "Data/Interface/GameMenu/Logo_Talvoro.dds");
    LoadOnce(bulletLogoTexture, "Data/Interface/GameMenu/Logo_Bullet.bmp");
    LoadBackground(-1);
    for (int i = 0; i < MENU_LOCATIONS; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "Data/Locations/%02d/Photo_Small.bmp", i + 1);
        LoadOnce(smallPhotos[i], name);
    }
    LoadOnce(trackImage, "Data/Locations/TrackImage.bmp");

    InitPreviewCamera();

    CreatePages();
    ResetCareer(CareerBlock);
    previewScooter = nullptr;
    hoverSound = audioManager.CreateSound("Data/Audio/Bt/Bt_In.wav", CSound::KIND_PLAIN, 1.0f, 10.0f);
    pressSound = audioManager.CreateSound("Data/Audio/Bt/Bt_Pr.wav", CSound::KIND_PLAIN, 1.0f, 10.0f);
    UpdateOptionTexts();
    LoadScooters();
    LoadRecordsTable();
    return 1;
}

void CGameMenu::Release()
{
    font.Release();
    previewCamera.Release();
    SelectScooter(-1);
    for (int* texture : {&backHiderTexture, &titleTexture, &talvoroLogoTexture, &bulletLogoTexture,
                         &backgroundTexture, &trackImage, &locationPhoto})
        ReleaseTexture(*texture);
    for (int& photo : smallPhotos)
        ReleaseTexture(photo);
    audioManager.ReleaseSound(&hoverSound);
    audioManager.ReleaseSound(&pressSound);
}
