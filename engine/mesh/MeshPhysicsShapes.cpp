#include "engine/mesh/MeshPhysicsShapes.h"

OwningCompoundShape::OwningCompoundShape() : compound_(true) {}

void OwningCompoundShape::AddBox(const btVector3& halfExtents, const btVector3& position)
{
    children_.push_back(std::make_unique<btBoxShape>(halfExtents));
    compound_.addChildShape(btTransform(btQuaternion::getIdentity(), position), children_.back().get());
}

void OwningCompoundShape::AddSphere(float radius, const btVector3& position)
{
    children_.push_back(std::make_unique<btSphereShape>(radius));
    compound_.addChildShape(btTransform(btQuaternion::getIdentity(), position), children_.back().get());
}

namespace {

std::vector<btScalar> PaddedPositions(const std::vector<float>& positions)
{
    std::vector<btScalar> padded;
    padded.reserve(positions.size() / 3 * 4);
    for (std::size_t i = 0; i + 2 < positions.size(); i += 3)
        padded.insert(padded.end(), {positions[i], positions[i + 1], positions[i + 2], 0.0f});
    return padded;
}

} // namespace

OwningTriangleMeshShape::OwningTriangleMeshShape(const std::vector<float>& positions, std::vector<int> indices)
    : vertices_(PaddedPositions(positions)), indices_(std::move(indices)),
      array_(static_cast<int>(indices_.size() / 3), indices_.data(), 3 * sizeof(int),
             static_cast<int>(vertices_.size() / 4), vertices_.data(), 4 * sizeof(btScalar)),
      shape_(std::make_unique<btBvhTriangleMeshShape>(&array_, true, true))
{
    shape_->setMargin(MESH_SHAPE_MARGIN);
}
