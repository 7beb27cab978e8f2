#include "collision/TrianglePrimitives.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double planeSnap = 1e-6;

// Distances to a plane that small are snapped to zero (compared in double precision).
float SnapToPlane(float distance)
{
    return std::fabs(static_cast<double>(distance)) < planeSnap ? 0.0f : distance;
}

bool IsZero(Vec3 v) { return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f; }

struct PlaneDistances
{
    float d0, d1, d2;
    bool AllOnOneSide() const { return d0 * d1 > 0.0f && d0 * d2 > 0.0f; }
};

PlaneDistances DistancesToPlane(Vec3 normal, float offset, const Triangle& t)
{
    return {SnapToPlane(Dot(normal, t.vertex1) + offset),
            SnapToPlane(Dot(normal, t.vertex2) + offset),
            SnapToPlane(Dot(normal, t.vertex3) + offset)};
}

struct Interval
{
    float a, b;
};

// Where the triangle crosses the line of both planes, as an interval of projections p*;
// false when the triangle lies in the other plane.
bool CrossingInterval(float p0, float p1, float p2, const PlaneDistances& d, Interval& out)
{
    auto crossing = [&out](float pL, float pP, float pQ, float dL, float dP, float dQ) {
        out.a = pL + (pP - pL) * dL / (dL - dP);
        out.b = pL + (pQ - pL) * dL / (dL - dQ);
        if (out.a > out.b)
            std::swap(out.a, out.b);
        return true;
    };
    if (d.d0 * d.d1 > 0.0f)
        return crossing(p2, p0, p1, d.d2, d.d0, d.d1);
    if (d.d0 * d.d2 > 0.0f)
        return crossing(p1, p0, p2, d.d1, d.d0, d.d2);
    if (d.d1 * d.d2 > 0.0f || d.d0 != 0.0f)
        return crossing(p0, p1, p2, d.d0, d.d1, d.d2);
    if (d.d1 != 0.0f)
        return crossing(p1, p0, p2, d.d1, d.d0, d.d2);
    if (d.d2 != 0.0f)
        return crossing(p2, p0, p1, d.d2, d.d0, d.d1);
    return false;
}

// 2D coordinates of a point after dropping one axis.
struct Point2
{
    float x, y;
};

struct Projection
{
    int i0, i1;
    Point2 operator()(Vec3 v) const { return {v[i0], v[i1]}; }
};

bool EdgeCrossesEdge(Point2 v0, Point2 v1, Point2 u0, Point2 u1)
{
    const float ex = v1.x - v0.x, ey = v1.y - v0.y;
    const float fx = u0.x - u1.x, fy = u0.y - u1.y;
    const float gx = v0.x - u0.x, gy = v0.y - u0.y;
    const float f = ey * fx - ex * fy;
    const float d = fy * gx - fx * gy;
    if (!((f > 0.0f && d >= 0.0f && d <= f) || (f < 0.0f && d <= 0.0f && d >= f)))
        return false;
    const float e = ex * gy - ey * gx;
    return f > 0.0f ? (e >= 0.0f && e <= f) : (e <= 0.0f && e >= f);
}

float EdgeLineValue(Point2 from, Point2 to, Point2 p)
{
    const float a = to.y - from.y;
    const float b = -(to.x - from.x);
    const float c = -a * from.x - b * from.y;
    return a * p.x + b * p.y + c;
}

bool PointInTriangle2D(Point2 p, Point2 t0, Point2 t1, Point2 t2)
{
    const float d0 = EdgeLineValue(t0, t1, p);
    const float d1 = EdgeLineValue(t1, t2, p);
    const float d2 = EdgeLineValue(t2, t0, p);
    return d0 * d1 > 0.0f && d0 * d2 > 0.0f;
}

bool CoplanarOverlap(Vec3 normal, const Triangle& v, const Triangle& u)
{
    const Vec3 n = Abs(normal);
    Projection project{};
    if (n.x > n.y)
        project = n.x > n.z ? Projection{1, 2} : Projection{0, 1};
    else
        project = n.z > n.y ? Projection{0, 1} : Projection{0, 2};

    const Point2 vp[3] = {project(v.vertex1), project(v.vertex2), project(v.vertex3)};
    const Point2 up[3] = {project(u.vertex1), project(u.vertex2), project(u.vertex3)};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (EdgeCrossesEdge(vp[i], vp[(i + 1) % 3], up[j], up[(j + 1) % 3]))
                return true;
    return PointInTriangle2D(vp[0], up[0], up[1], up[2]) ||
           PointInTriangle2D(up[0], vp[0], vp[1], vp[2]);
}

int LargestAxis(Vec3 v)
{
    const Vec3 a = Abs(v);
    if (a.z > std::max(a.x, a.y))
        return 2;
    return a.y > a.x ? 1 : 0;
}

}  // namespace

float PlaneSlack(const Triangle& t)
{
    const Vec3 n = Cross(t.vertex2 - t.vertex1, t.vertex3 - t.vertex1);
    const double length = std::sqrt(static_cast<double>(Dot(n, n)));
    return length > 0.0 ? static_cast<float>(planeSnap / length) : 0.0f;
}

bool TestTriangleOverlap(const Triangle& v, const Triangle& u)
{
    const Vec3 n1 = Cross(v.vertex2 - v.vertex1, v.vertex3 - v.vertex1);
    const Vec3 n2 = Cross(u.vertex2 - u.vertex1, u.vertex3 - u.vertex1);
    // Without a plane every distance would snap to zero and the triangle would "touch"
    // anything over its shadow.
    if (IsZero(n1) || IsZero(n2))
        return false;

    const PlaneDistances du = DistancesToPlane(n1, -Dot(n1, v.vertex1), u);
    if (du.AllOnOneSide())
        return false;

    const PlaneDistances dv = DistancesToPlane(n2, -Dot(n2, u.vertex1), v);
    if (dv.AllOnOneSide())
        return false;

    const int axis = LargestAxis(Cross(n1, n2));
    Interval vInterval{};
    Interval uInterval{};
    if (!CrossingInterval(v.vertex1[axis], v.vertex2[axis], v.vertex3[axis], dv, vInterval) ||
        !CrossingInterval(u.vertex1[axis], u.vertex2[axis], u.vertex3[axis], du, uInterval))
        return CoplanarOverlap(n1, v, u);
    return !(vInterval.b < uInterval.a || uInterval.b < vInterval.a);
}

bool InsideTriangle2D(const Triangle& triangle, Vec3 normal, Vec3 q)
{
    const Vec3 n = Abs(normal);
    int u = 0;
    int w = 1;  // drop z
    if (n.x > n.y && n.x > n.z)
        u = 1, w = 2;
    else if (n.y > n.z)
        u = 0, w = 2;

    // p = a e1 + b e2 in the plane (u, w), solved by Cramer's rule: no division by one small
    // edge component, which turned the middle of a long thin triangle into a miss.
    const Vec3 e1 = triangle.vertex2 - triangle.vertex1;
    const Vec3 e2 = triangle.vertex3 - triangle.vertex1;
    const Vec3 p = q - triangle.vertex1;
    const float determinant = e1[u] * e2[w] - e1[w] * e2[u];
    if (determinant == 0.0f)
        return false;
    const float a = (p[u] * e2[w] - p[w] * e2[u]) / determinant;
    const float b = (e1[u] * p[w] - e1[w] * p[u]) / determinant;
    return a >= 0.0f && b >= 0.0f && a + b <= 1.0f;
}

bool TestRayTriangle(const Triangle& triangle, Vec3 origin, Vec3 direction, float limit,
                     float& t, Vec3& point)
{
    const Vec3 n = triangle.Normal();
    const float denominator = Dot(n, direction);
    if (std::fabs(denominator) < 1e-8f)
        return false;
    const float offset = -Dot(n, triangle.vertex1);
    const float hitT = -(Dot(n, origin) + offset) / denominator;
    if (!(hitT > 0.0f && hitT <= limit))
        return false;
    const Vec3 q = origin + direction * hitT;
    if (!InsideTriangle2D(triangle, n, q))
        return false;
    t = hitT;
    point = q;
    return true;
}

bool TestSphereTriangle(const Triangle& triangle, Vec3 centre, float radius, Vec3& point)
{
    const Vec3 n = triangle.Normal();
    if (IsZero(n))
        return false;  // degenerate: no plane
    const float offset = -Dot(n, triangle.vertex1);
    const float distance = Dot(n, centre) + offset;
    if (std::fabs(distance) > radius)
        return false;
    const Vec3 q = centre - n * distance;
    if (!InsideTriangle2D(triangle, n, q))
        return false;
    point = q;
    return true;
}

namespace {

struct Plane
{
    Vec3 normal;
    float offset;
    float Distance(Vec3 p) const { return Dot(normal, p) + offset; }
};

Plane PlaneOf(const Triangle& t)
{
    const Vec3 n = t.Normal();
    return {n, -Dot(n, t.vertex1)};
}

enum class EdgeSearch
{
    OneSide,  // crossing lies wholly on one side of target's plane
    Found,
    NotFound
};

// Looks for an edge of `crossing` that meets the cutting plane inside `target`: the two edges
// from the other vertices to the vertex alone on its side of target's plane.
EdgeSearch EdgePointInside(const Triangle& crossing, const Triangle& target,
                           const Plane& targetPlane, const Plane& cut, Vec3& point)
{
    const Vec3 u[3] = {crossing.vertex1, crossing.vertex2, crossing.vertex3};
    const float d1 = targetPlane.Distance(u[0]);
    const float d2 = targetPlane.Distance(u[1]);
    const float d3 = targetPlane.Distance(u[2]);
    const float s1 = d1 * d2;
    const float s3 = d3 * d2;
    if (s1 > 0.0f && s3 > 0.0f)
        return EdgeSearch::OneSide;
    const int lone = s1 >= 0.0f ? 2 : (s3 < 0.0f ? 1 : 0);

    for (int step = 1; step <= 2; ++step)
    {
        const Vec3 from = u[(lone + step) % 3];
        const Vec3 edge = u[lone] - from;
        const float along = Dot(cut.normal, edge);
        if (along == 0.0f)
            continue;  // edge parallel to the cutting plane
        const Vec3 q = from + edge * (-cut.Distance(from) / along);
        if (InsideTriangle2D(target, targetPlane.normal, q))
        {
            point = q;
            return EdgeSearch::Found;
        }
    }
    return EdgeSearch::NotFound;
}

}  // namespace

Vec3 IntersectTriangles(const Triangle& t1, const Triangle& t2)
{
    const Plane plane1 = PlaneOf(t1);
    const Plane plane2 = PlaneOf(t2);
    const Plane cut{plane1.normal + plane2.normal, plane1.offset + plane2.offset};
    Vec3 point;
    switch (EdgePointInside(t2, t1, plane1, cut, point))
    {
    case EdgeSearch::Found:
        return point;
    case EdgeSearch::OneSide:
        return {};
    case EdgeSearch::NotFound:
        break;
    }
    if (EdgePointInside(t1, t2, plane2, cut, point) == EdgeSearch::Found)
        return point;
    return {};
}
