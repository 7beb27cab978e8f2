// The 3D scene: the track with the sky and planets behind everything, the scooters, their shadows,
// the effect layers, the glare, the flames and the glow batch, under the motion blur.
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/InputState.h"
#include "world/FrameSteps.h"
#include "world/World.h"
#include "world/effects/FlameSystem.h"
#include "world/objects/ObjectDescription.h"
#include "world/objects/ObjectManager.h"
#include "world/scooters/VehicleManager.h"
#include "world/sky/Environment.h"
#include "world/sky/SkyMask.h"

namespace {

constexpr int SKY_MASK = GTYPE_PLANET1 | GTYPE_PLANET2 | GTYPE_NEBULA;
constexpr int COURSE_PASSES[] = {GTYPE_PLATFORM, GTYPE_STRUCTURE, GTYPE_DECORS};

void ClearDepth(DWORD extraTargets)
{
    d3dRender.device->Clear(0, nullptr, D3DCLEAR_ZBUFFER | extraTargets, 0, 1.0f, 0);
}

// The sky of the debug preset views: the alpha-blended planets, the nebulae and the stars.
void RenderPresetView()
{
    objectManager.RenderPass(GTYPE_PLANET1);
    objectManager.RenderPass(GTYPE_NEBULA);
    environment.stars.Render();
    objectManager.RenderEffectsPass(GTYPE_PLANET1 | GTYPE_NEBULA);
}

void RenderSky()
{
    objectManager.RenderPass(GTYPE_PLANET1);
    objectManager.RenderPass(GTYPE_PLANET2);
    objectManager.RenderPass(GTYPE_NEBULA);
    environment.stars.Render();
    environment.sun.Render();
    objectManager.RenderEffectsPass(SKY_MASK);
}

// The course's opaque passes.
void RenderCourse()
{
    for (int mask : COURSE_PASSES)
        objectManager.RenderPass(mask);
}

} // namespace

void CWorld::Render()
{
    d3dRender.BeginMotionBlur();
    const bool skyMask = SkyMaskAvailable();
    ClearDepth((d3dRender.fillMode == D3DFILL_WIREFRAME ? D3DCLEAR_TARGET : 0) | (skyMask ? D3DCLEAR_STENCIL : 0));

    if (GameSettings[SLOT_DEBUG_VIEW]) {
        RenderPresetView();
        d3dRender.DrawMotionBlur();
        return;
    }

    // The planets, nebulae and sky never hide the track: drawn first under a cleared depth, or
    // with a stencil, after the course's opaque passes and only where those drew nothing.
    if (skyMask) {
        BeginCourseMarking();
        RenderCourse();
        EndCourseMarking();
        BeginSkyOutsideCourse();
        RenderSky();
        EndSkyOutsideCourse();
    } else {
        RenderSky();
        ClearDepth(0);
        RenderCourse();
    }
    EndFrameStep(FRAME_STEP_COURSE);

    for (int mask : COURSE_PASSES)
        objectManager.RenderTransparentPass(mask);
    EndFrameStep(FRAME_STEP_COURSE_TRANSPARENT);
    vehicleManager.Render();
    EndFrameStep(FRAME_STEP_SCOOTERS);

    if (GameSettings[SLOT_DEBUG_MODE] && inputState.home) {
        DrawShadowCasters();
    } else {
        RenderShadowVolumes();
        DrawShadowOverlay();
    }
    EndFrameStep(FRAME_STEP_SHADOWS);

    for (int mask : COURSE_PASSES)
        objectManager.RenderEffectsPass(mask);
    EndFrameStep(FRAME_STEP_COURSE_EFFECTS);
    vehicleManager.RenderTransparent();
    vehicleManager.RenderEffects();
    EndFrameStep(FRAME_STEP_SCOOTER_EFFECTS);
    environment.sun.DrawGlare();
    flameSystem.Draw();
    EndFrameStep(FRAME_STEP_FLAMES);
    d3dRender.DrawDirectLights();
    EndFrameStep(FRAME_STEP_GLOWS);
    d3dRender.DrawMotionBlur();
}
