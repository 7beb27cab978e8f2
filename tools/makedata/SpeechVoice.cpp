#include "tools/makedata/SpeechVoice.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/makedata/SoundSynth.h"

namespace {

// The samples of a 16-bit mono PCM WAV image, and its rate.
std::vector<float> DecodeMono16(const std::vector<std::uint8_t>& bytes, unsigned& rate)
{
    std::vector<float> samples;
    std::size_t at = 12;
    unsigned channels = 0;
    unsigned bits = 0;
    while (at + 8 <= bytes.size()) {
        std::uint32_t size = 0;
        std::memcpy(&size, bytes.data() + at + 4, 4);
        const std::size_t body = at + 8;
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0 && body + 16 <= bytes.size()) {
            channels = bytes[body + 2] | (bytes[body + 3] << 8);
            std::memcpy(&rate, bytes.data() + body + 4, 4);
            bits = bytes[body + 14] | (bytes[body + 15] << 8);
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0 && channels == 1 && bits == 16) {
            // espeak-ng streams to a file and may leave the size open: take what is there.
            const std::size_t end = std::min<std::size_t>(bytes.size(), body + size);
            for (std::size_t i = body; i + 1 < end; i += 2)
                samples.push_back(static_cast<std::int16_t>(bytes[i] | (bytes[i + 1] << 8)) / 32768.0f);
            return samples;
        }
        at = body + size + (size & 1);
    }
    return samples;
}

} // namespace

std::vector<float> SpeakLine(const std::string& text, const std::string& voice, int wordsPerMinute, int pitch)
{
    const auto file = std::filesystem::temp_directory_path() /
                      ("vestrune-speech-" + std::to_string(getpid()) + ".wav");
    const std::string command = "espeak-ng -w '" + file.string() + "' -v " + voice + " -s " +
                                std::to_string(wordsPerMinute) + " -p " + std::to_string(pitch) + " '" + text +
                                "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return {};
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(file);
    unsigned rate = SOUND_RATE;
    return Resample(DecodeMono16(bytes, rate), rate, SOUND_RATE);
}
