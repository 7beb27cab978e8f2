#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "engine/files/FileSystem.h"
#include "frontend/GameMenu.h"
#include "frontend/Records.h"
#include "tests/profiles/SaveFixtures.h"
#include "tests/support/ScratchFolder.h"
#include "world/scooters/Vehicle.h"
#include "world/track/Track.h"

namespace {

class MenuProfilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fileSystem.Init();
        std::strcpy(PlayerName, "Player");
        ResetCareer(CareerBlock);
        gameMenu.profileCount = 0;
        gameMenu.profileLoaded = 0;
        SelectedProfile = -1;
    }
    void TearDown() override { fileSystem.Release(); }

    void CreateProfile(const char* name)
    {
        std::strcpy(PlayerName, name);
        gameMenu.CreateNewProfile();
    }

    ScratchFolder folder;
};

TEST_F(MenuProfilesTest, FirstProfileCreatesTheSaveFolderAndNumberOne)
{
    gameMenu.ListProfiles();
    EXPECT_EQ(gameMenu.profileCount, 0);
    EXPECT_EQ(SelectedProfile, -1);
    EXPECT_FALSE(gameMenu.profileContinue.enabled);

    CareerBlock.upgradePoints = 5; // a new profile starts from the defaults
    gameMenu.continueCareer.enabled = 1;
    CreateProfile("Ann");
    EXPECT_TRUE(folder.Exists("Save/Profile01.sav"));
    EXPECT_TRUE(folder.Exists("Game.ini")) << "the options are written with a new profile";
    EXPECT_EQ(gameMenu.profileCount, 1);
    EXPECT_EQ(SelectedProfile, 0);
    EXPECT_EQ(gameMenu.profileLoaded, 1);
    EXPECT_EQ(CareerBlock.upgradePoints, 0);
    EXPECT_FALSE(gameMenu.continueCareer.enabled);

    gameMenu.ListProfiles();
    EXPECT_STREQ(gameMenu.profileItems[0].caption, "Ann");
    EXPECT_TRUE(gameMenu.profileItems[0].enabled);
    EXPECT_FALSE(gameMenu.profileItems[1].enabled);
    EXPECT_TRUE(gameMenu.profileContinue.enabled);
}

TEST_F(MenuProfilesTest, SavedCareerLoadsBackAndSetsTheMenu)
{
    CreateProfile("Ann");
    CareerBlock.noCareer = 0;
    CareerBlock.careerScooter = 3;
    CareerBlock.places[4] = 1;
    gameMenu.SaveProfile();

    std::strcpy(PlayerName, "Other");
    ResetCareer(CareerBlock);
    gameMenu.profileLoaded = 0;
    gameMenu.ListProfiles();
    gameMenu.LoadProfile();
    EXPECT_STREQ(PlayerName, "Ann");
    EXPECT_EQ(CareerBlock.places[4], 1);
    EXPECT_EQ(MenuSelection.scooter, 3);
    EXPECT_EQ(gameMenu.profileLoaded, 1);
    EXPECT_TRUE(gameMenu.continueCareer.enabled);

    CareerBlock.noCareer = 1; // no career to continue
    gameMenu.SaveProfile();
    gameMenu.LoadProfile();
    EXPECT_FALSE(gameMenu.continueCareer.enabled);
}

// A name that fills its 16 bytes is saved cut to 15 characters and its terminator, so the
// profile still loads.
TEST_F(MenuProfilesTest, ANameWithoutRoomForItsTerminatorIsSavedCut)
{
    CreateProfile("Ann");
    std::memset(PlayerName, 'Z', sizeof PlayerName);
    gameMenu.SaveProfile();
    gameMenu.ListProfiles();
    ASSERT_EQ(gameMenu.profileCount, 1);
    gameMenu.LoadProfile();
    EXPECT_STREQ(PlayerName, "ZZZZZZZZZZZZZZZ");
}

// Two whole careers won race by race, the profile saved after each as the game does: the
// profile still loads, with every sector and scooter open.
TEST_F(MenuProfilesTest, ProfileOfFinishedCareersStillLoads)
{
    CreateProfile("Finisher");
    CareerBlock.speedLevel = CareerBlock.powerLevel = CareerBlock.controlLevel = 9;
    for (int career = 1; career <= 2; ++career) {
        CareerBlock.noCareer = 0;
        for (int race = 0; race < CAREER_RACES; ++race) {
            if (CareerBlock.sector == 3 && CareerBlock.stage == 3)
                CareerBlock.noCareer = 1; // the race won the career's last race
            CareerBlock.lastPlace = 1;
            CareerBlock.lastTime = 60.0f;
            gameMenu.AdvanceCareer();
        }
        EXPECT_EQ(CareerBlock.sectorsOpen, 4) << "after career " << career;
        EXPECT_EQ(CareerBlock.scootersOpen, 8) << "after career " << career;
        ResetCareer(CareerBlock);
        gameMenu.ListProfiles();
        ASSERT_EQ(gameMenu.profileCount, 1) << "after career " << career;
        gameMenu.LoadProfile();
        EXPECT_EQ(CareerBlock.careersCompleted, career);
        EXPECT_EQ(CareerBlock.sectorsOpen, 4);
        EXPECT_EQ(CareerBlock.scootersOpen, 8);
    }
}

TEST_F(MenuProfilesTest, DamagedProfileOnLoadKeepsNameAndCareer)
{
    CreateProfile("Ann");
    folder.WriteBytes("Save/Profile01.sav", BytesOfFile("broken"));
    std::strcpy(PlayerName, "Kept");
    CareerBlock.upgradePoints = 4;
    gameMenu.LoadProfile();
    EXPECT_STREQ(PlayerName, "Kept");
    EXPECT_EQ(CareerBlock.upgradePoints, 4);
}

TEST_F(MenuProfilesTest, DeletionSelectsTheFirstAgainAndANewProfileNeverOverwrites)
{
    CreateProfile("Ann");
    CreateProfile("Bob");
    ASSERT_TRUE(folder.Exists("Save/Profile02.sav"));
    SelectedProfile = 0;
    gameMenu.DeleteProfile();
    EXPECT_FALSE(folder.Exists("Save/Profile01.sav"));
    EXPECT_EQ(gameMenu.profileCount, 1);
    EXPECT_EQ(SelectedProfile, 0);
    EXPECT_STREQ(gameMenu.profileItems[0].caption, "Bob");

    const std::string bob = folder.Read("Save/Profile02.sav");
    CreateProfile("Cid"); // count + 1 = 2 is taken: number 1 is free again
    EXPECT_EQ(folder.Read("Save/Profile02.sav"), bob);
    EXPECT_TRUE(folder.Exists("Save/Profile01.sav"));

    gameMenu.DeleteProfile(); // the new profile, now selected
    gameMenu.DeleteProfile();
    EXPECT_EQ(gameMenu.profileCount, 0);
    EXPECT_EQ(SelectedProfile, -1);
    gameMenu.DeleteProfile(); // nothing selected: nothing happens
}

TEST_F(MenuProfilesTest, EleventhProfileIsRefused)
{
    for (int i = 0; i < 10; ++i)
        CreateProfile("P");
    ASSERT_EQ(gameMenu.profileCount, 10);
    CreateProfile("Q");
    EXPECT_EQ(gameMenu.profileCount, 10);
    EXPECT_FALSE(folder.Exists("Save/Profile11.sav"));
}

TEST_F(MenuProfilesTest, RandomTrackAndAutoplayNeverTouchTheBestResults)
{
    ClearRecordsTable(RecordsTable);
    RaceMode = RACE_MODE_QUICK;
    MenuSelection.track = 0;
    gameMenu.UpdateRecords();
    RaceMode = RACE_MODE_AUTOPLAY;
    MenuSelection.track = 2;
    gameMenu.UpdateRecords();
    EXPECT_FALSE(folder.Exists(RECORDS_FILE));

    RaceMode = RACE_MODE_QUICK;
    gameMenu.UpdateRecords(); // a recorded track saves even when no row changes
    EXPECT_TRUE(folder.Exists(RECORDS_FILE));
    gameMenu.LoadRecordsTable();
    EXPECT_EQ(RecordsTable[2].bestTime, NO_RECORD);
}

TEST_F(MenuProfilesTest, TheBestResultTakesTheWinnersRacerAndScooterNames)
{
    ClearRecordsTable(RecordsTable);
    CVehicle winner;
    std::strcpy(winner.racerName, "CPU");
    std::strcpy(winner.vehicleName, "Comet");
    winner.finishTime = 83.5f;
    track.racerOrder[0] = &winner;
    track.racerCount = 1;
    RaceMode = RACE_MODE_CAREER;
    CareerBlock.sector = 2;
    CareerBlock.stage = 1;
    gameMenu.UpdateRecords();
    track.racerOrder[0] = nullptr;
    track.racerCount = 0;

    const RecordsRow& row = RecordsTable[9];
    EXPECT_STREQ(row.driver, "CPU");
    EXPECT_STREQ(row.scooter, "Comet");
    EXPECT_FLOAT_EQ(row.bestTime, 83.5f);
}

} // namespace
