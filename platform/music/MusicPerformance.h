#pragma once
// The DirectMusic-style performance: it shares the program's sound device, makes audio paths,
// and plays, stops and watches segments on them.
#include <vector>

#include "platform/music/AudioPath.h"
#include "platform/music/MusicSegment.h"
#include "platform/music/MusicTypes.h"
#include "platform/sound/ComRefCount.h"

class IDirectSound8;

class IDirectMusicPerformance8 : public ComRefCount<IDirectMusicPerformance8> {
public:
    ~IDirectMusicPerformance8();

    // sound: the device to play on; null or pointing to null makes one (and hands it back).
    HRESULT InitAudio(void** music, IDirectSound8** sound, HWND window, DWORD defaultPathType,
                      DWORD performanceChannels, DWORD flags, DMUS_AUDIOPARAMS* parameters);
    HRESULT CreateStandardAudioPath(DWORD type, DWORD performanceChannels, BOOL activate,
                                    IDirectMusicAudioPath** path);
    HRESULT GetDefaultAudioPath(IDirectMusicAudioPath** path);
    // path null: the default path.
    HRESULT PlaySegmentEx(IDirectMusicSegment8* source, WCHAR* segmentName, void* transition, DWORD flags,
                          REFERENCE_TIME startTime, IDirectMusicSegmentState** state, void* from,
                          IDirectMusicAudioPath* path);
    // segment null: everything.
    HRESULT Stop(IDirectMusicSegment8* segment, IDirectMusicSegmentState8* state, MUSIC_TIME time, DWORD flags);
    // S_OK while the segment sounds on some path, else S_FALSE.
    HRESULT IsPlaying(IDirectMusicSegment8* segment, IDirectMusicSegmentState8* state);
    HRESULT CloseDown();

    void ForgetPath(IDirectMusicAudioPath* path);

private:
    IDirectSound8* sound = nullptr;
    IDirectMusicAudioPath* defaultPath = nullptr;
    std::vector<IDirectMusicAudioPath*> paths;
};
