#pragma once
// A WAV file read whole into memory through the file system and parsed with the multimedia I/O
// over that image.
#include "platform/sound/Mmio.h"

class CWaveFile {
public:
    void Reset();
    // From the sound pack, else from disk; 0, or negative when missing or malformed.
    HRESULT Open(const char* name);
    // To the start of the "data" chunk, its size cut to the bytes present; fails when that chunk
    // is missing or holds less than one buffer's minimum.
    HRESULT ResetFile();
    void Close();
    void CloseMmio();
    void FreeImage();
    HRESULT OpenWaveFromMemory(BYTE* image, DWORD size);
    HRESULT ReadWaveHeader();
    // Bytes read into buffer, at most the data chunk's remaining size; E_FAIL when the image ends.
    int ReadWaveData(unsigned count, BYTE* buffer);

    WAVEFORMATEX* format;
    HMMIO mmio;
    MMCKINFO dataChunk;
    MMCKINFO riffChunk;
    BYTE* image;
    int imageSize;

private:
    void FreeFormat();
};
