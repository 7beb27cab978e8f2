#include <cmath>
#include <cstring>

#include "engine/files/FileSystem.h"
#include "engine/shell/DebugLog.h"
#include "frontend/GameMenu.h"
#include "frontend/Records.h"
#include "frontend/SaveFile.h"

RecordsRow RecordsTable[RECORDS_ROWS];

namespace {

constexpr int TRACKS_PER_SECTOR = 4;
constexpr const char* EMPTY_RECORD_TEXT = "----";

bool IsTerminated(const char* text)
{
    return std::memchr(text, 0, RECORD_TEXT_SIZE) != nullptr;
}

void CopyRecordText(char* field, const char* text)
{
    std::memset(field, 0, RECORD_TEXT_SIZE);
    std::strncpy(field, text ? text : "", RECORD_TEXT_SIZE - 1);
}

} // namespace

void ClearRecordsRow(RecordsRow& row)
{
    CopyRecordText(row.driver, EMPTY_RECORD_TEXT);
    CopyRecordText(row.scooter, EMPTY_RECORD_TEXT);
    row.bestTime = NO_RECORD;
}

void ClearRecordsTable(RecordsRow* table)
{
    for (int row = 0; row < RECORDS_ROWS; ++row)
        ClearRecordsRow(table[row]);
}

bool IsPlausibleRecordsRow(const RecordsRow& row)
{
    const bool timeSound = row.bestTime == NO_RECORD || (std::isfinite(row.bestTime) && row.bestTime >= 0.0f);
    return IsTerminated(row.driver) && IsTerminated(row.scooter) && timeSound;
}

SaveReadResult ReadRecordsFile(const char* path, RecordsRow* table)
{
    ClearRecordsTable(table);
    int size = 0;
    const int handle = fileSystem.Open(path, FILE_MODE_BINARY, &size);
    if (handle < 0)
        return SaveReadResult::Missing;
    RecordsRow rows[RECORDS_ROWS];
    const int wholeRows = fileSystem.Read(rows, sizeof(RecordsRow), RECORDS_ROWS, handle);
    fileSystem.Close(handle);

    bool damaged = size != RECORDS_FILE_SIZE;
    for (int row = 0; row < wholeRows; ++row) {
        if (IsPlausibleRecordsRow(rows[row]))
            table[row] = rows[row];
        else
            damaged = true;
    }
    if (damaged)
        DebugOutStr("Damaged best results: only the sound rows of %s are kept", path);
    return damaged ? SaveReadResult::Damaged : SaveReadResult::Loaded;
}

bool WriteRecordsFile(const RecordsRow* table)
{
    return WriteSaveFile("Records.sav", table, RECORDS_FILE_SIZE);
}

int RecordsRowOfRace(int raceMode, int quickSector, int quickTrack, const CareerProgress& career)
{
    int row = -1;
    if (raceMode == RACE_MODE_AUTOPLAY)
        return -1;
    if (raceMode == RACE_MODE_QUICK) {
        if (quickTrack < 1 || quickTrack > TRACKS_PER_SECTOR)
            return -1; // the random track keeps no record
        row = quickSector * TRACKS_PER_SECTOR + quickTrack - 1;
    } else {
        if (career.stage < 0 || career.stage >= TRACKS_PER_SECTOR)
            return -1;
        row = career.sector * TRACKS_PER_SECTOR + career.stage;
    }
    return row >= 0 && row < RECORDS_ROWS ? row : -1;
}

bool OfferRecord(RecordsRow& row, const char* driver, const char* scooter, float time)
{
    if (!std::isfinite(time) || time <= 0.0f) // a racer that has not finished has time 0
        return false;
    if (row.bestTime != NO_RECORD && time > row.bestTime)
        return false;
    CopyRecordText(row.driver, driver);
    CopyRecordText(row.scooter, scooter);
    row.bestTime = time;
    return true;
}
