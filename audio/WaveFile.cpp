#include "audio/WaveFile.h"

#include <cstdlib>
#include <new>

#include "engine/files/FileSystem.h"
#include "platform/sound/WaveChunks.h"

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
    return mmio && FindWaveData(mmio, riffChunk, &dataChunk) ? S_OK : E_FAIL;
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
    if (!DescendIntoWave(mmio, &riffChunk))
        return E_FAIL;
    format = ReadWaveFormat(mmio, riffChunk);
    return format ? S_OK : E_FAIL;
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
