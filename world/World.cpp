// The world's start-up and shut-down: every world part in its fixed order.
#include "world/World.h"

#include <cstring>

#include "audio/AudioManager.h"
#include "engine/render/D3DRender.h"
#include "engine/render/LightManager.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "frontend/Background.h"
#include "frontend/Cursor.h"
#include "frontend/GameMenu.h"
#include "frontend/Profiles.h"
#include "world/effects/FlameSystem.h"
#include "world/objects/CollisionQuery.h"
#include "world/objects/ObjectManager.h"
#include "world/race/Hud.h"
#include "world/race/Race.h"
#include "world/scooters/VehicleManager.h"
#include "world/sky/Environment.h"
#include "world/track/Track.h"

namespace {

// The camera's start: over the origin looking along +z, a quarter turn of view.
const D3DXVECTOR3 START_EYE(0.0f, 14.0f, -10.0f);
const D3DXVECTOR3 START_LOOK_AT(0.0f, 14.0f, 100.0f);
constexpr float START_FOV = D3DX_PI / 2.0f;
constexpr float ASPECT_SQUEEZE = 0.85f;

int LoadScrollScreens()
{
    background.LoadScrollScreens();
    cursor.Load(); // the renderer is ready and the menu has not shown the cursor yet
    return 1;
}

} // namespace

int CWorld::Init()
{
    gameTimer.Init();
    const float aspectRatio =
        d3dRender.screenHeight > 0.0f ? d3dRender.screenWidth / d3dRender.screenHeight * ASPECT_SQUEEZE : 1.0f;
    CCamera::Init(START_EYE, START_LOOK_AT, START_FOV, aspectRatio, NearPlane, FarPlane, CAMERA_NEAR_CHASE);
    activeCamera = this;
    std::strcpy(PlayerName, "Player");

    if (InitPhysics() != 1)
        return 0;
    using PartInit = int (*)();
    static const PartInit parts[] = {
        [] { return hud.Init(); },
        [] { return gameMenu.Load(); },
        LoadScrollScreens,
        [] { return lightManager.Reset(); },
        [] { return vehicleManager.Init(); },
        [] { return objectManager.Init(); },
        [] { return track.Init(); },
        [] { return flameSystem.Init(); },
        [] { return environment.Init(); },
        [] { return collisionQuery.Reset(); },
        [] { return race.Init(); },
    };
    for (PartInit init : parts)
        if (init() != 1)
            return 0;
    audioManager.LoadBanks();
    return 1;
}

void CWorld::Release()
{
    hud.Release();
    gameMenu.Release();
    background.Release();
    cursor.Release();
    lightManager.DisableAll();
    vehicleManager.Release();
    track.Release(); // before the object manager, as in Clear
    objectManager.Release();
    flameSystem.Release();
    environment.Release();
    race.Release();
    CCamera::Release();
    activeCamera = nullptr;
    ReleasePhysics();
}
