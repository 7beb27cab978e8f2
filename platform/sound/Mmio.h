#pragma once
// The platform's multimedia I/O for RIFF files, over memory images: open a memory buffer with
// the "MEM " I/O procedure, read, seek, descend into and ascend out of chunks, and read
// straight from the I/O buffer (mmioGetInfo / mmioAdvance / mmioSetInfo). Reads never pass the
// end of the image.
#include "platform/sound/SoundTypes.h"

using FOURCC = DWORD;
using MMRESULT = UINT;
struct MmioFile;
using HMMIO = MmioFile*;

constexpr FOURCC mmioFOURCC(char a, char b, char c, char d)
{
    return static_cast<FOURCC>(static_cast<BYTE>(a)) | (static_cast<FOURCC>(static_cast<BYTE>(b)) << 8) |
           (static_cast<FOURCC>(static_cast<BYTE>(c)) << 16) | (static_cast<FOURCC>(static_cast<BYTE>(d)) << 24);
}
constexpr FOURCC FOURCC_RIFF = mmioFOURCC('R', 'I', 'F', 'F');
constexpr FOURCC FOURCC_LIST = mmioFOURCC('L', 'I', 'S', 'T');
constexpr FOURCC FOURCC_MEM = mmioFOURCC('M', 'E', 'M', ' ');

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MMIOERR_CANNOTSEEK = 264;
constexpr MMRESULT MMIOERR_CANNOTREAD = 259;
constexpr MMRESULT MMIOERR_CHUNKNOTFOUND = 265;

constexpr DWORD MMIO_READ = 0x00000000;
constexpr DWORD MMIO_WRITE = 0x00000001;
constexpr DWORD MMIO_READWRITE = 0x00000002;
constexpr DWORD MMIO_ALLOCBUF = 0x00010000;
constexpr UINT MMIO_FINDCHUNK = 0x0010;
constexpr UINT MMIO_FINDRIFF = 0x0020;
constexpr UINT MMIO_FINDLIST = 0x0040;
constexpr DWORD MMIO_DIRTY = 0x10000000;

constexpr int SEEK_SET_ORIGIN = 0;
constexpr int SEEK_CUR_ORIGIN = 1;
constexpr int SEEK_END_ORIGIN = 2;

struct MMCKINFO {
    FOURCC ckid;
    DWORD cksize;
    FOURCC fccType;
    DWORD dwDataOffset;
    DWORD dwFlags;
};

struct MMIOINFO {
    DWORD dwFlags;
    FOURCC fccIOProc;
    void* pIOProc;
    UINT wErrorRet;
    void* htask;
    LONG cchBuffer;
    char* pchBuffer;
    char* pchNext;
    char* pchEndRead;
    char* pchEndWrite;
    LONG lBufOffset;
    LONG lDiskOffset;
    DWORD adwInfo[3];
    DWORD dwReserved1;
    DWORD dwReserved2;
    HMMIO hmmio;
};

// Only memory files: info->fccIOProc FOURCC_MEM with pchBuffer and cchBuffer set, name null,
// opened for reading. Anything else returns null with info->wErrorRet set.
HMMIO mmioOpen(LPSTR name, MMIOINFO* info, DWORD flags);
MMRESULT mmioClose(HMMIO file, UINT flags);
// Bytes read (0 at the end), or -1.
LONG mmioRead(HMMIO file, char* buffer, LONG count);
// The new position, or -1 for one before the start.
LONG mmioSeek(HMMIO file, LONG offset, int origin);
MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags);
MMRESULT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT flags);
MMRESULT mmioGetInfo(HMMIO file, MMIOINFO* info, UINT flags);
MMRESULT mmioSetInfo(HMMIO file, const MMIOINFO* info, UINT flags);
// A memory file's buffer is the whole image: advancing reads nothing new.
MMRESULT mmioAdvance(HMMIO file, MMIOINFO* info, UINT flags);
