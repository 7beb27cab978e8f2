#include "engine/GlowVertex.h"

#include "engine/VectorHelpers.h"

D3DXVECTOR3 FacingCorner(const D3DXVECTOR3& corner, const D3DXVECTOR3& centre, const D3DXVECTOR3& eye,
                         const D3DXVECTOR3& up)
{
    D3DXMATRIX facing;
    BuildLookAtMatrix(facing, centre, eye, up);
    D3DXVECTOR3 placed;
    D3DXVec3TransformCoord(&placed, &corner, &facing);
    return placed;
}

D3DXVECTOR3 FacingCorner(const GlowVertex& vertex, const D3DXVECTOR3& eye)
{
    return FacingCorner(D3DXVECTOR3(vertex.x, vertex.y, vertex.z),
                        D3DXVECTOR3(vertex.centreX, vertex.centreY, vertex.centreZ), eye,
                        D3DXVECTOR3(vertex.upX, vertex.upY, vertex.upZ));
}
