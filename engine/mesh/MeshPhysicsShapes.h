#pragma once
// Physics shapes of a mesh record: compounds of boxes and spheres, and a triangle mesh over
// arrays that live as long as the shape.
#include <cstdint>
#include <memory>
#include <vector>

#include <btBulletCollisionCommon.h>

// A compound shape (dynamic AABB tree on) that owns its children.
class OwningCompoundShape {
public:
    OwningCompoundShape();
    OwningCompoundShape(const OwningCompoundShape&) = delete;
    OwningCompoundShape& operator=(const OwningCompoundShape&) = delete;

    // Children at a position with identity rotation.
    void AddBox(const btVector3& halfExtents, const btVector3& position);
    void AddSphere(float radius, const btVector3& position);

    btCompoundShape& Shape() { return compound_; }

private:
    std::vector<std::unique_ptr<btCollisionShape>> children_;
    btCompoundShape compound_; // declared last: destroyed before its children
};

// A bounding-volume-hierarchy triangle mesh (quantised AABB compression) over its own copy of
// the positions (16 bytes each) and the 32-bit indices.
class OwningTriangleMeshShape {
public:
    // positions: x, y, z per vertex; indices: three per triangle, taken as given.
    OwningTriangleMeshShape(const std::vector<float>& positions, std::vector<int> indices);
    OwningTriangleMeshShape(const OwningTriangleMeshShape&) = delete;
    OwningTriangleMeshShape& operator=(const OwningTriangleMeshShape&) = delete;

    btBvhTriangleMeshShape& Shape() { return *shape_; }
    const std::vector<int>& Indices() const { return indices_; }

private:
    std::vector<btScalar> vertices_;
    std::vector<int> indices_;
    btTriangleIndexVertexArray array_;
    std::unique_ptr<btBvhTriangleMeshShape> shape_;
};

constexpr float MESH_SHAPE_MARGIN = 0.05f;
