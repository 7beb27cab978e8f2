#pragma once
// The geometry of a shadow volume: the silhouette of the faces turned towards the light, its
// sides extruded away from the light, and the lit faces (near cap) and the others (far cap)
// with the mesh's winding reversed. The volume is closed and wound with (Q - P) x (R - P)
// outwards, so its outside faces are Direct3D's clockwise ones.
#include <cstdint>
#include <vector>

#include "engine/helpers/VectorHelpers.h"
#include "platform/gfxx/D3DXMath.h"

struct ShadowMeshView {
    const std::uint8_t* vertices; // position first in every vertex
    std::uint32_t stride;
    const std::uint16_t* indices; // three per face
    std::uint32_t faceCount;
    const D3DXVECTOR3* faceNormals; // one unit normal per face
};

// The edges of the faces that face the light (face normal . light >= 0; the mesh's faces are
// wound with (R - P) x (Q - P) outwards) that no second such face shares, each in the direction
// of its face. The mesh must share its corners between faces.
std::vector<EdgePair> SilhouetteEdges(const ShadowMeshView& mesh, const D3DXVECTOR3& light);
// 6 per silhouette edge and 3 per face.
std::uint32_t ShadowVolumeVertexCount(std::uint32_t edgeCount, std::uint32_t faceCount);
// Writes the sides of the edges and both caps into out, which has room for
// ShadowVolumeVertexCount vertices; returns the number written.
std::uint32_t WriteShadowVolume(const ShadowMeshView& mesh, const std::vector<EdgePair>& edges,
                                const D3DXVECTOR3& light, float extrusion, D3DXVECTOR3* out);
