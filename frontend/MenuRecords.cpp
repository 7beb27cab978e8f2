// The best results: read at menu load, updated and saved after a race.
#include <cstring>

#include "engine/ErrorBox.h"
#include "frontend/GameMenu.h"
#include "frontend/Records.h"
#include "world/Track.h"
#include "world/Vehicle.h"
#include "world/VehicleManager.h"

namespace {

// The grid writes the driver's name over a racer's own name, so the scooter's name comes from
// the menu's scooter list, by the scooter's description file.
const char* ScooterNameOf(const CVehicle& vehicle, const CMenuButton* scooterItems)
{
    for (int i = 0; i < MENU_SCOOTERS; ++i) {
        char path[STATIC_OBJECT_PATH_SIZE];
        VehicleFileName(path, sizeof path, i);
        if (std::strcmp(vehicle.path, path) == 0)
            return scooterItems[i].caption;
    }
    return "----";
}

} // namespace

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
        OfferRecord(RecordsTable[row], winner.vehicleName, ScooterNameOf(winner, scooterItems), winner.finishTime);
    }
    SaveRecordsTable();
}
