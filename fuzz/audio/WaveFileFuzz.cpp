// The WAV readers over arbitrary bytes: the sound reader's header, data chunk search and sample
// reads, and the music loader's decoding.
#include <cstdint>
#include <cstring>
#include <vector>

#include "audio/WaveFile.h"
#include "platform/music/WaveImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CWaveFile wave;
    wave.Reset();
    wave.image = new BYTE[size + 1];
    std::memcpy(wave.image, data, size);
    wave.imageSize = static_cast<int>(size);
    if (SUCCEEDED(wave.OpenWaveFromMemory(wave.image, static_cast<DWORD>(size))) && SUCCEEDED(wave.ResetFile())) {
        std::vector<BYTE> samples(wave.dataChunk.cksize);
        wave.ReadWaveData(static_cast<unsigned>(samples.size()), samples.data());
        wave.ResetFile();
    }
    wave.Close();
    DecodeWaveImage(data, size);
    return 0;
}
