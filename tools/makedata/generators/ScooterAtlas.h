#pragma once
// Where each part of a scooter lies on its paint and bump textures: bands of rows of one square
// atlas, shared by the model (texture coordinates) and the painter (texels).
#include "tools/makedata/Loft.h"

constexpr unsigned SCOOTER_ATLAS_SIZE = 256;

struct AtlasBand {
    unsigned top, bottom; // rows, bottom excluded
};

// The hull: u around its sections (0 the keel, 0.25 the right side, 0.5 the spine, 0.75 the left
// side), v along it from the nose to the tail.
constexpr AtlasBand HULL_BAND {0, 160};
constexpr AtlasBand SEAT_BAND {160, 176};
constexpr AtlasBand METAL_BAND {176, 192};
constexpr AtlasBand NOZZLE_BAND {192, 208};
constexpr AtlasBand POD_BAND {208, 232};
constexpr AtlasBand FIN_BAND {232, 256};

// The band's rectangle of texture space, kept two texels off its neighbours (filtering).
constexpr UvRect BandRect(AtlasBand band)
{
    constexpr float size = float(SCOOTER_ATLAS_SIZE);
    return {0.0f, (float(band.top) + (band.top ? 2.0f : 0.5f)) / size, 1.0f, (float(band.bottom) - 2.0f) / size};
}

constexpr bool InBand(AtlasBand band, unsigned row) { return row >= band.top && row < band.bottom; }
