#pragma once
// The game's one camera: eye, look-at point and up vector, the view and projection it hands to
// the device and the effect, the follow modes, the black fade overlay, the debug text, the
// audio listener, and whether a world point or sphere is on screen.
#include "engine/font/Font.h"
#include "platform/gfxx/D3DXMath.h"

class CStaticObject;

enum CameraMode {
    CAMERA_DEBUG_FLIGHT = 0,
    CAMERA_FROM_SCOOTER = 1,
    CAMERA_NEAR_CHASE = 2,
    CAMERA_FAR_CHASE = 3,
    CAMERA_WATCHING = 4,
    CAMERA_FLY_TO = 5,
};

enum FadeKind {
    FADE_NONE = -1,
    FADE_OUT = 0,
    FADE_IN = 1,
};

class CCamera {
public:
    void Init(const D3DXVECTOR3& eye, const D3DXVECTOR3& lookAt, float fov, float aspect, float nearPlane,
              float farPlane, int mode);
    // Releases the overlay font.
    void Release();

    // Keeps the four values, resets the view and builds the left-handed perspective projection.
    void SetProjection(float fov, float aspect, float nearPlane, float farPlane);
    // View from eye, look-at and up; sets the device transforms and the effect's view parameters.
    void UpdateView();
    // Device viewport from a rectangle on the virtual screen.
    void SetViewport(float x0, float y0, float x1, float y1);
    // The effect's "EyePosMS": the eye in the model space of the given world matrix.
    void SetEyePosMS(const D3DXMATRIX& world);

    // Once per frame; nothing while the real clock stands still.
    void Update();

    void SetPosition(const D3DXVECTOR3& eye, const D3DXVECTOR3& lookAt, const D3DXVECTOR3& up);
    // With an object the current mode becomes the previous one; a null object clears the target.
    void SetMode(int mode, CStaticObject* object);
    // The chase offsets start from the current view, so switching targets does not jump.
    void SetTarget(CStaticObject* object);
    // Puts the chase offsets at once where the chase formula wants them.
    void SnapToTarget();
    // The camera key C: 0 -> 1 -> 2 -> 0 (0 only in debug mode).
    void NextMode();
    // Null destination, look-at or axis keep the current eye, the current look-at, no turning.
    void StartFlyTo(const D3DXVECTOR3* destination, const D3DXVECTOR3* lookAt, float duration,
                    const D3DXVECTOR3* axis, float rate, int relative);

    void StartFadeOut(float duration, int musicFlag);
    void StartFadeIn(float duration, int musicFlag);
    // After the scene each frame; advances the fade by the real step.
    void DrawFade();
    void DrawDebugInfo();

    // Screen position in virtual units and the view-space depth; 1 when the point is on screen.
    int ProjectPoint(float* x, float* y, const D3DXVECTOR3& point, float* depth) const;
    // 1 when a sphere is (partly) on screen.
    int SphereTest(const D3DXVECTOR3& centre, float radius) const;

    float fov;
    float aspect;
    float nearPlane;
    float farPlane;
    D3DXVECTOR3 eye;
    D3DXVECTOR3 lookAt;
    D3DXVECTOR3 up;
    D3DXMATRIX view;
    D3DXMATRIX inverseView;
    D3DXMATRIX projection;
    // The device viewport that SetViewport set, in pixels.
    D3DVIEWPORT9 viewport;
    CFont font;
    int mode;
    int previousMode;
    CStaticObject* target;
    int fadeKind;
    float fadeDuration;
    float fadeElapsed;
    int fadeMusic;
    D3DXVECTOR3 chaseEyeOffset;
    D3DXVECTOR3 chaseLookAtOffset;
    D3DXVECTOR3 chaseUp;
    D3DXVECTOR3 previousEye;
    int flyRelative;
    int flyHasAxis;
    unsigned flyStartTime;
    float flyDuration;
    D3DXVECTOR3 flyDestination;
    D3DXVECTOR3 flyLookAt;
    D3DXVECTOR3 flyAxis;
    float flyRate;
    D3DXVECTOR3 flyStartEye;
    D3DXVECTOR3 flyStartLookAt;

private:
    // Right (0), up (1) or forward (2) axis of the view, from the inverse view's rows.
    D3DXVECTOR3 ViewAxis(int row) const
    {
        return D3DXVECTOR3(inverseView.m[row][0], inverseView.m[row][1], inverseView.m[row][2]);
    }
    void UpdateDebugFlight();
    void UpdateFromScooter();
    void UpdateChase();
    void UpdateFlyTo();
    // The chase formula's offsets for the target in the current mode.
    void ChaseOffsets(D3DXVECTOR3* eyeOffset, D3DXVECTOR3* lookAtOffset, D3DXVECTOR3* chaseUpVector) const;
    void UpdateListener();
};
