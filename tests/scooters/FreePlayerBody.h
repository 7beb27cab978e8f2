#pragma once
// A player's scooter on a free 700 kg body (no ground) at the origin facing +z, with the
// controls' reference values: top speed 45, drive power 20, handling 700.
#include <btBulletDynamicsCommon.h>

#include <memory>

#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"

// Returns the body's shape, which must outlive the body (reset scooter.body first).
inline std::unique_ptr<btBoxShape> GiveFreePlayerBody(CVehicle& scooter)
{
    auto shape = std::make_unique<btBoxShape>(btVector3(1, 1, 1));
    scooter.body = std::make_unique<btRigidBody>(700.0f, nullptr, shape.get(), btVector3(1, 1, 1));
    scooter.SetLookAt({0, 0, 0}, {0, 0, 100}, {0, 1, 0});
    scooter.driver = DRIVER_PLAYER;
    scooter.topSpeed = 45.0f;
    scooter.drivePower = 20.0f;
    scooter.handling = 700.0f;
    return shape;
}
