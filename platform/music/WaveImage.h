#pragma once
// A RIFF/WAVE file image decoded into its plain PCM format and sample bytes.
#include <optional>
#include <vector>

#include "platform/sound/SoundTypes.h"

struct WaveImage {
    WAVEFORMATEX format;
    std::vector<BYTE> samples;
};

// Nothing when the image is not a well-formed WAVE file of samples that SoundSamples plays (see
// WaveChunks.h for a data size past the image's end).
std::optional<WaveImage> DecodeWaveImage(const BYTE* image, std::size_t size);
