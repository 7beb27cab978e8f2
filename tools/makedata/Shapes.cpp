#include "tools/makedata/Shapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numbers>
#include <stdexcept>

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
float Length(Vec3 a) { return std::sqrt(Dot(a, a)); }

Vec3 Normalized(Vec3 a)
{
    const float length = Length(a);
    return length > 0 ? a * (1.0f / length) : Vec3 {};
}

namespace {

constexpr std::size_t MAX_VERTICES = 65536;
constexpr float TWO_PI = 2.0f * std::numbers::pi_v<float>;

Vec3 PositionOf(const MeshVertex& vertex) { return {vertex.position[0], vertex.position[1], vertex.position[2]}; }

void CheckVertexRoom(std::size_t count)
{
    if (count > MAX_VERTICES)
        throw std::length_error("a mesh group holds at most 65536 vertices");
}

} // namespace

void Geometry::Append(const Geometry& other)
{
    CheckVertexRoom(vertices.size() + other.vertices.size());
    const auto base = static_cast<std::uint16_t>(vertices.size());
    vertices.insert(vertices.end(), other.vertices.begin(), other.vertices.end());
    for (const std::uint16_t index : other.indices)
        indices.push_back(static_cast<std::uint16_t>(base + index));
}

void Geometry::Translate(Vec3 offset)
{
    for (MeshVertex& vertex : vertices) {
        vertex.position[0] += offset.x;
        vertex.position[1] += offset.y;
        vertex.position[2] += offset.z;
    }
}

std::uint16_t Geometry::AddVertex(Vec3 position, Vec3 normal, float u, float v)
{
    CheckVertexRoom(vertices.size() + 1);
    vertices.push_back(MeshVertex {{position.x, position.y, position.z}, {normal.x, normal.y, normal.z}, u, v});
    return static_cast<std::uint16_t>(vertices.size() - 1);
}

void Geometry::AddTriangle(std::uint16_t a, std::uint16_t b, std::uint16_t c)
{
    indices.insert(indices.end(), {a, b, c});
}

void Geometry::AddGridTriangles(std::size_t rows, std::size_t columns)
{
    for (std::size_t i = 0; i + 1 < rows; ++i) {
        for (std::size_t j = 0; j + 1 < columns; ++j) {
            const auto a = static_cast<std::uint16_t>(i * columns + j);
            const auto b = static_cast<std::uint16_t>(a + 1);
            const auto c = static_cast<std::uint16_t>(a + columns);
            const auto d = static_cast<std::uint16_t>(c + 1);
            AddTriangle(a, b, c);
            AddTriangle(b, d, c);
        }
    }
}

Geometry Join(std::initializer_list<Geometry> parts)
{
    Geometry whole;
    for (const Geometry& part : parts)
        whole.Append(part);
    return whole;
}

Geometry MakeBox(Vec3 centre, Vec3 halfExtents)
{
    // Each face: its outward normal and the directions of u and v over it (u x v = normal).
    struct Face {
        Vec3 normal, uAxis, vAxis;
    };
    static constexpr Face faces[6] = {
        {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}}, {{0, 0, 1}, {-1, 0, 0}, {0, -1, 0}},
        {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}},  {{-1, 0, 0}, {0, 0, -1}, {0, -1, 0}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    };
    const auto scaled = [&](Vec3 axis) {
        return Vec3 {axis.x * halfExtents.x, axis.y * halfExtents.y, axis.z * halfExtents.z};
    };
    Geometry box;
    for (const Face& face : faces) {
        const Vec3 middle = centre + scaled(face.normal);
        const Vec3 u = scaled(face.uAxis);
        const Vec3 v = scaled(face.vAxis);
        const std::uint16_t topLeft = box.AddVertex(middle - u - v, face.normal, 0, 0);
        const std::uint16_t topRight = box.AddVertex(middle + u - v, face.normal, 1, 0);
        const std::uint16_t bottomLeft = box.AddVertex(middle - u + v, face.normal, 0, 1);
        const std::uint16_t bottomRight = box.AddVertex(middle + u + v, face.normal, 1, 1);
        box.AddTriangle(topLeft, bottomLeft, topRight);
        box.AddTriangle(topRight, bottomLeft, bottomRight);
    }
    return box;
}

Geometry MakeCylinder(Vec3 base, float radius, float height, int segments, bool capped)
{
    Geometry cylinder;
    const Vec3 top = base + Vec3 {0, height, 0};
    for (int i = 0; i <= segments; ++i) {
        const float angle = TWO_PI * static_cast<float>(i) / static_cast<float>(segments);
        const Vec3 normal {std::cos(angle), 0, std::sin(angle)};
        const float u = static_cast<float>(i) / static_cast<float>(segments);
        cylinder.AddVertex(base + normal * radius, normal, u, 1);
        cylinder.AddVertex(top + normal * radius, normal, u, 0);
    }
    for (int i = 0; i < segments; ++i) {
        const auto bottom = static_cast<std::uint16_t>(2 * i);
        const auto upper = static_cast<std::uint16_t>(bottom + 1);
        const auto nextBottom = static_cast<std::uint16_t>(bottom + 2);
        const auto nextUpper = static_cast<std::uint16_t>(bottom + 3);
        cylinder.AddTriangle(bottom, nextBottom, upper);
        cylinder.AddTriangle(upper, nextBottom, nextUpper);
    }
    if (!capped)
        return cylinder;
    for (const bool upperCap : {false, true}) {
        const Vec3 normal {0, upperCap ? 1.0f : -1.0f, 0};
        const Vec3 middle = upperCap ? top : base;
        const std::uint16_t centre = cylinder.AddVertex(middle, normal, 0.5f, 0.5f);
        const auto first = static_cast<std::uint16_t>(cylinder.vertices.size());
        for (int i = 0; i < segments; ++i) {
            const float angle = TWO_PI * static_cast<float>(i) / static_cast<float>(segments);
            const float c = std::cos(angle), s = std::sin(angle);
            cylinder.AddVertex(middle + Vec3 {c, 0, s} * radius, normal, 0.5f + 0.5f * c, 0.5f - 0.5f * s);
        }
        for (int i = 0; i < segments; ++i) {
            const auto a = static_cast<std::uint16_t>(first + i);
            const auto b = static_cast<std::uint16_t>(first + (i + 1) % segments);
            if (upperCap)
                cylinder.AddTriangle(centre, a, b);
            else
                cylinder.AddTriangle(centre, b, a);
        }
    }
    return cylinder;
}

Geometry MakeSphere(Vec3 centre, float radius, int rings, int segments)
{
    Geometry sphere;
    for (int ring = 0; ring <= rings; ++ring) {
        const float v = static_cast<float>(ring) / static_cast<float>(rings);
        const float polar = v * std::numbers::pi_v<float>;
        for (int i = 0; i <= segments; ++i) {
            const float u = static_cast<float>(i) / static_cast<float>(segments);
            const float angle = u * TWO_PI;
            const Vec3 normal {std::sin(polar) * std::cos(angle), std::cos(polar), std::sin(polar) * std::sin(angle)};
            sphere.AddVertex(centre + normal * radius, normal, u, v);
        }
    }
    const int stride = segments + 1;
    for (int ring = 0; ring < rings; ++ring) {
        for (int i = 0; i < segments; ++i) {
            const auto upper = static_cast<std::uint16_t>(ring * stride + i);
            const auto lower = static_cast<std::uint16_t>(upper + stride);
            if (ring > 0)
                sphere.AddTriangle(upper, lower, static_cast<std::uint16_t>(upper + 1));
            if (ring < rings - 1)
                sphere.AddTriangle(static_cast<std::uint16_t>(upper + 1), lower, static_cast<std::uint16_t>(lower + 1));
        }
    }
    return sphere;
}

Geometry SweepProfile(const std::vector<ProfilePoint>& profile, const std::vector<Vec3>& path, Vec3 up,
                      float uScale, float vScale)
{
    if (profile.size() < 2 || path.size() < 2)
        throw std::invalid_argument("a sweep needs two profile points and two path points");
    std::vector<float> across(profile.size(), 0.0f);
    for (std::size_t j = 1; j < profile.size(); ++j)
        across[j] = across[j - 1] + std::hypot(profile[j].x - profile[j - 1].x, profile[j].y - profile[j - 1].y);

    Geometry sweep;
    float along = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (i > 0)
            along += Length(path[i] - path[i - 1]);
        const Vec3 forward = Normalized(path[std::min(i + 1, path.size() - 1)] - path[i > 0 ? i - 1 : 0]);
        const Vec3 right = Normalized(Cross(up, forward));
        const Vec3 frameUp = Cross(forward, right);
        for (std::size_t j = 0; j < profile.size(); ++j) {
            const Vec3 position = path[i] + right * profile[j].x + frameUp * profile[j].y;
            sweep.AddVertex(position, {}, across[j] * uScale, along * vScale);
        }
    }
    sweep.AddGridTriangles(path.size(), profile.size());
    ComputeSmoothNormals(sweep);
    return sweep;
}

void ComputeSmoothNormals(Geometry& geometry)
{
    std::vector<Vec3> sums(geometry.vertices.size());
    for (std::size_t t = 0; t + 2 < geometry.indices.size(); t += 3) {
        const std::uint16_t a = geometry.indices[t], b = geometry.indices[t + 1], c = geometry.indices[t + 2];
        const Vec3 pa = PositionOf(geometry.vertices[a]);
        const Vec3 face = Cross(PositionOf(geometry.vertices[c]) - pa, PositionOf(geometry.vertices[b]) - pa);
        for (const std::uint16_t corner : {a, b, c})
            sums[corner] = sums[corner] + face;
    }
    for (std::size_t i = 0; i < sums.size(); ++i) {
        const Vec3 normal = Normalized(sums[i]);
        geometry.vertices[i].normal[0] = normal.x;
        geometry.vertices[i].normal[1] = normal.y;
        geometry.vertices[i].normal[2] = normal.z;
    }
}

Geometry WeldCorners(const Geometry& geometry)
{
    Geometry welded;
    // Positions within a thousandth of a unit are one: a sphere's seam closes too.
    const auto key = [](const MeshVertex& vertex) {
        return std::array<long, 3> {std::lround(vertex.position[0] * 1000.0f), std::lround(vertex.position[1] * 1000.0f),
                                    std::lround(vertex.position[2] * 1000.0f)};
    };
    std::map<std::array<long, 3>, std::uint16_t> byPosition;
    std::vector<std::uint16_t> remap(geometry.vertices.size());
    for (std::size_t i = 0; i < geometry.vertices.size(); ++i) {
        const MeshVertex& vertex = geometry.vertices[i];
        const auto [entry, added] = byPosition.try_emplace(key(vertex), std::uint16_t {0});
        if (added)
            entry->second = welded.AddVertex(PositionOf(vertex), {}, vertex.u, vertex.v);
        remap[i] = entry->second;
    }
    for (std::size_t t = 0; t + 2 < geometry.indices.size(); t += 3) {
        const std::uint16_t a = remap[geometry.indices[t]], b = remap[geometry.indices[t + 1]],
                            c = remap[geometry.indices[t + 2]];
        if (a != b && b != c && c != a)
            welded.AddTriangle(a, b, c);
    }
    ComputeSmoothNormals(welded);
    return welded;
}
