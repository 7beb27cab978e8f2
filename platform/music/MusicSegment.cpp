#include "platform/music/MusicSegment.h"

#include <algorithm>
#include <cstring>

#include "platform/sound/SoundSamples.h"

IDirectMusicSegment8::IDirectMusicSegment8(WaveImage wave_, std::wstring fileName_)
    : wave(std::move(wave_)), fileName(std::move(fileName_))
{
}

IDirectMusicSegment8::~IDirectMusicSegment8() = default;

HRESULT IDirectMusicSegment8::SetRepeats(DWORD newRepeats)
{
    repeats = newRepeats;
    return S_OK;
}

HRESULT IDirectMusicSegment8::GetRepeats(DWORD* out)
{
    if (!out)
        return E_POINTER;
    *out = repeats;
    return S_OK;
}

HRESULT IDirectMusicSegment8::SetLength(MUSIC_TIME newLength)
{
    if (newLength <= 0)
        return E_INVALIDARG;
    length = newLength;
    return S_OK;
}

HRESULT IDirectMusicSegment8::GetLength(MUSIC_TIME* out)
{
    if (!out)
        return E_POINTER;
    *out = length;
    return S_OK;
}

HRESULT IDirectMusicSegment8::SetStartPoint(MUSIC_TIME start)
{
    return start < 0 || start >= length ? E_INVALIDARG : S_OK;
}

HRESULT IDirectMusicSegment8::SetLoopPoints(MUSIC_TIME start, MUSIC_TIME end)
{
    return start < 0 || end < start ? E_INVALIDARG : S_OK;
}

HRESULT IDirectMusicSegment8::Download(IDirectMusicAudioPath* path)
{
    if (!path)
        return E_POINTER;
    if (!samples) {
        samples = SoundSamples::Create(wave.format, static_cast<DWORD>(wave.samples.size()));
        if (!samples)
            return DSERR_OUTOFMEMORY;
        samples->Bytes() = wave.samples;
        samples->Upload();
    }
    ++downloads;
    return S_OK;
}

HRESULT IDirectMusicSegment8::Unload(IDirectMusicAudioPath* path)
{
    if (!path || downloads == 0)
        return E_INVALIDARG;
    if (--downloads == 0)
        samples.reset();
    return S_OK;
}

HRESULT IDirectMusicSegment8::GetDescriptor(DMUS_OBJECTDESC* description)
{
    if (!description)
        return E_POINTER;
    std::memset(description, 0, sizeof *description);
    description->dwSize = sizeof *description;
    description->dwValidData = DMUS_OBJ_CLASS;
    description->guidClass = CLSID_DirectMusicSegment;
    if (!fileName.empty()) {
        description->dwValidData |= DMUS_OBJ_FILENAME;
        const std::size_t count = std::min<std::size_t>(fileName.size(), DMUS_MAX_FILENAME - 1);
        std::copy_n(fileName.begin(), count, description->wszFileName);
    }
    return S_OK;
}

IDirectMusicSegmentState8::IDirectMusicSegmentState8(IDirectMusicSegment8* segment_) : segment(segment_)
{
    segment->AddRef();
}

IDirectMusicSegmentState8::~IDirectMusicSegmentState8()
{
    segment->Release();
}

HRESULT IDirectMusicSegmentState8::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!(iid == IID_IDirectMusicSegmentState8))
        return E_NOINTERFACE;
    AddRef();
    *object = this;
    return S_OK;
}

HRESULT IDirectMusicSegmentState8::GetSegment(IDirectMusicSegment8** out)
{
    if (!out)
        return E_POINTER;
    segment->AddRef();
    *out = segment;
    return S_OK;
}
