#include "platform/music/AudioPath.h"

#include "platform/music/MusicPerformance.h"
#include "platform/music/MusicSegment.h"
#include "platform/sound/SoundBuffer.h"
#include "platform/sound/SoundSamples.h"

IDirectMusicAudioPath::IDirectMusicAudioPath(IDirectMusicPerformance8* performance_, IDirectSoundBuffer8* buffer_,
                                             bool active_)
    : performance(performance_), buffer(buffer_), active(active_)
{
}

IDirectMusicAudioPath::~IDirectMusicAudioPath()
{
    Stop();
    if (performance)
        performance->ForgetPath(this);
    buffer->Release();
}

HRESULT IDirectMusicAudioPath::Activate(BOOL nowActive)
{
    active = nowActive != FALSE;
    if (!active)
        Stop();
    return S_OK;
}

HRESULT IDirectMusicAudioPath::SetVolume(LONG millibels, DWORD)
{
    return buffer->SetVolume(millibels);
}

HRESULT IDirectMusicAudioPath::GetObjectInPath(DWORD, DWORD stage, DWORD bufferIndex, REFGUID, DWORD index, REFIID iid,
                                               void** found)
{
    if (!found)
        return E_POINTER;
    *found = nullptr;
    if (stage != DMUS_PATH_BUFFER || bufferIndex != 0 || index != 0)
        return DMUS_E_NOT_FOUND;
    return buffer->QueryInterface(iid, found);
}

HRESULT IDirectMusicAudioPath::Play(IDirectMusicSegment8* segment, DWORD repeats)
{
    if (!active)
        return DMUS_E_NOT_INIT;
    if (!segment->Samples())
        return DMUS_E_NOT_INIT;
    const HRESULT result = buffer->PlaySamples(segment->Samples(), repeats);
    playing = SUCCEEDED(result) ? segment : nullptr;
    playingSamples = SUCCEEDED(result) ? segment->Samples().get() : nullptr;
    return result;
}

void IDirectMusicAudioPath::Stop()
{
    buffer->Stop();
    buffer->SetCurrentPosition(0);
    playing = nullptr;
    playingSamples = nullptr;
}

bool IDirectMusicAudioPath::IsPlaying(const IDirectMusicSegment8* segment)
{
    return playing && (!segment || playing == segment) && buffer->IsPlayingSamples(playingSamples);
}
