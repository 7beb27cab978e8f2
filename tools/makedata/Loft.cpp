#include "tools/makedata/Loft.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <utility>

namespace {

Vec3 NormalOf(const MeshVertex& vertex) { return {vertex.normal[0], vertex.normal[1], vertex.normal[2]}; }

void SetNormal(MeshVertex& vertex, Vec3 normal)
{
    vertex.normal[0] = normal.x;
    vertex.normal[1] = normal.y;
    vertex.normal[2] = normal.z;
}

float Lerp(float a, float b, float t) { return a + (b - a) * t; }

// x^(2/exponent) with the sign of x: the superellipse's parameter curve.
float Shaped(float x, float exponent) { return std::copysign(std::pow(std::fabs(x), 2.0f / exponent), x); }

} // namespace

Geometry LoftRings(const std::vector<std::vector<Vec3>>& rings, bool closedRings, UvRect uv)
{
    if (rings.size() < 2 || rings.front().size() < 2)
        throw std::invalid_argument("a loft needs two rings of two points");
    const std::size_t points = rings.front().size();
    for (const std::vector<Vec3>& ring : rings) {
        if (ring.size() != points)
            throw std::invalid_argument("every ring of a loft has the same number of points");
    }
    const std::size_t columns = closedRings ? points + 1 : points;
    Geometry loft;
    for (std::size_t i = 0; i < rings.size(); ++i) {
        const float v = Lerp(uv.v0, uv.v1, float(i) / float(rings.size() - 1));
        for (std::size_t j = 0; j < columns; ++j)
            loft.AddVertex(rings[i][j % points], {}, Lerp(uv.u0, uv.u1, float(j) / float(columns - 1)), v);
    }
    loft.AddGridTriangles(rings.size(), columns);
    ComputeSmoothNormals(loft);
    if (closedRings) {
        for (std::size_t i = 0; i < rings.size(); ++i) {
            MeshVertex& first = loft.vertices[i * columns];
            MeshVertex& seam = loft.vertices[i * columns + points];
            const Vec3 shared = Normalized(NormalOf(first) + NormalOf(seam));
            SetNormal(first, shared);
            SetNormal(seam, shared);
        }
    }
    return loft;
}

Geometry CapRing(const std::vector<Vec3>& ring, Vec3 normal, UvRect uv)
{
    if (ring.size() < 3)
        throw std::invalid_argument("a cap needs three points");
    Vec3 centre;
    for (const Vec3& point : ring)
        centre = centre + point;
    centre = centre * (1.0f / float(ring.size()));
    // Texture axes in the cap's plane, scaled so that the ring fits the rectangle.
    const Vec3 across = Normalized(ring.front() - centre);
    const Vec3 other = Cross(normal, across);
    float reach = 0;
    for (const Vec3& point : ring)
        reach = std::max(reach, Length(point - centre));
    const auto uvOf = [&](Vec3 point, float& u, float& v) {
        const Vec3 offset = point - centre;
        const float s = reach > 0 ? 0.5f / reach : 0.0f;
        u = Lerp(uv.u0, uv.u1, 0.5f + Dot(offset, across) * s);
        v = Lerp(uv.v0, uv.v1, 0.5f + Dot(offset, other) * s);
    };
    Geometry cap;
    float u, v;
    uvOf(centre, u, v);
    const std::uint16_t middle = cap.AddVertex(centre, normal, u, v);
    for (const Vec3& point : ring) {
        uvOf(point, u, v);
        cap.AddVertex(point, normal, u, v);
    }
    for (std::size_t j = 0; j < ring.size(); ++j) {
        auto a = static_cast<std::uint16_t>(1 + j);
        auto b = static_cast<std::uint16_t>(1 + (j + 1) % ring.size());
        // Wound so that the face normal (c - a) x (b - a) agrees with the cap's normal.
        if (Dot(Cross(ring[(j + 1) % ring.size()] - centre, ring[j] - centre), normal) < 0)
            std::swap(a, b);
        cap.AddTriangle(middle, a, b);
    }
    return cap;
}

std::vector<Vec3> SuperEllipseRing(Vec3 centre, float halfWidth, float top, float bottom, float exponent, int count)
{
    std::vector<Vec3> ring;
    ring.reserve(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) {
        const float angle = 2.0f * std::numbers::pi_v<float> * float(j) / float(count) - 0.5f * std::numbers::pi_v<float>;
        const float c = std::cos(angle), s = std::sin(angle);
        const float height = s > 0 ? top : bottom;
        ring.push_back({centre.x + halfWidth * Shaped(c, exponent), centre.y + height * Shaped(s, exponent), centre.z});
    }
    return ring;
}
