#include "world/BodyPlacement.h"

#include "engine/helpers/VectorHelpers.h"

btTransform StartTransform(const D3DXVECTOR3& position, const D3DXVECTOR3& target, const D3DXVECTOR3& up)
{
    D3DXMATRIX lookAt;
    BuildLookAtMatrix(lookAt, position, target, up);
    const btMatrix3x3 basis(lookAt._11, lookAt._21, lookAt._31, lookAt._12, lookAt._22, lookAt._32, lookAt._13,
                            lookAt._23, lookAt._33);
    return btTransform(basis, btVector3(position.x, position.y, position.z));
}
