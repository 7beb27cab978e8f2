#pragma once
// The distance gate of the surface layers: an owner is drawn when it is visible, not the scooter
// the camera views from, and within the layer's limit (a tighter one for scooters).
class CStaticObject;

bool SurfaceLayerInSight(const CStaticObject& owner, float limit, float scooterLimit);
