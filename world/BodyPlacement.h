#pragma once
// Where a physics body starts: at a place, turned to look at a target with an up direction.
#include <btBulletDynamicsCommon.h>

#include "platform/gfxx/D3DXMath.h"

// Origin at position; basis the inverse (transpose) of the look-at rotation, whose rows are
// right, up and forward.
btTransform StartTransform(const D3DXVECTOR3& position, const D3DXVECTOR3& target, const D3DXVECTOR3& up);
