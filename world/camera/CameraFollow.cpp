// The camera's modes: debug flight, the view from the scooter, the chases, watching and the
// fly-to, and the audio listener that follows the eye.
#include <algorithm>
#include <cmath>

#include "audio/AudioManager.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "world/camera/Camera.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"

namespace {

constexpr int PRESET_VIEWS = 7;
constexpr float FLIGHT_SPEED = 50.0f;
constexpr float MOUSE_TURN = 0.5f;

D3DXVECTOR3 Row(const D3DXMATRIX& m, int row)
{
    return D3DXVECTOR3(m.m[row][0], m.m[row][1], m.m[row][2]);
}

D3DXVECTOR3 Turned(const D3DXVECTOR3& v, const D3DXMATRIX& rotation)
{
    D3DXVECTOR3 out;
    D3DXVec3TransformNormal(&out, &v, &rotation);
    return out;
}

D3DXMATRIX RotationAbout(const D3DXVECTOR3& axis, float angle)
{
    D3DXMATRIX rotation;
    D3DXMatrixRotationAxis(&rotation, &axis, angle);
    return rotation;
}

// The scooter's speed and top speed; other targets stand still.
float SpeedRatio(const CStaticObject* object)
{
    if (object->objectClass != GCLASS_VEHICLE)
        return 0.0f;
    const auto* vehicle = static_cast<const CVehicle*>(object);
    return vehicle->topSpeed > 0.0f ? std::min(vehicle->speed / vehicle->topSpeed, 1.0f) : 0.0f;
}

float Speed(const CStaticObject* object)
{
    return object->objectClass == GCLASS_VEHICLE ? static_cast<const CVehicle*>(object)->speed : 0.0f;
}

} // namespace

void CCamera::SetMode(int newMode, CStaticObject* object)
{
    if (object)
        previousMode = mode;
    mode = newMode;
    SetTarget(object);
}

void CCamera::SetTarget(CStaticObject* object)
{
    target = object;
    if (!target)
        return;
    const D3DXVECTOR3 position = Row(target->world, 3);
    chaseEyeOffset = eye - position;
    chaseLookAtOffset = lookAt - position;
    chaseUp = up;
}

void CCamera::SnapToTarget()
{
    if (target)
        ChaseOffsets(&chaseEyeOffset, &chaseLookAtOffset, &chaseUp);
}

void CCamera::NextMode()
{
    previousMode = mode;
    mode = mode + 1 >= CAMERA_FAR_CHASE ? CAMERA_DEBUG_FLIGHT : mode + 1;
    if (!GameSettings[SLOT_DEBUG_MODE] && mode == CAMERA_DEBUG_FLIGHT)
        mode = CAMERA_FROM_SCOOTER;
    if (mode >= CAMERA_FROM_SCOOTER && mode <= CAMERA_FAR_CHASE)
        target = playerVehicle;
}

void CCamera::StartFlyTo(const D3DXVECTOR3* destination, const D3DXVECTOR3* lookAtPoint, float duration,
                         const D3DXVECTOR3* axis, float rate, int relative)
{
    flyDestination = destination ? *destination : eye;
    flyLookAt = lookAtPoint ? *lookAtPoint : lookAt;
    flyRelative = relative;
    mode = CAMERA_FLY_TO;
    flyHasAxis = axis ? 1 : 0;
    flyAxis = axis ? *axis : D3DXVECTOR3(0.0f, 0.0f, 0.0f);
    flyRate = axis ? rate : 0.0f;
    flyStartTime = gameTimer.realTime;
    flyDuration = duration;
    flyStartEye = eye;
    flyStartLookAt = lookAt;
}

void CCamera::ChaseOffsets(D3DXVECTOR3* eyeOffset, D3DXVECTOR3* lookAtOffset, D3DXVECTOR3* chaseUpVector) const
{
    const D3DXVECTOR3 targetUp = Row(target->world, 1);
    const D3DXVECTOR3 forward = Row(target->world, 2);
    const float c = mode == CAMERA_FAR_CHASE ? 10.0f : 5.0f;
    const float r = SpeedRatio(target);
    const float d = r * 0.5f + 1.0f;
    *eyeOffset = targetUp * (c * 0.75f) - forward * (c * d);
    *lookAtOffset = targetUp * (c * 0.3333f) + forward * (c * (1.0f - r * 0.5f));
    *chaseUpVector = targetUp;
}

void CCamera::Update()
{
    // The preset views stop the clock, so their key is read before the still-clock test.
    if (GameSettings[SLOT_DEBUG_MODE] && inputState.shift && inputState.insert) {
        GameSettings[SLOT_DEBUG_VIEW] = (GameSettings[SLOT_DEBUG_VIEW] + 1) % PRESET_VIEWS;
        inputState.insert = 0;
    }
    if (gameTimer.realStep == 0.0f && !GameSettings[SLOT_DEBUG_VIEW])
        return;

    previousEye = eye;
    if (actionPressed[ACTION_CAMERA_C]) {
        NextMode();
        actionPressed[ACTION_CAMERA_C] = 0;
    }

    if (GameSettings[SLOT_DEBUG_VIEW]) {
        D3DXMATRIX preset = d3dRender.GetPresetView(GameSettings[SLOT_DEBUG_VIEW] - 1);
        D3DXMatrixInverse(&preset, nullptr, &preset);
        eye = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
        lookAt = Row(preset, 2);
        up = Row(preset, 1);
    } else {
        switch (mode) {
        case CAMERA_DEBUG_FLIGHT: UpdateDebugFlight(); break;
        case CAMERA_FROM_SCOOTER: UpdateFromScooter(); break;
        case CAMERA_NEAR_CHASE:
        case CAMERA_FAR_CHASE: UpdateChase(); break;
        case CAMERA_WATCHING:
            if (target)
                lookAt = Row(target->world, 3);
            break;
        case CAMERA_FLY_TO: UpdateFlyTo(); break;
        default: break;
        }
    }
    UpdateView();
    UpdateListener();
}

void CCamera::UpdateDebugFlight()
{
    const float step = gameTimer.realStep;
    const D3DXVECTOR3 right = ViewAxis(0);
    const D3DXVECTOR3 viewUp = ViewAxis(1);
    const D3DXVECTOR3 forward = ViewAxis(2);
    const float move = FLIGHT_SPEED * step;
    D3DXVECTOR3 shift(0.0f, 0.0f, 0.0f);
    if (inputState.left)
        shift -= right * move;
    if (inputState.right)
        shift += right * move;
    const D3DXVECTOR3& climbAxis = inputState.shift ? viewUp : forward;
    if (inputState.up)
        shift += climbAxis * move;
    if (inputState.down)
        shift -= climbAxis * move;
    eye += shift;
    lookAt += shift;

    const float pitch = (mouseState.y - mouseState.previousY) * MOUSE_TURN * step;
    const float turn = (mouseState.x - mouseState.previousX) * MOUSE_TURN * step;
    const float yaw = inputState.rightButton ? 0.0f : turn;
    const float roll = inputState.rightButton ? turn : 0.0f;
    if (pitch == 0.0f && yaw == 0.0f && roll == 0.0f)
        return;
    d3dRender.SetCursorPosition(400.0f, 300.0f);
    D3DXMATRIX rotation;
    const D3DXMATRIX pitchRotation = RotationAbout(right, pitch);
    const D3DXMATRIX yawRotation = RotationAbout(D3DXVECTOR3(0.0f, 1.0f, 0.0f), yaw);
    const D3DXMATRIX rollRotation = RotationAbout(forward, roll);
    D3DXMatrixMultiply(&rotation, &pitchRotation, &yawRotation);
    D3DXMatrixMultiply(&rotation, &rotation, &rollRotation);
    lookAt = eye + Turned(lookAt - eye, rotation);
    up = Turned(up, rotation);
}

void CCamera::UpdateFromScooter()
{
    if (!target)
        target = playerVehicle;
    if (!target || !target->mesh || target->mesh->controlPoints[0].empty())
        return;
    const D3DXVECTOR3 forward = Row(target->world, 2);
    D3DXVec3TransformCoord(&eye, &target->mesh->controlPoints[0][0], &target->world);
    const float reach = target->mesh->radius * 2.0f;
    lookAt = actionPressed[ACTION_CAMERA_B] ? eye - forward * reach : eye + forward * reach;
    up = Row(target->world, 1);
}

void CCamera::UpdateChase()
{
    if (!target)
        target = playerVehicle;
    if (!target)
        return;
    D3DXVECTOR3 wantedEye, wantedLookAt, wantedUp;
    ChaseOffsets(&wantedEye, &wantedLookAt, &wantedUp);
    const float k = std::min(1.0f, (Speed(target) * 0.1f + 1.0f) * gameTimer.realStep);
    chaseEyeOffset += (wantedEye - chaseEyeOffset) * k;
    chaseLookAtOffset += (wantedLookAt - chaseLookAtOffset) * k;
    chaseUp += (wantedUp - chaseUp) * k;

    D3DXVECTOR3 eyeOffset = chaseEyeOffset;
    D3DXVECTOR3 lookAtOffset = chaseLookAtOffset;
    // Camera key B: from the front, for this frame only.
    if (actionPressed[ACTION_CAMERA_B]) {
        const D3DXMATRIX halfTurn = RotationAbout(Row(target->world, 1), D3DX_PI);
        eyeOffset = Turned(eyeOffset, halfTurn);
        lookAtOffset = Turned(lookAtOffset, halfTurn);
    }
    const D3DXVECTOR3 position = Row(target->world, 3);
    eye = position + eyeOffset;
    lookAt = position + lookAtOffset;
    up = chaseUp;
}

void CCamera::UpdateFlyTo()
{
    D3DXVECTOR3 destination = flyDestination;
    if (target) {
        flyLookAt = Row(target->world, 3);
        if (flyRelative)
            destination = flyLookAt + flyDestination;
    }
    if (flyDuration <= 0.0f) {
        if (!flyHasAxis) {
            eye = destination;
            lookAt = flyLookAt;
            return;
        }
        const D3DXMATRIX rotation = RotationAbout(flyAxis, flyRate * gameTimer.realStep);
        const D3DXVECTOR3 offset = Turned(destination - flyLookAt, rotation);
        up = Turned(up, rotation);
        flyDestination = flyRelative ? offset : flyLookAt + offset;
        eye = flyLookAt + offset;
        lookAt = flyLookAt;
        return;
    }
    const float t = gameTimer.RealSecondsSince(flyStartTime);
    if (t < flyDuration) {
        const float s = (1.0f - std::cos(D3DX_PI * t / flyDuration)) * 0.5f;
        eye = flyStartEye + (destination - flyStartEye) * s;
        lookAt = target ? flyLookAt : flyStartLookAt + (flyLookAt - flyStartLookAt) * s;
        return;
    }
    eye = destination;
    lookAt = flyLookAt;
    flyDuration = 0.0f;
}

void CCamera::UpdateListener()
{
    D3DXVECTOR3 front = lookAt - eye;
    D3DXVec3Normalize(&front, &front);
    audioManager.SetListenerPosition(eye);
    audioManager.SetListenerOrientation(front, up);
    if (gameTimer.realStep > 0.0f)
        audioManager.SetListenerVelocity((eye - previousEye) / gameTimer.realStep);
}
