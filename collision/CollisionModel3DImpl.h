#pragma once

#include <cstdint>
#include <vector>

#include "collision/BoxTree.h"
#include "collision/CollisionMatrix.h"
#include "collision/CollisionModel3D.h"
#include "collision/Triangle.h"

class CollisionModel3DImpl final : public CollisionModel3D
{
public:
    explicit CollisionModel3DImpl(bool isStatic);
    CollisionModel3DImpl(const CollisionModel3DImpl&) = delete;
    CollisionModel3DImpl& operator=(const CollisionModel3DImpl&) = delete;

    void SetTriangleCount(int count) override;
    void AddTriangleVertices(const float* vertex1, const float* vertex2,
                             const float* vertex3) override;
    void AddTriangleCoords(float x1, float y1, float z1, float x2, float y2, float z2, float x3,
                           float y3, float z3) override;
    void Build() override;
    void SetTransform(const float* matrix) override;

    bool TestModel(const CollisionModel3D& other, int accuracy, unsigned maxTimeMs,
                   const float* otherMatrix) override;
    bool TestRay(const float* origin, const float* direction, bool closest, float segmentMin,
                 float segmentMax) override;
    bool TestSphere(const float* centre, float radius) override;

    bool GetHitTriangleIndices(int* mine, int* other) const override;
    bool GetHitTriangles(float* mine, float* other, bool modelFrame) const override;
    bool GetHitPoint(float* point, bool modelFrame) const override;

    const BoxTreeInnerNode& Root() const { return root; }
    int TriangleCount() const { return static_cast<int>(triangles.size()); }

private:
    enum HitKind : int32_t
    {
        NoTestYet = -1,
        ModelHit = 0,
        RayHit = 1,
        SphereHit = 2
    };

    struct NodePair
    {
        const BoxTreeNode* mine;
        const BoxTreeNode* other;
    };

    void AddTriangle(Vec3 v1, Vec3 v2, Vec3 v3);
    CollisionMatrix InverseTransform() const;
    int IndexOf(const BoxedTriangle* triangle) const
    {
        return static_cast<int>(triangle - triangles.data());
    }
    // Tries every triangle pair of two leaves; records the first overlap.
    bool TestLeafPair(const BoxTreeNode& mine, const CollisionModel3DImpl& other,
                      const BoxTreeNode& otherLeaf, const RelativeTransform& otherToMine);

    std::vector<BoxedTriangle> triangles;  // the tree points into this array
    BoxTreeInnerNode root;
    CollisionMatrix transform;
    CollisionMatrix inverse;  // kept only for a static model
    Triangle hitTriangleA;    // this model's, in model coordinates
    Triangle hitTriangleB;    // the other model's, in this model's coordinates
    int32_t hitIndexA = 0;
    int32_t hitIndexB = 0;
    Vec3 hitPoint;  // model coordinates
    int32_t hitKind = NoTestYet;
    bool built = false;
    bool isStatic = false;

    // Work stacks kept between tests so that a warmed-up model allocates nothing.
    std::vector<const BoxTreeNode*> nodeStack;
    std::vector<NodePair> pairStack;
};
