// The mesh file reader on arbitrary bytes: it must refuse or accept without reading outside
// the input, and what it accepts must keep every index inside its group.
#include <cstdint>
#include <cstdlib>

#include "engine/mesh/MeshFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MeshFile mesh;
    if (ReadMeshFile(data, size, mesh) != MeshFileStatus::Ok)
        return 0;
    for (const MeshGroupData& group : mesh.groups) {
        if (group.vertices.size() != std::size_t {group.frameCount} * group.vertexCount
            || group.indices.size() != std::size_t {group.triangleCount} * 3 * (group.frameCount ? 1 : 0)
            || group.bounds.size() != group.frameCount)
            std::abort();
        for (const std::uint16_t index : group.indices)
            if (index >= group.vertexCount)
                std::abort();
    }
    return 0;
}
