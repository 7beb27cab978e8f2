#pragma once
// The start gate, the light frames, the roadside towers and the info panel, with the layers,
// lamps, cones, burners and shadow sources their components read, and their textures.
#include "tools/makedata/AssetSink.h"

void AddStructures(AssetSink& sink);
