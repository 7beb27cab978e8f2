// Probes of one static object against its collision models: every probe rejects cheaply (the
// collidable flag, the model, the bounding sphere, the model-space box) before the triangles.
#include <algorithm>
#include <cmath>

#include "engine/helpers/VectorHelpers.h"
#include "world/objects/StaticObject.h"

namespace {

constexpr float RAY_LENGTH = 3.4e38f;

// Whether the ray origin + t direction (t >= 0) meets the box; an origin inside it counts.
bool RayHitsBox(const MeshBox& box, const D3DXVECTOR3& origin, const D3DXVECTOR3& direction)
{
    const float o[3] = {origin.x, origin.y, origin.z};
    const float d[3] = {direction.x, direction.y, direction.z};
    const float lo[3] = {box.minimum.x, box.minimum.y, box.minimum.z};
    const float hi[3] = {box.maximum.x, box.maximum.y, box.maximum.z};
    float near = 0.0f, far = RAY_LENGTH;
    for (int axis = 0; axis < 3; ++axis) {
        if (std::fabs(d[axis]) < 1e-12f) {
            if (o[axis] < lo[axis] || o[axis] > hi[axis])
                return false;
            continue;
        }
        float t0 = (lo[axis] - o[axis]) / d[axis];
        float t1 = (hi[axis] - o[axis]) / d[axis];
        if (t0 > t1)
            std::swap(t0, t1);
        near = std::max(near, t0);
        far = std::min(far, t1);
        if (near > far)
            return false;
    }
    return true;
}

D3DXVECTOR3 Direction(const D3DXVECTOR3& origin, const D3DXVECTOR3& end)
{
    D3DXVECTOR3 direction;
    Vec3Normalize(direction, end - origin);
    return direction;
}

void StoreHitPoint(const CollisionModel3D& model, D3DXVECTOR3* hitPoint)
{
    if (!hitPoint)
        return;
    float point[3];
    model.GetHitPoint(point, false);
    *hitPoint = D3DXVECTOR3(point[0], point[1], point[2]);
}

// The face normal of the model's hit triangle, turned by the world matrix.
void StoreHitNormal(const CollisionModel3D& model, const std::vector<D3DXVECTOR3>& faceNormals,
                    const D3DXMATRIX& world, D3DXVECTOR3* normal)
{
    if (!normal)
        return;
    int mine = -1, other = -1;
    model.GetHitTriangleIndices(&mine, &other);
    if (mine < 0 || static_cast<std::size_t>(mine) >= faceNormals.size())
        return;
    D3DXVec3TransformNormal(normal, &faceNormals[static_cast<std::size_t>(mine)], &world);
}

// The collision model of the current frame, or null.
CollisionModel3D* FrameModel(const CStaticObject& object)
{
    const CMeshContainer::MeshRecord* mesh = object.mesh;
    if (!mesh || object.frame < 0 || static_cast<std::size_t>(object.frame) >= mesh->collisionModels.size())
        return nullptr;
    return mesh->collisionModels[static_cast<std::size_t>(object.frame)].get();
}

const std::vector<D3DXVECTOR3>& FrameFaceNormals(const CStaticObject& object)
{
    return object.mesh->collisionFaceNormals[static_cast<std::size_t>(object.frame)];
}

CollisionModel3D* GroundModel(const CStaticObject& object)
{
    return object.mesh ? object.mesh->secondCollisionModel.get() : nullptr;
}

// The world bounding sphere reaches within reach of point.
bool SphereNear(const CStaticObject& object, const D3DXVECTOR3& point, float reach)
{
    D3DXVECTOR3 centre;
    D3DXVec3TransformCoord(&centre, &object.centre, &object.world);
    return Vec3Distance(centre, point) < object.radius + reach;
}

// The ray from origin along direction meets the mesh's box in model space.
bool BoxProbe(const CStaticObject& object, const D3DXVECTOR3& origin, const D3DXVECTOR3& direction)
{
    D3DXMATRIX inverse;
    if (!D3DXMatrixInverse(&inverse, nullptr, &object.world))
        return false;
    D3DXVECTOR3 localOrigin, localDirection;
    D3DXVec3TransformCoord(&localOrigin, &origin, &inverse);
    D3DXVec3TransformNormal(&localDirection, &direction, &inverse);
    return RayHitsBox(object.mesh->box, localOrigin, localDirection);
}

} // namespace

int CStaticObject::RayTest(const D3DXVECTOR3& origin, const D3DXVECTOR3& end, D3DXVECTOR3* hitPoint, int mode)
{
    if (!collidable || !mesh || objectType == GTYPE_PLANET1)
        return 0;
    if (objectType == GTYPE_PLANET2) {
        D3DXVECTOR3 centreWorld, point;
        D3DXVec3TransformCoord(&centreWorld, &centre, &world);
        const D3DXVECTOR3 direction = end - origin;
        if (!IntersectRaySphere(&centreWorld.x, mesh->size.y * 0.5f, &origin.x, &direction.x, &point.x))
            return 0;
        if (hitPoint)
            *hitPoint = point;
        return 1;
    }
    const D3DXVECTOR3 direction = Direction(origin, end);
    CollisionModel3D* model = FrameModel(*this);
    if (!model || !BoxProbe(*this, origin, direction))
        return 0;
    model->SetTransform(&world.m[0][0]);
    if (!model->TestRay(&origin.x, &direction.x, mode == 1, 0.0f, RAY_LENGTH))
        return 0;
    StoreHitPoint(*model, hitPoint);
    return 1;
}

int CStaticObject::SegmentTest(const D3DXVECTOR3& origin, const D3DXVECTOR3& end, float length, D3DXVECTOR3* hitPoint)
{
    if (!collidable || !mesh || !SphereNear(*this, origin, length))
        return 0;
    const D3DXVECTOR3 direction = Direction(origin, end);
    CollisionModel3D* model = FrameModel(*this);
    if (!model || !BoxProbe(*this, origin, direction))
        return 0;
    model->SetTransform(&world.m[0][0]);
    if (!model->TestRay(&origin.x, &direction.x, true, 0.0f, length))
        return 0;
    StoreHitPoint(*model, hitPoint);
    return 1;
}

int CStaticObject::ContactTest(CStaticObject* other, D3DXVECTOR3* hitPoint, D3DXVECTOR3* normal)
{
    if (!collidable || !other || !other->collidable)
        return 0;
    CollisionModel3D* model = FrameModel(*this);
    CollisionModel3D* otherModel = FrameModel(*other);
    if (!model || !otherModel)
        return 0;
    D3DXVECTOR3 otherCentre;
    D3DXVec3TransformCoord(&otherCentre, &other->centre, &other->world);
    if (!SphereNear(*this, otherCentre, other->radius))
        return 0;
    model->SetTransform(&world.m[0][0]);
    const float* otherMatrix = nullptr;
    if (otherModel == model)
        otherMatrix = &other->world.m[0][0];
    else
        otherModel->SetTransform(&other->world.m[0][0]);
    if (!model->TestModel(*otherModel, -1, 0, otherMatrix))
        return 0;
    StoreHitNormal(*model, FrameFaceNormals(*this), world, normal);
    StoreHitPoint(*model, hitPoint);
    return 1;
}

int CStaticObject::SphereTest(const D3DXVECTOR3& sphereCentre, float sphereRadius, D3DXVECTOR3* hitPoint,
                              D3DXVECTOR3* normal)
{
    CollisionModel3D* model = collidable ? GroundModel(*this) : nullptr;
    if (!model || !SphereNear(*this, sphereCentre, sphereRadius))
        return 0;
    model->SetTransform(&world.m[0][0]);
    if (!model->TestSphere(&sphereCentre.x, sphereRadius))
        return 0;
    StoreHitNormal(*model, mesh->secondCollisionFaceNormals, world, normal);
    StoreHitPoint(*model, hitPoint);
    return 1;
}

int CStaticObject::GroundSegmentTest(const D3DXVECTOR3& origin, const D3DXVECTOR3& end, float length,
                                     D3DXVECTOR3* hitPoint, D3DXVECTOR3* normal)
{
    CollisionModel3D* model = collidable ? GroundModel(*this) : nullptr;
    if (!model || !SphereNear(*this, origin, length))
        return 0;
    const D3DXVECTOR3 direction = Direction(origin, end);
    if (!BoxProbe(*this, origin, direction))
        return 0;
    model->SetTransform(&world.m[0][0]);
    if (!model->TestRay(&origin.x, &direction.x, true, 0.0f, length))
        return 0;
    StoreHitNormal(*model, mesh->secondCollisionFaceNormals, world, normal);
    StoreHitPoint(*model, hitPoint);
    return 1;
}
