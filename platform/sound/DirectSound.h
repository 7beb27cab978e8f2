#pragma once
// The DirectSound-8-style sound layer on OpenAL Soft: device, buffers, 3D buffers, listener,
// and the multimedia I/O the WAV reader uses.
#include "platform/sound/Mmio.h"
#include "platform/sound/Sound3DBuffer.h"
#include "platform/sound/SoundBuffer.h"
#include "platform/sound/SoundDevice.h"
#include "platform/sound/SoundListener.h"
#include "platform/sound/SoundTypes.h"
