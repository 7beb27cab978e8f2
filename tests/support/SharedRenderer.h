#pragma once
// The renderer brought up on the shared device, for tests and benchmarks that draw the world.
#include "platform/gfx/D3D9.h"

// The renderer's own steps after making its device, done on the shared device of width x
// height: shader levels from its caps, the technique file, the shared textures, the glow batch,
// the screen metrics, the blur targets and the default states. False without a device or a
// technique file.
bool AdoptSharedDevice(UINT width, UINT height);

// The renderer's screen metrics and blur targets made for a back buffer of width x height.
void UseScreenSize(UINT width, UINT height);
