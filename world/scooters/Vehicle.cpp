// The scooter's life: loading, placing with its physics, the per-frame update and release.
#include "world/scooters/Vehicle.h"

#include <btBulletDynamicsCommon.h>

#include <cstdlib>

#include "audio/AudioManager.h"
#include "engine/files/FileSystem.h"
#include "engine/helpers/VectorHelpers.h"
#include "engine/render/LightManager.h"
#include "engine/shell/InputState.h"
#include "world/BodyPlacement.h"
#include "world/World.h"
#include "world/objects/ObjectDescription.h"
#include "world/race/Hud.h"
#include "world/scooters/VehicleManager.h"

namespace {

constexpr float TARGET_DISTANCE = 100.0f;
constexpr int PAD_COUNT = 4;

float ReadFloatLine(int handle)
{
    char line[DESCRIPTION_LINE_SIZE];
    ReadDescriptionLine(handle, line);
    return std::strtof(std::string(DescriptionValue(line)).c_str(), nullptr);
}

void SkipLine(int handle)
{
    char line[DESCRIPTION_LINE_SIZE];
    ReadDescriptionLine(handle, line);
}

} // namespace

CVehicle::CVehicle()
    : EngineSoundOwner {}, driver(DRIVER_COMPUTER), racerName {}, raceState(0), fallStep(0), aimPoint(0, 0, 0),
      effectTimer(0), stateTime(0), placeTimer(0), distanceToFinish(0), finishTime(0), maxSpeed(0), speedSum(0),
      speedSamples(0),
      gridSegment(0), segment(0), roadSegment(0), stopSegment(0), gridColumn(0), lane(0), lastCueSegment(-1), place(0),
      speedLevel(0), baseSpeedLevel(0), powerLevel(0), basePowerLevel(0), controlLevel(0), baseControlLevel(0),
      speed(0), topSpeed(0), drivePower(0), handling(0), throttleLevel(0), engineSoundSet(-1),
      raycastVehicle(nullptr), inWorld(0), padRadius(0), padCentre(0, 0, 0), groundContacts(0), hasGround(0),
      groundPoint(0, 0, 0), groundNormal(0, 0, 0), groundDistance(30.0f), airTime(0), offRoadTime(0), spin(0, 0, 0),
      linearDamping(0), angularDamping(0.5f), primitiveShapeOn(0)
{
    objectClass = GCLASS_VEHICLE;
    objectType = 0;
    tuning.m_suspensionStiffness = 5.88f;
    tuning.m_suspensionCompression = 0.83f;
    tuning.m_suspensionDamping = 0.88f;
    tuning.m_maxSuspensionTravelCm = 500.0f;
    tuning.m_frictionSlip = 10.5f;
}

void CVehicle::Load(const char* path)
{
    const int handle = CStaticObject::Load(path, 0, -1);
    if (handle == -1)
        return;
    speedLevel = baseSpeedLevel = ReadIntegerLine(handle);
    powerLevel = basePowerLevel = ReadIntegerLine(handle);
    controlLevel = baseControlLevel = ReadIntegerLine(handle);
    padRadius = ReadFloatLine(handle);
    SkipLine(handle);
    UpdateParameters();
    engineSoundSet = ReadIntegerLine(handle);
    SkipLine(handle);
    fileSystem.Close(handle);
}

void CVehicle::UpdateParameters()
{
    topSpeed = float(speedLevel) * 1.6666666f + 45.0f;
    drivePower = float(powerLevel) * 2.2222223f + 20.0f;
    handling = float(9 - controlLevel) * 77.77778f + 700.0f;
}

void CVehicle::Place(const D3DXVECTOR3* position, const D3DXVECTOR3* target, const D3DXVECTOR3* up, int driverKind)
{
    const D3DXVECTOR3 at = position ? *position : D3DXVECTOR3(world._41, world._42, world._43);
    const D3DXVECTOR3 facing = position ? *target : at + TARGET_DISTANCE * Forward();
    const D3DXVECTOR3 upward = position ? *up : Up();
    SetLookAt(at, facing, upward);
    this->position = at;
    mass = handling;
    SetUpPhysics(at, facing, upward);
    SetDriver(driverKind);
}

void CVehicle::SetUpPhysics(const D3DXVECTOR3& at, const D3DXVECTOR3& facing, const D3DXVECTOR3& upward)
{
    if (!mesh || !::world.dynamicsWorld)
        return;
    const btTransform start = StartTransform(at, facing, upward);
    if (body)
        ResetPhysics(start);
    else
        BuildPhysics(start);
    body->setDamping(linearDamping, angularDamping);
    body->setFriction(0.0f);
    body->setRestitution(0.0f);
    body->setHitFraction(1.0f);
    body->setLinearVelocity(btVector3(0, 0, 0));
    body->setAngularVelocity(btVector3(0, 0, 0));
}

void CVehicle::ResetPhysics(const btTransform& start)
{
    body->setWorldTransform(start);
    body->setInterpolationWorldTransform(start);
    if (motionState)
        motionState->setWorldTransform(start);
    btDiscreteDynamicsWorld* dynamics = ::world.dynamicsWorld;
    if (body->getBroadphaseHandle())
        dynamics->getBroadphase()->getOverlappingPairCache()->cleanProxyFromPairs(body->getBroadphaseHandle(),
                                                                                    dynamics->getDispatcher());
    if (raycastVehicle)
        raycastVehicle->resetSuspension();
    velocity = D3DXVECTOR3(0, 0, 0);
    spin = D3DXVECTOR3(0, 0, 0);
    throttleLevel = 0.0f;
    speed = 0.0f;
}

void CVehicle::BuildPhysics(const btTransform& start)
{
    motionState = std::make_unique<btDefaultMotionState>(start);
    mesh->BuildCollisionShapes();

    // Hover pads at the corners under the body: front left, front right, rear left, rear right.
    const D3DXVECTOR3 h = 0.45f * mesh->sizes[MESH_GROUP_BODY][0];
    const D3DXVECTOR3 c = mesh->centres[MESH_GROUP_BODY][0];
    std::vector<D3DXVECTOR3>& pads = mesh->controlPoints[MESH_GROUP_SHADOW];
    pads.assign({{c.x - 0.99f * h.x, c.y - 0.99f * h.y, c.z + 0.99f * h.z},
                 {c.x + 0.99f * h.x, c.y - 0.99f * h.y, c.z + 0.99f * h.z},
                 {c.x - 0.99f * h.x, c.y - 0.99f * h.y, c.z - 0.99f * h.z},
                 {c.x + 0.99f * h.x, c.y - 0.99f * h.y, c.z - 0.99f * h.z}});
    mesh->controlPointCount[MESH_GROUP_SHADOW] = PAD_COUNT;
    padCentre = 0.25f * (pads[0] + pads[1] + pads[2] + pads[3]);

    btCollisionShape& bodyBox = mesh->bodyBoxShape->Shape();
    btCollisionShape& primitive = mesh->primitiveShape->Shape();
    btVector3 inertia(0, 0, 0);
    bodyBox.calculateLocalInertia(10.0f * mass, inertia);
    primitive.calculateLocalInertia(10.0f * mass, inertia);
    body = std::make_unique<btRigidBody>(mass, motionState.get(), &bodyBox, inertia);
    primitiveShapeOn = 0;
    ::world.dynamicsWorld->addRigidBody(body.get());
    body->setActivationState(DISABLE_DEACTIVATION);
    body->setUserPointer(static_cast<CStaticObject*>(this));

    tuning.m_suspensionStiffness = 0.1f;
    tuning.m_suspensionCompression = 6.83f;
    tuning.m_suspensionDamping = 0.03f;
    tuning.m_maxSuspensionTravelCm = 100.0f;
    tuning.m_frictionSlip = 0.0f;
    raycastVehicle = new btRaycastVehicle(tuning, body.get(), ::world.vehicleRaycaster);
    raycastVehicle->setCoordinateSystem(0, 1, 2);
    for (const D3DXVECTOR3& pad : pads) {
        raycastVehicle->addWheel(btVector3(pad.x, pad.y, pad.z), btVector3(0, -1, 0), btVector3(-1, 0, 0),
                                 padRadius * 0.5f, padRadius, tuning, false);
    }
    for (int i = 0; i < raycastVehicle->getNumWheels(); ++i)
        raycastVehicle->getWheelInfo(i).m_rollInfluence = 10.1f;
    inWorld = 0;
}

void CVehicle::SetDriver(int driverKind)
{
    driver = driverKind;
    if (this == playerVehicle) {
        hud.visible = driverKind != DRIVER_COMPUTER;
        for (int& pressed : actionPressed)
            pressed = 0;
    }
}

void CVehicle::Update()
{
    if (!mesh)
        return;
    UpdateGroundAndHover();
    D3DXVec3TransformCoord(&worldCentre, &centre, &world);
    const CCamera* camera = ::world.activeCamera;
    cameraDistance = camera ? Vec3Distance(worldCentre, camera->eye) - radius : 0.0f;
    EngineSoundOwner::cameraDistance = cameraDistance;
    UpdateVisibility();
    UpdateCollisionShape();
    UpdatePadSimulation();
    UpdateState();
    CStaticObject::Update();
    UpdateEngineSound();
    lightManager.UpdateObjectLights(lightBlock, worldCentre, radius);
}

void CVehicle::UpdateCollisionShape()
{
    if (!body)
        return;
    const int wantPrimitive = cameraDistance <= PRIMITIVE_SHAPE_DISTANCE;
    if (wantPrimitive == primitiveShapeOn)
        return;
    btDiscreteDynamicsWorld* dynamics = ::world.dynamicsWorld;
    if (body->getBroadphaseHandle())
        dynamics->getBroadphase()->getOverlappingPairCache()->cleanProxyFromPairs(body->getBroadphaseHandle(),
                                                                                    dynamics->getDispatcher());
    body->setCollisionShape(wantPrimitive ? &mesh->primitiveShape->Shape() : &mesh->bodyBoxShape->Shape());
    primitiveShapeOn = wantPrimitive;
}

void CVehicle::UpdatePadSimulation()
{
    if (!raycastVehicle)
        return;
    const int wanted = cameraDistance <= PAD_SIMULATION_DISTANCE;
    if (wanted == inWorld)
        return;
    if (wanted)
        ::world.dynamicsWorld->addVehicle(raycastVehicle);
    else
        ::world.dynamicsWorld->removeVehicle(raycastVehicle);
    inWorld = wanted;
}

void CVehicle::Draw()
{
    CStaticObject::Draw();
}

void CVehicle::ReleasePhysics()
{
    if (!raycastVehicle)
        return;
    if (inWorld && ::world.dynamicsWorld)
        ::world.dynamicsWorld->removeVehicle(raycastVehicle);
    delete raycastVehicle;
    raycastVehicle = nullptr;
    inWorld = 0;
}

void CVehicle::Destroy()
{
    audioManager.DetachEngine(engineSoundSet, this);
    engineSound = nullptr;
    ReleasePhysics();
    Release();
}

D3DXVECTOR3 CVehicle::ToLocal(const D3DXVECTOR3& v) const
{
    const D3DXVECTOR3 right = Right(), up = Up(), forward = Forward();
    return {D3DXVec3Dot(&v, &right), D3DXVec3Dot(&v, &up), D3DXVec3Dot(&v, &forward)};
}

D3DXVECTOR3 CVehicle::ToWorld(const D3DXVECTOR3& v) const
{
    return v.x * Right() + v.y * Up() + v.z * Forward();
}
