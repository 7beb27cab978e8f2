#pragma once
// Shadow meshes are extruded along their silhouette, which needs corners shared between faces.
// A mesh drawn with hard edges keeps a copy of each corner per face; here the copies of a corner
// become one, moved inwards so that each of its faces moves in by at most the inset.
#include <cstdint>

struct ShadowMeshBuffers {
    std::uint8_t* vertices; // position, then normal, first in every vertex
    std::uint32_t stride;
    std::uint32_t vertexCount;
    std::uint16_t* indices;
    std::uint32_t indexCount;
};

// Moves every corner inwards by inset along its normals and points the indices of all copies of
// a position at the first copy. A corner with a single normal moves by inset along it; one whose
// faces meet square moves each face in by inset; opposite normals cancel and leave it in place.
void WeldAndInsetShadowMesh(const ShadowMeshBuffers& mesh, float inset);
