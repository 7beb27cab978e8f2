#pragma once
// The binary mesh file: sixteen vertex groups, each with animation frames of vertices that
// share one triangle list, per-frame bounds, and per-group control points. Little-endian, no
// magic; layout in order: header (frame, vertex and triangle counts per group), bounds of every
// group with frames, geometry of every group with frames, control point counts and points.
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int MESH_GROUP_COUNT = 16;

// The vertex as stored in the file (32 bytes).
struct MeshVertex {
    float position[3];
    float normal[3];
    float u, v;
};
static_assert(sizeof(MeshVertex) == 32);

struct MeshPoint {
    float x, y, z;
};

// Bounds of one frame: a box and a sphere.
struct MeshFrameBounds {
    float minimum[3];
    float maximum[3];
    MeshPoint centre;
    float radius;
};

struct MeshGroupData {
    std::uint32_t frameCount = 0; // 0: the group is absent
    std::uint32_t vertexCount = 0; // per frame
    std::uint32_t triangleCount = 0; // shared by all frames
    std::vector<MeshFrameBounds> bounds; // one per frame
    std::vector<MeshVertex> vertices; // frameCount x vertexCount, frame after frame
    std::vector<std::uint16_t> indices; // three per triangle, in drawing order
    std::vector<MeshPoint> controlPoints;

    const MeshVertex* Frame(std::uint32_t frame) const { return vertices.data() + std::size_t {frame} * vertexCount; }
};

struct MeshFile {
    MeshGroupData groups[MESH_GROUP_COUNT];
};

enum class MeshFileStatus {
    Ok,
    Truncated, // shorter than its counts say (also counts too large to be real)
    EmptyGroup, // a group with frames but no vertex or no triangle
    IndexOutOfRange, // a triangle index at or above its group's vertex count
};

// Parses a whole file. Every count is checked against the bytes that remain before anything is
// allocated, so a damaged file is refused without reading past its end.
MeshFileStatus ReadMeshFile(const std::uint8_t* bytes, std::size_t size, MeshFile& mesh);
