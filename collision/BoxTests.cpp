#include "collision/BoxTests.h"

#include <algorithm>
#include <cmath>

OrientedBoxTest::OrientedBoxTest(const RelativeTransform& transform) : bToA(transform)
{
    const Vec3 unit[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Vec3 directions[15];
    for (int i = 0; i < 3; ++i)
    {
        directions[i] = unit[i];
        directions[3 + i] = bToA.row[i];
        for (int j = 0; j < 3; ++j)
            directions[6 + i * 3 + j] = Cross(unit[i], bToA.row[j]);
    }
    for (int n = 0; n < 15; ++n)
    {
        const Vec3 d = directions[n];
        axes[n] = {d, Abs(d), std::sqrt(Dot(d, d)),
                   {std::fabs(Dot(bToA.row[0], d)), std::fabs(Dot(bToA.row[1], d)),
                    std::fabs(Dot(bToA.row[2], d))}};
    }
}

namespace {

float MaxAbs(Vec3 v) { return std::max({std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)}); }

}  // namespace

bool OrientedBoxTest::Overlap(const BoxTreeNode& a, const BoxTreeNode& b) const
{
    const Vec3 halfA = a.size * 0.5f;
    const Vec3 halfB = b.size * 0.5f;
    const Vec3 bCentre = bToA.Apply(b.centre);
    const Vec3 t = bCentre - a.centre;
    const float magnitude = MaxAbs(a.centre) + MaxAbs(bCentre) + MaxAbs(halfA) + MaxAbs(halfB);
    const float tolerance = a.planeSlack + b.planeSlack + 1e-6f * magnitude;
    for (const Axis& axis : axes)
    {
        const float distance = std::fabs(Dot(t, axis.direction));
        const float reach = Dot(halfA, axis.absDirection) + Dot(halfB, axis.bProjection);
        if (distance > reach + tolerance * axis.length)
            return false;
    }
    return true;
}

bool RayMayHitBox(const Box& box, Vec3 origin, Vec3 direction, float length)
{
    const Vec3& size = box.size;  // half extents of the doubled box
    if (length > 3e30f)
    {
        const Vec3 d = origin - box.centre;
        for (int i = 0; i < 3; ++i)
            if (std::fabs(d[i]) > size[i] && d[i] * direction[i] >= 0.0f)
                return false;
        const Vec3 c = Cross(direction, d);
        const Vec3 r = Abs(direction);
        return !(std::fabs(c.x) > size.y * r.z + size.z * r.y ||
                 std::fabs(c.y) > size.z * r.x + size.x * r.z ||
                 std::fabs(c.z) > size.x * r.y + size.y * r.x);
    }
    const Vec3 w = direction * (length * 0.5f);
    const Vec3 d = origin + w - box.centre;
    const Vec3 aw = Abs(w);
    for (int i = 0; i < 3; ++i)
        if (std::fabs(d[i]) > aw[i] + size[i])
            return false;
    const Vec3 c = Cross(w, d);
    return !(std::fabs(c.x) > size.y * aw.z + size.z * aw.y ||
             std::fabs(c.y) > size.z * aw.x + size.x * aw.z ||
             std::fabs(c.z) > size.x * aw.y + size.y * aw.x);
}

bool SphereReachesBox(const Box& box, Vec3 centre, float radius)
{
    float squared = 0.0f;
    for (int i = 0; i < 3; ++i)
    {
        const float low = box.pos[i];
        const float high = box.pos[i] + box.size[i];
        const float gap = centre[i] < low ? low - centre[i] : (centre[i] > high ? centre[i] - high : 0.0f);
        squared += gap * gap;
    }
    return !(squared > radius * radius);
}
