#pragma once
// The scooters' textures on their atlas (ScooterAtlas.h): a livery per scooter, one relief map of
// the panel seams, vents and stitching shared by all, and the chrome's reflection map.
#include "platform/gfxx/ImageData.h"

struct Rgb {
    unsigned red, green, blue;
};

struct ScooterLivery {
    Rgb primary, secondary, stripe;
    Rgb glow; // the hover pods' emitters
    enum Style { Swoosh, Pinstripes, Chequers, TwoTone } style;
    int number; // the racing number on both sides, 1 to 8
};

DecodedImage ScooterPaintTexture(const ScooterLivery& livery);
// Tangent-space normals (x right, y down the texture, z out) of the relief.
DecodedImage ScooterBumpTexture();
// Bright sky bands and horizon streaks, read through the reflection vector.
DecodedImage ChromeReflectionTexture();
