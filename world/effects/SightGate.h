#pragma once
// The distance gates of the light and flame components: the owner is on show and near enough
// to the camera, with a tighter limit for scooters.
#include <cmath>

class CStaticObject;

// The floats just above 120 and 210, the scooter limits of some components.
inline const float SCOOTER_LIMIT_120 = std::nextafter(120.0f, 1000.0f);
inline const float SCOOTER_LIMIT_210 = std::nextafter(210.0f, 1000.0f);

// Visible, not the scooter the camera views from (mode 1), and within the limit.
bool OwnerInSight(const CStaticObject& owner, float limit, float scooterLimit);
// Visible and within the limit; a scooter viewed from is not skipped.
bool OwnerNear(const CStaticObject& owner, float limit, float scooterLimit);
