#pragma once
// Building blocks for the data set's synthesized sounds: a seeded noise source, float sample
// buffers turned into 16-bit WAV files, and resampling to the game's rate.
#include <cstdint>
#include <vector>

constexpr unsigned SOUND_RATE = 22050;
constexpr double TWO_PI = 6.283185307179586;

class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed) : state(seed ? seed : 1) {}
    // Uniform in [-1, 1).
    float Next()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
    }

private:
    std::uint32_t state;
};

// Scales the samples so that the loudest reaches peak (of full scale) and makes a mono or, for
// interleaved samples, a stereo WAV file.
std::vector<std::uint8_t> NormalisedWav(const std::vector<float>& samples, unsigned channels, float peak);

// Linear resampling of mono samples from one rate to another.
std::vector<float> Resample(const std::vector<float>& samples, unsigned fromRate, unsigned toRate);
