// The turning scooter of the quick-race and scooter pages with its Speed, Power and Control bars,
// and the scooter list's captions.
#include <cmath>
#include <cstdio>

#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "engine/render/LightManager.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "frontend/GameMenu.h"
#include "frontend/ValueTexts.h"
#include "world/World.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"

namespace {

constexpr int VEHICLE_PATH_SIZE = 64;
constexpr int LEVEL_CELLS = 10;
constexpr float STATS_TEXT_SCALE = 0.4f;
// The scooter turns in the band of the box between the selector's caption at its top and the
// level bars at its bottom, so that it covers neither.
constexpr float PREVIEW_TOP_MARGIN = 32.0f;
constexpr float PREVIEW_BOTTOM_MARGIN = 60.0f;
// How far under the scooter's centre the camera aims, as a part of its bounding radius.
constexpr float PREVIEW_AIM_DROP = 0.15f;

CVehicle* LoadVehicle(int index)
{
    char path[VEHICLE_PATH_SIZE];
    VehicleFileName(path, sizeof path, index);
    CVehicle* vehicle = new CVehicle();
    vehicle->Load(path);
    return vehicle;
}

void FreeVehicle(CVehicle*& vehicle)
{
    if (!vehicle)
        return;
    vehicle->Destroy();
    delete vehicle;
    vehicle = nullptr;
}

// One row of ten cells; level 0 lights the first cell, level 9 all ten.
void DrawLevelBar(float x0, float top, int level)
{
    for (int k = 0; k < LEVEL_CELLS; ++k) {
        const float left = x0 + 115.0f + 12.0f * static_cast<float>(k);
        const float right = left + 10.0f;
        const float bottom = top + 10.0f;
        DrawQuad(left, top, right, bottom, D3DCOLOR_ARGB(255, 0, 0, 0), -1);
        if (level >= k)
            DrawQuad(left + 2.0f, top + 2.0f, right - 2.0f, bottom - 2.0f, D3DCOLOR_ARGB(255, 0, 255, 0), -1);
        DrawFrame(left, top, right, bottom, D3DCOLOR_ARGB(255, 0, 64, 128));
    }
}

} // namespace

void CGameMenu::InitPreviewCamera()
{
    previewCamera.Init(D3DXVECTOR3(5, 2, 0), D3DXVECTOR3(0, 0, 0), 1.0471976f, 1.1f, NearPlane, FarPlane, 0);
}

void CGameMenu::SelectScooter(int index)
{
    FreeVehicle(previewScooter);
    if (index < 0 || index >= MENU_SCOOTERS)
        return;
    MenuSelection.scooter = index;
    previewScooter = LoadVehicle(index);
    previewScooter->cameraDistance = 0.0f;
    previewScooter->visible = 1;

    char text[VALUE_TEXT_SIZE];
    ScooterText(text, previewScooter->vehicleName);
    std::snprintf(scooterSelector.value, sizeof scooterSelector.value, "%s", text);

    // The camera looks down along (0, -1.6, -2) at the turning axis from where the scooter's
    // bounding sphere just fills the view's height. Seen from above, the scooter's near underside
    // reaches further down the view than its far top reaches up, so the camera aims a little
    // under its centre.
    D3DXVECTOR3 down(0.0f, -1.6f, -2.0f);
    D3DXVec3Normalize(&down, &down);
    const float r = previewScooter->radius;
    const D3DXVECTOR3 turningCentre(0.0f, previewScooter->centre.y - PREVIEW_AIM_DROP * r, 0.0f);
    const float distance = r / std::sin(0.5f * previewCamera.fov);
    previewCamera.lookAt = turningCentre;
    previewCamera.eye = turningCentre - down * distance;
    previewCamera.up = D3DXVECTOR3(0.0f, 1.0f, 0.0f);
}

void CGameMenu::LoadScooters()
{
    FreeVehicle(previewScooter);
    for (int i = 0; i < MENU_SCOOTERS; ++i) {
        CVehicle* vehicle = LoadVehicle(i);
        std::snprintf(scooterItems[i].caption, sizeof scooterItems[i].caption, "%s", vehicle->vehicleName);
        scooterItems[i].enabled = 1;
        FreeVehicle(vehicle);
    }
}

void CGameMenu::DrawScooterStats(float x0, float y0, float x1, float y1)
{
    if (!previewScooter)
        return;
    DrawQuad(x0, y0, x1, y1, D3DCOLOR_ARGB(128, 0, 0, 0), -1);
    DrawFrame(x0, y0, x1, y1, D3DCOLOR_ARGB(255, 128, 0, 0));

    lightManager.Update();
    previewCamera.SetViewport(static_cast<float>(static_cast<int>(x0 + 2.0f)),
                              static_cast<float>(static_cast<int>(y0 + PREVIEW_TOP_MARGIN)),
                              static_cast<float>(static_cast<int>(x1 - 2.0f)),
                              static_cast<float>(static_cast<int>(y1 - PREVIEW_BOTTOM_MARGIN)));
    const D3DVIEWPORT9& band = previewCamera.viewport;
    previewCamera.SetProjection(previewCamera.fov, static_cast<float>(band.Width) / static_cast<float>(band.Height),
                                previewCamera.nearPlane, previewCamera.farPlane);
    previewCamera.UpdateView();
    CCamera* const previousCamera = world.activeCamera;
    world.activeCamera = &previewCamera;

    // One radian per second of game time.
    D3DXMatrixRotationY(&previewScooter->world, 0.001f * static_cast<float>(gameTimer.gameTime));
    previewScooter->Draw();
    previewScooter->DrawTransparent();
    previewScooter->DrawEffects();

    world.activeCamera = previousCamera;
    if (previousCamera) {
        previousCamera->SetViewport(0.0f, 0.0f, 800.0f, 600.0f);
        previousCamera->UpdateView();
    }

    const D3DCOLOR textColour = D3DCOLOR_ARGB(255, 0, 127, 255);
    const D3DCOLOR glow = D3DCOLOR_ARGB(255, 0, 0, 0);
    font.DrawTextGlow(x0 + 5.0f, y1 - 55.0f, "Speed:", textColour, glow, STATS_TEXT_SCALE);
    font.DrawTextGlow(x0 + 5.0f, y1 - 39.0f, "Power:", textColour, glow, STATS_TEXT_SCALE);
    font.DrawTextGlow(x0 + 5.0f, y1 - 23.0f, "Control:", textColour, glow, STATS_TEXT_SCALE);
    DrawLevelBar(x0, y1 - 50.0f, previewScooter->speedLevel);
    DrawLevelBar(x0, y1 - 34.0f, previewScooter->powerLevel);
    DrawLevelBar(x0, y1 - 18.0f, previewScooter->controlLevel);
}
