// The menu's frame: the overlays over a race (pause, in-race menu, end of race) and the full
// pages while the menu is active.
#include <algorithm>
#include <cstdio>

#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "engine/shell/GameTimer.h"
#include "frontend/Background.h"
#include "frontend/GameMenu.h"
#include "frontend/MenuDrawing.h"
#include "frontend/Profiles.h"
#include "frontend/Records.h"
#include "world/race/Hud.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Track.h"

namespace {

constexpr float END_PAGE_FADE_IN = 0.2f; // 1 / 5 s
constexpr int WINNING_PLACES = 3;

D3DCOLOR Rgb(int a, int r, int g, int b)
{
    return D3DCOLOR_ARGB(a, r, g, b);
}

} // namespace

void CGameMenu::Draw()
{
    switch (page) {
    case MENU_PAGE_PAUSE:
        DrawRaceShade();
        DrawCentred(font, 400, 220, "PAUSE", 1.0f, PausePulse(gameTimer.realTime));
        return;
    case MENU_PAGE_IN_RACE:
        DrawRaceShade();
        raceContinue.Draw();
        raceRestart.Draw();
        exitRace.Draw();
        return;
    case MENU_PAGE_END_OF_RACE:
    case MENU_PAGE_END_OF_CAREER: DrawEndPage(); return;
    case MENU_PAGE_TRANSITION: ShowLoading(false); return;
    default: break;
    }
    if (RaceMode == RACE_MODE_AUTOPLAY) {
        DrawQuad(-1, -1, 801, 601, menu_colour::HIDER_WHITE, backHiderTexture);
        DrawLogos(60);
        if (gameTimer.gameTime % 1000 > 500)
            hud.font.DrawTextColour(790 - hud.font.GetTextWidth("R", 1.0f, 0), 0, "R", menu_colour::MAROON, 1.0f, 0);
    }
    if (!active)
        return;
    d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    background.Draw();
    DrawLogos(100);
    DrawPage();
}

void CGameMenu::DrawRaceShade()
{
    DrawQuad(-1, -1, 801, 601, menu_colour::PAUSE_SHADE, -1);
    DrawQuad(-1, -1, 801, 601, menu_colour::HIDER_WHITE, backHiderTexture);
    background.Draw();
}

void CGameMenu::DrawEndPage()
{
    const float a = std::min(fade * END_PAGE_FADE_IN, 1.0f);
    const int alpha = static_cast<int>(a * 255);
    DrawQuad(-1, -1, 801, 601, Rgb(static_cast<int>(a * 100), 0, 0, 0), -1);
    DrawQuad(-1, -1, 801, 601, Rgb(static_cast<int>(a * 254), 255, 255, 255), backHiderTexture);
    DrawCentred(font, 400, 40, PlayerName, 1.0f, Rgb(alpha, 255, 255, 255));
    if (page == MENU_PAGE_END_OF_RACE)
        DrawEndOfRaceResults(a);
    else
        DrawEndOfCareer(a);
}

void CGameMenu::DrawEndOfRaceResults(float a)
{
    const int A = static_cast<int>(a * 255);
    const CVehicle* player = playerVehicle;
    const CVehicle* winner = track.racerOrder[0];
    const int placeIndex = player ? player->place : 0;
    const bool win = placeIndex < WINNING_PLACES;
    const D3DCOLOR titleColour = win ? Rgb(A, 0, 255, 0) : Rgb(A, 255, 0, 0);
    const D3DCOLOR placeColour = win ? Rgb(A, 0, 191, 0) : Rgb(A, 191, 0, 0);
    const D3DCOLOR labelColour = Rgb(A, 63, 63, 191);
    char text[128];

    DrawCentred(font, 400, 80, win ? "YOU WIN RACE!" : "YOU LOSE RACE!", 0.75f, titleColour);
    DrawRightAligned(font, 400, 130, "Your time :", 0.75f, Rgb(A, 127, 127, 255));
    FormatFinishTime(text, sizeof text, player ? player->finishTime : 0.0f);
    DrawLeft(font, 400, 130, text, 0.75f, titleColour);
    const float timeWidth = font.GetTextWidth(text, 0.75f, 0);
    std::snprintf(text, sizeof text, " (%d place)", placeIndex + 1);
    DrawLeft(font, 400 + timeWidth, 138, text, 0.5f, placeColour);

    // The track's best time: the stored one when it beats this race's winner, else the winner's.
    DrawRightAligned(font, 400, 170, "Best track time :", 0.5f, labelColour);
    const float winnerTime = winner ? winner->finishTime : 0.0f;
    const int row = RecordsRowOfRace(RaceMode, MenuSelection.sector, MenuSelection.track, CareerBlock);
    const RecordsRow* stored = nullptr;
    if (row >= 0 && RecordsTable[row].bestTime != NO_RECORD && RecordsTable[row].bestTime < winnerTime)
        stored = &RecordsTable[row];
    FormatFinishTime(text, sizeof text, stored ? stored->bestTime : winnerTime);
    DrawLeft(font, 408, 170, text, 0.5f, placeColour);
    const float namesX = 408 + font.GetTextWidth(text, 0.5f, 0) + 10;
    const char* driver = stored ? stored->driver : winner ? winner->racerName : "";
    const char* scooter = stored ? stored->scooter : winner ? winner->vehicleName : "";
    std::snprintf(text, sizeof text, "(%s, '%s')", driver, scooter);
    DrawLeft(font, namesX, 170, text, 0.5f, (placeColour & 0x00FFFFFF) | (static_cast<unsigned>(a * 0.5f * 255) << 24));

    const float speeds[2] = {player ? player->AverageSpeed() : 0.0f, player ? player->maxSpeed : 0.0f};
    const char* const speedLabels[2] = {"Your average speed :", "Your maximum speed :"};
    for (int i = 0; i < 2; ++i) {
        const float y = 195.0f + 25.0f * i;
        DrawRightAligned(font, 400, y, speedLabels[i], 0.5f, labelColour);
        std::snprintf(text, sizeof text, " %d Km/h", static_cast<int>(speeds[i] * 3.6f));
        DrawLeft(font, 408, y, text, 0.5f, placeColour);
    }

    if (RaceMode == RACE_MODE_CAREER) {
        const int gained = 3 - std::min(placeIndex, 3);
        std::snprintf(text, sizeof text, "You gained %d 'upgrade points'", gained);
        DrawCentred(font, 400, 410, text, 0.5f, GlowPulse(gameTimer.realTime, A));
        std::snprintf(text, sizeof text,
                      "To open next upgrade level you need at least 4 'upgrade points' (you have - %d)",
                      CareerBlock.upgradePoints + gained);
        DrawCentred(font, 400, 440, text, 0.4f, Rgb(A, 153, 76, 0));
    }
    endContinue.colour[3] = a;
    endRestart.colour[3] = a;
    endContinue.Draw();
    endRestart.Draw();
}

void CGameMenu::DrawEndOfCareer(float a)
{
    const int A = static_cast<int>(a * 255);
    DrawCentred(font, 400, 100, "CONGRATULATIONS!", 1.1f, Rgb(A, 255, 191, 0));
    DrawCentred(font, 400, 160, "You are the winner of the Quorlin championship!", 0.7f, Rgb(A, 191, 143, 0));
    DrawCentred(font, 400, 450, "All sectors and scooters now available in the 'QUICK RACE' mode!", 0.5f,
                Rgb(A, 127, 95, 0));
    endContinue.colour[3] = a;
    endContinue.Draw();
}
