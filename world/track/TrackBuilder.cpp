// The random track builder: pieces joined exit to entry, chosen at random among those whose
// centre line keeps clear of the course so far and of the start area, with backtracking when a
// slot has no choice left.
#include <cstdlib>

#include "engine/helpers/VectorHelpers.h"
#include "engine/shell/DebugLog.h"
#include "engine/shell/ErrorBox.h"
#include "platform/win/WinTime.h"
#include "world/effects/LightsEffect.h"
#include "world/effects/SpotsEffect.h"
#include "world/objects/ObjectManager.h"
#include "world/sky/Environment.h"
#include "world/track/Platform.h"
#include "world/track/Track.h"
#include "world/track/TrackGeometry.h"
#include "world/track/TrackPaths.h"

namespace {

constexpr int CHOICE_TRIES = 256;
// The start area: the grid behind the start line and the first piece ahead of it.
const D3DXVECTOR3 START_AREA[2] = {D3DXVECTOR3(0, 0, -15), D3DXVECTOR3(0, 0, 100)};
const D3DXVECTOR3 WORLD_UP(0, 1, 0);

int KindsOfType(int type)
{
    switch (type) {
    case 1: return 12;
    case 2: return TRACK_PIECE_KINDS;
    default: return 5;
    }
}

// The frame a new piece is placed in: its origin on the previous piece's exit, facing on along
// the course. The exit frame's points are exit, exit + right and exit - up.
D3DXMATRIX AttachMatrix(const CPlatform& previous)
{
    const D3DXVECTOR3 exit = PointOf(previous, PIECE_FRAMES, 0);
    const D3DXVECTOR3 side = PointOf(previous, PIECE_FRAMES, 1);
    const D3DXVECTOR3 below = PointOf(previous, PIECE_FRAMES, 2) - exit;
    D3DXMATRIX exitFrame, attach;
    BuildLookAtMatrix(exitFrame, exit, side, below);
    BuildLookAtMatrix(attach, exit, exit + 100.0f * Row(exitFrame, 0), -below);
    return attach;
}

bool IsLoop(const CPlatform& piece) { return piece.pieceKind >= TRACK_LOOP_KIND; }

void MakeLightsRed(CSceneObject& frame)
{
    if (frame.components.lights)
        frame.components.lights->SetColour(1, 0, 0, 1);
    if (frame.components.spots)
        frame.components.spots->SetColour(1, 0, 0, 1);
}

} // namespace

int CTrack::TestPieceOverlap(const CPlatform* previous, const CSceneObject* piece, const D3DXMATRIX& placement,
                             float limit) const
{
    const int count = PointCount(*piece, PIECE_CENTRE_LINE);
    for (int n = 0; n < count; ++n) {
        const D3DXVECTOR3 q = PointOf(*piece, PIECE_CENTRE_LINE, n, &placement);
        for (const D3DXVECTOR3& area : START_AREA)
            if (Vec3Distance(q, area) < START_AREA_CLEARANCE)
                return 0;
        for (std::uint32_t j = 0; j < segmentCount; ++j) {
            if (segmentOwners[j] == previous &&
                (n < 2 || (IsLoop(*previous) && static_cast<int>(j) > static_cast<int>(segmentCount) - 2)))
                continue;
            if (Vec3Distance(q, segmentPoints[j]) < limit)
                return 0;
        }
    }
    return 1;
}

int CTrack::ChooseNextPiece(const CPlatform* previous, const D3DXMATRIX& placement, int kinds) const
{
    for (int attempt = 0; attempt < CHOICE_TRIES; ++attempt) {
        const int kind = static_cast<int>(static_cast<unsigned>(std::rand()) % static_cast<unsigned>(kinds));
        if (TestPieceOverlap(previous, pieceTemplates[kind], placement, SEGMENT_CLEARANCE))
            return kind;
    }
    return -1;
}

int CTrack::BuildTrack(int seed, int type, int length)
{
    if (seed == -1)
        seed = static_cast<int>(timeGetTime());
    std::srand(static_cast<unsigned>(seed));
    environment.Reset();
    Clear();
    trackType = type;
    const int kinds = KindsOfType(type);
    int total = std::rand() % 6 + 12 * length + 12;
    if (total > TRACK_MAX_PIECES)
        total = TRACK_MAX_PIECES;

    D3DXMATRIX placement;
    D3DXMatrixIdentity(&placement);
    for (int i = 0; i < total;) {
        int kind = 0;
        if (i > 0) {
            const CPlatform* previous = pieces[i - 1];
            placement = AttachMatrix(*previous);
            if (i < total - 1)
                kind = ChooseNextPiece(previous, placement, kinds);
            else
                kind = TestPieceOverlap(previous, pieceTemplates[0], placement, SEGMENT_CLEARANCE) ? 0 : -1;
        }
        if (kind == -1 || kind == pieceKinds[i]) {
            // No choice left here: take the previous piece back and choose its slot again.
            CPlatform* previous = pieces[i - 1];
            RemoveSegments(previous);
            pieceKinds[i] = -1;
            objectManager.RemoveObject(previous);
            pieces[i - 1] = nullptr;
            --pieceCount;
            if (i == 1) {
                ShowMessage("Can't get next platform type!", "BuildTrack() error!", 0);
                return 0;
            }
            --i;
            continue;
        }
        const D3DXVECTOR3 position = Row(placement, 3);
        const D3DXVECTOR3 target = position + 100.0f * Row(placement, 2);
        const D3DXVECTOR3 up = Row(placement, 1);
        CPlatform* piece = objectManager.AddPlatform(PieceKindFile(kind), position, target, up, -1);
        if (!piece) {
            DebugOut("CTrack::BuildTrack(): the object table is full");
            return 0;
        }
        pieceKinds[i] = kind;
        piece->pieceKind = kind;
        piece->CreatePhysics(0.0f, position, target, up);
        AddSegments(piece);
        pieces[i] = piece;
        ++pieceCount;
        ++i;
    }
    ComputeBounds();
    PlaceStartStructures();
    PlaceDecors();
    PlaceDecorsAlong();
    return 1;
}

CSceneObject* CTrack::AddStructure(const char* file, const D3DXVECTOR3& position, const D3DXVECTOR3& target,
                                   const D3DXVECTOR3& up)
{
    if (structureCount >= TRACK_MAX_STRUCTURES)
        return nullptr;
    CSceneObject* structure = objectManager.AddObject(file, position, target, up, -1);
    if (!structure)
        return nullptr;
    structure->CreatePhysics(0.0f, position, target, up);
    structures[structureCount++] = structure;
    return structure;
}

void CTrack::PlaceStartStructures()
{
    // A gate facing back along the course at the exit of a piece.
    auto exitGate = [this](const CPlatform& piece, const char* file) {
        const D3DXVECTOR3 exit = PointOf(piece, PIECE_FRAMES, 0);
        D3DXMATRIX frame;
        BuildLookAtMatrix(frame, exit, PointOf(piece, PIECE_FRAMES, 1), WORLD_UP);
        return AddStructure(file, exit, exit + 100.0f * Row(frame, 0), WORLD_UP);
    };
    const CPlatform& first = *pieces[0];
    const CPlatform& last = *pieces[pieceCount - 1];
    AddStructure(START_STRUCTURE_FILE, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 1), WORLD_UP);
    exitGate(last, START_STRUCTURE_FILE);
    startLights = exitGate(first, LIGHTS_FRAME_FILE);
    const D3DXVECTOR3 origin = Row(last.world, 3);
    finishLights = AddStructure(LIGHTS_FRAME_FILE, origin, origin - 100.0f * Row(last.world, 2), WORLD_UP);
    for (CSceneObject* lights : {startLights, finishLights})
        if (lights)
            MakeLightsRed(*lights);
}
