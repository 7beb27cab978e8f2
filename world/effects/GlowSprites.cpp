#include "world/effects/GlowSprites.h"

#include "world/World.h"
#include "world/objects/StaticObject.h"

const std::vector<D3DXVECTOR3>& OwnerPoints(const CStaticObject& owner, int list)
{
    static const std::vector<D3DXVECTOR3> none;
    return owner.mesh ? owner.mesh->controlPoints[list] : none;
}

D3DXVECTOR3 ToWorld(const CStaticObject& owner, const D3DXVECTOR3& point)
{
    D3DXVECTOR3 placed;
    D3DXVec3TransformCoord(&placed, &point, &owner.world);
    return placed;
}

bool OwnerMoves(const CStaticObject& owner)
{
    return owner.objectType == GTYPE_VEHICLE || owner.objectType == GTYPE_STRUCTURE ||
           owner.objectType == GTYPE_DECORS;
}

void SetCentre(GlowVertex& vertex, const D3DXVECTOR3& centre)
{
    vertex.centreX = centre.x;
    vertex.centreY = centre.y;
    vertex.centreZ = centre.z;
    vertex.upX = 0.0f;
    vertex.upY = 1.0f;
    vertex.upZ = 0.0f;
}

D3DXVECTOR3 CameraEye() { return world.activeCamera ? world.activeCamera->eye : D3DXVECTOR3(0, 0, 0); }

void CGlowComponent::SetColour(float r, float g, float b, float a)
{
    colour = D3DXVECTOR4(r, g, b, a);
    const std::uint32_t packed = OpaqueColour(colour);
    for (GlowVertex& vertex : vertices)
        vertex.colour = packed;
}

void CGlowComponent::ReleaseGeometry()
{
    vertices.clear();
    vertices.shrink_to_fit();
    indices.clear();
    indices.shrink_to_fit();
}
