// Coloured glow points and directional glow points of an object.
#include "world/effects/LightsEffect.h"

#include <algorithm>
#include <cmath>

#include "engine/helpers/VectorHelpers.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameTimer.h"
#include "world/effects/GlowSprites.h"
#include "world/effects/SightGate.h"
#include "world/effects/StructureColour.h"
#include "world/effects/SurfaceEffects.h"
#include "world/objects/ColumnFields.h"
#include "world/objects/ObjectDescription.h"
#include "world/objects/StaticObject.h"

namespace {

constexpr float LIGHTS_LIMIT = 400.0f;
constexpr int SPRITE_VERTICES = 4;
constexpr int SPRITE_INDICES = 6;
constexpr float DIRECT_LIGHT_TALLNESS = 4.0f;

// Corner signs and texture coordinates (the glow quarter of the LightMap).
constexpr GlowCorner CORNERS[SPRITE_VERTICES] = {
    {1, 1, 0.501f, 0.501f}, {1, -1, 0.501f, 0.999f}, {-1, 1, 0.999f, 0.501f}, {-1, -1, 0.999f, 0.999f}};

void SetCorners(GlowVertex* sprite, float halfWidth, float halfHeight)
{
    for (int k = 0; k < SPRITE_VERTICES; ++k) {
        sprite[k].x = CORNERS[k].x * halfWidth;
        sprite[k].y = CORNERS[k].y * halfHeight;
    }
}

} // namespace

int CLightsEffect::Load(int file, CStaticObject* lightsOwner)
{
    owner = lightsOwner;
    char line[DESCRIPTION_LINE_SIZE];
    ReadDescriptionLine(file, line);
    size = RealValue(line);
    colour = ReadColourLine(file);
    if (owner->objectType == GTYPE_STRUCTURE)
        colour = owner->components.lightMaps ? owner->components.lightMaps->colour : RandomStructureColour();
    return 0;
}

void CLightsEffect::AllocateSprites(unsigned count, float tallness)
{
    spriteCount = count;
    vertices.assign(static_cast<std::size_t>(count) * SPRITE_VERTICES, GlowVertex {});
    indices.resize(static_cast<std::size_t>(count) * SPRITE_INDICES);
    const std::uint32_t packed = OpaqueColour(colour);
    for (unsigned i = 0; i < count; ++i) {
        GlowVertex* sprite = &vertices[i * SPRITE_VERTICES];
        SetCorners(sprite, size, size * tallness);
        for (int k = 0; k < SPRITE_VERTICES; ++k) {
            sprite[k].z = 0.5f;
            sprite[k].colour = packed;
            sprite[k].u = CORNERS[k].u;
            sprite[k].v = CORNERS[k].v;
        }
        WriteQuadIndices(&indices[i * SPRITE_INDICES], i);
    }
}

void CLightsEffect::PlaceSprite(unsigned sprite, const D3DXVECTOR3& centre, std::uint32_t spriteColour)
{
    for (int k = 0; k < SPRITE_VERTICES; ++k) {
        GlowVertex& vertex = vertices[sprite * SPRITE_VERTICES + k];
        SetCentre(vertex, centre);
        vertex.colour = spriteColour;
    }
}

void CLightsEffect::AppendToBatch(unsigned sprites) const
{
    if (sprites == 0)
        return;
    d3dRender.AddToBatch(vertices.data(), indices.data(), static_cast<int>(sprites * SPRITE_VERTICES),
                         static_cast<int>(sprites * SPRITE_INDICES));
}

void CLightsEffect::Build()
{
    const std::vector<D3DXVECTOR3>& points = OwnerPoints(*owner, POINTS_LIGHTS);
    if (points.empty() || spriteCount != 0)
        return;
    AllocateSprites(static_cast<unsigned>(points.size()), 1.0f);
    const std::uint32_t packed = OpaqueColour(colour);
    for (unsigned i = 0; i < spriteCount; ++i)
        PlaceSprite(i, ToWorld(*owner, points[i]), packed);
}

void CLightsEffect::RecomputeCentres()
{
    const std::vector<D3DXVECTOR3>& points = OwnerPoints(*owner, POINTS_LIGHTS);
    for (unsigned i = 0; i < spriteCount && i < points.size(); ++i) {
        const D3DXVECTOR3 centre = ToWorld(*owner, points[i]);
        for (int k = 0; k < SPRITE_VERTICES; ++k)
            SetCentre(vertices[i * SPRITE_VERTICES + k], centre);
    }
}

void CLightsEffect::RunWave()
{
    // Once a second a wave runs along the list; each light swells to three times its size.
    const float t = static_cast<float>(gameTimer.gameTime % 1000);
    const float spacing = 100.0f / static_cast<float>(spriteCount);
    for (unsigned j = 0; j < spriteCount; ++j) {
        const float v = std::min(2.0f, std::fabs(t * 0.1f - spacing * static_cast<float>(j)) * 0.2f);
        const float half = (3.0f - v) * size;
        SetCorners(&vertices[j * SPRITE_VERTICES], half, half);
    }
}

void CLightsEffect::Update()
{
    if (!OwnerInSight(*owner, LIGHTS_LIMIT, SCOOTER_LIMIT_120))
        return;
    Build();
    if (spriteCount == 0)
        return;
    if (OwnerMoves(*owner))
        RecomputeCentres();
    if (owner->objectType == GTYPE_PLATFORM)
        RunWave();
    AppendToBatch(spriteCount);
}

void CLightsEffect::Release()
{
    ReleaseGeometry();
    spriteCount = 0;
}

void CDirectLightsEffect::Build()
{
    const std::vector<D3DXVECTOR3>& points = OwnerPoints(*owner, POINTS_DIRECT_LIGHTS);
    const auto pairs = static_cast<unsigned>(points.size() / 2);
    if (pairs == 0 || spriteCount != 0)
        return;
    AllocateSprites(pairs, DIRECT_LIGHT_TALLNESS);
    directions.resize(pairs);
    const std::uint32_t packed = OpaqueColour(colour);
    for (unsigned i = 0; i < pairs; ++i) {
        Vec3Normalize(directions[i], points[2 * i + 1] - points[2 * i]);
        PlaceSprite(i, ToWorld(*owner, points[2 * i]), packed);
    }
}

void CDirectLightsEffect::Update()
{
    if (!OwnerInSight(*owner, LIGHTS_LIMIT, SCOOTER_LIMIT_120))
        return;
    Build();
    if (spriteCount == 0)
        return;
    const std::vector<D3DXVECTOR3>& points = OwnerPoints(*owner, POINTS_DIRECT_LIGHTS);
    const D3DXVECTOR3 eye = CameraEye();
    unsigned shown = 0;
    for (unsigned i = 0; i < spriteCount && 2 * i < points.size(); ++i) {
        const D3DXVECTOR3 centre = ToWorld(*owner, points[2 * i]);
        D3DXVECTOR3 direction, towardsEye;
        D3DXVec3TransformNormal(&direction, &directions[i], &owner->world);
        Vec3Normalize(towardsEye, eye - centre);
        // 1 straight at the camera, about 0.41 at right angles, 0 at 120 degrees.
        const float facing = Vec3Length(towardsEye + direction) - 1.0f;
        if (facing <= 0.0f)
            continue;
        PlaceSprite(shown++, centre, OpaqueColour(colour * facing));
    }
    AppendToBatch(shown);
}

void CDirectLightsEffect::Release()
{
    CLightsEffect::Release();
    directions.clear();
    directions.shrink_to_fit();
}
