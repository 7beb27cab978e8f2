#pragma once
// Geometric questions over the placed objects and the scooters: probes of every object's
// collision models, with the record of the object hit last.
#include "platform/gfxx/D3DXMath.h"

class CStaticObject;

class CCollisionQuery {
public:
    CCollisionQuery();

    // Record: no object, class and type -1. Returns 1.
    int Reset();
    // Ray probes of the table's objects from index 1, then, when none was hit, of the scooters.
    // mode 0: 1 at the first hit; mode 1: the hit nearest to origin into hitPoint (required).
    int SegmentTest(const D3DXVECTOR3& origin, const D3DXVECTOR3& end, D3DXVECTOR3* hitPoint, int mode);
    // Segment probes of the table's objects from index 3, then of the scooters; first hit.
    int AnySegmentHit(const D3DXVECTOR3& origin, const D3DXVECTOR3& end, float length, D3DXVECTOR3* hitPoint);
    // Contact of the given object with the table's objects from index 3, then the scooters.
    int AnyContact(CStaticObject* object, D3DXVECTOR3* hitPoint, D3DXVECTOR3* normal);
    // Nearest ground hit of a sphere / a segment on the track pieces only.
    int NearestHitType8(const D3DXVECTOR3& centre, float radius, D3DXVECTOR3* hitPoint, D3DXVECTOR3* normal);
    int NearestSegmentHitType8(const D3DXVECTOR3& origin, const D3DXVECTOR3& end, float length,
                               D3DXVECTOR3* hitPoint, D3DXVECTOR3* normal);
    void SetHit(CStaticObject* object);

    CStaticObject* hitObject;
    int hitClass;
    int hitType;
};

extern CCollisionQuery collisionQuery;
