#include "platform/sound/WaveChunks.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

bool DescendIntoWave(HMMIO file, MMCKINFO* riff)
{
    return mmioDescend(file, riff, nullptr, 0) == MMSYSERR_NOERROR && riff->ckid == FOURCC_RIFF &&
           riff->fccType == mmioFOURCC('W', 'A', 'V', 'E');
}

WAVEFORMATEX* ReadWaveFormat(HMMIO file, const MMCKINFO& riff)
{
    MMCKINFO chunk {};
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    PCMWAVEFORMAT pcm {};
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR || chunk.cksize < sizeof pcm ||
        mmioRead(file, reinterpret_cast<char*>(&pcm), sizeof pcm) != static_cast<LONG>(sizeof pcm))
        return nullptr;
    if (pcm.nChannels == 0 || pcm.nSamplesPerSec == 0 || pcm.nBlockAlign == 0)
        return nullptr;

    WORD extraBytes = 0;
    if (pcm.wFormatTag != WAVE_FORMAT_PCM &&
        mmioRead(file, reinterpret_cast<char*>(&extraBytes), sizeof extraBytes) != sizeof extraBytes)
        return nullptr;
    auto* format = static_cast<WAVEFORMATEX*>(std::malloc(sizeof(WAVEFORMATEX) + extraBytes));
    if (!format)
        return nullptr;
    std::memcpy(format, &pcm, sizeof pcm);
    format->cbSize = extraBytes;
    if ((extraBytes && mmioRead(file, reinterpret_cast<char*>(format + 1), extraBytes) != extraBytes) ||
        mmioAscend(file, &chunk, 0) != MMSYSERR_NOERROR) {
        std::free(format);
        return nullptr;
    }
    return format;
}

bool FindWaveData(HMMIO file, const MMCKINFO& riff, MMCKINFO* data)
{
    if (mmioSeek(file, static_cast<LONG>(riff.dwDataOffset + sizeof(FOURCC)), SEEK_SET_ORIGIN) == -1)
        return false;
    data->ckid = mmioFOURCC('d', 'a', 't', 'a');
    MMIOINFO info {};
    if (mmioDescend(file, data, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR ||
        mmioGetInfo(file, &info, 0) != MMSYSERR_NOERROR || mmioSetInfo(file, &info, 0) != MMSYSERR_NOERROR)
        return false;
    // A memory file's buffer is the whole image.
    const std::int64_t present = std::max<std::int64_t>(0, std::int64_t {info.cchBuffer} - data->dwDataOffset);
    data->cksize = static_cast<DWORD>(std::min<std::int64_t>(data->cksize, present));
    return data->cksize >= DSBSIZE_MIN;
}
