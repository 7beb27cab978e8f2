#pragma once
// The DirectMusic-style music layer on OpenAL Soft: component runtime, loader, performance,
// audio paths and WAV segments.
#include "platform/music/AudioPath.h"
#include "platform/music/ComRuntime.h"
#include "platform/music/MusicLoader.h"
#include "platform/music/MusicPerformance.h"
#include "platform/music/MusicSegment.h"
#include "platform/music/MusicTypes.h"
