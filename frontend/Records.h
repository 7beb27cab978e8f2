#pragma once
// The best results: the best time ever driven on each of the 16 tracks (4 sectors x 4 tracks),
// with the driver and the scooter, in "Save/Records.sav" (16 rows of 44 bytes, no header).
#include "frontend/Profiles.h"

constexpr int RECORDS_ROWS = 16;
constexpr int RECORD_TEXT_SIZE = 20;
constexpr float NO_RECORD = -1.0f;
constexpr const char* RECORDS_FILE = "Save/Records.sav";

struct RecordsRow {
    char driver[RECORD_TEXT_SIZE];  // "----" when empty
    char scooter[RECORD_TEXT_SIZE]; // "----" when empty
    float bestTime;                 // seconds, NO_RECORD when empty
};
static_assert(sizeof(RecordsRow) == 44);
constexpr int RECORDS_FILE_SIZE = RECORDS_ROWS * static_cast<int>(sizeof(RecordsRow));

extern RecordsRow RecordsTable[RECORDS_ROWS];

// "----", "----", NO_RECORD, the rest of both texts zero.
void ClearRecordsRow(RecordsRow& row);
void ClearRecordsTable(RecordsRow* table);
bool IsPlausibleRecordsRow(const RecordsRow& row);

// Fills the table from the file: Missing leaves every row empty; Damaged keeps the rows that
// read whole and sound and empties the others.
SaveReadResult ReadRecordsFile(const char* path, RecordsRow* table);
// Writes the table through a temporary file that replaces the old one; false on failure.
bool WriteRecordsFile(const RecordsRow* table);

// The row a finished race competes for, or -1 for none (autoplay, a quick race on the random
// track, an index outside the table).
int RecordsRowOfRace(int raceMode, int quickSector, int quickTrack, const CareerProgress& career);
// The row takes the result when it is empty or the time is at most its best (a tie replaces
// it); returns true when it did.
bool OfferRecord(RecordsRow& row, const char* driver, const char* scooter, float time);
