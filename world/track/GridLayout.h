#pragma once
// Where the racers stand on the start grid: rows of three across the centre line, row 0 nearest
// the start, columns 5 apart with column 1 on the centre line.
#include "platform/gfxx/D3DXMath.h"

struct GridSlot {
    D3DXVECTOR3 position;
    D3DXVECTOR3 target;
    int row;
    int column;
};

// ceil(racers / 3), at least 1.
int GridRowCount(int racers);
// The slot of the racer with this index in the order the grid is filled (0: the player's);
// the track needs segment points 2 .. row + 3.
GridSlot GridSlotOf(const D3DXVECTOR3* segmentPoints, int index);
