#pragma once
// A RIFF/WAVE file image decoded into its PCM format and sample bytes.
#include <optional>
#include <vector>

#include "platform/sound/SoundTypes.h"

struct WaveImage {
    WAVEFORMATEX format;
    std::vector<BYTE> samples;
};

// Nothing when the image is not a whole, well-formed PCM WAVE file.
std::optional<WaveImage> DecodeWaveImage(const BYTE* image, std::size_t size);
