#pragma once
// The control points of track pieces and structures in world space, and the clearance tests of
// the track builder.
#include "platform/gfxx/D3DXMath.h"

class CStaticObject;
class CTrack;
class CPlatform;

// Control point lists of a piece mesh.
constexpr int PIECE_CENTRE_LINE = 0; // in driving order; the last point is the next piece's first
constexpr int PIECE_FRAMES = 1;      // exit frame (points 0-2), then structure places in pairs
constexpr int PIECE_DECOR_PLACES = 2;

// A new point keeps this far from the segments of the course ...
constexpr float SEGMENT_CLEARANCE = 25.5f;
// ... and from the start area.
constexpr float START_AREA_CLEARANCE = 45.0f;
// A structure keeps this far from the segments of other pieces and from other structures.
constexpr float STRUCTURE_SEGMENT_CLEARANCE = 45.0f;
constexpr float STRUCTURE_CLEARANCE = 70.0f;

int PointCount(const CStaticObject& object, int list);
// Point n of the list through the object's world matrix, or through placement when given.
D3DXVECTOR3 PointOf(const CStaticObject& object, int list, int n, const D3DXMATRIX* placement = nullptr);
D3DXVECTOR3 Row(const D3DXMATRIX& matrix, int row);

// No segment (other than the skipped piece's) nearer than distance.
bool IsClearOfCourse(const CTrack& track, const D3DXVECTOR3& point, const CPlatform* skip, float distance);
// No placed structure's bounding centre nearer than distance.
bool IsClearOfStructures(const CTrack& track, const D3DXVECTOR3& point, float distance);
