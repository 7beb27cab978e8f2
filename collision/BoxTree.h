#pragma once

#include <vector>

#include "collision/CollisionVector.h"
#include "collision/Triangle.h"

// Axis-aligned box: minimum corner, extent along each axis, and centre.
class Box
{
public:
    Box() = default;
    Box(const Box&) = default;
    Box& operator=(const Box&) = default;
    virtual ~Box() = default;

    // Sets pos and size and derives centre.
    void SetBounds(Vec3 minimum, Vec3 extent);
    float Volume() const { return size.x * size.y * size.z; }

    Vec3 pos;
    Vec3 size;
    Vec3 centre;
};

class BoxedTriangle;

// A node of the two-way box tree. Inner nodes with children hold no triangles; leaves are
// either a BoxedTriangle or a childless inner node listing several triangles.
class BoxTreeNode : public Box
{
public:
    virtual bool IsLeaf() const = 0;
    virtual int GetChildCount() const = 0;
    virtual const BoxTreeNode* GetChild(int index) const = 0;
    virtual int GetTriangleCount() const = 0;
    virtual const BoxedTriangle* GetTriangle(int index) const = 0;

    // The largest distance from the plane of one of this node's triangles at which the
    // triangle overlap test still counts a point as lying in that plane.
    float planeSlack = 0.0f;
};

// One triangle of a model with its own tight bounding box (size 0 on a flat axis).
class BoxedTriangle final : public BoxTreeNode
{
public:
    explicit BoxedTriangle(const Triangle& triangle);
    BoxedTriangle(const BoxedTriangle&) = default;
    BoxedTriangle& operator=(const BoxedTriangle&) = default;

    bool IsLeaf() const override { return true; }
    int GetChildCount() const override { return 0; }
    const BoxTreeNode* GetChild(int) const override { return nullptr; }
    int GetTriangleCount() const override { return 1; }
    const BoxedTriangle* GetTriangle(int index) const override
    {
        return index == 0 ? this : nullptr;
    }

    Triangle triangle;
};

class BoxTreeInnerNode final : public BoxTreeNode
{
public:
    BoxTreeInnerNode() = default;
    BoxTreeInnerNode(const BoxTreeInnerNode&) = delete;
    BoxTreeInnerNode& operator=(const BoxTreeInnerNode&) = delete;
    ~BoxTreeInnerNode() override;

    bool IsLeaf() const override { return false; }
    int GetChildCount() const override;
    const BoxTreeNode* GetChild(int index) const override;
    int GetTriangleCount() const override { return static_cast<int>(triangles.size()); }
    const BoxedTriangle* GetTriangle(int index) const override;

    void AddTriangle(const BoxedTriangle* triangle) { triangles.push_back(triangle); }

    // Builds the subtree over the listed triangles: bounds, then splits at the mean of the
    // triangle centres on the axis of widest spread until no split separates them.
    void Divide();

private:
    // Bounds this node and splits it once; children that need dividing go to pending.
    void Split(std::vector<BoxTreeInnerNode*>& pending);
    void ComputeBounds();
    Vec3 MeanCentre() const;
    // Axis along which the triangle centres spread most about their mean (ties go to x).
    int SplitAxis(Vec3 mean) const;
    // Makes the listed triangles child index: one triangle becomes the child itself (owned by
    // the model), more become an owned inner node that still has to be divided.
    void Adopt(int index, std::vector<const BoxedTriangle*> list,
               std::vector<BoxTreeInnerNode*>& pending);

    const BoxTreeNode* child0 = nullptr;
    bool ownsChild0 = true;
    const BoxTreeNode* child1 = nullptr;
    bool ownsChild1 = true;
    std::vector<const BoxedTriangle*> triangles;  // not owned
};
