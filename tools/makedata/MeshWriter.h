#pragma once
// Builds a mesh file in code: frames of vertices for the sixteen vertex groups (all frames of a
// group share the first frame's triangle list), control points, and the file's bytes with the
// bounds of every frame.
#include <cstdint>
#include <vector>

#include "engine/mesh/MeshFile.h"
#include "tools/makedata/Shapes.h"

// The fixed roles of the vertex groups that generators fill.
enum MeshGroup : int {
    GROUP_BODY = 0,
    GROUP_SHADOW = 1,
    GROUP_COLLISION = 2,
    GROUP_LIGHT_MAPS = 3,
    GROUP_SELF_ILLUM = 4,
    GROUP_REFLECTIVE_GLASS = 5,
    GROUP_CHROME = 6,
    GROUP_GROUND_COLLISION = 11,
    GROUP_PHYSICS_SPHERES = 12,
    GROUP_PHYSICS_BOXES = 13,
};

// Point lists read by the light and flame components; the rider's eye is group 0's list.
enum MeshPointList : int {
    POINT_LIST_LIGHTS = 1, // a scooter's hover pads, where its lights glow
    POINT_LIST_DIRECT_LIGHTS = 2, // pairs: the lamp, then a point it faces
    POINT_LIST_SPOTS = 3,         // pairs: the lamp, then the point it lights
    POINT_LIST_FLAMES = 4,
};

class MeshWriter {
public:
    // Adds a frame to the group. The first frame gives the group's triangles; every further
    // frame must have the same number of vertices (std::invalid_argument otherwise). Its bounds
    // are the box around its vertices and the sphere around that box's centre reaching the
    // farthest vertex, so a box or sphere shape gives a group 13 box or group 12 sphere.
    void AddFrame(int group, const Geometry& frame);
    void AddControlPoint(int group, Vec3 point);

    const MeshFile& Mesh() const { return mesh_; }
    std::vector<std::uint8_t> Encode() const;

private:
    MeshFile mesh_;
};

// The bytes of a mesh file, laid out as ReadMeshFile reads them.
std::vector<std::uint8_t> EncodeMeshFile(const MeshFile& mesh);
// Box and sphere around a frame's vertices.
MeshFrameBounds BoundsOf(const MeshVertex* vertices, std::size_t count);
