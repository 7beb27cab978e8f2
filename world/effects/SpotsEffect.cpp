// Light cones of an object: one glow triangle from each lamp to the point it lights.
#include "world/effects/SpotsEffect.h"

#include "engine/helpers/VectorHelpers.h"
#include "engine/render/D3DRender.h"
#include "world/effects/GlowSprites.h"
#include "world/effects/LightsEffect.h"
#include "world/effects/SightGate.h"
#include "world/effects/StructureColour.h"
#include "world/effects/SurfaceEffects.h"
#include "world/objects/ObjectDescription.h"
#include "world/objects/StaticObject.h"

namespace {

constexpr float SPOTS_LIMIT = 500.0f;
constexpr float SPOTS_SCOOTER_LIMIT = 150.0f;
constexpr int SPOT_VERTICES = 3;
constexpr std::uint32_t BLACK = 0xFF000000u;

} // namespace

int CSpotsEffect::Load(int file, CStaticObject* spotsOwner)
{
    owner = spotsOwner;
    colour = ReadColourLine(file);
    if (owner->objectType == GTYPE_STRUCTURE) {
        const ObjectComponents& components = owner->components;
        colour = components.lightMaps ? components.lightMaps->colour
                 : components.lights  ? components.lights->colour
                                      : RandomStructureColour();
    }
    return 0;
}

void CSpotsEffect::Build()
{
    const std::vector<D3DXVECTOR3>& points = OwnerPoints(*owner, POINTS_SPOTS);
    const auto pairs = static_cast<unsigned>(points.size() / 2);
    if (pairs == 0 || spotCount != 0)
        return;
    spotCount = pairs;
    coneWidth = Vec3Distance(points[1], points[0]) * 0.3333f;
    vertices.assign(static_cast<std::size_t>(pairs) * SPOT_VERTICES, GlowVertex {});
    indices.resize(static_cast<std::size_t>(pairs) * SPOT_VERTICES);
    const std::uint32_t lamp = OpaqueColour(colour);
    for (unsigned i = 0; i < pairs; ++i) {
        GlowVertex* spot = &vertices[i * SPOT_VERTICES];
        // Lit point (left edge), lamp, lit point (right edge).
        spot[0].x = coneWidth;
        spot[0].colour = BLACK;
        spot[0].u = 0.001f;
        spot[0].v = 0.501f;
        spot[1].colour = lamp;
        spot[1].u = 0.255f;
        spot[1].v = 0.999f;
        spot[2].x = -coneWidth;
        spot[2].colour = BLACK;
        spot[2].u = 0.499f;
        spot[2].v = 0.501f;
        for (int k = 0; k < SPOT_VERTICES; ++k)
            indices[i * SPOT_VERTICES + k] = static_cast<std::uint16_t>(i * SPOT_VERTICES + k);
    }
    RecomputeCentres();
}

void CSpotsEffect::RecomputeCentres()
{
    const std::vector<D3DXVECTOR3>& points = OwnerPoints(*owner, POINTS_SPOTS);
    for (unsigned i = 0; i < spotCount && 2 * i + 1 < points.size(); ++i) {
        const D3DXVECTOR3 lamp = ToWorld(*owner, points[2 * i]);
        const D3DXVECTOR3 lit = ToWorld(*owner, points[2 * i + 1]);
        GlowVertex* spot = &vertices[i * SPOT_VERTICES];
        SetCentre(spot[0], lit);
        SetCentre(spot[1], lamp);
        SetCentre(spot[2], lit);
    }
}

void CSpotsEffect::Update()
{
    if (!OwnerInSight(*owner, SPOTS_LIMIT, SPOTS_SCOOTER_LIMIT))
        return;
    Build();
    if (spotCount == 0)
        return;
    if (OwnerMoves(*owner))
        RecomputeCentres();
    const int count = static_cast<int>(spotCount * SPOT_VERTICES);
    d3dRender.AddToBatch(vertices.data(), indices.data(), count, count);
}

void CSpotsEffect::Release()
{
    ReleaseGeometry();
    spotCount = 0;
}
