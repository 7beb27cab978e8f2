#include "platform/music/MusicPerformance.h"

#include <algorithm>

#include "platform/sound/SoundDevice.h"

namespace {

// An empty stretch of silence: the path's buffer until a segment plays on it.
constexpr DWORD PATH_BUFFER_BYTES = 64;

} // namespace

IDirectMusicPerformance8::~IDirectMusicPerformance8()
{
    CloseDown();
}

HRESULT IDirectMusicPerformance8::InitAudio(void**, IDirectSound8** given, HWND window, DWORD defaultPathType,
                                            DWORD performanceChannels, DWORD, DMUS_AUDIOPARAMS*)
{
    if (sound)
        return DMUS_E_ALREADY_INITED;
    if (given && *given) {
        sound = *given;
        sound->AddRef();
    } else {
        const HRESULT created = DirectSoundCreate8(nullptr, &sound, nullptr);
        if (FAILED(created))
            return created;
        sound->SetCooperativeLevel(window, DSSCL_PRIORITY);
        if (given) {
            sound->AddRef();
            *given = sound;
        }
    }
    if (defaultPathType == 0)
        return S_OK;
    return CreateStandardAudioPath(defaultPathType, performanceChannels, TRUE, &defaultPath);
}

HRESULT IDirectMusicPerformance8::CreateStandardAudioPath(DWORD type, DWORD, BOOL activate,
                                                          IDirectMusicAudioPath** path)
{
    if (!path)
        return E_POINTER;
    *path = nullptr;
    if (!sound)
        return DMUS_E_NOT_INIT;
    if (type != DMUS_APATH_DYNAMIC_STEREO && type != DMUS_APATH_DYNAMIC_MONO && type != DMUS_APATH_DYNAMIC_3D &&
        type != DMUS_APATH_SHARED_STEREOPLUSREVERB)
        return E_INVALIDARG;
    const WORD channels = type == DMUS_APATH_DYNAMIC_STEREO || type == DMUS_APATH_SHARED_STEREOPLUSREVERB ? 2 : 1;
    WAVEFORMATEX format {WAVE_FORMAT_PCM,
                         channels,
                         IDirectSound8::MIXING_RATE,
                         IDirectSound8::MIXING_RATE * channels * 2u,
                         static_cast<WORD>(channels * 2),
                         16,
                         0};
    DSBUFFERDESC description {};
    description.dwSize = sizeof description;
    description.dwFlags = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY | (type == DMUS_APATH_DYNAMIC_3D ? DSBCAPS_CTRL3D : 0);
    description.dwBufferBytes = PATH_BUFFER_BYTES;
    description.lpwfxFormat = &format;
    IDirectSoundBuffer* buffer = nullptr;
    const HRESULT created = sound->CreateSoundBuffer(&description, &buffer, nullptr);
    if (FAILED(created))
        return created;
    *path = new IDirectMusicAudioPath(this, buffer, activate != FALSE);
    paths.push_back(*path);
    return S_OK;
}

HRESULT IDirectMusicPerformance8::GetDefaultAudioPath(IDirectMusicAudioPath** path)
{
    if (!path)
        return E_POINTER;
    *path = defaultPath;
    if (!defaultPath)
        return DMUS_E_NOT_INIT;
    defaultPath->AddRef();
    return S_OK;
}

HRESULT IDirectMusicPerformance8::PlaySegmentEx(IDirectMusicSegment8* source, WCHAR*, void*, DWORD, REFERENCE_TIME,
                                                IDirectMusicSegmentState** state, void*, IDirectMusicAudioPath* path)
{
    if (state)
        *state = nullptr;
    if (!source)
        return E_POINTER;
    if (!path)
        path = defaultPath;
    if (!path)
        return DMUS_E_NOT_INIT;
    DWORD repeats = 0;
    source->GetRepeats(&repeats);
    const HRESULT played = path->Play(source, repeats);
    if (FAILED(played))
        return played;
    if (state)
        *state = new IDirectMusicSegmentState8(source);
    return S_OK;
}

HRESULT IDirectMusicPerformance8::Stop(IDirectMusicSegment8* segment, IDirectMusicSegmentState8*, MUSIC_TIME, DWORD)
{
    for (IDirectMusicAudioPath* path : paths)
        if (!segment || path->IsPlaying(segment))
            path->Stop();
    return S_OK;
}

HRESULT IDirectMusicPerformance8::IsPlaying(IDirectMusicSegment8* segment, IDirectMusicSegmentState8* state)
{
    IDirectMusicSegment8* watched = segment;
    if (!watched && state)
        state->GetSegment(&watched);
    const bool playing = watched && std::any_of(paths.begin(), paths.end(), [watched](IDirectMusicAudioPath* path) {
                             return path->IsPlaying(watched);
                         });
    if (!segment && watched)
        watched->Release();
    return playing ? S_OK : S_FALSE;
}

HRESULT IDirectMusicPerformance8::CloseDown()
{
    if (defaultPath) {
        defaultPath->Release();
        defaultPath = nullptr;
    }
    for (IDirectMusicAudioPath* path : paths)
        path->ForgetPerformance();
    paths.clear();
    if (sound) {
        sound->Release();
        sound = nullptr;
    }
    return S_OK;
}

void IDirectMusicPerformance8::ForgetPath(IDirectMusicAudioPath* path)
{
    paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
}
