#pragma once
// A DirectMusic-style audio path: one sound buffer of its own (whose volume is the path's) on
// which the segments played through the path sound.
#include "platform/music/MusicTypes.h"
#include "platform/sound/ComRefCount.h"

class IDirectSound8;
class IDirectSoundBuffer8;
class IDirectMusicPerformance8;
class IDirectMusicSegment8;
class SoundSamples;

class IDirectMusicAudioPath : public ComRefCount<IDirectMusicAudioPath> {
public:
    // buffer: the path's buffer, whose reference the path takes over.
    IDirectMusicAudioPath(IDirectMusicPerformance8* performance, IDirectSoundBuffer8* buffer, bool active);
    ~IDirectMusicAudioPath();

    HRESULT Activate(BOOL active);
    HRESULT SetVolume(LONG millibels, DWORD duration);
    // The path's buffer: stage DMUS_PATH_BUFFER, buffer index 0, IID_IDirectSoundBuffer8.
    HRESULT GetObjectInPath(DWORD performanceChannel, DWORD stage, DWORD buffer, REFGUID object, DWORD index,
                            REFIID iid, void** found);

    // From the performance.
    HRESULT Play(IDirectMusicSegment8* segment, DWORD repeats);
    void Stop();
    bool IsPlaying(const IDirectMusicSegment8* segment);
    void ForgetPerformance() { performance = nullptr; }

private:
    IDirectMusicPerformance8* performance;
    IDirectSoundBuffer8* buffer;
    // The segment last played here and its samples; compared, never followed.
    const IDirectMusicSegment8* playing = nullptr;
    const SoundSamples* playingSamples = nullptr;
    bool active;
};
