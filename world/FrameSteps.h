#pragma once
// The steps of a world frame, for measuring where a frame's time goes.

enum FrameStep {
    FRAME_STEP_WORLD_DRAWING, // the 3D scene, or the menu while it is open
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
