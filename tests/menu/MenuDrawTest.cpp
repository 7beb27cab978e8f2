#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/render/D3DRender.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "frontend/GameMenu.h"
#include "frontend/Profiles.h"
#include "frontend/Records.h"
#include "tests/font/FontDrawFixture.h"
#include "tests/menu/DrawnTexts.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Track.h"

namespace {

// The active menu on the real device with the data builder's menu font.
class MenuDraw : public FontDrawTest {
protected:
    void SetUp() override
    {
        FontDrawTest::SetUp();
        ASSERT_EQ(gameMenu.font.Load("Data/Interface/Fonts/Menu 01"), 1);
        gameMenu.font.letterSpacing = -gameMenu.font.UpdateSpacing();
        gameMenu.CreatePages();
        gameMenu.ClearFocus();
        inputState = {};
        mouseState = {-100, -100, -100, -100};
        RaceMode = RACE_MODE_NONE;
    }
    void TearDown() override { gameMenu.font.Release(); }

    // The brightest pixel of a rectangle given in virtual units.
    int PeakBrightness(float x, float y, float width, float height)
    {
        const float xf = d3dRender.xFactor, yf = d3dRender.yFactor;
        const auto pixels = Pixels(static_cast<int>(x * xf), static_cast<int>(y * yf), static_cast<int>(width * xf),
                                   static_cast<int>(height * yf));
        int peak = 0;
        for (D3DCOLOR pixel : pixels)
            peak = std::max(peak, Brightness(pixel));
        return peak;
    }
};

TEST_F(MenuDraw, TheMainPageDrawsItsButtonsOnlyWhileTheMenuIsActive)
{
    gameMenu.page = MENU_PAGE_MAIN;
    gameMenu.active = 0;
    gameMenu.Draw();
    EXPECT_LT(PeakBrightness(540, 285, 120, 30), 20) << "the inactive menu draws nothing on page 20";

    gameMenu.active = 1;
    gameMenu.Draw();
    EXPECT_GT(PeakBrightness(540, 285, 120, 30), 100) << "\"QUICK RACE\" around (600, 300)";
    EXPECT_GT(PeakBrightness(540, 525, 120, 30), 60) << "\"EXIT GAME\" around (600, 540)";
    EXPECT_LT(PeakBrightness(200, 300, 100, 100), 20) << "nothing left of the buttons";
}

TEST_F(MenuDraw, EndOfRaceTextsFadeInOverFiveSeconds)
{
    gameMenu.active = 0;
    gameMenu.page = MENU_PAGE_END_OF_CAREER;
    gameMenu.fade = 0;
    gameMenu.Draw();
    EXPECT_LT(PeakBrightness(250, 95, 300, 40), 20) << "invisible as the page opens";

    d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    gameMenu.fade = 5;
    gameMenu.Draw();
    EXPECT_GT(PeakBrightness(250, 95, 300, 40), 120) << "\"CONGRATULATIONS!\" opaque after 5 s";
}

// The end-of-race page over a finished quick race on track 2 of sector 2 (records row 5): the
// player came second behind a computer racer.
class EndOfRacePage : public MenuDraw {
protected:
    static constexpr int ROW = 5;

    void SetUp() override
    {
        MenuDraw::SetUp();
        std::strcpy(PlayerName, "Ann");
        ClearRecordsTable(RecordsTable);
        RaceMode = RACE_MODE_QUICK;
        MenuSelection.sector = 1;
        MenuSelection.track = 2;
        Finish(winner, "CPU", "Comet", 83.456f);
        Finish(player, "Ann", "Falcon", 95.5f);
        player.place = 1;
        player.speedSum = 30.0f; // m/s, the average once finished
        player.maxSpeed = 50.0f;
        playerVehicle = &player;
        track.racerOrder[0] = &winner;
        track.racerOrder[1] = &player;
        track.racerCount = 2;
        gameMenu.active = 0;
        gameMenu.page = MENU_PAGE_END_OF_RACE;
        gameMenu.fade = 5;
    }
    void TearDown() override
    {
        playerVehicle = nullptr;
        track.racerOrder[0] = track.racerOrder[1] = nullptr;
        track.racerCount = 0;
        RaceMode = RACE_MODE_NONE;
        MenuDraw::TearDown();
    }

    static void Finish(CVehicle& racer, const char* racerName, const char* scooterName, float time)
    {
        std::strcpy(racer.racerName, racerName);
        std::strcpy(racer.vehicleName, scooterName);
        racer.finishTime = time;
    }

    std::vector<std::string> DrawnPage()
    {
        DrawRecording recording;
        gameMenu.Draw();
        std::vector<std::string> texts;
        for (const DrawnText& drawn : recording.TextsOf(gameMenu.font))
            texts.push_back(drawn.text);
        return texts;
    }

    CVehicle winner, player;
};

TEST_F(EndOfRacePage, ShowsTimesInHundredthsWithThePlaceAndTheWinnersNames)
{
    const std::vector<std::string> expected {
        "Ann", "YOU WIN RACE!", "Your time :", " 1:35.50", " (2 place)", "Best track time :", " 1:23.45",
        "(CPU, 'Comet')", "Your average speed :", " 108 Km/h", "Your maximum speed :", " 180 Km/h", "CONTINUE",
        "RESTART"};
    EXPECT_EQ(DrawnPage(), expected);

    std::swap(track.racerOrder[0], track.racerOrder[1]);
    player.place = 0;
    EXPECT_EQ(DrawnPage()[7], "(Ann, 'Falcon')") << "the player won";

    player.place = 3;
    RaceMode = RACE_MODE_CAREER;
    CareerBlock.upgradePoints = 2;
    const std::vector<std::string> career = DrawnPage();
    ASSERT_EQ(career.size(), 16u);
    EXPECT_EQ(career[1], "YOU LOSE RACE!");
    EXPECT_EQ(career[4], " (4 place)");
    EXPECT_EQ(career[12], "You gained 0 'upgrade points'");
    EXPECT_EQ(career[13], "To open next upgrade level you need at least 4 'upgrade points' (you have - 2)");
}

TEST_F(EndOfRacePage, AFasterStoredResultIsTheBestTrackTimeWithItsOwnNames)
{
    OfferRecord(RecordsTable[ROW], "Bo", "Viper", 80.25f);
    std::vector<std::string> texts = DrawnPage();
    EXPECT_EQ(texts[6], " 1:20.25");
    EXPECT_EQ(texts[7], "(Bo, 'Viper')");

    RecordsTable[ROW].bestTime = 90.0f;
    texts = DrawnPage();
    EXPECT_EQ(texts[6], " 1:23.45") << "this race's winner beat the stored result";
    EXPECT_EQ(texts[7], "(CPU, 'Comet')");

    MenuSelection.track = 0;
    RecordsTable[ROW].bestTime = 10.0f;
    EXPECT_EQ(DrawnPage()[7], "(CPU, 'Comet')") << "a random track has no stored result";
}

TEST_F(MenuDraw, BestResultsShowEachRowsDriverTimeAndScooterInItsCell)
{
    ClearRecordsTable(RecordsTable);
    OfferRecord(RecordsTable[0], "Ann", "Falcon", 83.46f);   // sector 1, track 1
    OfferRecord(RecordsTable[7], "CPU", "Comet", 725.91f);   // sector 2, track 4
    gameMenu.active = 1;
    gameMenu.page = MENU_PAGE_BEST_RESULTS;
    DrawRecording recording;
    gameMenu.Draw();
    const std::vector<DrawnText> texts = recording.TextsOf(gameMenu.font);

    // The texts centred on a cell's column, at the given top.
    auto cellText = [&](int column, int sector, float top) -> std::string {
        const float centre = 265.0f + 135.0f * column;
        for (const DrawnText& t : texts) {
            const float width = gameMenu.font.GetTextWidth(t.text.c_str(), top == 315.0f ? 0.35f : 0.4f, 0);
            if (std::abs(t.y - (top + 53.0f * sector)) < 0.5f && std::abs(t.x + width / 2 - centre) < 0.5f)
                return t.text;
        }
        return "";
    };
    EXPECT_EQ(cellText(0, 0, 282), "Ann");
    EXPECT_EQ(cellText(0, 0, 300), "1:23.4");
    EXPECT_EQ(cellText(0, 0, 315), "Falcon");
    EXPECT_EQ(cellText(3, 1, 282), "CPU");
    EXPECT_EQ(cellText(3, 1, 300), "12:05.9");
    EXPECT_EQ(cellText(3, 1, 315), "Comet");
    EXPECT_EQ(cellText(1, 2, 282), "----") << "an empty row shows its driver only";
    EXPECT_EQ(cellText(1, 2, 300), "");
    EXPECT_EQ(cellText(1, 2, 315), "");
}

TEST_F(MenuDraw, CareerProgressMarksTheRacesDoneAndNamesTheOpenedSector)
{
    ResetCareer(CareerBlock);
    CareerBlock.stage = 1;
    CareerBlock.sector = 2; // race 6 of 16 is next
    MenuSelection.sectorOpened = 1;
    gameMenu.active = 1;
    gameMenu.page = MENU_PAGE_CAREER_PROGRESS;
    DrawRecording recording;
    gameMenu.Draw();
    const std::vector<DrawnText> texts = recording.TextsOf(gameMenu.font);

    std::vector<std::string> stages, marks, sectors;
    int tracks = 0;
    for (const DrawnText& t : texts) {
        if (t.text.rfind("STAGE ", 0) == 0)
            stages.push_back(t.text);
        if (t.text.rfind("Track ", 0) == 0)
            ++tracks;
        if (t.text == "V") {
            char cell[16];
            std::snprintf(cell, sizeof cell, "%d/%d", static_cast<int>((t.x - 335) / 105) + 1,
                          static_cast<int>((t.y - 278) / 45) + 1);
            marks.push_back(cell); // stage/sector
        }
    }
    EXPECT_EQ(stages, (std::vector<std::string> {"STAGE 1", "STAGE 2", "STAGE 3", "STAGE 4"}));
    EXPECT_EQ(tracks, 16);
    EXPECT_EQ(marks, (std::vector<std::string> {"1/1", "1/2", "1/3", "1/4", "2/1", "2/2"}));
    EXPECT_NE(FindText(texts, "Sector 'GREEN' now available"), nullptr);
    EXPECT_NE(FindText(texts, "in the 'QUICK RACE' mode!"), nullptr);
    MenuSelection.sectorOpened = 0;
}

// The quick-race page draws "START!" only while both choices are open, and says why otherwise.
TEST_F(MenuDraw, QuickRacePageNamesWhatIsNotOpenAndDrawsStartOnlyWhenAllIs)
{
    const struct {
        int sectorsOpen, scootersOpen, sector, scooter;
        bool start, scooterLocked;
        const char* sectorHint; // null: the sector is open
    } cases[] = {
        {1, 4, 0, 3, true, false, nullptr},
        {1, 4, 0, 4, false, true, nullptr},
        {1, 4, 1, 0, false, false, "you must complete stage 1"},
        {2, 5, 3, 7, false, false, "you must complete stage 3"},
        {4, 8, 3, 7, true, false, nullptr},
    };
    gameMenu.active = 1;
    gameMenu.page = MENU_PAGE_QUICK_RACE;
    for (const auto& c : cases) {
        CareerBlock.sectorsOpen = c.sectorsOpen;
        CareerBlock.scootersOpen = c.scootersOpen;
        MenuSelection.sector = c.sector;
        MenuSelection.scooter = c.scooter;
        DrawRecording recording;
        gameMenu.Draw();
        const std::vector<DrawnText> texts = recording.TextsOf(gameMenu.font);
        const std::string what = "sector " + std::to_string(c.sector) + "/" + std::to_string(c.sectorsOpen) +
                                 ", scooter " + std::to_string(c.scooter) + "/" + std::to_string(c.scootersOpen);
        EXPECT_EQ(FindText(texts, "START!") != nullptr, c.start) << what;
        const DrawnText* notAvailable = FindText(texts, "NOT AVAILABLE !");
        EXPECT_EQ(notAvailable != nullptr, c.scooterLocked || c.sectorHint) << what;
        if (c.sectorHint) {
            EXPECT_NE(FindText(texts, c.sectorHint), nullptr) << what;
            EXPECT_EQ(FindText(texts, "Scooter :"), nullptr) << what << ": no selectors under a locked sector";
        } else if (notAvailable) {
            EXPECT_LT(notAvailable->x, 300.0f) << what << ": beside the scooter's bars";
        }
    }
    ResetCareer(CareerBlock);
    MenuSelection.sector = MenuSelection.scooter = 0;
}

} // namespace
