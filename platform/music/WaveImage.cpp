#include "platform/music/WaveImage.h"

#include <cstdlib>
#include <limits>
#include <memory>

#include "platform/sound/Mmio.h"
#include "platform/sound/SoundSamples.h"
#include "platform/sound/WaveChunks.h"

namespace {

std::optional<WaveImage> Decode(HMMIO file)
{
    MMCKINFO riff {};
    if (!DescendIntoWave(file, &riff))
        return std::nullopt;
    const std::unique_ptr<WAVEFORMATEX, decltype(&std::free)> format(ReadWaveFormat(file, riff), &std::free);
    if (!format)
        return std::nullopt;
    const auto plain = SoundSamples::PlainPcmFormat(*format);
    MMCKINFO data {};
    if (!plain || !FindWaveData(file, riff, &data))
        return std::nullopt;
    WaveImage wave {*plain, std::vector<BYTE>(data.cksize)};
    if (mmioRead(file, reinterpret_cast<char*>(wave.samples.data()), static_cast<LONG>(data.cksize)) !=
        static_cast<LONG>(data.cksize))
        return std::nullopt;
    return wave;
}

} // namespace

std::optional<WaveImage> DecodeWaveImage(const BYTE* image, std::size_t size)
{
    if (!image || size > static_cast<std::size_t>(std::numeric_limits<LONG>::max()))
        return std::nullopt;
    MMIOINFO info {};
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = reinterpret_cast<char*>(const_cast<BYTE*>(image));
    info.cchBuffer = static_cast<LONG>(size);
    HMMIO file = mmioOpen(nullptr, &info, MMIO_READ);
    if (!file)
        return std::nullopt;
    std::optional<WaveImage> wave = Decode(file);
    mmioClose(file, 0);
    return wave;
}
