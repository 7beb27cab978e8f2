// The tree walks of a model's tests: model against model, ray or segment, and sphere.

#include <algorithm>

#include "collision/BoxTests.h"
#include "collision/CollisionModel3DImpl.h"
#include "collision/CollisionTickCount.h"
#include "collision/TrianglePrimitives.h"

namespace
{

// Depth first from root into every node that enters lets in (children in order), handing each
// triangle of a leaf, the last first, to visit; true as soon as visit returns true.
template <typename Enters, typename Visit>
bool WalkLeaves(std::vector<const BoxTreeNode*>& stack, const BoxTreeNode& root, Enters enters, Visit visit)
{
    stack.clear();
    stack.push_back(&root);
    while (!stack.empty())
    {
        const BoxTreeNode* node = stack.back();
        stack.pop_back();
        if (!enters(*node))
            continue;
        if (const int children = node->GetChildCount(); children > 0)
        {
            for (int c = children - 1; c >= 0; --c)
                stack.push_back(node->GetChild(c));
            continue;
        }
        for (int i = node->GetTriangleCount() - 1; i >= 0; --i)
            if (visit(*node->GetTriangle(i)))
                return true;
    }
    return false;
}

}  // namespace

bool CollisionModel3DImpl::TestModel(const CollisionModel3D& otherModel, int /*accuracy*/,
                                     unsigned maxTimeMs, const float* otherMatrix)
{
    hitKind = ModelHit;
    const auto* other = dynamic_cast<const CollisionModel3DImpl*>(&otherModel);
    if (other == nullptr || !built || !other->built)
        throw Inconsistency();
    if (triangles.empty() || other->triangles.empty())
        return false;

    const CollisionMatrix otherTransform =
        otherMatrix != nullptr ? CollisionMatrix::FromArray(otherMatrix) : other->transform;
    const RelativeTransform otherToMine(otherTransform * InverseTransform());
    const OrientedBoxTest boxTest(otherToMine);

    // Elapsed time is compared, not a deadline, so a wrapping tick count does no harm.
    const uint32_t begin = CollisionTickCount();
    const uint32_t limit = maxTimeMs != 0 ? maxTimeMs : 0xFFFFFFu;

    pairStack.clear();
    pairStack.reserve(std::max<size_t>(64, std::max(triangles.size(), other->triangles.size()) / 16));
    pairStack.push_back({&root, &other->root});
    while (!pairStack.empty())
    {
        if (CollisionTickCount() - begin >= limit)
            throw TimeoutExpired();
        const NodePair pair = pairStack.back();
        pairStack.pop_back();
        const BoxTreeNode& mine = *pair.mine;
        const BoxTreeNode& theirs = *pair.other;
        if (!boxTest.Overlap(mine, theirs))
            continue;

        const bool mineIsLeaf = mine.GetTriangleCount() != 0;
        const bool theirsIsLeaf = theirs.GetTriangleCount() != 0;
        if (mineIsLeaf && theirsIsLeaf)
        {
            if (TestLeafPair(mine, *other, theirs, otherToMine))
                return true;
            continue;
        }
        // Descend into the larger inner node; the pair with child 1 is examined first.
        const bool splitMine = !mineIsLeaf && (theirsIsLeaf || mine.Volume() > theirs.Volume());
        if (splitMine)
        {
            pairStack.push_back({mine.GetChild(0), &theirs});
            pairStack.push_back({mine.GetChild(1), &theirs});
        }
        else
        {
            pairStack.push_back({&mine, theirs.GetChild(0)});
            pairStack.push_back({&mine, theirs.GetChild(1)});
        }
    }
    return false;
}

bool CollisionModel3DImpl::TestLeafPair(const BoxTreeNode& mine, const CollisionModel3DImpl& other,
                                        const BoxTreeNode& otherLeaf,
                                        const RelativeTransform& otherToMine)
{
    for (int j = 0; j < otherLeaf.GetTriangleCount(); ++j)
    {
        const BoxedTriangle* theirs = otherLeaf.GetTriangle(j);
        const Triangle moved(otherToMine.Apply(theirs->triangle.vertex1),
                             otherToMine.Apply(theirs->triangle.vertex2),
                             otherToMine.Apply(theirs->triangle.vertex3));
        for (int i = 0; i < mine.GetTriangleCount(); ++i)
        {
            const BoxedTriangle* own = mine.GetTriangle(i);
            if (!TestTriangleOverlap(moved, own->triangle))
                continue;
            hitTriangleA = own->triangle;
            hitTriangleB = moved;
            hitIndexA = IndexOf(own);
            hitIndexB = other.IndexOf(theirs);
            return true;
        }
    }
    return false;
}

bool CollisionModel3DImpl::TestRay(const float* originWorld, const float* directionWorld,
                                   bool closest, float segmentMin, float segmentMax)
{
    float best = 9e9f;
    hitKind = RayHit;
    const CollisionMatrix toModel = InverseTransform();
    Vec3 origin = toModel.TransformPoint(Vec3::FromArray(originWorld));
    Vec3 direction = toModel.TransformVector(Vec3::FromArray(directionWorld));
    if (segmentMin != 0.0f)
    {
        origin = origin + direction * segmentMin;
        segmentMax -= segmentMin;
    }
    if (segmentMax < 0.0f)
    {
        direction = -direction;
        segmentMax = -segmentMax;
    }

    // A closest-hit walk prunes boxes beyond the nearest hit found so far.
    float reach = segmentMax;
    const bool stopped = WalkLeaves(
        nodeStack, root, [&](const BoxTreeNode& node) { return RayMayHitBox(node, origin, direction, reach); },
        [&](const BoxedTriangle& candidate) {
            float t = 0.0f;
            Vec3 point;
            if (!TestRayTriangle(candidate.triangle, origin, direction, segmentMax, t, point))
                return false;
            if (closest && !(t < best))
                return false;
            best = t;
            reach = t;
            hitTriangleA = candidate.triangle;
            hitPoint = point;
            hitIndexA = IndexOf(&candidate);
            return !closest;
        });
    return stopped || (closest && best < 9e9f);
}

bool CollisionModel3DImpl::TestSphere(const float* centreWorld, float radius)
{
    hitKind = SphereHit;
    const Vec3 centre = InverseTransform().TransformPoint(Vec3::FromArray(centreWorld));

    return WalkLeaves(
        nodeStack, root, [&](const BoxTreeNode& node) { return SphereReachesBox(node, centre, radius); },
        [&](const BoxedTriangle& candidate) {
            if (!TestSphereTriangle(candidate.triangle, centre, radius, hitPoint))
                return false;
            hitTriangleA = candidate.triangle;
            hitIndexA = IndexOf(&candidate);
            return true;
        });
}
