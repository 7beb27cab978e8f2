#include "world/track/Track.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/files/FileSystem.h"
#include "engine/helpers/VectorHelpers.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/InputState.h"
#include "world/objects/ObjectManager.h"
#include "world/track/Platform.h"
#include "world/track/TrackGeometry.h"
#include "world/track/TrackPaths.h"

CTrack::CTrack()
    : pieceTemplates {}, pieceTemplateCount(0), pieces {}, pieceCount(0), pieceKinds {}, structureTemplates {},
      structureTemplateCount(0), structures {}, structureCount(0), startLights(nullptr), finishLights(nullptr),
      infoScreens {}, infoScreenCount(0), segmentPoints {}, segmentOwners {}, laneHints {}, segmentCount(0),
      racerOrder {}, racerCount(0), raceStartTime(0), trackType(0), trackCentre(0, 0, 0), trackRadius(0),
      trackLength(0)
{
    Clear();
}

int CTrack::Init()
{
    for (int kind = 0; kind < TRACK_PIECE_KINDS; ++kind) {
        pieceTemplates[kind] = new CSceneObject();
        pieceTemplates[kind]->Load(PieceKindFile(kind), -1);
    }
    pieceTemplateCount = TRACK_PIECE_KINDS;
    for (int row = 0; row < TRACK_STRUCTURE_TEMPLATES; ++row) {
        structureTemplates[row] = new CSceneObject();
        structureTemplates[row]->Load(StructureFile(row), -1);
    }
    structureTemplateCount = TRACK_STRUCTURE_TEMPLATES;
    infoScreenCount = 0;
    for (int n = 1; n <= TRACK_MAX_INFO_SCREENS; ++n) {
        char path[64];
        std::snprintf(path, sizeof(path), INFO_SCREEN_PATTERN, n);
        const int handle = fileSystem.Open(path, 5000);
        if (handle == -1)
            break;
        fileSystem.Close(handle);
        infoScreens[infoScreenCount++] = d3dRender.LoadTexture(path, 0);
    }
    Clear();
    return 1;
}

void CTrack::ReleaseTemplates()
{
    for (CSceneObject*& piece : pieceTemplates) {
        CSceneObject::Destroy(piece);
        piece = nullptr;
    }
    for (CSceneObject*& structure : structureTemplates) {
        CSceneObject::Destroy(structure);
        structure = nullptr;
    }
    pieceTemplateCount = 0;
    structureTemplateCount = 0;
}

void CTrack::Release()
{
    ReleaseTemplates();
    for (std::uint32_t i = 0; i < infoScreenCount; ++i) {
        d3dRender.ReleaseTexture(infoScreens[i]);
        infoScreens[i] = -1;
    }
    infoScreenCount = 0;
    Clear();
}

void CTrack::RemovePlacedObjects()
{
    // The decors go with their pieces, so that a rebuilt track does not keep the old ones.
    for (std::uint32_t i = 0; i < pieceCount; ++i) {
        for (int child = 0; child < pieces[i]->childCount; ++child)
            objectManager.RemoveObject(pieces[i]->children[child]);
        objectManager.RemoveObject(pieces[i]);
        pieces[i] = nullptr;
    }
    for (std::uint32_t i = 0; i < structureCount; ++i) {
        objectManager.RemoveObject(structures[i]);
        structures[i] = nullptr;
    }
}

void CTrack::Clear()
{
    RemovePlacedObjects();
    pieceCount = 0;
    structureCount = 0;
    startLights = nullptr;
    finishLights = nullptr;
    std::fill(std::begin(segmentPoints), std::end(segmentPoints), D3DXVECTOR3(0, 0, 0));
    std::memset(segmentOwners, 0, sizeof(segmentOwners));
    for (int& hint : laneHints)
        hint = -1;
    for (int& kind : pieceKinds)
        kind = -1;
    segmentCount = 0;
    std::memset(racerOrder, 0, sizeof(racerOrder));
    racerCount = 0;
    trackCentre = D3DXVECTOR3(0, 0, 0);
    trackRadius = 0;
    trackLength = 0;
}

void CTrack::Reset()
{
    for (std::uint32_t i = 0; i < pieceCount; ++i)
        pieces[i]->Reset();
}

void CTrack::Update()
{
    if (GameSettings[SLOT_DEBUG_MODE] && inputState.shift && inputState.del) {
        inputState.del = 0;
        BuildTrack(-1, 2, 2);
    }
}

void CTrack::AddSegments(CPlatform* piece)
{
    const int count = PointCount(*piece, PIECE_CENTRE_LINE);
    for (int n = 0; n + 1 < count && segmentCount < TRACK_MAX_SEGMENTS; ++n) {
        segmentPoints[segmentCount] = PointOf(*piece, PIECE_CENTRE_LINE, n);
        segmentOwners[segmentCount] = piece;
        ++segmentCount;
    }
}

void CTrack::RemoveSegments(CPlatform* piece)
{
    std::uint32_t kept = 0;
    for (std::uint32_t j = 0; j < segmentCount; ++j) {
        if (segmentOwners[j] == piece)
            continue;
        segmentPoints[kept] = segmentPoints[j];
        segmentOwners[kept] = segmentOwners[j];
        ++kept;
    }
    for (std::uint32_t j = kept; j < segmentCount; ++j)
        segmentOwners[j] = nullptr;
    segmentCount = kept;
}

int CTrack::NearestPiecePoint(const CSceneObject* piece, const D3DXVECTOR3& point) const
{
    int best = -1;
    float bestDistance = 0;
    const int count = PointCount(*piece, PIECE_CENTRE_LINE);
    for (int n = 0; n < count; ++n) {
        const float distance = Vec3Distance(PointOf(*piece, PIECE_CENTRE_LINE, n), point);
        if (best == -1 || distance < bestDistance) {
            best = n;
            bestDistance = distance;
        }
    }
    return best;
}

int CTrack::PieceIndex(const CSceneObject* piece) const
{
    for (std::uint32_t i = 0; i < pieceCount; ++i)
        if (pieces[i] == piece)
            return static_cast<int>(i);
    return -1;
}

int CTrack::RandomInfoScreen() const
{
    if (infoScreenCount == 0)
        return -1;
    return infoScreens[static_cast<std::uint32_t>(std::rand()) % infoScreenCount];
}

void CTrack::ComputeBounds()
{
    trackCentre = D3DXVECTOR3(0, 0, 0);
    trackRadius = 0;
    trackLength = segmentCount > 11 ? 20.0f * static_cast<float>(segmentCount - 11) : 0.0f;
    if (segmentCount == 0)
        return;
    for (std::uint32_t j = 0; j < segmentCount; ++j)
        trackCentre += segmentPoints[j];
    trackCentre *= 1.0f / static_cast<float>(segmentCount);
    for (std::uint32_t j = 0; j < segmentCount; ++j)
        if (const float distance = Vec3Distance(segmentPoints[j], trackCentre); distance > trackRadius)
            trackRadius = distance;
}

void CTrack::FindFreeSpot(D3DXVECTOR3& point, float radius) const
{
    const D3DXVECTOR3 start = point;
    for (int rejected = 0;; ++rejected) {
        if (rejected > 0 && rejected % 257 == 0)
            radius += 10.0f;
        const D3DXVECTOR3 random(static_cast<float>(std::rand() % 201 - 100),
                                 static_cast<float>(std::rand() % 201 - 100),
                                 static_cast<float>(std::rand() % 201 - 100));
        D3DXVECTOR3 direction;
        Vec3Normalize(direction, random);
        point = start + direction * radius;
        if (IsClearOfCourse(*this, point, nullptr, STRUCTURE_SEGMENT_CLEARANCE) &&
            IsClearOfStructures(*this, point, STRUCTURE_CLEARANCE))
            return;
    }
}
