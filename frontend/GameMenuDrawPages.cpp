// What each full menu page draws while the menu is active.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/render/Draw2D.h"
#include "engine/shell/GameTimer.h"
#include "frontend/GameMenu.h"
#include "frontend/MenuDrawing.h"
#include "frontend/Profiles.h"
#include "frontend/Records.h"
#include "world/scooters/Vehicle.h"

namespace mc = menu_colour;

namespace {

// Two additive bars beside a list item, bright at the item's x and fading outwards.
void DrawItemBars(const CMenuButton& item, float reach, float halfHeight, D3DCOLOR colour)
{
    const float x = item.x;
    const float y = item.y;
    const D3DCOLOR none = 0;
    DrawQuadAdd4(x - reach, y - halfHeight, x, y + halfHeight, none, none, colour, colour, -1);
    DrawQuadAdd4(x, y - halfHeight, x + reach, y + halfHeight, colour, colour, none, none, -1);
}

std::uint32_t Now()
{
    return gameTimer.realTime;
}

// A sector's colour with the alpha at the left edge of a stripe fading to 0 at the right.
void DrawSectorStripe(int sector, float x1, float y1, float x2, float y2, int alpha)
{
    const D3DCOLOR left = SectorColour(sector, 1.0f, alpha);
    const D3DCOLOR right = SectorColour(sector, 1.0f, 0);
    DrawQuad4(x1, y1, x2, y2, left, left, right, right, -1);
}

} // namespace

void CGameMenu::DrawPage()
{
    switch (page) {
    case MENU_PAGE_PROFILES: DrawProfilesPage(); break;
    case MENU_PAGE_CREATE_PLAYER: DrawCreatePlayerPage(); break;
    case MENU_PAGE_MAIN: DrawMainPage(); break;
    case MENU_PAGE_QUICK_RACE: DrawQuickRacePage(); break;
    case MENU_PAGE_CAREER: DrawCareerPage(); break;
    case MENU_PAGE_SCOOTER_CHOICE: DrawScooterChoicePage(); break;
    case MENU_PAGE_CAREER_PROGRESS: DrawCareerProgressPage(); break;
    case MENU_PAGE_UPGRADE: DrawUpgradePage(); break;
    case MENU_PAGE_BEST_RESULTS: DrawBestResultsPage(); break;
    case MENU_PAGE_OPTIONS:
        graphics.Draw();
        audio.Draw();
        controls.Draw();
        back.Draw();
        break;
    case MENU_PAGE_GRAPHICS: DrawGraphicsPage(); break;
    case MENU_PAGE_AUDIO:
        musicVolume.Draw();
        effectsVolume.Draw();
        back.Draw();
        break;
    case MENU_PAGE_CONTROLS: DrawControlsPage(); break;
    default: break;
    }
}

void CGameMenu::DrawProfilesPage()
{
    DrawCentred(font, 600, 200, "SELECT PROFILE:", 0.5f, mc::CREAM);
    for (int i = 0; i < MENU_PROFILES; ++i) {
        CMenuButton& item = profileItems[i];
        item.Draw();
        DrawItemBars(item, 150, 10, item.enabled && i == SelectedProfile ? mc::OLIVE : mc::DARK_RED);
    }
    profileContinue.Draw();
    newProfile.Draw();
    deleteProfile.Draw();
}

void CGameMenu::DrawCreatePlayerPage()
{
    DrawCentred(font, 600, 240, "CREATE PLAYER", 0.75f, mc::LAVENDER);
    DrawCentred(font, 600, 300, "ENTER YOUR NAME:", 0.5f, mc::CREAM);
    DrawPanel(420, 335, 780, 420, mc::ORANGE);
    DrawCentred(font, 600, 360, PlayerName, 0.75f, mc::ORANGE);
    const float w = font.GetTextWidth(PlayerName, 0.75f, 0);
    DrawBevelRect(610 + w / 2, 370, 620 + w / 2, 390, CaretPulse(Now()));
    createDone.Draw();
    if (profileCount > 0)
        back.Draw();
}

void CGameMenu::DrawMainPage()
{
    DrawCentred(font, 600, 170, "CURRENT RACER:", 0.4f, mc::BRONZE);
    DrawCentred(font, 600, 190, PlayerName, 0.6f, mc::LIGHT_YELLOW);
    for (CMenuButton* item : {&quickRace, &career, &options, &bestResults, &autoplay, &changeProfile, &exitGame})
        item->Draw();
}

void CGameMenu::DrawQuickRacePage()
{
    const MenuChoices& choice = MenuSelection;
    DrawQuad(20, 230, 780, 510, mc::WHITE, locationPhoto);
    DrawFrame(20, 230, 780, 510, mc::ORANGE);
    DrawCentred(font, 400, 213, "'QUICK RACE' PARAMETERS", 0.75f, mc::AMBER);
    sectorSelector.Draw();
    const bool sectorOpen = choice.sector < CareerBlock.sectorsOpen;
    const bool scooterOpen = choice.scooter < CareerBlock.scootersOpen;
    if (sectorOpen) {
        DrawScooterStats(35, 300, 275, 495);
        if (!scooterOpen)
            DrawCentred(font, 155, 370, "NOT AVAILABLE !", 0.65f, mc::ALARM_RED);
        DrawPanel(290, 300, 765, 455, mc::MAROON);
        for (CMenuSelector* item :
             {&scooterSelector, &trackSelector, &difficultySelector, &lengthSelector, &racersSelector, &levelSelector})
            item->Draw();
    } else {
        char text[64];
        std::snprintf(text, sizeof text, "you must complete stage %d", std::min(choice.sector, 4));
        DrawCentred(font, 400, 380, "NOT AVAILABLE !", 1.0f, mc::ALARM_RED);
        DrawCentred(font, 400, 440, "To open this sector", 0.4f, mc::BURNT_ORANGE);
        DrawCentred(font, 400, 460, text, 0.4f, mc::BURNT_ORANGE);
        DrawCentred(font, 400, 480, "in the 'CAREER' mode!", 0.4f, mc::BURNT_ORANGE);
    }
    if (sectorOpen && scooterOpen)
        startQuickRace.Draw();
    back.Draw();
}

void CGameMenu::DrawCareerPage()
{
    continueCareer.Draw();
    startNewCareer.Draw();
    back.Draw();
    if (continueCareer.enabled && focused == &startNewCareer)
        DrawCentred(font, 600, 420, "Current progress will be lost!", 0.5f, WarmPulse(Now()));
}

void CGameMenu::DrawScooterChoicePage()
{
    DrawPanel(150, 230, 650, 510, mc::ORANGE);
    DrawCentred(font, 400, 213, "SELECT YOUR SCOOTER:", 0.75f, mc::AMBER);
    const char* name = previewScooter ? previewScooter->vehicleName : "";
    DrawCentred(font, 285, 255, name, 0.65f, NamePulse(Now()));
    DrawScooterStats(165, 300, 405, 495);
    if (MenuSelection.scooter >= CareerBlock.scootersOpen) {
        const D3DCOLOR pulse = WarmPulse(Now());
        char text[64];
        std::snprintf(text, sizeof text, "you must complete stage %d", std::min(MenuSelection.scooter - 3, 4));
        DrawCentred(font, 285, 305, "NOT AVAILABLE!", 0.75f, pulse);
        DrawCentred(font, 285, 355, "To open this scooter", 0.4f, pulse);
        DrawCentred(font, 285, 375, text, 0.4f, pulse);
        DrawCentred(font, 285, 395, "in the 'CAREER' mode!", 0.4f, pulse);
    }
    DrawPanel(430, 255, 600, 460, mc::MAROON);
    for (CMenuButton& item : scooterItems) {
        const bool shown = item.enabled && previewScooter && std::strcmp(item.caption, name) == 0;
        DrawItemBars(item, 100, 5, shown ? mc::KHAKI : mc::DARK_RED);
        item.Draw();
    }
    scooterDone.Draw();
    back.Draw();
}

void CGameMenu::DrawCareerProgressPage()
{
    DrawPanel(100, 230, 700, 510, mc::ORANGE);
    DrawCentred(font, 400, 213, "CAREER PROGRESS:", 0.75f, mc::AMBER);
    DrawBox(130, 255, 240, 460, mc::ORANGE);
    DrawCentred(font, 185, 257, "SECTOR:", 0.5f, mc::PURPLE);
    for (int i = 0; i < 4; ++i) {
        const bool current = i == CareerBlock.sector;
        DrawSectorPhoto(185, 280.0f + 45.0f * i, i, current ? mc::WHITE : mc::GREY,
                        SectorColour(i, current ? 1.0f : 0.25f, 255));
    }
    char text[64];
    for (int j = 0; j < 4; ++j) {
        DrawBox(270.0f + 105.0f * j, 255, 360.0f + 105.0f * j, 460, mc::SLATE);
        std::snprintf(text, sizeof text, "STAGE %d", j + 1);
        DrawPlainCentred(font, 315.0f + 105.0f * j, 257, text, 0.4f, mc::PURPLE);
    }
    for (int k = 0; k < 4; ++k)
        DrawSectorStripe(k, 230, 290.0f + 45.0f * k, 800, 310.0f + 45.0f * k, 127);
    const int current = CareerBlock.stage * 4 + CareerBlock.sector;
    for (int o = 0; o < 4; ++o) {
        for (int m = 0; m < 4; ++m) {
            const int race = o * 4 + m;
            const D3DCOLOR cell = SectorColour(m, race <= current ? 1.0f : 0.25f, 255);
            const float x1 = 280.0f + 105.0f * o, y1 = 285.0f + 45.0f * m;
            DrawQuad(x1, y1, x1 + 70, y1 + 30, cell, trackImage);
            DrawFrame(x1, y1, x1 + 70, y1 + 30, mc::DARK_OLIVE);
            if (race < current)
                font.DrawTextColour(335.0f + 105.0f * o, 278.0f + 45.0f * m, "V", mc::GREEN, 0.5f, 0);
            if (race == current)
                DrawQuadAdd(x1, y1, x1 + 70, y1 + 30, CellPulse(Now()), -1);
            std::snprintf(text, sizeof text, "Track %d", o + 1);
            font.DrawTextColour(281.0f + 105.0f * o, 300.0f + 45.0f * m, text, cell, 0.35f, 0);
        }
    }
    if (MenuSelection.sectorOpened) {
        std::snprintf(text, sizeof text, "Sector %s now available", SectorName(CareerBlock.stage));
        DrawLeft(font, 120, 465, text, 0.45f, GlowPulse(Now(), 255));
        DrawLeft(font, 120, 485, "in the 'QUICK RACE' mode!", 0.45f, GlowPulse(Now(), 255));
    }
    startCareerRace.Draw();
    back.Draw();
}

void CGameMenu::DrawUpgradePage()
{
    DrawBox(150, 270, 650, 510, mc::ORANGE);
    DrawCentred(font, 400, 255, "SELECT SYSTEM TO UPGRADE:", 0.75f, mc::AMBER);
    DrawScooterStats(165, 300, 405, 495);
    DrawPanel(460, 300, 620, 495, mc::MAROON);
    const float rows[3][3] = {{450, 420, 350}, {466, 430, 400}, {482, 440, 450}}; // bar y, bend x, button y
    for (const auto& row : rows) {
        DrawLine(405, row[0], row[1], row[0], mc::MAROON);
        DrawLine2(row[1], row[0], row[1], row[2], mc::MAROON, mc::CRIMSON);
        DrawLine2(row[1], row[2], 540, row[2], mc::CRIMSON, mc::RED);
    }
    upgradeSpeed.Draw();
    upgradePower.Draw();
    upgradeControl.Draw();
}

void CGameMenu::DrawBestResultsPage()
{
    DrawPanel(50, 230, 750, 510, mc::ORANGE);
    DrawCentred(font, 400, 213, "BEST RESULTS:", 0.75f, mc::AMBER);
    DrawBox(80, 255, 190, 492, mc::ORANGE);
    DrawCentred(font, 135, 257, "SECTOR:", 0.5f, mc::PURPLE);
    for (int i = 0; i < 4; ++i)
        DrawSectorPhoto(135, 285.0f + 53.0f * i, i, mc::WHITE, SectorColour(i, 1, 255));
    char text[64];
    for (int j = 0; j < 4; ++j) {
        DrawBox(200.0f + 135.0f * j, 255, 330.0f + 135.0f * j, 492, mc::SLATE);
        std::snprintf(text, sizeof text, "STAGE %d", j + 1);
        DrawPlainCentred(font, 265.0f + 135.0f * j, 257, text, 0.5f, mc::PURPLE);
    }
    for (int k = 0; k < 4; ++k)
        DrawSectorStripe(k, 180, 287.0f + 53.0f * k, 800, 323.0f + 53.0f * k, 63);
    for (int h = 0; h < 4; ++h) {
        for (int k = 0; k < 4; ++k) {
            const RecordsRow& row = RecordsTable[k * 4 + h];
            const D3DCOLOR cell = SectorColour(k, 0.5f, 255);
            const float x1 = 230.0f + 135.0f * h, y1 = 290.0f + 53.0f * k;
            const float centre = 265.0f + 135.0f * h;
            DrawQuad(x1, y1, x1 + 70, y1 + 30, cell, trackImage);
            DrawFrame(x1, y1, x1 + 70, y1 + 30, mc::DARK_OLIVE);
            std::snprintf(text, sizeof text, "Track %d", h + 1);
            font.DrawTextColour(231.0f + 135.0f * h, 305.0f + 53.0f * k, text, cell, 0.35f, 0);
            DrawPlainCentred(font, centre, 282.0f + 53.0f * k, row.driver, 0.4f, mc::WHITE);
            if (row.bestTime != NO_RECORD) {
                FormatRecordTime(text, sizeof text, row.bestTime);
                DrawPlainCentred(font, centre, 300.0f + 53.0f * k, text, 0.4f, mc::PALE_BLUE);
                DrawPlainCentred(font, centre, 315.0f + 53.0f * k, row.scooter, 0.35f, mc::DUSK_BLUE);
            }
        }
    }
    back.Draw();
}

void CGameMenu::DrawSectorPhoto(float centreX, float top, int sector, D3DCOLOR photoColour, D3DCOLOR nameColour)
{
    DrawQuad(centreX - 45, top, centreX + 45, top + 40, photoColour, smallPhotos[sector]);
    DrawFrame(centreX - 45, top, centreX + 45, top + 40, mc::BROWN);
    DrawPlainCentred(font, centreX, top + 20 - font.GetTextHeight(0.5f) / 2, SectorName(sector), 0.5f, nameColour);
}

void CGameMenu::DrawGraphicsPage()
{
    if (optionCopies[OPTION_COPY_MODE] != GameSettings[SLOT_MODE]) {
        DrawCentred(font, 600, 230, "CHANGES WILL TAKE EFFECT", 0.5f, WarmPulse(Now()));
        DrawCentred(font, 600, 250, "AFTER RESTARTING THE GAME!", 0.5f, WarmPulse(Now()));
    }
    for (CMenuSelector& selector : graphicsSelectors)
        selector.Draw();
    accept.Draw();
    cancel.Draw();
}

void CGameMenu::DrawControlsPage()
{
    static const char* const rows[8][2] = {
        {"Accel :", " up arrow"},
        {"Brake :", " down arrow"},
        {"Steering to the left :", " left arrow"},
        {"Steering to the right :", " right arrow"},
        {"Change view mode :", " C"},
        {"Back view :", " B"},
        {"Pause :", " P/Pause"},
        {"Game menu :", " Esc"},
    };
    for (int i = 0; i < 8; ++i) {
        const float y = 270.0f + 25.0f * i;
        DrawRightAligned(font, 605, y, rows[i][0], 0.5f, mc::LIGHT_BLUE);
        DrawLeft(font, 610, y, rows[i][1], 0.5f, mc::TANGERINE);
    }
    back.Draw();
}
