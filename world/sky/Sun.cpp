// The sun: its sprite in the sky, the glare and lens ghosts on the screen, and the glow mirrored
// in the planets' oceans.
#include "world/sky/Sun.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/helpers/VectorHelpers.h"
#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "engine/shell/GameTimer.h"
#include "world/World.h"
#include "world/objects/CollisionQuery.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/sky/Environment.h"

namespace {

constexpr float SPRITE_DISTANCE = 1400.0f;
constexpr float SPRITE_HALF_SIZE = 300.0f;
constexpr float FAR_SUN = 100000.0f;
constexpr float SCREEN_CENTRE_X = 400.0f;
constexpr float SCREEN_CENTRE_Y = 300.0f;
constexpr float GLARE_MINIMUM = 50.0f;
constexpr float GLARE_SPEED = 4000.0f; // screen units per second
constexpr float OCCLUSION_INTERVAL = 0.2f;
constexpr float MIRRORED_GLOW_MINIMUM = 200.0f;
constexpr int LENS_GHOSTS = 8;

D3DCOLOR Opaque(float r, float g, float b) { return OpaqueColour(D3DXVECTOR4(r, g, b, 1.0f)); }

float DistanceFromCentre(float x, float y) { return std::hypot(x - SCREEN_CENTRE_X, y - SCREEN_CENTRE_Y); }

// The sun's colour at full brightness, green and blue lowered: the glare's tint.
D3DCOLOR GlareColour(const D3DXVECTOR4& colour1)
{
    D3DXVECTOR4 bright;
    ColorNormalizeMax(bright, D3DXVECTOR3(colour1.x, colour1.y, colour1.z));
    return Opaque(bright.x, bright.y * 0.75f, bright.z * 0.75f);
}

// The player's scooter while the camera views from it (mode 1), else null.
CVehicle* ViewingScooter(const CCamera& camera)
{
    if (camera.mode != CAMERA_FROM_SCOOTER || !playerVehicle)
        return nullptr;
    return camera.target == nullptr || camera.target == playerVehicle ? playerVehicle : nullptr;
}

} // namespace

CSun::CSun()
    : glowTextureId(-1), glareGlowTextureId(-1), glareTextureId(-1), spriteBuffer(nullptr), sprite {}, glareSize(0),
      occluded(0), glowHidden(0), occlusionTimer(0), offScreen(1)
{
}

void CSun::Load()
{
    Release();
    glowTextureId = d3dRender.LoadTexture("Data/Static/Sun/SunGlow.bmp", 0);
    glareGlowTextureId = d3dRender.LoadTexture("Data/Static/Sun/SunGlow.bmp", 0);
    glareTextureId = d3dRender.LoadTexture("Data/Static/Sun/SunGlare.bmp", 0);
}

void CSun::Release()
{
    for (int* id : {&glowTextureId, &glareGlowTextureId, &glareTextureId}) {
        d3dRender.ReleaseTexture(*id);
        *id = -1;
    }
    if (spriteBuffer)
        spriteBuffer->Release();
    spriteBuffer = nullptr;
}

void CSun::ClearGlare()
{
    glareSize = 0.0f;
    occluded = glowHidden = 0;
    occlusionTimer = 0.0f;
    // So that the first glare in view checks the occlusion at once.
    offScreen = 1;
}

void CSun::UpdatePosition(const D3DXVECTOR3& direction1, const D3DXVECTOR4& colour1)
{
    // (colour + 1) at full brightness: a paler sun.
    D3DXVECTOR4 pale;
    ColorNormalizeMax(pale, D3DXVECTOR3(colour1.x + 1.0f, colour1.y + 1.0f, colour1.z + 1.0f));
    WriteWholeTextureSprite(sprite, direction1 * -SPRITE_DISTANCE, SPRITE_HALF_SIZE, Opaque(pale.x, pale.y, pale.z));
    if (spriteBuffer)
        spriteBuffer->Release();
    spriteBuffer = nullptr;
    void* data = nullptr;
    if (d3dRender.device &&
        SUCCEEDED(d3dRender.device->CreateVertexBuffer(sizeof sprite, 0, GLOW_VERTEX_FVF, D3DPOOL_MANAGED, &spriteBuffer,
                                                       nullptr)) &&
        SUCCEEDED(spriteBuffer->Lock(0, 0, &data, 0))) {
        std::memcpy(data, sprite, sizeof sprite);
        spriteBuffer->Unlock();
    }
    ClearGlare();
}

void CSun::Render()
{
    IDirect3DDevice9* device = d3dRender.device;
    if (!device || !spriteBuffer || !world.activeCamera)
        return;
    // The sun keeps its distance from the eye.
    const D3DXVECTOR3& eye = world.activeCamera->eye;
    D3DXMATRIX frame;
    D3DXMatrixTranslation(&frame, eye.x, eye.y, eye.z);
    const bool shaders = d3dRender.SetGlowTechnique(glowTextureId, frame);
    void* data = nullptr;
    // In the sun's own frame the eye is at the origin.
    if (!shaders && SUCCEEDED(spriteBuffer->Lock(0, 0, &data, D3DLOCK_DISCARD))) {
        CopyTurnedToEye(static_cast<GlowVertex*>(data), sprite, 4, D3DXVECTOR3(0, 0, 0));
        spriteBuffer->Unlock();
    }
    const D3DXVECTOR4 noFog(1, 1, 1, 1);
    if (d3dRender.effect)
        d3dRender.effect->SetVector("FogParam", &noFog);
    d3dRender.SetGlowStates(spriteBuffer);
    if (shaders) {
        d3dRender.effect->Begin(nullptr, 0);
        d3dRender.effect->Pass(0);
    }
    device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
    if (shaders)
        d3dRender.effect->End();
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    d3dRender.facesDrawn += 2;
}

void CSun::TestOcclusion(const D3DXVECTOR3& eye, const D3DXVECTOR3& sun)
{
    glowHidden = 0;
    // The scooter the camera views from never hides the sun.
    CVehicle* viewer = ViewingScooter(*world.activeCamera);
    const int viewerCollidable = viewer ? viewer->collidable : 0;
    if (viewer)
        viewer->collidable = 0;
    D3DXVECTOR3 hitPoint;
    occluded = collisionQuery.SegmentTest(eye, sun, &hitPoint, 0) ? 1 : 0;
    if (occluded && collisionQuery.hitType == GTYPE_PLANET2)
        glowHidden = 1;
    if (viewer)
        viewer->collidable = viewerCollidable;
}

void CSun::DrawGlare()
{
    const CCamera* camera = world.activeCamera;
    if (!camera)
        return;
    const D3DXVECTOR3 sun = camera->eye + environment.direction1 * -FAR_SUN;
    float x = 0, y = 0, depth = 0;
    float target = 0.0f;
    if (!camera->ProjectPoint(&x, &y, sun, &depth)) {
        occluded = 1;
        offScreen = 1;
    } else {
        target = std::max(GLARE_MINIMUM, 400.0f - DistanceFromCentre(x, y));
        // Back on screen: check at once.
        if (offScreen)
            occlusionTimer = 1.0f;
        offScreen = 0;
    }

    occlusionTimer += gameTimer.realStep;
    if (occlusionTimer > OCCLUSION_INTERVAL) {
        occlusionTimer = 0.0f;
        TestOcclusion(camera->eye, sun);
    }
    if (occluded)
        target = 0.0f;
    const float stepSize = GLARE_SPEED * gameTimer.realStep;
    glareSize = glareSize < target ? std::min(target, glareSize + stepSize) : std::max(target, glareSize - stepSize);

    if (glareSize != 0.0f) {
        d3dRender.SetLighting(0);
        d3dRender.SetFog(0);
        DrawQuadAdd(x - glareSize, y - glareSize, x + glareSize, y + glareSize, GlareColour(environment.colour1),
                    glareGlowTextureId);
    }
    // Off screen the sun casts no ghosts, whatever the last occlusion check found.
    if (!occluded && !offScreen)
        DrawLensGhosts(x, y);
}

void CSun::DrawLensGhosts(float x, float y)
{
    // From the sun through the screen centre to the mirrored point.
    const D3DXVECTOR4& colour1 = environment.colour1;
    const D3DCOLOR colour = Opaque(colour1.x * 0.5f, colour1.y * 0.5f, colour1.z * 0.5f);
    const float stepX = (SCREEN_CENTRE_X - x) / 4.0f;
    const float stepY = (SCREEN_CENTRE_Y - y) / 4.0f;
    for (int i = 0; i < LENS_GHOSTS; ++i) {
        x += stepX;
        y += stepY;
        DrawDisc(x, y, DistanceFromCentre(x, y) * 0.25f + 5.0f, colour, colour, 1.0f, 1.0f);
        d3dRender.facesDrawn += 2;
    }
}

void CSun::DrawGlow()
{
    const CCamera* camera = world.activeCamera;
    if (glowHidden || !camera)
        return;
    // The sun below the horizon.
    const D3DXVECTOR3& eye = camera->eye;
    const D3DXVECTOR3 far = environment.direction1 * -FAR_SUN;
    const D3DXVECTOR3 mirrored(eye.x + far.x, (eye.y + far.y) * -2.0f, eye.z + far.z);
    float x = 0, y = 0, depth = 0;
    camera->ProjectPoint(&x, &y, mirrored, &depth);
    if (depth < 0.0f || x < -100.0f || x > 900.0f || y < -100.0f || y > 700.0f)
        return;
    const float size = std::max(MIRRORED_GLOW_MINIMUM, (400.0f - DistanceFromCentre(x, y)) * 0.75f);
    d3dRender.SetLighting(0);
    d3dRender.SetFog(0);
    DrawQuadAdd(x - size, y - size, x + size, y + size, GlareColour(environment.colour1), glareTextureId);
}
