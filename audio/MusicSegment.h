#pragma once
// A music track or voice message: a DirectMusic segment played through an audio path of its own,
// whose buffer volume follows the "Music" setting.
#include "platform/music/DirectMusic.h"

class CMusicSegment {
public:
    explicit CMusicSegment(IDirectMusicSegment8* segment);
    void Release();
    // loop: 1 endlessly, 0 once.
    void Play(int loop);
    // True for the first 0.25 s of real time after Play, then while the performance plays it.
    int IsPlaying();
    void SetVolume(float percent);
    void ApplyVolume();

    int repeats;
    int paused;
    unsigned int startTime;
    int pausedPosition;
    float volume;
    IDirectMusicSegment8* segment;
    IDirectMusicSegmentState8* segmentState;
    IDirectMusicAudioPath* audioPath;
    IDirectSoundBuffer8* pathBuffer;
};
