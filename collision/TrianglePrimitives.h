#pragma once

#include "collision/CollisionVector.h"
#include "collision/Triangle.h"

// Exact triangle tests of the collision library. All arithmetic is in single precision.

// Interval-overlap test of two triangles; distances to a plane below 1e-6 count as zero, and
// coplanar triangles are compared in the plane of v. A triangle without area overlaps nothing.
bool TestTriangleOverlap(const Triangle& v, const Triangle& u);

// Distance from a triangle's plane below which TestTriangleOverlap takes a point to lie in it
// (the 1e-6 rule applies to the unnormalised normal); 0 for a triangle without area.
float PlaneSlack(const Triangle& t);

// Ray o + r t against a triangle for 0 < t <= limit; a ray within 1e-8 of parallel to the
// plane never hits. On a hit writes t and the point.
bool TestRayTriangle(const Triangle& triangle, Vec3 origin, Vec3 direction, float limit,
                     float& t, Vec3& point);

// Sphere against a triangle: a hit when the sphere reaches the plane and the centre's
// projection onto the plane lies in the triangle; the projection goes to point.
bool TestSphereTriangle(const Triangle& triangle, Vec3 centre, float radius, Vec3& point);

// Whether q, a point in the triangle's plane, lies inside the triangle, tested in the two
// coordinates that remain when the normal's largest axis is dropped.
bool InsideTriangle2D(const Triangle& triangle, Vec3 normal, Vec3 q);

// Contact point of two intersecting triangles: where an edge of one crosses the plane halfway
// between both planes inside the other; (0, 0, 0) when none is found.
Vec3 IntersectTriangles(const Triangle& t1, const Triangle& t2);
