#include "world/camera/Camera.h"

#include <cmath>

#include "engine/render/D3DRender.h"

void CCamera::Init(const D3DXVECTOR3& eyeAt, const D3DXVECTOR3& lookAtPoint, float fieldOfView, float aspectRatio,
                   float nearDistance, float farDistance, int startMode)
{
    SetProjection(fieldOfView, aspectRatio, nearDistance, farDistance);
    eye = eyeAt;
    previousEye = eyeAt;
    lookAt = lookAtPoint;
    up = D3DXVECTOR3(0.0f, 1.0f, 0.0f);
    mode = previousMode = startMode;
    font.Load("Data/Interface/Fonts/Arial.18");
    SetViewport(0.0f, 0.0f, 800.0f, 600.0f);
    UpdateView();
    chaseEyeOffset = chaseLookAtOffset = chaseUp = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
    flyRelative = flyHasAxis = 0;
    flyStartTime = 0;
    flyDuration = flyRate = 0.0f;
    flyDestination = flyLookAt = flyAxis = flyStartEye = flyStartLookAt = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
    target = nullptr;
    fadeKind = FADE_NONE;
    fadeDuration = fadeElapsed = 0.0f;
    fadeMusic = 0;
}

void CCamera::Release()
{
    font.Release();
}

void CCamera::SetProjection(float fieldOfView, float aspectRatio, float nearDistance, float farDistance)
{
    fov = fieldOfView;
    aspect = aspectRatio;
    nearPlane = nearDistance;
    farPlane = farDistance;
    D3DXMatrixIdentity(&view);
    D3DXMatrixPerspectiveFovLH(&projection, fov, aspect, nearPlane, farPlane);
}

void CCamera::UpdateView()
{
    D3DXMatrixLookAtLH(&view, &eye, &lookAt, &up);
    D3DXMatrixInverse(&inverseView, nullptr, &view);
    // Before the device exists (and in tests without one) the matrices are only kept.
    if (d3dRender.device) {
        d3dRender.device->SetTransform(D3DTS_VIEW, &view);
        d3dRender.device->SetTransform(D3DTS_PROJECTION, &projection);
    }
    if (d3dRender.effect) {
        const D3DXVECTOR4 eyePosition(eye.x, eye.y, eye.z, 1.0f);
        d3dRender.effect->SetMatrix("matView", &view);
        d3dRender.effect->SetMatrix("matProj", &projection);
        d3dRender.effect->SetVector("EyePos", &eyePosition);
    }
}

void CCamera::SetViewport(float x0, float y0, float x1, float y1)
{
    const float sx = d3dRender.xFactor;
    const float sy = d3dRender.yFactor;
    // Rounded: the factors are inexact, and 800 x (1024 / 800) must give 1024, not 1023.
    viewport.X = static_cast<DWORD>(std::lround(x0 * sx));
    viewport.Y = static_cast<DWORD>(std::lround(y0 * sy));
    viewport.Width = static_cast<DWORD>(std::lround(x1 * sx) - std::lround(x0 * sx));
    viewport.Height = static_cast<DWORD>(std::lround(y1 * sy) - std::lround(y0 * sy));
    viewport.MinZ = 0.0f;
    viewport.MaxZ = 1.0f;
    if (d3dRender.device)
        d3dRender.device->SetViewport(&viewport);
}

void CCamera::SetEyePosMS(const D3DXMATRIX& world)
{
    if (!d3dRender.effect)
        return;
    D3DXMATRIX inverseWorld;
    D3DXMatrixInverse(&inverseWorld, nullptr, &world);
    D3DXVECTOR3 modelEye;
    D3DXVec3TransformCoord(&modelEye, &eye, &inverseWorld);
    const D3DXVECTOR4 eyePosition(modelEye.x, modelEye.y, modelEye.z, 1.0f);
    d3dRender.effect->SetVector("EyePosMS", &eyePosition);
}

void CCamera::SetPosition(const D3DXVECTOR3& eyeAt, const D3DXVECTOR3& lookAtPoint, const D3DXVECTOR3& upVector)
{
    eye = eyeAt;
    lookAt = lookAtPoint;
    up = upVector;
    previousEye = eyeAt;
    UpdateView();
}

int CCamera::ProjectPoint(float* x, float* y, const D3DXVECTOR3& point, float* depth) const
{
    const D3DXVECTOR3 offset = point - eye;
    D3DXVECTOR3 viewOffset;
    D3DXVec3TransformNormal(&viewOffset, &offset, &view);
    *depth = viewOffset.z;

    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    D3DXVECTOR3 screen;
    D3DXVec3Project(&screen, &point, &viewport, &projection, &view, &identity);
    *x = d3dRender.xFactor > 0.0f ? screen.x / d3dRender.xFactor : screen.x;
    *y = d3dRender.yFactor > 0.0f ? screen.y / d3dRender.yFactor : screen.y;
    return *depth >= 0.0f && screen.x >= 0.0f && screen.x < d3dRender.screenWidth && screen.y >= 0.0f &&
                   screen.y < d3dRender.screenHeight
               ? 1
               : 0;
}

int CCamera::SphereTest(const D3DXVECTOR3& centre, float radius) const
{
    const D3DXVECTOR3 toCentre = centre - eye;
    const float distance = D3DXVec3Length(&toCentre);
    float x, y, depth;
    if (distance <= radius || ProjectPoint(&x, &y, centre, &depth))
        return 1;
    const float r = radius * 1.1f;
    if (depth < -r)
        return 0;

    const D3DXVECTOR3 forward = ViewAxis(2);
    const D3DXVECTOR3 onAxis = eye + forward * distance;
    D3DXVECTOR3 towardsAxis = onAxis - centre;
    D3DXVec3Normalize(&towardsAxis, &towardsAxis);
    const D3DXVECTOR3 rim = centre + towardsAxis * r;
    if (ProjectPoint(&x, &y, rim, &depth))
        return 1;
    D3DXVECTOR3 towardsRim = rim - centre;
    D3DXVec3Normalize(&towardsRim, &towardsRim);
    const D3DXVECTOR3 halfway = centre + towardsRim * (r * 0.5f);
    return ProjectPoint(&x, &y, halfway, &depth);
}
