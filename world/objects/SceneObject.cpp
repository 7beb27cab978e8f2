#include "world/objects/SceneObject.h"

#include <cstdlib>
#include <string>

#include <btBulletDynamicsCommon.h>

#include "engine/files/FileSystem.h"
#include "engine/helpers/VectorHelpers.h"
#include "engine/render/LightManager.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "world/World.h"
#include "world/effects/SurfaceEffects.h"
#include "world/track/Platform.h"

CSceneObject::CSceneObject() : pieceKind(-1), platform(nullptr)
{
    objectClass = GCLASS_STATIC;
    objectType = GTYPE_NOTDEFINED;
}

void CSceneObject::Load(const char* path, int seed)
{
    const int handle = CStaticObject::Load(path, 0, seed);
    if (handle == -1)
        return;
    char line[DESCRIPTION_LINE_SIZE];
    if (objectType == GTYPE_DECORS) {
        ReadDescriptionLine(handle, line);
        mass = static_cast<float>(std::atof(std::string(DescriptionValue(line)).c_str()));
    }
    ReadDescriptionLine(handle, line);
    fileSystem.Close(handle);
}

void CSceneObject::SetTransform(const D3DXVECTOR3& position, const D3DXVECTOR3& target, const D3DXVECTOR3& up)
{
    BuildLookAtMatrix(world, position, target, up);
    placement = world;
    worldCentre = position;
}

void CSceneObject::Destroy(CSceneObject* object)
{
    if (!object)
        return;
    object->Release();
    if (CPlatform* piece = object->AsPlatform())
        delete piece;
    else
        delete object;
}

void CSceneObject::Update()
{
    if (!enabled)
        return;
    Animate();
    const D3DXVECTOR3& eye = ::world.activeCamera->eye;
    D3DXVec3TransformCoord(&worldCentre, &centre, &world);
    cameraDistance = Vec3Distance(worldCentre, eye) - radius;
    UpdateVisibility();
    CStaticObject::Update();
    lightManager.UpdateObjectLights(lightBlock, worldCentre, radius);
}

namespace {

D3DXVECTOR3 Row(const D3DXMATRIX& m, int row) { return D3DXVECTOR3(m.m[row][0], m.m[row][1], m.m[row][2]); }

void SetRow(D3DXMATRIX& m, int row, const D3DXVECTOR3& v)
{
    m.m[row][0] = v.x;
    m.m[row][1] = v.y;
    m.m[row][2] = v.z;
}

// Bounding radius of the first frame of a mesh group, 0 when the group is absent.
float GroupRadius(const CMeshContainer::MeshRecord* mesh, int group)
{
    return mesh && !mesh->radii[group].empty() ? mesh->radii[group][0] : 0.0f;
}

constexpr int MESH_GROUP_PLANET_CLOUD_SHELL = 9;

} // namespace

void CSceneObject::Animate()
{
    const float dt = gameTimer.gameStep;
    const D3DXVECTOR3 eye = ::world.activeCamera->eye;
    switch (objectType) {
    case GTYPE_NEBULA: {
        const D3DXVECTOR3 axes[3] = {Row(world, 0), Row(world, 1), Row(world, 2)};
        D3DXMATRIX a, b, c;
        D3DXMatrixRotationAxis(&a, &axes[0], 0.0025f * dt);
        D3DXMatrixRotationAxis(&b, &axes[1], 0.0075f * dt);
        D3DXMatrixRotationAxis(&c, &axes[2], 0.005f * dt);
        const D3DXMATRIX turn = a * b * c;
        world = world * turn;
        SetRow(world, 3, eye);
        break;
    }
    case GTYPE_PLANET1: {
        if (GameSettings[SLOT_BUMP] == 0) {
            D3DXMATRIX turn;
            D3DXMatrixRotationY(&turn, 0.02f * dt);
            world = world * turn;
        }
        SetRow(world, 3, D3DXVECTOR3(eye.x, eye.y - GroupRadius(mesh, MESH_GROUP_PLANET_CLOUD_SHELL), eye.z));
        break;
    }
    case GTYPE_PLANET2: {
        const D3DXVECTOR3 axis = Row(world, 2);
        D3DXMATRIX spin, orbit;
        D3DXMatrixRotationAxis(&spin, &axis, -0.03f * dt);
        world = spin * world;
        D3DXMatrixRotationY(&orbit, -0.015f * dt);
        D3DXVECTOR3 offset;
        const D3DXVECTOR3 previous = Row(placement, 3);
        D3DXVec3TransformNormal(&offset, &previous, &orbit);
        SetRow(placement, 3, offset);
        SetRow(world, 3, offset + eye);
        break;
    }
    case GTYPE_PLATFORM:
        if (CLightMapsEffect* lightMaps = components.lightMaps.get())
            lightMaps->animationTime =
                static_cast<float>((gameTimer.gameTime % 500) * 0.002 * lightMaps->textureCount);
        if (platform)
            platform->Update();
        break;
    case GTYPE_DECORS:
        SyncFromBody();
        break;
    default:
        break;
    }
}

void CSceneObject::SyncFromBody()
{
    if (!body)
        return;
    btTransform transform;
    body->getMotionState()->getWorldTransform(transform);
    const btMatrix3x3& basis = transform.getBasis();
    for (int row = 0; row < 3; ++row) {
        const btVector3 axis = basis.getColumn(row);
        SetRow(world, row, D3DXVECTOR3(axis.x(), axis.y(), axis.z()));
    }
    const btVector3& origin = transform.getOrigin();
    SetRow(world, 3, D3DXVECTOR3(origin.x(), origin.y(), origin.z()));
    const btVector3& linear = body->getLinearVelocity();
    const btVector3& angular = body->getAngularVelocity();
    linearVelocity = D3DXVECTOR3(linear.x(), linear.y(), linear.z());
    angularVelocity = D3DXVECTOR3(angular.x(), angular.y(), angular.z());
}
