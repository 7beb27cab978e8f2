// The best results: read at menu load, updated and saved after a race.
#include "engine/shell/ErrorBox.h"
#include "frontend/GameMenu.h"
#include "frontend/Records.h"
#include "world/scooters/Vehicle.h"
#include "world/track/Track.h"

void CGameMenu::LoadRecordsTable()
{
    ReadRecordsFile(RECORDS_FILE, RecordsTable);
}

void CGameMenu::SaveRecordsTable()
{
    if (!WriteRecordsFile(RecordsTable))
        ShowMessage("Could't save records table!", "SaveRecordsTable() error!", MB_ICONWARNING);
}

void CGameMenu::UpdateRecords()
{
    const int row = RecordsRowOfRace(RaceMode, MenuSelection.sector, MenuSelection.track, CareerBlock);
    if (row < 0)
        return;
    // The winner leads the race order; it may be a computer racer.
    if (track.racerCount > 0 && track.racerOrder[0]) {
        const CVehicle& winner = *track.racerOrder[0];
        OfferRecord(RecordsTable[row], winner.racerName, winner.vehicleName, winner.finishTime);
    }
    SaveRecordsTable();
}
