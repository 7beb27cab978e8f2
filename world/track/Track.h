#pragma once
// The race course: a chain of track pieces joined end to end in a random order, the start and
// finish structures, roadside structures, decor boxes and signs, and the course's centre line
// (the segment points), which is the race's coordinate system.
#include <cstdint>

#include "platform/gfxx/D3DXMath.h"

class CSceneObject;
class CPlatform;
class CVehicle;

constexpr int TRACK_PIECE_KINDS = 19;
constexpr int TRACK_LOOP_KIND = 17; // kinds from here on are loops
constexpr int TRACK_MAX_PIECES = 128;
constexpr int TRACK_STRUCTURE_TEMPLATES = 10;
constexpr int TRACK_MAX_STRUCTURES = 128;
constexpr int TRACK_MAX_INFO_SCREENS = 64;
constexpr int TRACK_MAX_SEGMENTS = 1024;
constexpr int TRACK_MAX_RACERS = 24;
constexpr int TRACK_FINISH_SEGMENTS = 8;

class CTrack {
public:
    CTrack();

    // Loads the piece and structure templates and the info-screen pictures. Returns 1.
    int Init();
    void Release();
    // Removes every placed piece and structure from the object manager and empties the centre
    // line; templates and info screens stay.
    void Clear();

    // A random course from the seed (-1: the clock), type (0 plain, 1 slopes, 2 loops too) and
    // length; 1 built, 0 when the builder ran out of choices at the start piece.
    int BuildTrack(int seed, int type, int length);
    // Places the racers on the start grid, the player's scooter first.
    void PlaceOnGrid(int racers, int playerVehicleIndex);
    // Moves the scooter up the race order by at most one place.
    void UpdateOrder(CVehicle* vehicle);
    // Race restart: every placed piece back to its start state.
    void Reset();
    // Debug rebuild (debug mode, Shift and Delete).
    void Update();

    void AddSegments(CPlatform* piece);
    void RemoveSegments(CPlatform* piece);
    // Index of the piece's centre-line point nearest to point, -1 when it has none.
    int NearestPiecePoint(const CSceneObject* piece, const D3DXVECTOR3& point) const;
    int PieceIndex(const CSceneObject* piece) const;
    int RandomInfoScreen() const;
    // Moves point to a random spot at radius around it, clear of the course and structures.
    void FindFreeSpot(D3DXVECTOR3& point, float radius) const;
    void ComputeBounds();

    CSceneObject* pieceTemplates[TRACK_PIECE_KINDS];
    std::uint32_t pieceTemplateCount;
    CPlatform* pieces[TRACK_MAX_PIECES];
    std::uint32_t pieceCount;
    int pieceKinds[TRACK_MAX_PIECES];
    CSceneObject* structureTemplates[TRACK_STRUCTURE_TEMPLATES];
    std::uint32_t structureTemplateCount;
    CSceneObject* structures[TRACK_MAX_STRUCTURES];
    std::uint32_t structureCount;
    CSceneObject* startLights;
    CSceneObject* finishLights;
    int infoScreens[TRACK_MAX_INFO_SCREENS];
    std::uint32_t infoScreenCount;
    D3DXVECTOR3 segmentPoints[TRACK_MAX_SEGMENTS];
    CPlatform* segmentOwners[TRACK_MAX_SEGMENTS];
    int laneHints[TRACK_MAX_SEGMENTS];
    std::uint32_t segmentCount;
    CVehicle* racerOrder[TRACK_MAX_RACERS];
    std::uint32_t racerCount;
    std::uint32_t raceStartTime;
    int trackType;
    D3DXVECTOR3 trackCentre;
    float trackRadius;
    float trackLength;

private:
    // Steps of the builder.
    int ChooseNextPiece(const CPlatform* previous, const D3DXMATRIX& placement, int kinds) const;
    int TestPieceOverlap(const CPlatform* previous, const CSceneObject* piece, const D3DXMATRIX& placement,
                         float limit) const;
    void PlaceStartStructures();
    CSceneObject* AddStructure(const char* file, const D3DXVECTOR3& position, const D3DXVECTOR3& target,
                               const D3DXVECTOR3& up);
    void PlaceDecors();
    void PlaceDecorsAlong();
    void PlaceDecorGroup(CPlatform* piece, const D3DXVECTOR3& decorPoint);
    // A decor on the surface under ground, lifted above it; boxes (turned) face a random way
    // across the course, others the given direction.
    CSceneObject* PlaceDecor(CPlatform* piece, const char* file, const D3DXVECTOR3& ground, float lift,
                             const D3DXVECTOR3& facingDirection, bool turned, int seed);
    int IsStructureSpotFree(const CPlatform* piece, const D3DXVECTOR3& point) const;
    void RemovePlacedObjects();
    void ReleaseTemplates();
};

extern CTrack track;
