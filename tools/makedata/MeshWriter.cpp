#include "tools/makedata/MeshWriter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

class ByteWriter {
public:
    template <class T>
    void Put(const T* values, std::size_t count)
    {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(values);
        bytes_.insert(bytes_.end(), bytes, bytes + count * sizeof(T));
    }
    template <class T>
    void Put(const T& value) { Put(&value, 1); }

    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

MeshGroupData& CheckedGroup(MeshFile& mesh, int group)
{
    if (group < 0 || group >= MESH_GROUP_COUNT)
        throw std::out_of_range("mesh group index");
    return mesh.groups[group];
}

} // namespace

MeshFrameBounds BoundsOf(const MeshVertex* vertices, std::size_t count)
{
    MeshFrameBounds bounds {};
    if (count == 0)
        return bounds;
    for (int axis = 0; axis < 3; ++axis) {
        bounds.minimum[axis] = bounds.maximum[axis] = vertices[0].position[axis];
        for (std::size_t i = 1; i < count; ++i) {
            bounds.minimum[axis] = std::min(bounds.minimum[axis], vertices[i].position[axis]);
            bounds.maximum[axis] = std::max(bounds.maximum[axis], vertices[i].position[axis]);
        }
    }
    bounds.centre = {(bounds.minimum[0] + bounds.maximum[0]) * 0.5f, (bounds.minimum[1] + bounds.maximum[1]) * 0.5f,
                     (bounds.minimum[2] + bounds.maximum[2]) * 0.5f};
    for (std::size_t i = 0; i < count; ++i) {
        const float dx = vertices[i].position[0] - bounds.centre.x;
        const float dy = vertices[i].position[1] - bounds.centre.y;
        const float dz = vertices[i].position[2] - bounds.centre.z;
        bounds.radius = std::max(bounds.radius, std::sqrt(dx * dx + dy * dy + dz * dz));
    }
    return bounds;
}

void MeshWriter::AddFrame(int groupIndex, const Geometry& frame)
{
    MeshGroupData& group = CheckedGroup(mesh_, groupIndex);
    if (frame.vertices.empty() || frame.indices.empty() || frame.indices.size() % 3 != 0)
        throw std::invalid_argument("a mesh frame needs vertices and whole triangles");
    if (group.frameCount == 0) {
        group.vertexCount = static_cast<std::uint32_t>(frame.vertices.size());
        group.triangleCount = static_cast<std::uint32_t>(frame.indices.size() / 3);
        group.indices = frame.indices;
    } else if (frame.vertices.size() != group.vertexCount) {
        throw std::invalid_argument("every frame of a mesh group has the same vertex count");
    }
    group.vertices.insert(group.vertices.end(), frame.vertices.begin(), frame.vertices.end());
    group.bounds.push_back(BoundsOf(frame.vertices.data(), frame.vertices.size()));
    ++group.frameCount;
}

void MeshWriter::AddControlPoint(int group, Vec3 point)
{
    CheckedGroup(mesh_, group).controlPoints.push_back(MeshPoint {point.x, point.y, point.z});
}

std::vector<std::uint8_t> MeshWriter::Encode() const
{
    return EncodeMeshFile(mesh_);
}

std::vector<std::uint8_t> EncodeMeshFile(const MeshFile& mesh)
{
    ByteWriter out;
    for (const MeshGroupData& group : mesh.groups)
        out.Put(group.frameCount);
    for (const MeshGroupData& group : mesh.groups)
        out.Put(group.vertexCount);
    for (const MeshGroupData& group : mesh.groups)
        out.Put(group.triangleCount);
    for (const MeshGroupData& group : mesh.groups) {
        if (!group.frameCount)
            continue;
        for (const MeshFrameBounds& bounds : group.bounds) {
            out.Put(bounds.minimum, 3);
            out.Put(bounds.maximum, 3);
        }
        for (const MeshFrameBounds& bounds : group.bounds)
            out.Put(bounds.centre);
        for (const MeshFrameBounds& bounds : group.bounds)
            out.Put(bounds.radius);
    }
    for (const MeshGroupData& group : mesh.groups) {
        if (!group.frameCount)
            continue;
        out.Put(group.vertices.data(), group.vertices.size());
        out.Put(group.indices.data(), group.indices.size());
    }
    for (const MeshGroupData& group : mesh.groups)
        out.Put(static_cast<std::uint32_t>(group.controlPoints.size()));
    for (const MeshGroupData& group : mesh.groups)
        out.Put(group.controlPoints.data(), group.controlPoints.size());
    return out.Take();
}
