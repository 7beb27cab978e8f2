#include <cmath>

#include "collision/CollisionModel3D.h"
#include "collision/CollisionVector.h"

bool IntersectRaySphere(const float* centre, float radius, const float* origin,
                        const float* direction, float* point)
{
    const Vec3 o = Vec3::FromArray(origin);
    const Vec3 u = Normalise(Vec3::FromArray(direction));
    if (u.x == 0.0f && u.y == 0.0f && u.z == 0.0f)
        return false;  // no line to intersect
    const Vec3 toCentre = Vec3::FromArray(centre) - o;
    const float t0 = Dot(toCentre, u);
    const float h = radius * radius - (Dot(toCentre, toCentre) - t0 * t0);
    if (h < 0.0f)
        return false;
    const float t = t0 - std::sqrt(h);
    (o + u * t).ToArray(point);
    return true;
}
