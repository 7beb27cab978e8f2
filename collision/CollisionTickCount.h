#pragma once

#include <cstdint>

// Milliseconds of a monotonic clock, wrapping at 2^32; the time base of model-test limits.
uint32_t CollisionTickCount();
