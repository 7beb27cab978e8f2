#pragma once
// Surfaces lofted through rings of points (hulls, pods, nozzles, fins, canopies) with smooth
// normals and texture coordinates mapped into a rectangle of a texture atlas, the flat caps that
// close them, and superellipse rings to loft through.
#include <vector>

#include "tools/makedata/Shapes.h"

// A rectangle of texture space: u from u0 to u1 around a ring, v from v0 to v1 along the loft.
struct UvRect {
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
};

// Joins consecutive rings of equal point count with quads. A closed ring also joins its last
// point to its first (the seam gets its own vertices, with the normal of both sides). The surface
// faces the side of travel x ring direction, travel being the way to the next ring: rings that
// run counter-clockwise in x-y (bottom, +x, top, -x) face outwards while they advance towards -z.
// Throws std::invalid_argument for fewer than two rings or rings of different sizes.
Geometry LoftRings(const std::vector<std::vector<Vec3>>& rings, bool closedRings, UvRect uv);

// A flat fan over a ring that faces along normal; texture coordinates span the rectangle.
Geometry CapRing(const std::vector<Vec3>& ring, Vec3 normal, UvRect uv);

// count points of a superellipse in the plane z = centre.z, counter-clockwise from the bottom
// through +x, the top and -x. top and bottom are its heights above and below centre.y; exponent
// 2 gives an ellipse, larger values a boxier section.
std::vector<Vec3> SuperEllipseRing(Vec3 centre, float halfWidth, float top, float bottom, float exponent, int count);
