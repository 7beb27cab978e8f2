#include "engine/mesh/MeshLayouts.h"

#include <cstring>

namespace {

constexpr std::uint32_t NOT_FILLED = 0xFFFFFFFF;

// Where each layout puts the file's normal and texture coordinates (NOT_FILLED: nowhere).
struct LayoutFill {
    MeshLayout layout;
    std::uint32_t normalOffset;
    std::uint32_t uvOffset;
};

constexpr LayoutFill LAYOUTS[MESH_LAYOUT_COUNT] = {
    {{0x112, 32}, 12, 24},             // position, normal, one 2D set: the file vertex
    {{0x242, 32}, NOT_FILLED, 16},     // position, colour, two 2D sets
    {{0x40202, 32}, NOT_FILLED, 12},   // position, a 2D and a 3D set
    {{0x112, 32}, 12, NOT_FILLED},     // position, normal; texture coordinates left zero
    {{0x940442, 64}, NOT_FILLED, 16},  // position, colour, sets of 2, 3, 3 and 4 floats
    {{0x140312, 56}, 12, 24},          // position, normal, uv, tangent and binormal
};

} // namespace

const MeshLayout& MeshLayoutOf(int layout)
{
    return LAYOUTS[layout].layout;
}

void ConvertMeshVertices(int layout, const MeshVertex* vertices, std::size_t count, std::uint8_t* destination)
{
    const LayoutFill& fill = LAYOUTS[layout];
    std::memset(destination, 0, count * fill.layout.stride);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t* vertex = destination + i * fill.layout.stride;
        std::memcpy(vertex, vertices[i].position, sizeof vertices[i].position);
        if (fill.normalOffset != NOT_FILLED)
            std::memcpy(vertex + fill.normalOffset, vertices[i].normal, sizeof vertices[i].normal);
        if (fill.uvOffset != NOT_FILLED) {
            std::memcpy(vertex + fill.uvOffset, &vertices[i].u, sizeof(float));
            std::memcpy(vertex + fill.uvOffset + sizeof(float), &vertices[i].v, sizeof(float));
        }
    }
}
