// The camera's screen overlays: the black fade and the debug text.
#include <algorithm>

#include <btBulletDynamicsCommon.h>

#include "audio/AudioManager.h"
#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "engine/render/LightManager.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "world/World.h"
#include "world/camera/Camera.h"
#include "world/race/DebugText.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"

void CCamera::StartFadeOut(float duration, int musicFlag)
{
    fadeKind = FADE_OUT;
    fadeDuration = duration;
    fadeElapsed = 0.0f;
    fadeMusic = musicFlag;
}

void CCamera::StartFadeIn(float duration, int musicFlag)
{
    fadeKind = FADE_IN;
    fadeDuration = duration;
    fadeElapsed = 0.0f;
    fadeMusic = musicFlag;
}

void CCamera::DrawFade()
{
    if (fadeKind == FADE_NONE)
        return;
    // The frame that reaches the end still sets the volume, so a fade with music ends on exactly
    // 0 or 100 and not on the last step short of it.
    const bool wasRunning = fadeElapsed <= fadeDuration;
    fadeElapsed += gameTimer.realStep;
    // A fade of no duration is complete at once.
    const float percent = fadeDuration > 0.0f ? std::min(100.0f, fadeElapsed / fadeDuration * 100.0f) : 100.0f;
    if (fadeKind == FADE_OUT && percent > 0.0f)
        DrawQuad(-1.0f, -1.0f, 801.0f, 601.0f, static_cast<D3DCOLOR>(static_cast<int>(percent * 2.55f)) << 24, -1);
    else if (fadeKind == FADE_IN && percent < 100.0f)
        DrawQuad(-1.0f, -1.0f, 801.0f, 601.0f, static_cast<D3DCOLOR>(static_cast<int>(255.0f - percent * 2.55f)) << 24,
                 -1);
    if (fadeMusic && wasRunning)
        audioManager.SetMasterVolume(fadeKind == FADE_OUT ? 100.0f - percent : percent);
}

void CCamera::DrawDebugInfo()
{
    if (!GameSettings[SLOT_DEBUG_MODE] || GameSettings[SLOT_DEBUG_VIEW])
        return;
    DebugText text(font);
    text.Line("FPS: %.02f", d3dRender.GetFPS());
    text.Line("Faces per frame: %d", d3dRender.facesDrawn);
    text.Line("Eye: X%.0f, Y%.0f, Z%.0f", eye.x, eye.y, eye.z);
    text.Line("Lights: %d", lightManager.timedCount);
    text.Line("Time speed: %.2f", gameTimer.timeSpeed);
    text.Line("Track vol: %.2f", audioManager.musicVolume);
    text.Line("Coll objs: %i", world.dynamicsWorld ? world.dynamicsWorld->getNumCollisionObjects() : 0);
    if (!playerVehicle)
        return;
    text.Line("Whells in contact: %i", playerVehicle->groundContacts);
    text.Line("Surf distance: %.2f", playerVehicle->groundDistance);
    text.Line("Move Y: %.2f", playerVehicle->velocity.y);
    text.Line("EngineForce: %i, Speed: %i", static_cast<int>(playerVehicle->throttleLevel),
              static_cast<int>(playerVehicle->speed * 3.6f));
}
