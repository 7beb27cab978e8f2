#include "engine/mesh/MeshFile.h"

#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "mesh files are little-endian");

namespace {

// Reads consecutive arrays from the file's bytes; every take is checked against what remains.
class ByteCursor {
public:
    ByteCursor(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), remaining_(size) {}

    // Copies count elements of elementSize bytes into destination; false when they are not there.
    bool Take(void* destination, std::uint64_t count, std::size_t elementSize)
    {
        if (count > remaining_ / elementSize)
            return false;
        const std::size_t length = static_cast<std::size_t>(count) * elementSize;
        if (length)
            std::memcpy(destination, bytes_, length);
        bytes_ += length;
        remaining_ -= length;
        return true;
    }

    // Whether count x elementSize bytes remain, with count a product of two file counts.
    bool Holds(std::uint64_t a, std::uint64_t b, std::size_t elementSize) const
    {
        return b == 0 || a <= remaining_ / elementSize / b;
    }

    template <class T>
    bool TakeVector(std::vector<T>& destination, std::uint64_t count)
    {
        if (count > remaining_ / sizeof(T))
            return false;
        destination.resize(static_cast<std::size_t>(count));
        return Take(destination.data(), count, sizeof(T));
    }

private:
    const std::uint8_t* bytes_;
    std::size_t remaining_;
};

bool ReadBounds(ByteCursor& cursor, MeshGroupData& group)
{
    const std::uint32_t frames = group.frameCount;
    if (!cursor.Holds(frames, 1, 40))
        return false;
    group.bounds.resize(frames);
    for (MeshFrameBounds& bounds : group.bounds)
        if (!cursor.Take(bounds.minimum, 6, sizeof(float)))
            return false;
    for (MeshFrameBounds& bounds : group.bounds)
        if (!cursor.Take(&bounds.centre, 1, sizeof(MeshPoint)))
            return false;
    for (MeshFrameBounds& bounds : group.bounds)
        if (!cursor.Take(&bounds.radius, 1, sizeof(float)))
            return false;
    return true;
}

MeshFileStatus ReadGeometry(ByteCursor& cursor, MeshGroupData& group)
{
    if (group.vertexCount == 0 || group.triangleCount == 0)
        return MeshFileStatus::EmptyGroup;
    if (!cursor.Holds(group.frameCount, group.vertexCount, sizeof(MeshVertex)))
        return MeshFileStatus::Truncated;
    if (!cursor.TakeVector(group.vertices, std::uint64_t {group.frameCount} * group.vertexCount))
        return MeshFileStatus::Truncated;
    if (!cursor.TakeVector(group.indices, std::uint64_t {group.triangleCount} * 3))
        return MeshFileStatus::Truncated;
    for (const std::uint16_t index : group.indices)
        if (index >= group.vertexCount)
            return MeshFileStatus::IndexOutOfRange;
    return MeshFileStatus::Ok;
}

} // namespace

MeshFileStatus ReadMeshFile(const std::uint8_t* bytes, std::size_t size, MeshFile& mesh)
{
    mesh = MeshFile {};
    ByteCursor cursor(bytes, size);
    std::uint32_t counts[3][MESH_GROUP_COUNT];
    if (!cursor.Take(counts, 3 * MESH_GROUP_COUNT, sizeof(std::uint32_t)))
        return MeshFileStatus::Truncated;
    for (int g = 0; g < MESH_GROUP_COUNT; ++g) {
        mesh.groups[g].frameCount = counts[0][g];
        mesh.groups[g].vertexCount = counts[1][g];
        mesh.groups[g].triangleCount = counts[2][g];
    }
    for (MeshGroupData& group : mesh.groups)
        if (group.frameCount && !ReadBounds(cursor, group))
            return MeshFileStatus::Truncated;
    for (MeshGroupData& group : mesh.groups) {
        if (!group.frameCount)
            continue;
        if (const MeshFileStatus status = ReadGeometry(cursor, group); status != MeshFileStatus::Ok)
            return status;
    }
    std::uint32_t pointCounts[MESH_GROUP_COUNT];
    if (!cursor.Take(pointCounts, MESH_GROUP_COUNT, sizeof(std::uint32_t)))
        return MeshFileStatus::Truncated;
    for (int g = 0; g < MESH_GROUP_COUNT; ++g)
        if (!cursor.TakeVector(mesh.groups[g].controlPoints, pointCounts[g]))
            return MeshFileStatus::Truncated;
    return MeshFileStatus::Ok;
}
