#include "tools/makedata/SoundSynth.h"

#include <algorithm>
#include <cmath>

#include "tools/makedata/WavWriter.h"

std::vector<std::uint8_t> NormalisedWav(const std::vector<float>& samples, unsigned channels, float peak)
{
    float loudest = 0;
    for (float sample : samples)
        loudest = std::max(loudest, std::abs(sample));
    const float scale = loudest > 0 ? peak * 32767.0f / loudest : 0;
    std::vector<std::int16_t> pcm(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
        pcm[i] = static_cast<std::int16_t>(std::lround(samples[i] * scale));
    return MakeWav(pcm, channels, SOUND_RATE);
}

std::vector<float> Resample(const std::vector<float>& samples, unsigned fromRate, unsigned toRate)
{
    if (fromRate == toRate || samples.empty())
        return samples;
    const auto count = static_cast<std::size_t>(static_cast<double>(samples.size()) * toRate / fromRate);
    std::vector<float> out(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double at = static_cast<double>(i) * fromRate / toRate;
        const auto index = static_cast<std::size_t>(at);
        const double fraction = at - static_cast<double>(index);
        const float next = index + 1 < samples.size() ? samples[index + 1] : samples[index];
        out[i] = static_cast<float>(samples[index] * (1 - fraction) + next * fraction);
    }
    return out;
}
