#include "world/objects/CollisionQuery.h"

#include "engine/helpers/VectorHelpers.h"
#include "world/objects/ObjectManager.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"

namespace {

// First table indices that the segment queries and the any-hit queries pass over (the sky
// objects that the location lists first).
constexpr int SEGMENT_TEST_FIRST = 1;
constexpr int ANY_HIT_FIRST = 3;

// The nearest of a series of hits: the first is taken, a later one only when strictly nearer.
struct NearestHit {
    explicit NearestHit(const D3DXVECTOR3& from) : origin(from) {}

    void Offer(CStaticObject* candidate, const D3DXVECTOR3& point, const D3DXVECTOR3& normalAtPoint)
    {
        const float distance = Vec3Distance(origin, point);
        if (object && distance >= best)
            return;
        object = candidate;
        best = distance;
        hitPoint = point;
        normal = normalAtPoint;
    }

    // Copies the best hit out and names it in the record; 1, or 0 without a hit.
    int Finish(CCollisionQuery& query, D3DXVECTOR3* pointOut, D3DXVECTOR3* normalOut) const
    {
        if (!object)
            return 0;
        if (pointOut)
            *pointOut = hitPoint;
        if (normalOut)
            *normalOut = normal;
        query.SetHit(object);
        return 1;
    }

    D3DXVECTOR3 origin;
    CStaticObject* object = nullptr;
    float best = 0.0f;
    D3DXVECTOR3 hitPoint {0, 0, 0};
    D3DXVECTOR3 normal {0, 0, 0};
};

CStaticObject* Vehicle(int index) { return vehicleManager.vehicles[index]; }

// The first object from ANY_HIT_FIRST on, else the first scooter, that hits; null without one.
template <typename Hits>
CStaticObject* FirstAnyHit(Hits hits)
{
    for (int i = ANY_HIT_FIRST; i < objectManager.count; ++i)
        if (hits(objectManager.objects[i]))
            return objectManager.objects[i];
    for (int i = 0; i < vehicleManager.vehicleCount; ++i)
        if (hits(Vehicle(i)))
            return Vehicle(i);
    return nullptr;
}

// Names the object hit in the record; 1, or 0 without one.
int Record(CCollisionQuery& query, CStaticObject* hit)
{
    if (!hit)
        return 0;
    query.SetHit(hit);
    return 1;
}

} // namespace

CCollisionQuery::CCollisionQuery() : hitObject(nullptr), hitClass(-1), hitType(-1) {}

int CCollisionQuery::Reset()
{
    hitObject = nullptr;
    hitClass = -1;
    hitType = -1;
    return 1;
}

void CCollisionQuery::SetHit(CStaticObject* object)
{
    hitObject = object;
    hitClass = object->objectClass;
    hitType = object->objectType;
}

int CCollisionQuery::SegmentTest(const D3DXVECTOR3& origin, const D3DXVECTOR3& end, D3DXVECTOR3* hitPoint, int mode)
{
    NearestHit nearest(origin);
    D3DXVECTOR3 point;
    // Mode 0 stops at the first hit; mode 1 keeps the nearest.
    auto probe = [&](CStaticObject* object) {
        if (!object->RayTest(origin, end, &point, mode))
            return false;
        SetHit(object);
        nearest.Offer(object, point, D3DXVECTOR3(0, 0, 0));
        return mode != 1;
    };
    for (int i = SEGMENT_TEST_FIRST; i < objectManager.count; ++i)
        if (probe(objectManager.objects[i]))
            return nearest.Finish(*this, hitPoint, nullptr);
    if (!nearest.object)
        for (int i = 0; i < vehicleManager.vehicleCount; ++i)
            if (probe(Vehicle(i)))
                return nearest.Finish(*this, hitPoint, nullptr);
    return nearest.Finish(*this, hitPoint, nullptr);
}

int CCollisionQuery::AnySegmentHit(const D3DXVECTOR3& origin, const D3DXVECTOR3& end, float length,
                                   D3DXVECTOR3* hitPoint)
{
    return Record(*this,
                  FirstAnyHit([&](CStaticObject* object) { return object->SegmentTest(origin, end, length, hitPoint); }));
}

int CCollisionQuery::AnyContact(CStaticObject* object, D3DXVECTOR3* hitPoint, D3DXVECTOR3* normal)
{
    return Record(*this, FirstAnyHit([&](CStaticObject* candidate) {
        return candidate != object && candidate->ContactTest(object, hitPoint, normal);
    }));
}

int CCollisionQuery::NearestHitType8(const D3DXVECTOR3& centre, float radius, D3DXVECTOR3* hitPoint,
                                     D3DXVECTOR3* normal)
{
    NearestHit nearest(centre);
    D3DXVECTOR3 point, pointNormal;
    for (int i = 0; i < objectManager.count; ++i) {
        CSceneObject* object = objectManager.objects[i];
        if (object->objectType != GTYPE_PLATFORM || !object->SphereTest(centre, radius, &point, &pointNormal))
            continue;
        SetHit(object);
        nearest.Offer(object, point, pointNormal);
    }
    return nearest.Finish(*this, hitPoint, normal);
}

int CCollisionQuery::NearestSegmentHitType8(const D3DXVECTOR3& origin, const D3DXVECTOR3& end, float length,
                                            D3DXVECTOR3* hitPoint, D3DXVECTOR3* normal)
{
    NearestHit nearest(origin);
    D3DXVECTOR3 point, pointNormal;
    for (int i = 0; i < objectManager.count; ++i) {
        CSceneObject* object = objectManager.objects[i];
        if (object->objectType != GTYPE_PLATFORM ||
            !object->GroundSegmentTest(origin, end, length, &point, &pointNormal))
            continue;
        SetHit(object);
        nearest.Offer(object, point, pointNormal);
    }
    return nearest.Finish(*this, hitPoint, normal);
}
