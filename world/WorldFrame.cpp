// One pass of the game: clock, drawing, simulation, audio and present.
#include "audio/AudioManager.h"
#include "engine/render/D3DRender.h"
#include "engine/render/LightManager.h"
#include "engine/shell/DebugLog.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "engine/shell/MainWindow.h"
#include "frontend/Cursor.h"
#include "frontend/GameMenu.h"
#include "world/FrameSteps.h"
#include "world/World.h"
#include "world/effects/FlameSystem.h"
#include "world/objects/ObjectManager.h"
#include "world/race/Hud.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/sky/Environment.h"
#include "world/track/Track.h"

void (*frameStepDone)(FrameStep step) = nullptr;

// Drawing comes before updating: each presented image shows the state of the previous update.
void CWorld::Frame()
{
    if (!windowActive)
        return;
    gameTimer.Tick();

    if (FAILED(d3dRender.device->BeginScene())) {
        DebugOut("D3D_Device->BeginScene() FAILED!");
    } else {
        if (gameMenu.active) {
            gameMenu.Draw();
            EndFrameStep(FRAME_STEP_WORLD_DRAWING);
        } else {
            Render();
            EndFrameStep(FRAME_STEP_WORLD_DRAWING);
            gameMenu.Draw();
            hud.Draw();
        }
        cursor.Draw();
        activeCamera->DrawFade();
        activeCamera->DrawDebugInfo();
        d3dRender.device->EndScene();
        EndFrameStep(FRAME_STEP_MENU_AND_HUD);
    }

    if (!GameSettings[SLOT_RACE_RUNNING])
        gameMenu.Update();
    else
        UpdateRace();
    EndFrameStep(FRAME_STEP_SIMULATION);

    audioManager.Update();
    EndFrameStep(FRAME_STEP_AUDIO);
    d3dRender.Present();
    EndFrameStep(FRAME_STEP_PRESENTATION);

    if (GameSettings[SLOT_DEBUG_MODE] && inputState.tab) {
        RestartRace();
        inputState.tab = 0;
    }
}

// While the clock is paused only the camera, the display and the race phases go on.
void CWorld::UpdateRace()
{
    if (gameTimer.gameStep == 0.0f) {
        activeCamera->Update();
        hud.Update();
        race.Update();
        return;
    }
    d3dRender.LockBatchBuffers();
    StepPhysics();
    if (playerVehicle)
        playerVehicle->Update();
    activeCamera->Update();
    hud.Update();
    gameMenu.Update();
    environment.Update();
    lightManager.Update();
    vehicleManager.Update();
    objectManager.Update();
    track.Update();
    flameSystem.Update();
    race.Update();
    d3dRender.UnlockBatchBuffers();
}
