#include "platform/sound/Mmio.h"

#include <cstdint>
#include <cstring>

struct MmioFile {
    char* image;
    std::int64_t size;
    std::int64_t position;
};

namespace {

constexpr std::int64_t CHUNK_HEADER = 8;

bool ReadExactly(HMMIO file, void* target, std::int64_t count)
{
    if (file->position < 0 || file->position + count > file->size)
        return false;
    std::memcpy(target, file->image + file->position, static_cast<std::size_t>(count));
    file->position += count;
    return true;
}

// The chunk header at the current position; RIFF and LIST chunks also carry a form type.
bool ReadChunkHeader(HMMIO file, MMCKINFO* chunk)
{
    DWORD header[2];
    if (!ReadExactly(file, header, CHUNK_HEADER))
        return false;
    chunk->ckid = header[0];
    chunk->cksize = header[1];
    chunk->fccType = 0;
    chunk->dwFlags = 0;
    chunk->dwDataOffset = static_cast<DWORD>(file->position);
    if (chunk->ckid == FOURCC_RIFF || chunk->ckid == FOURCC_LIST) {
        if (!ReadExactly(file, &chunk->fccType, sizeof chunk->fccType))
            return false;
    }
    return true;
}

bool Matches(const MMCKINFO& found, FOURCC id, FOURCC type, UINT flags)
{
    if (flags & MMIO_FINDRIFF)
        return found.ckid == FOURCC_RIFF && found.fccType == type;
    if (flags & MMIO_FINDLIST)
        return found.ckid == FOURCC_LIST && found.fccType == type;
    return found.ckid == id;
}

std::int64_t EndOf(const MMCKINFO& chunk)
{
    const std::int64_t end = static_cast<std::int64_t>(chunk.dwDataOffset) + chunk.cksize;
    return end + (end & 1);
}

} // namespace

HMMIO mmioOpen(LPSTR name, MMIOINFO* info, DWORD flags)
{
    if (!info)
        return nullptr;
    const bool memoryFile = !name && info->fccIOProc == FOURCC_MEM && info->pchBuffer && info->cchBuffer >= 0;
    if (!memoryFile || (flags & (MMIO_WRITE | MMIO_READWRITE))) {
        info->wErrorRet = MMSYSERR_INVALPARAM;
        return nullptr;
    }
    info->wErrorRet = MMSYSERR_NOERROR;
    auto* file = new MmioFile {info->pchBuffer, info->cchBuffer, 0};
    info->hmmio = file;
    return file;
}

MMRESULT mmioClose(HMMIO file, UINT)
{
    delete file;
    return MMSYSERR_NOERROR;
}

LONG mmioRead(HMMIO file, char* buffer, LONG count)
{
    if (!file || !buffer || count < 0 || file->position < 0)
        return -1;
    const std::int64_t available = file->position < file->size ? file->size - file->position : 0;
    const std::int64_t taken = count < available ? count : available;
    std::memcpy(buffer, file->image + file->position, static_cast<std::size_t>(taken));
    file->position += taken;
    return static_cast<LONG>(taken);
}

LONG mmioSeek(HMMIO file, LONG offset, int origin)
{
    if (!file)
        return -1;
    std::int64_t base = 0;
    if (origin == SEEK_CUR_ORIGIN)
        base = file->position;
    else if (origin == SEEK_END_ORIGIN)
        base = file->size;
    else if (origin != SEEK_SET_ORIGIN)
        return -1;
    const std::int64_t target = base + offset;
    if (target < 0 || target > INT32_MAX)
        return -1;
    file->position = target;
    return static_cast<LONG>(target);
}

MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags)
{
    if (!file || !chunk)
        return MMSYSERR_INVALPARAM;
    const FOURCC wantedId = chunk->ckid;
    const FOURCC wantedType = chunk->fccType;
    const std::int64_t limit = parent ? EndOf(*parent) : file->size;
    const bool searching = flags & (MMIO_FINDCHUNK | MMIO_FINDRIFF | MMIO_FINDLIST);
    while (true) {
        if (file->position + CHUNK_HEADER > limit)
            return MMIOERR_CHUNKNOTFOUND;
        MMCKINFO found {};
        if (!ReadChunkHeader(file, &found))
            return MMIOERR_CHUNKNOTFOUND;
        if (!searching || Matches(found, wantedId, wantedType, flags)) {
            *chunk = found;
            return MMSYSERR_NOERROR;
        }
        const std::int64_t next = EndOf(found);
        if (next > limit)
            return MMIOERR_CHUNKNOTFOUND;
        file->position = next;
    }
}

MMRESULT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT)
{
    if (!file || !chunk)
        return MMSYSERR_INVALPARAM;
    const std::int64_t end = EndOf(*chunk);
    if (end > file->size)
        return MMIOERR_CANNOTSEEK;
    file->position = end;
    return MMSYSERR_NOERROR;
}

MMRESULT mmioGetInfo(HMMIO file, MMIOINFO* info, UINT)
{
    if (!file || !info)
        return MMSYSERR_INVALPARAM;
    std::memset(info, 0, sizeof *info);
    info->fccIOProc = FOURCC_MEM;
    info->cchBuffer = static_cast<LONG>(file->size);
    info->pchBuffer = file->image;
    const std::int64_t at = file->position < file->size ? file->position : file->size;
    info->pchNext = file->image + at;
    info->pchEndRead = file->image + file->size;
    info->pchEndWrite = file->image + file->size;
    info->lDiskOffset = static_cast<LONG>(at);
    info->hmmio = file;
    return MMSYSERR_NOERROR;
}

MMRESULT mmioSetInfo(HMMIO file, const MMIOINFO* info, UINT)
{
    if (!file || !info || info->pchNext < file->image || info->pchNext > file->image + file->size)
        return MMSYSERR_INVALPARAM;
    file->position = info->pchNext - file->image;
    return MMSYSERR_NOERROR;
}

MMRESULT mmioAdvance(HMMIO file, MMIOINFO* info, UINT)
{
    if (!file || !info)
        return MMSYSERR_INVALPARAM;
    if (info->pchNext >= file->image && info->pchNext <= file->image + file->size)
        file->position = info->pchNext - file->image;
    return mmioGetInfo(file, info, 0);
}
