// The start grid and the race order.
#include <algorithm>
#include <cstdlib>

#include "engine/shell/GameTimer.h"
#include "platform/win/WinTime.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/GridLayout.h"
#include "world/track/Track.h"

void CTrack::PlaceOnGrid(int racers, int playerVehicleIndex)
{
    std::srand(timeGetTime());
    std::fill(std::begin(racerOrder), std::end(racerOrder), nullptr);
    const int count = std::clamp(racers, 1, TRACK_MAX_RACERS);
    racerCount = 0;
    const int rows = GridRowCount(count);
    const int stop = static_cast<int>(segmentCount) - rows - 4;
    const D3DXVECTOR3 up(0, 1, 0);
    for (int index = 0; index < count; ++index) {
        const GridSlot slot = GridSlotOf(segmentPoints, index);
        const int file = index == 0 && playerVehicleIndex != -1 ? playerVehicleIndex
                                                                : std::rand() % CVehicleManager::VEHICLE_FILES;
        char name[64];
        VehicleFileName(name, sizeof(name), file);
        CVehicle* vehicle = vehicleManager.AddVehicle(name, &slot.position, &slot.target, &up, DRIVER_COMPUTER);
        if (!vehicle)
            break;
        vehicle->SetGridSlot(3 + slot.row, stop + slot.row, slot.column);
        racerOrder[racerCount++] = vehicle;
    }
    raceStartTime = gameTimer.gameTime;
}

void CTrack::UpdateOrder(CVehicle* vehicle)
{
    const auto last = std::begin(racerOrder) + racerCount;
    const auto found = std::find(std::begin(racerOrder), last, vehicle);
    if (found == last)
        return;
    const int i = static_cast<int>(found - std::begin(racerOrder));
    vehicle->place = i;
    for (int j = 0; j < i; ++j) {
        CVehicle* ahead = racerOrder[j];
        if (ahead->finishTime == 0 && ahead->distanceToFinish > vehicle->distanceToFinish) {
            std::swap(racerOrder[i], racerOrder[j]);
            ahead->place = i;
            vehicle->place = j;
            return;
        }
    }
}
