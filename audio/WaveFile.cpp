#include "audio/WaveFile.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "engine/FileSystem.h"

void CWaveFile::Reset()
{
    format = nullptr;
    mmio = nullptr;
    dataChunk = {};
    riffChunk = {};
    image = nullptr;
    imageSize = 0;
}

HRESULT CWaveFile::Open(const char* name)
{
    FreeFormat();
    FreeImage();
    int size = 0;
    int handle = fileSystem.Open(name, FILE_MODE_SD, &size);
    if (handle == -1)
        handle = fileSystem.Open(name, FILE_MODE_BINARY, &size);
    if (handle == -1)
        return -1;
    image = size > 0 ? new (std::nothrow) BYTE[size] : nullptr;
    if (!image || fileSystem.Read(image, 1, size, handle) != size) {
        FreeImage();
        fileSystem.Close(handle);
        return -1;
    }
    imageSize = size;
    fileSystem.Close(handle);
    if (FAILED(OpenWaveFromMemory(image, static_cast<DWORD>(imageSize))))
        return E_FAIL;
    return ResetFile();
}

HRESULT CWaveFile::ResetFile()
{
    if (!mmio || mmioSeek(mmio, static_cast<LONG>(riffChunk.dwDataOffset + sizeof(FOURCC)), SEEK_SET_ORIGIN) == -1)
        return E_FAIL;
    dataChunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(mmio, &dataChunk, &riffChunk, MMIO_FINDCHUNK) != MMSYSERR_NOERROR)
        return E_FAIL;
    const auto end = static_cast<std::int64_t>(dataChunk.dwDataOffset) + dataChunk.cksize;
    if (end > imageSize || dataChunk.cksize < DSBSIZE_MIN)
        return E_FAIL;
    return S_OK;
}

void CWaveFile::Close()
{
    CloseMmio();
    FreeImage();
    FreeFormat();
}

void CWaveFile::CloseMmio()
{
    if (mmio)
        mmioClose(mmio, 0);
    mmio = nullptr;
}

void CWaveFile::FreeImage()
{
    delete[] image;
    image = nullptr;
    imageSize = 0;
}

void CWaveFile::FreeFormat()
{
    std::free(format);
    format = nullptr;
}

HRESULT CWaveFile::OpenWaveFromMemory(BYTE* memory, DWORD size)
{
    CloseMmio();
    MMIOINFO info {};
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = reinterpret_cast<char*>(memory);
    info.cchBuffer = static_cast<LONG>(size);
    mmio = mmioOpen(nullptr, &info, MMIO_READ);
    if (!mmio)
        return E_FAIL;
    if (FAILED(ReadWaveHeader())) {
        CloseMmio();
        return E_FAIL;
    }
    return S_OK;
}

HRESULT CWaveFile::ReadWaveHeader()
{
    FreeFormat();
    MMCKINFO formatChunk {};
    PCMWAVEFORMAT pcm {};
    if (mmioDescend(mmio, &riffChunk, nullptr, 0) != MMSYSERR_NOERROR || riffChunk.ckid != FOURCC_RIFF ||
        riffChunk.fccType != mmioFOURCC('W', 'A', 'V', 'E'))
        return E_FAIL;
    formatChunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(mmio, &formatChunk, &riffChunk, MMIO_FINDCHUNK) != MMSYSERR_NOERROR ||
        formatChunk.cksize < sizeof pcm ||
        mmioRead(mmio, reinterpret_cast<char*>(&pcm), sizeof pcm) != static_cast<LONG>(sizeof pcm))
        return E_FAIL;
    if (pcm.nChannels == 0 || pcm.nSamplesPerSec == 0 || pcm.nBlockAlign == 0)
        return E_FAIL;

    WORD extraBytes = 0;
    if (pcm.wFormatTag != WAVE_FORMAT_PCM &&
        mmioRead(mmio, reinterpret_cast<char*>(&extraBytes), sizeof extraBytes) != sizeof extraBytes)
        return E_FAIL;
    format = static_cast<WAVEFORMATEX*>(std::malloc(sizeof(WAVEFORMATEX) + extraBytes));
    if (!format)
        return E_FAIL;
    std::memcpy(format, &pcm, sizeof pcm);
    format->cbSize = extraBytes;
    if (extraBytes && mmioRead(mmio, reinterpret_cast<char*>(format + 1), extraBytes) != extraBytes) {
        FreeFormat();
        return E_FAIL;
    }
    if (mmioAscend(mmio, &formatChunk, 0) != MMSYSERR_NOERROR) {
        FreeFormat();
        return E_FAIL;
    }
    return S_OK;
}

int CWaveFile::ReadWaveData(unsigned count, BYTE* buffer)
{
    if (!mmio || !buffer)
        return E_FAIL;
    if (count > dataChunk.cksize)
        count = dataChunk.cksize;
    MMIOINFO info {};
    if (mmioGetInfo(mmio, &info, 0) != MMSYSERR_NOERROR)
        return E_FAIL;
    for (unsigned i = 0; i < count; ++i) {
        if (info.pchNext == info.pchEndRead) {
            if (mmioAdvance(mmio, &info, MMIO_READ) != MMSYSERR_NOERROR || info.pchNext == info.pchEndRead)
                return E_FAIL;
        }
        buffer[i] = static_cast<BYTE>(*info.pchNext++);
    }
    if (mmioSetInfo(mmio, &info, 0) != MMSYSERR_NOERROR)
        return E_FAIL;
    dataChunk.cksize -= count;
    return static_cast<int>(count);
}
