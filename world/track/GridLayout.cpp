#include "world/track/GridLayout.h"

#include "engine/helpers/VectorHelpers.h"

namespace {

constexpr int GRID_COLUMNS = 3;
constexpr float COLUMN_SPACING = 5.0f;
constexpr float GRID_LIFT = 5.0f;
constexpr float TARGET_DISTANCE = 100.0f;

} // namespace

int GridRowCount(int racers)
{
    const int rows = (racers + GRID_COLUMNS - 1) / GRID_COLUMNS;
    return rows < 1 ? 1 : rows;
}

GridSlot GridSlotOf(const D3DXVECTOR3* segmentPoints, int index)
{
    GridSlot slot;
    slot.row = index / GRID_COLUMNS;
    slot.column = index % GRID_COLUMNS;
    const D3DXVECTOR3& base = segmentPoints[2 + slot.row];
    D3DXVECTOR3 direction;
    Vec3Normalize(direction, segmentPoints[3 + slot.row] - base);
    const D3DXVECTOR3 side(COLUMN_SPACING * direction.z, 0.0f, -COLUMN_SPACING * direction.x);
    slot.position = base + D3DXVECTOR3(0.0f, GRID_LIFT, 0.0f) - side + float(slot.column) * side;
    slot.target = slot.position + TARGET_DISTANCE * direction;
    return slot;
}
