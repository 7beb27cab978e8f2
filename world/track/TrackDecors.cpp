// What the track builder sets along the finished course: roadside structures beside the
// pieces, and groups of decor boxes with a sign in one of the three lanes.
#include <cstdlib>

#include "engine/helpers/VectorHelpers.h"
#include "world/objects/CollisionQuery.h"
#include "world/objects/ObjectManager.h"
#include "world/track/Platform.h"
#include "world/track/Track.h"
#include "world/track/TrackGeometry.h"
#include "world/track/TrackPaths.h"

namespace {

const D3DXVECTOR3 WORLD_UP(0, 1, 0);
constexpr float LANE_WIDTH = 5.0f;
constexpr float DECOR_GAP = 0.15f;    // between the surface and a box, and between stacked boxes
constexpr float PROBE_HEIGHT = 10.0f; // the ground probe runs from this high above to as far below

struct BoxOffset {
    float x, level, z; // in box widths, box heights (plus the gap) and box depths
};

const BoxOffset PATTERN_0[] = {{-0.65f, 0, 0}, {0.65f, 0, 0}, {0, 1, 0}};
const BoxOffset PATTERN_1[] = {{-0.65f, 0, 0}, {0.65f, 0, 0}, {-0.65f, 1, 0}, {0.65f, 1, 0}, {0, 2, 0}};

// The track surface under a point: hit point and normal.
bool GroundUnder(const D3DXVECTOR3& point, D3DXVECTOR3& hit, D3DXVECTOR3& normal)
{
    const D3DXVECTOR3 lift(0, PROBE_HEIGHT, 0);
    return collisionQuery.NearestSegmentHitType8(point + lift, point - lift, 2.0f * PROBE_HEIGHT, &hit, &normal) != 0;
}

} // namespace

int CTrack::IsStructureSpotFree(const CPlatform* piece, const D3DXVECTOR3& point) const
{
    return IsClearOfCourse(*this, point, piece, STRUCTURE_SEGMENT_CLEARANCE) &&
           IsClearOfStructures(*this, point, STRUCTURE_CLEARANCE);
}

void CTrack::PlaceDecors()
{
    for (std::uint32_t i = 1; i + 1 < pieceCount; ++i) {
        const CPlatform& piece = *pieces[i];
        const int frames = PointCount(piece, PIECE_FRAMES);
        if (frames <= 3)
            continue;
        if (100 - trackType * 15 < std::rand() % 101)
            continue;
        const int pairs = (frames - 3) / 2;
        int skip = -1;
        if (trackType != 0 && pairs == 2)
            skip = std::rand() & 1;
        for (int j = 0; j < pairs; ++j) {
            if (j == skip)
                continue;
            const D3DXVECTOR3 position = PointOf(piece, PIECE_FRAMES, 3 + 2 * j);
            const D3DXVECTOR3 facing = PointOf(piece, PIECE_FRAMES, 4 + 2 * j);
            if (IsStructureSpotFree(&piece, position + D3DXVECTOR3(0, 30, 0)))
                AddStructure(StructureFile(std::rand() % TRACK_STRUCTURE_TEMPLATES), position, facing, WORLD_UP);
        }
    }
}

void CTrack::PlaceDecorsAlong()
{
    for (int& hint : laneHints)
        hint = -1;
    for (std::uint32_t i = 1; i + 1 < pieceCount; ++i) {
        CPlatform* piece = pieces[i];
        if (piece->decorType == DECORS_TYPE_NONE || std::rand() % 101 <= 25)
            continue;
        const int places = PointCount(*piece, PIECE_DECOR_PLACES);
        for (int q = 0; q < places; ++q)
            PlaceDecorGroup(piece, PointOf(*piece, PIECE_DECOR_PLACES, q));
    }
}

CSceneObject* CTrack::PlaceDecor(CPlatform* piece, const char* file, const D3DXVECTOR3& ground, float lift,
                                 const D3DXVECTOR3& facingDirection, bool turned, int seed)
{
    D3DXVECTOR3 hit, normal;
    if (!GroundUnder(ground, hit, normal))
        return nullptr;
    const D3DXVECTOR3 position(hit.x, hit.y + lift, hit.z);
    D3DXVECTOR3 facing = facingDirection;
    if (turned) {
        D3DXVECTOR3 turn;
        Vec3Normalize(turn, D3DXVECTOR3(static_cast<float>(std::rand() % 101) * 0.005f - 0.25f, 0, 1));
        facing = D3DXVECTOR3(-turn.z, 0, turn.x);
    }
    CSceneObject* decor = objectManager.AddObject(file, position, position + facing, normal, seed);
    if (!decor)
        return nullptr;
    decor->CreatePhysics(decor->mass, position, position + facing, normal);
    piece->AddChild(decor);
    return decor;
}

void CTrack::PlaceDecorGroup(CPlatform* piece, const D3DXVECTOR3& decorPoint)
{
    int n = NearestPiecePoint(piece, decorPoint);
    const int points = PointCount(*piece, PIECE_CENTRE_LINE);
    if (n < 0 || points < 2)
        return;
    if (n + 1 >= points) // the lane frame needs the point after n
        n = points - 2;
    CSceneObject box, sign;
    box.Load(DECOR_BOX_FILE, -1);
    const int seed = std::rand();
    const int pattern = std::rand() % 2;
    const int lane = std::rand() % 3;

    const D3DXVECTOR3 a = PointOf(*piece, PIECE_CENTRE_LINE, n);
    D3DXMATRIX frame;
    BuildLookAtMatrix(frame, a, PointOf(*piece, PIECE_CENTRE_LINE, n + 1), WORLD_UP);
    const D3DXVECTOR3 right = Row(frame, 0), forward = Row(frame, 2);
    const D3DXVECTOR3 lanePoint = a - LANE_WIDTH * right + LANE_WIDTH * static_cast<float>(lane) * right;

    float nearest = 100000.0f;
    int nearestSegment = -1;
    for (std::uint32_t j = 0; j < segmentCount; ++j)
        if (const float distance = Vec3Distance(segmentPoints[j], decorPoint); distance < nearest) {
            nearest = distance;
            nearestSegment = static_cast<int>(j);
        }
    if (nearestSegment >= 0)
        laneHints[nearestSegment] = lane;

    const D3DXVECTOR3 boxSize = box.mesh ? box.mesh->size : D3DXVECTOR3(0, 0, 0);
    const float boxBottom = box.mesh ? box.mesh->box.minimum.y : 0.0f;
    const BoxOffset* offsets = pattern == 0 ? PATTERN_0 : PATTERN_1;
    const int boxes = pattern == 0 ? 3 : 5;
    for (int b = 0; b < boxes; ++b) {
        const D3DXVECTOR3 ground =
            lanePoint + right * (offsets[b].x * boxSize.x) + forward * (offsets[b].z * boxSize.z);
        const float lift = DECOR_GAP - boxBottom + offsets[b].level * (boxSize.y + DECOR_GAP);
        PlaceDecor(piece, DECOR_BOX_FILE, ground, lift, D3DXVECTOR3(0, 0, 0), true, seed);
    }

    sign.Load(DECOR_SIGN_FILE, -1);
    const float signBottom = sign.mesh ? sign.mesh->box.minimum.y : 0.0f;
    PlaceDecor(piece, DECOR_SIGN_FILE, lanePoint - forward * 4.0f * boxSize.z, DECOR_GAP - signBottom,
               10.0f * forward, false, -1);
    box.Release();
    sign.Release();
}
