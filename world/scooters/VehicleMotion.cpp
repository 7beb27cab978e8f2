// The scooter's motion: hovering over the track pieces, throttle and steering, the player's keys.
#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cmath>

#include "engine/helpers/VectorHelpers.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "world/World.h"
#include "world/objects/CollisionQuery.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"

namespace {

constexpr float PROBE_LENGTH = 30.0f;
constexpr float PAD_CONTACT_DISTANCE = 2.0f;
constexpr float SURFACE_DISTANCE = 5.0f;
// Per second, of the pitch and roll spin.
constexpr float LEVEL_DAMPING = 10.0f;

D3DXVECTOR3 FromBullet(const btVector3& v) { return {v.x(), v.y(), v.z()}; }
btVector3 ToBullet(const D3DXVECTOR3& v) { return {v.x, v.y, v.z}; }

} // namespace

void CVehicle::UpdateGroundAndHover()
{
    if (body) {
        btTransform transform;
        if (body->getMotionState())
            body->getMotionState()->getWorldTransform(transform);
        else
            transform = body->getWorldTransform();
        transform.getOpenGLMatrix(&world.m[0][0]);
        position = D3DXVECTOR3(world._41, world._42, world._43);
    }
    groundContacts = 0;
    hasGround = 0;
    groundDistance = PROBE_LENGTH;
    if (raceState == RACE_STATE_FALLEN || !body) {
        offRoadTime = 0.0f;
        return;
    }

    const float dt = gameTimer.gameStep;
    // The pads sit just over the bottom of the body's shapes, so a hard landing that sinks the
    // shapes briefly into the road would start a probe from the pads under it and lose the
    // ground. The probe starts a pad radius higher; the distance stays the pads' own, below 0
    // while they are under the road, where the hover pushes hardest.
    D3DXVECTOR3 padsInWorld;
    D3DXVec3TransformCoord(&padsInWorld, &padCentre, &world);
    const D3DXVECTOR3 origin = padsInWorld + Up() * padRadius;
    const D3DXVECTOR3 end = origin - Up();
    D3DXVECTOR3 point, normal;
    if (collisionQuery.NearestSegmentHitType8(origin, end, PROBE_LENGTH + padRadius, &point, &normal)) {
        groundPoint = point;
        groundNormal = normal;
        groundDistance = Vec3Distance(point, origin) - padRadius;
        hasGround = 1;
        groundContacts = groundDistance <= PAD_CONTACT_DISTANCE;
    }
    offRoadTime = raceState == RACE_STATE_RACING && !groundContacts ? offRoadTime + dt : 0.0f;

    D3DXVECTOR3 v = FromBullet(body->getLinearVelocity());
    if (hasGround) {
        airTime = 0.0f;
        v = ToLocal(v);
        const float d = std::min(1.0f, 2.0f * dt);
        for (float threshold : {8.0f, 4.0f, 1.0f}) {
            if (groundDistance <= threshold && v.y < 0.0f)
                v.y -= v.y * d;
        }
        if (groundDistance <= PAD_CONTACT_DISTANCE)
            v.y += (1.0f - groundDistance * 0.5f) * dt * 10.0f;
        else
            v.y -= std::max(0.0f, PROBE_LENGTH - groundDistance) * 0.033333335f * 50.0f * dt;
        if (!groundContacts && v.y > 0.0f)
            v.y -= v.y * dt * 10.0f;
        v = ToWorld(v);
    } else {
        airTime += dt;
        if (raceState == RACE_STATE_RACING)
            v.y -= dt * (driver == DRIVER_PLAYER ? 20.0f : 15.0f);
    }
    body->setLinearVelocity(ToBullet(v));
    velocity = v;
}

void CVehicle::ApplyControls(int throttle, float steer)
{
    if (!body)
        return;
    const float dt = gameTimer.gameStep;
    const float k = std::sqrt(handling * 0.01f);
    const float inverseK = 1.0f / k;

    D3DXVECTOR3 v = FromBullet(body->getLinearVelocity());
    if (throttle == 1) {
        throttleLevel = std::min(100.0f, throttleLevel + drivePower * 3.0f * dt);
    } else {
        D3DXVECTOR3 brake;
        Vec3Normalize(brake, -v);
        brake *= inverseK * dt * 25.0f * (throttle == -1 ? 4.0f : 1.0f);
        if (Vec3Length(v) < Vec3Length(brake))
            brake = -v;
        v += brake;
        throttleLevel = std::max(0.0f, throttleLevel - drivePower * 2.0f * dt);
    }

    speed = Vec3Length(v);
    const bool nearSurface = hasGround && groundDistance < SURFACE_DISTANCE;
    D3DXVECTOR3 push = Forward();
    if (nearSurface) {
        const D3DXVECTOR3 right = Right();
        D3DXVec3Cross(&push, &right, &groundNormal);
    }
    const float g = std::min(1.0f, std::max(0.0f, speed - 5.0f) / topSpeed);
    if (speed < topSpeed * 0.01f * throttleLevel)
        v += push * ((1.0f - g) * drivePower * dt);
    speed = Vec3Length(v);

    // Heading: the horizontal velocity turns towards the push direction.
    const D3DXVECTOR3 local = ToLocal(v);
    const D3DXVECTOR3 horizontal(local.x, 0.0f, local.z);
    const float weight = driver == DRIVER_PLAYER ? 20.0f : 40.0f;
    D3DXVECTOR3 turned;
    Vec3Normalize(turned, horizontal + ToLocal(push) * (weight * speed * inverseK * dt));
    turned *= Vec3Length(horizontal);
    v = ToWorld(D3DXVECTOR3(turned.x, local.y, turned.z));
    body->setLinearVelocity(ToBullet(v));
    velocity = v;

    // Turning, with self-levelling in the air and alignment to the surface near it.
    const D3DXVECTOR3 forward = Forward(), right = Right();
    D3DXVECTOR3 turn(forward.y * dt * 2.5f, inverseK * steer * dt * 5.0f, -right.y * dt * 2.5f);
    if (hasGround)
        turn.x = turn.z = 0.0f;
    if (nearSurface) {
        const D3DXVECTOR3 tilt = ToLocal(groundNormal - Up());
        // 20 dt of the tilt per second, at most the whole tilt within one frame. Held at 1 below
        // 20 frames a second, the alignment would slow down with the frame rate and the scooter's
        // pitch fall behind a loop's road until it strikes it.
        const float s = std::min(dt * 20.0f, 1.0f / dt);
        turn.x += s * tilt.z;
        turn.z -= 0.5f * s * tilt.x;
    }
    turn = ToWorld(turn);

    D3DXVECTOR3 localSpin = ToLocal(FromBullet(body->getAngularVelocity()));
    if ((steer > 0.0f && localSpin.y < 0.0f) || (steer < 0.0f && localSpin.y > 0.0f))
        localSpin.y -= localSpin.y * dt * 10.0f;
    // The levelling turns add up frame by frame like a spring; without damping of the pitch and
    // roll they overshoot on every change of slope and after every knock, and tip the scooter over.
    const float levelDamping = std::min(1.0f, dt * LEVEL_DAMPING);
    localSpin.x -= localSpin.x * levelDamping;
    localSpin.z -= localSpin.z * levelDamping;
    spin = turn + ToWorld(localSpin);
    body->setAngularVelocity(ToBullet(spin));
}

void CVehicle::DrivePlayer()
{
    int throttle = 0;
    if (actionPressed[ACTION_ACCELERATE])
        throttle = 1;
    if (actionPressed[ACTION_BRAKE])
        throttle = -1;
    float steer = 0.0f;
    if (actionPressed[ACTION_LEFT])
        steer -= 1.0f;
    if (actionPressed[ACTION_RIGHT])
        steer += 1.0f;
    if (::world.activeCamera && ::world.activeCamera->mode == CAMERA_DEBUG_FLIGHT) {
        throttle = -1;
        steer = 0.0f;
    }
    ApplyControls(throttle, steer);

    if (race.sequence != RACE_SEQUENCE_AUTOPLAY) {
        const float threshold = 0.8f * topSpeed;
        d3dRender.blurStrength = speed <= threshold ? 0.0f : std::min(1.0f, (speed - threshold) / (0.2f * topSpeed));
    }
    if (raceState == RACE_STATE_RACING)
        PlayVoiceCue();
}
