#pragma once
// The six vertex layouts that the mesh loader gives vertex groups, and the conversion of the
// file's vertices into them.
#include <cstddef>
#include <cstdint>

#include "engine/mesh/MeshFile.h"

constexpr int MESH_LAYOUT_COUNT = 6;
// Layout 5 is cloned through a vertex declaration and gets its tangent frame computed.
constexpr int MESH_LAYOUT_TANGENT_FRAME = 5;

struct MeshLayout {
    std::uint32_t fvf;
    std::uint32_t stride;
};

// FVF 0x112, 0x242, 0x40202, 0x112, 0x940442, 0x140312.
const MeshLayout& MeshLayoutOf(int layout);

// Writes count file vertices in the layout: position always, then normal and texture
// coordinates where the layout takes them from the file; every other byte is zero.
void ConvertMeshVertices(int layout, const MeshVertex* vertices, std::size_t count, std::uint8_t* destination);
