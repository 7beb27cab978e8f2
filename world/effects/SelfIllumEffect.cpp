#include <cstring>
#include <string>

#include "engine/render/D3DRender.h"
#include "engine/shell/GameTimer.h"
#include "world/effects/SurfaceEffects.h"
#include "world/effects/SurfaceGate.h"
#include "world/objects/ObjectDescription.h"
#include "world/objects/StaticObject.h"
#include "world/track/Track.h"

namespace {

constexpr float SELF_ILLUM_LIMIT = 500.0f;
constexpr float SELF_ILLUM_SCOOTER_LIMIT = 150.0f;
constexpr float PAGE_SHOWN = 3.0f;
constexpr float PAGE_FADE = 1.0f;

} // namespace

CSelfIllumEffect::CSelfIllumEffect() : blended(0), infoScreen(0), currentPage(-1), nextPage(-1), pageTimer(0) {}

int CSelfIllumEffect::Load(int handle, CStaticObject* layerOwner)
{
    Attach(layerOwner);
    char line[DESCRIPTION_LINE_SIZE];
    textureOption = ReadIntegerLine(handle);
    ReadDescriptionLine(handle, line);
    blended = std::strstr(line, ".dds") != nullptr;
    infoScreen = std::strstr(line, "INFOSCREENS") != nullptr;
    if (!infoScreen)
        LoadTextureLine(0, line);
    material = D3DMATERIAL9 {};
    material.Diffuse = material.Emissive = D3DCOLORVALUE {1, 1, 1, 1};
    return 0;
}

void CSelfIllumEffect::DrawPage(int texture, int blend, int zWrite, float alpha)
{
    d3dRender.SetTextureById(texture, blend, 0);
    d3dRender.SetZEnable(1);
    d3dRender.SetZWrite(zWrite);
    d3dRender.SetLighting(1);
    material.Diffuse.a = alpha;
    DrawGroup(MESH_GROUP_SELF_ILLUM);
}

void CSelfIllumEffect::AdvancePages()
{
    if (currentPage == -1)
        currentPage = track.RandomInfoScreen();
    pageTimer -= gameTimer.gameStep;
    if (pageTimer > 0.0f)
        return;
    if (nextPage == -1) {
        nextPage = track.RandomInfoScreen();
        pageTimer = PAGE_FADE;
    } else {
        currentPage = nextPage;
        nextPage = -1;
        pageTimer = PAGE_SHOWN;
    }
}

void CSelfIllumEffect::Update()
{
    if (!SurfaceLayerInSight(*owner, SELF_ILLUM_LIMIT, SELF_ILLUM_SCOOTER_LIMIT))
        return;
    world = owner->world;
    if (!infoScreen) {
        DrawPage(textureIds[0], blended, 1, 1.0f);
        return;
    }
    AdvancePages();
    if (nextPage != -1) {
        DrawPage(currentPage, 0, 0, 1.0f);
        DrawPage(nextPage, 1, 1, 1.0f - pageTimer);
    } else {
        DrawPage(currentPage, blended, 1, 1.0f);
    }
}
