#include "collision/BoxTree.h"

#include <algorithm>
#include <cmath>

#include "collision/TrianglePrimitives.h"

void Box::SetBounds(Vec3 minimum, Vec3 extent)
{
    pos = minimum;
    size = extent;
    centre = pos + size * 0.5f;
}

BoxedTriangle::BoxedTriangle(const Triangle& t) : triangle(t)
{
    const Vec3 minimum{std::min({t.vertex1.x, t.vertex2.x, t.vertex3.x}),
                       std::min({t.vertex1.y, t.vertex2.y, t.vertex3.y}),
                       std::min({t.vertex1.z, t.vertex2.z, t.vertex3.z})};
    const Vec3 maximum{std::max({t.vertex1.x, t.vertex2.x, t.vertex3.x}),
                       std::max({t.vertex1.y, t.vertex2.y, t.vertex3.y}),
                       std::max({t.vertex1.z, t.vertex2.z, t.vertex3.z})};
    SetBounds(minimum, maximum - minimum);
    planeSlack = PlaneSlack(t);
}

BoxTreeInnerNode::~BoxTreeInnerNode()
{
    if (ownsChild0)
        delete child0;
    if (ownsChild1)
        delete child1;
}

int BoxTreeInnerNode::GetChildCount() const
{
    return (child0 != nullptr ? 1 : 0) + (child1 != nullptr ? 1 : 0);
}

const BoxTreeNode* BoxTreeInnerNode::GetChild(int index) const
{
    if (index == 0)
        return child0;
    if (index == 1)
        return child1;
    return nullptr;
}

const BoxedTriangle* BoxTreeInnerNode::GetTriangle(int index) const
{
    if (index < 0 || index >= GetTriangleCount())
        return nullptr;
    return triangles[static_cast<size_t>(index)];
}

void BoxTreeInnerNode::Divide()
{
    // An explicit work list instead of recursion keeps the stack flat however deep the tree.
    std::vector<BoxTreeInnerNode*> pending{this};
    while (!pending.empty())
    {
        BoxTreeInnerNode* node = pending.back();
        pending.pop_back();
        node->Split(pending);
    }
}

void BoxTreeInnerNode::ComputeBounds()
{
    Vec3 minimum{9e9f, 9e9f, 9e9f};
    Vec3 maximum{-9e9f, -9e9f, -9e9f};
    planeSlack = 0.0f;
    for (const BoxedTriangle* boxed : triangles)
    {
        planeSlack = std::max(planeSlack, boxed->planeSlack);
        for (const Vec3& v : {boxed->triangle.vertex1, boxed->triangle.vertex2,
                              boxed->triangle.vertex3})
        {
            for (int axis = 0; axis < 3; ++axis)
            {
                minimum[axis] = std::min(minimum[axis], v[axis]);
                maximum[axis] = std::max(maximum[axis], v[axis]);
            }
        }
    }
    Vec3 extent = maximum - minimum;
    for (int axis = 0; axis < 3; ++axis)
    {
        if (extent[axis] == 0.0f)
        {
            extent[axis] = 0.002f;
            minimum[axis] -= 0.001f;
        }
    }
    SetBounds(minimum, extent);
}

Vec3 BoxTreeInnerNode::MeanCentre() const
{
    Vec3 sum;
    for (const BoxedTriangle* boxed : triangles)
        sum = sum + boxed->triangle.centre;
    const float count = static_cast<float>(triangles.size());
    return {sum.x / count, sum.y / count, sum.z / count};
}

int BoxTreeInnerNode::SplitAxis(Vec3 mean) const
{
    Vec3 spread;
    for (const BoxedTriangle* boxed : triangles)
        spread = spread + Abs(boxed->triangle.centre - mean);

    if (spread.y > spread.x && spread.y > spread.z)
        return 1;
    if (spread.z > spread.y && spread.z > spread.x)
        return 2;
    return 0;
}

void BoxTreeInnerNode::Split(std::vector<BoxTreeInnerNode*>& pending)
{
    if (triangles.empty())
        return;
    ComputeBounds();

    const Vec3 mean = MeanCentre();
    const int axis = SplitAxis(mean);
    const float splitValue = mean[axis];

    std::vector<const BoxedTriangle*> lower;
    std::vector<const BoxedTriangle*> upper;
    for (const BoxedTriangle* boxed : triangles)
        (splitValue > boxed->triangle.centre[axis] ? lower : upper).push_back(boxed);

    // Centres that no split separates: this node is a leaf holding all of them.
    if (lower.empty() || upper.empty())
        return;

    std::vector<const BoxedTriangle*>().swap(triangles);
    Adopt(0, std::move(lower), pending);
    Adopt(1, std::move(upper), pending);
}

void BoxTreeInnerNode::Adopt(int index, std::vector<const BoxedTriangle*> list,
                             std::vector<BoxTreeInnerNode*>& pending)
{
    const BoxTreeNode* child = nullptr;
    bool owned = false;
    if (list.size() == 1)
    {
        child = list.front();
    }
    else
    {
        auto* inner = new BoxTreeInnerNode;
        inner->triangles = std::move(list);
        pending.push_back(inner);
        child = inner;
        owned = true;
    }
    (index == 0 ? child0 : child1) = child;
    (index == 0 ? ownsChild0 : ownsChild1) = owned;
}
