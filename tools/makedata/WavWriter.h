#pragma once
// RIFF/WAVE files of 16-bit PCM samples.
#include <cstdint>
#include <cstring>
#include <vector>

// samples: interleaved when channels is 2.
inline std::vector<std::uint8_t> MakeWav(const std::vector<std::int16_t>& samples, unsigned channels,
                                         unsigned rate)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    const auto blockAlign = static_cast<std::uint16_t>(channels * 2);
    const std::uint32_t header32[] = {36 + dataBytes, 16, rate, rate * blockAlign, dataBytes};
    const std::uint16_t format16[] = {1, static_cast<std::uint16_t>(channels)};
    const std::uint16_t layout16[] = {blockAlign, 16};

    std::vector<std::uint8_t> bytes(44 + dataBytes);
    std::uint8_t* out = bytes.data();
    std::memcpy(out, "RIFF", 4);
    std::memcpy(out + 4, &header32[0], 4);
    std::memcpy(out + 8, "WAVEfmt ", 8);
    std::memcpy(out + 16, &header32[1], 4);
    std::memcpy(out + 20, format16, 4);
    std::memcpy(out + 24, &header32[2], 8);
    std::memcpy(out + 32, layout16, 4);
    std::memcpy(out + 36, "data", 4);
    std::memcpy(out + 40, &header32[4], 4);
    if (dataBytes > 0) // an empty vector may hold no buffer at all
        std::memcpy(out + 44, samples.data(), dataBytes);
    return bytes;
}
