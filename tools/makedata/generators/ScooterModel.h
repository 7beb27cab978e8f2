#pragma once
// The shape of a hover scooter: a lofted hull with its nose, cowl, seat and engine cowl, a
// windscreen, hover pods on struts, tail fins and engine nozzles, and its chrome trim. Every
// design fills the same envelope (the body's bounds give the physics its body box and its hover
// pads), so all scooters handle alike whatever they look like.
#include <vector>

#include "tools/makedata/Shapes.h"

struct ScooterDesign {
    float hullHalfWidth;   // widest half-width of the hull (0.4 - 0.6)
    float deckHeight;      // top of the hull at the seat
    float cowlHeight;      // top of the front cowl
    float noseFraction;    // part of the hull's length that the nose rounds off (0.15 - 0.45)
    float sectionExponent; // 2 round sections, up to 4 boxy ones
    int nozzles;           // 1 to 3
    int fins;              // 1 (on the spine) or 2 (a canted pair)
    float finSweep;        // how far back the fins' tips lean (0 - 0.4)
    float screenHeight;    // top of the windscreen
};

struct ScooterModel {
    Geometry body;   // painted through the atlas
    Geometry glass;  // the windscreen
    Geometry chrome; // handlebar, nozzle lips, pod bands, side trim
    std::vector<Vec3> flamePoints; // at the nozzle exits
    // The pods' farthest reach from the envelope's centre: the body's bounding radius, which the
    // race and the camera use, when no other part reaches further.
    float podReach = 0;
};

// The envelope of every body: from the pods' outer sides, their undersides, the nose, the nozzle
// exits and the fin tips.
constexpr Vec3 SCOOTER_BODY_MINIMUM {-1.05f, 0.0f, -1.8f};
constexpr Vec3 SCOOTER_BODY_MAXIMUM {1.05f, 1.7f, 1.78f};

ScooterModel BuildScooterModel(const ScooterDesign& design);
