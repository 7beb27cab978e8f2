#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "engine/files/FileSystem.h"
#include "frontend/GameMenu.h"
#include "frontend/Records.h"
#include "tests/profiles/SaveFixtures.h"
#include "tests/support/ScratchFolder.h"

namespace {

class RecordsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fileSystem.Init();
        ClearRecordsTable(stored);
        OfferRecord(stored[0], "Ann", "Comet", 61.5f);
        OfferRecord(stored[15], "CPU", "Viper", 140.0f);
    }
    void TearDown() override { fileSystem.Release(); }

    ScratchFolder folder;
    RecordsRow stored[RECORDS_ROWS];
    RecordsRow table[RECORDS_ROWS];
};

bool IsEmptyRow(const RecordsRow& row)
{
    return std::string(row.driver) == "----" && std::string(row.scooter) == "----" && row.bestTime == NO_RECORD;
}

TEST_F(RecordsFileTest, MissingFileGivesAnEmptyTableAndWritesNothing)
{
    EXPECT_EQ(ReadRecordsFile(RECORDS_FILE, table), SaveReadResult::Missing);
    for (const RecordsRow& row : table)
        EXPECT_TRUE(IsEmptyRow(row));
    EXPECT_FALSE(folder.Exists("Save"));
}

TEST_F(RecordsFileTest, WrittenTableReadsBackWithItsFileSize)
{
    ASSERT_TRUE(WriteRecordsFile(stored));
    EXPECT_EQ(std::filesystem::file_size(RECORDS_FILE), 704u);
    EXPECT_FALSE(folder.Exists("Save/Records.sav.tmp"));
    ASSERT_EQ(ReadRecordsFile(RECORDS_FILE, table), SaveReadResult::Loaded);
    EXPECT_EQ(std::memcmp(table, stored, sizeof table), 0);
}

TEST_F(RecordsFileTest, ShortFileKeepsItsWholeRowsAndEmptiesTheRest)
{
    std::vector<std::uint8_t> bytes = BytesOf(stored);
    bytes.resize(sizeof(RecordsRow) + 10); // row 0 and part of row 1
    folder.WriteBytes(RECORDS_FILE, bytes);
    EXPECT_EQ(ReadRecordsFile(RECORDS_FILE, table), SaveReadResult::Damaged);
    EXPECT_STREQ(table[0].driver, "Ann");
    EXPECT_EQ(table[0].bestTime, 61.5f);
    for (int row = 1; row < RECORDS_ROWS; ++row)
        EXPECT_TRUE(IsEmptyRow(table[row])) << row;
}

TEST_F(RecordsFileTest, DamagedRowsAreEmptiedAndSoundRowsKept)
{
    std::memset(stored[3].driver, 'X', RECORD_TEXT_SIZE); // no terminator
    stored[4].bestTime = std::nanf("");
    stored[5].bestTime = -7.0f;
    folder.WriteBytes(RECORDS_FILE, BytesOf(stored));
    EXPECT_EQ(ReadRecordsFile(RECORDS_FILE, table), SaveReadResult::Damaged);
    EXPECT_TRUE(IsEmptyRow(table[3]));
    EXPECT_TRUE(IsEmptyRow(table[4]));
    EXPECT_TRUE(IsEmptyRow(table[5]));
    EXPECT_STREQ(table[15].scooter, "Viper");
}

TEST_F(RecordsFileTest, FailedWriteLeavesThePreviousTable)
{
    ASSERT_TRUE(WriteRecordsFile(stored));
    std::filesystem::create_directory("Save/Records.sav.tmp");
    RecordsRow changed[RECORDS_ROWS];
    ClearRecordsTable(changed);
    EXPECT_FALSE(WriteRecordsFile(changed));
    ASSERT_EQ(ReadRecordsFile(RECORDS_FILE, table), SaveReadResult::Loaded);
    EXPECT_STREQ(table[0].driver, "Ann");
}

TEST(RecordsRowOfRace, RowByModeSectorTrackAndCareer)
{
    CareerProgress career;
    ResetCareer(career);
    career.sector = 2;
    career.stage = 3;
    struct Case {
        int mode, sector, track, expected;
    } const cases[] = {
        {RACE_MODE_AUTOPLAY, 1, 2, -1},
        {RACE_MODE_QUICK, 1, 0, -1}, // the random track keeps no record
        {RACE_MODE_QUICK, 0, 1, 0},
        {RACE_MODE_QUICK, 1, 2, 5},
        {RACE_MODE_QUICK, 3, 4, 15},
        {RACE_MODE_QUICK, 4, 1, -1},
        {RACE_MODE_CAREER, 0, 0, 11},
        {RACE_MODE_NONE, 0, 0, 11},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecordsRowOfRace(c.mode, c.sector, c.track, career), c.expected)
            << "mode " << c.mode << " sector " << c.sector << " track " << c.track;
    career.stage = 4; // a finished career has no row of its own
    EXPECT_EQ(RecordsRowOfRace(RACE_MODE_CAREER, 0, 0, career), -1);
}

TEST(OfferRecord, EmptyRowTiesAndBetterTimesReplaceSlowerOnesDoNot)
{
    RecordsRow row;
    ClearRecordsRow(row);
    EXPECT_TRUE(OfferRecord(row, "CPU", "Comet", 90.0f)) << "an empty row takes any finish";
    EXPECT_FALSE(OfferRecord(row, "Ann", "Viper", 90.5f));
    EXPECT_STREQ(row.driver, "CPU");
    EXPECT_TRUE(OfferRecord(row, "Ann", "Viper", 90.0f)) << "a tie replaces the row";
    EXPECT_STREQ(row.driver, "Ann");
    EXPECT_STREQ(row.scooter, "Viper");
    EXPECT_TRUE(OfferRecord(row, "Bob", "Nova", 80.0f));
    EXPECT_EQ(row.bestTime, 80.0f);
    EXPECT_FALSE(OfferRecord(row, "Cid", "Nova", 0.0f)) << "a racer without a finish time";
    EXPECT_FALSE(OfferRecord(row, "Cid", "Nova", std::nanf("")));
    EXPECT_EQ(row.bestTime, 80.0f);
}

TEST(OfferRecord, LongNamesAreCutToTheFieldAndTheRestZeroed)
{
    RecordsRow row;
    ClearRecordsRow(row);
    ASSERT_TRUE(OfferRecord(row, "A driver with a very long name", "Scooter", 50.0f));
    EXPECT_EQ(std::string(row.driver), std::string("A driver with a ver"));
    EXPECT_EQ(row.scooter[7], 0);
    EXPECT_EQ(row.scooter[19], 0);
    EXPECT_TRUE(IsPlausibleRecordsRow(row));
}

} // namespace
