#pragma once
// The steps of a world frame, for measuring where a frame's time goes.

enum FrameStep {
    // The passes of the 3D scene, in drawing order.
    FRAME_STEP_COURSE,             // the course's opaque passes and the sky
    FRAME_STEP_COURSE_TRANSPARENT, // the course's alpha-blended passes
    FRAME_STEP_SCOOTERS,           // the scooters' bodies
    FRAME_STEP_SHADOWS,            // shadow volumes and the overlay
    FRAME_STEP_COURSE_EFFECTS,     // the course's effect layers
    FRAME_STEP_SCOOTER_EFFECTS,    // the scooters' glass, chrome and lights
    FRAME_STEP_FLAMES,             // the sun's glare and the flames
    FRAME_STEP_GLOWS,              // the light-glow batch
    FRAME_STEP_WORLD_DRAWING,      // the rest of the scene (motion blur), or the menu while it is open
    FRAME_STEP_MENU_AND_HUD,  // menu over the race, head-up display, cursor, fade, debug text
    FRAME_STEP_SIMULATION,    // race or menu update
    FRAME_STEP_AUDIO,
    FRAME_STEP_PRESENTATION,
    FRAME_STEPS
};

// Called at the end of each step of CWorld::Frame when set (a benchmark sets it); null in the
// game.
extern void (*frameStepDone)(FrameStep step);

inline void EndFrameStep(FrameStep step)
{
    if (frameStepDone)
        frameStepDone(step);
}
