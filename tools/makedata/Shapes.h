#pragma once
// Geometry built in code for the data builder's meshes: boxes, cylinders, spheres and profiles
// swept along a path, with normals and texture coordinates.
//
// Coordinates are left-handed (x right, y up, z forward). Triangles are wound so that the face
// normal (c - a) x (b - a) of a triangle a, b, c points out of the solid, towards the side that
// is drawn.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "engine/mesh/MeshFile.h"

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, float s);
Vec3 Cross(Vec3 a, Vec3 b);
float Dot(Vec3 a, Vec3 b);
float Length(Vec3 a);
Vec3 Normalized(Vec3 a); // a zero vector stays zero

// Vertices and a triangle list (three indices per triangle) of at most 65,536 vertices.
struct Geometry {
    std::vector<MeshVertex> vertices;
    std::vector<std::uint16_t> indices;

    // Adds other's vertices and triangles; throws std::length_error past 65,536 vertices.
    void Append(const Geometry& other);
    void Translate(Vec3 offset);
    // Appends a vertex and returns its index; throws std::length_error past 65,536 vertices.
    std::uint16_t AddVertex(Vec3 position, Vec3 normal, float u, float v);
    void AddTriangle(std::uint16_t a, std::uint16_t b, std::uint16_t c);
    // Two triangles for each cell of a grid of vertices laid out row by row.
    void AddGridTriangles(std::size_t rows, std::size_t columns);
};

// The parts as one geometry.
Geometry Join(std::initializer_list<Geometry> parts);

// Axis-aligned box around centre; four vertices per face with the face's normal and texture
// coordinates 0..1 over each face.
Geometry MakeBox(Vec3 centre, Vec3 halfExtents);

// Upright cylinder from y = base.y to y = base.y + height around base, with smooth sides (u
// around, v up) and, when capped, flat end discs.
Geometry MakeCylinder(Vec3 base, float radius, float height, int segments, bool capped);

// Sphere of rings x segments quads (u around, v from top to bottom).
Geometry MakeSphere(Vec3 centre, float radius, int rings, int segments);

// A point of a cross-section: x across the path (to the right), y up.
struct ProfilePoint {
    float x, y;
};

// Sweeps a cross-section along a path of at least two points. Each path point carries the
// profile in the frame (right = up x forward, then up again); forward follows the path. The
// surface faces to the left of the profile's direction of travel (that direction turned a
// quarter counter-clockwise in the x-y plane): a profile from left to right faces up, a
// clockwise loop faces outwards. u runs along the profile and v along the path, both in world
// units times their scale. Normals are the averages of the faces around each vertex.
Geometry SweepProfile(const std::vector<ProfilePoint>& profile, const std::vector<Vec3>& path, Vec3 up,
                      float uScale = 1.0f, float vScale = 1.0f);

// Sets every vertex normal to the normalised sum of the face normals of its triangles.
void ComputeSmoothNormals(Geometry& geometry);

// The same surface with one vertex per position (to a thousandth of a unit), so that neighbouring faces share their corners
// (a closed solid stays closed when its corners move along their normals); triangles that lose
// their area are dropped and the normals are smoothed. Texture coordinates are the first
// vertex's of each position.
Geometry WeldCorners(const Geometry& geometry);
