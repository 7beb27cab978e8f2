#include "platform/music/WaveImage.h"

#include <cstring>
#include <limits>

#include "platform/sound/Mmio.h"
#include "platform/sound/SoundSamples.h"

namespace {

std::optional<WaveImage> Decode(HMMIO file, std::size_t size)
{
    MMCKINFO riff {};
    if (mmioDescend(file, &riff, nullptr, 0) != MMSYSERR_NOERROR || riff.ckid != FOURCC_RIFF ||
        riff.fccType != mmioFOURCC('W', 'A', 'V', 'E'))
        return std::nullopt;
    MMCKINFO chunk {};
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    PCMWAVEFORMAT pcm {};
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR || chunk.cksize < sizeof pcm ||
        mmioRead(file, reinterpret_cast<char*>(&pcm), sizeof pcm) != sizeof pcm)
        return std::nullopt;
    WaveImage wave {};
    std::memcpy(&wave.format, &pcm, sizeof pcm);
    if (!SoundSamples::IsSupported(wave.format))
        return std::nullopt;
    mmioSeek(file, static_cast<LONG>(riff.dwDataOffset + 4), SEEK_SET_ORIGIN);
    chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR ||
        chunk.dwDataOffset + static_cast<std::size_t>(chunk.cksize) > size)
        return std::nullopt;
    wave.samples.resize(chunk.cksize);
    if (mmioRead(file, reinterpret_cast<char*>(wave.samples.data()), static_cast<LONG>(chunk.cksize)) !=
        static_cast<LONG>(chunk.cksize))
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
    std::optional<WaveImage> wave = Decode(file, size);
    mmioClose(file, 0);
    return wave;
}
