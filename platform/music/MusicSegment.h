#pragma once
// A DirectMusic-style segment made from a WAV file, and the state of one play of it. A wave
// segment plays its whole wave from the first sample, repeats + 1 times: start and loop points
// are checked but do not cut the wave. Its samples exist in the mixer while it is downloaded to
// at least one audio path.
#include <memory>
#include <string>

#include "platform/music/MusicTypes.h"
#include "platform/music/WaveImage.h"
#include "platform/sound/ComRefCount.h"

class IDirectMusicAudioPath;
class SoundSamples;

class IDirectMusicSegment8 : public ComRefCount<IDirectMusicSegment8> {
public:
    // fileName: the name it was loaded from, empty for one made from memory.
    IDirectMusicSegment8(WaveImage wave, std::wstring fileName);
    ~IDirectMusicSegment8();

    HRESULT SetRepeats(DWORD repeats);
    HRESULT GetRepeats(DWORD* repeats);
    HRESULT SetLength(MUSIC_TIME length);
    HRESULT GetLength(MUSIC_TIME* length);
    HRESULT SetStartPoint(MUSIC_TIME start);
    HRESULT SetLoopPoints(MUSIC_TIME start, MUSIC_TIME end);
    HRESULT Download(IDirectMusicAudioPath* path);
    HRESULT Unload(IDirectMusicAudioPath* path);
    HRESULT GetDescriptor(DMUS_OBJECTDESC* description);

    // Null while not downloaded.
    const std::shared_ptr<SoundSamples>& Samples() const { return samples; }

private:
    WaveImage wave;
    std::wstring fileName;
    DWORD repeats = 0;
    MUSIC_TIME length = 1;
    int downloads = 0;
    std::shared_ptr<SoundSamples> samples;
};

class IDirectMusicSegmentState8 : public ComRefCount<IDirectMusicSegmentState8> {
public:
    explicit IDirectMusicSegmentState8(IDirectMusicSegment8* segment);
    ~IDirectMusicSegmentState8();

    HRESULT QueryInterface(REFIID iid, void** object);
    HRESULT GetSegment(IDirectMusicSegment8** segment);

private:
    IDirectMusicSegment8* segment;
};
using IDirectMusicSegmentState = IDirectMusicSegmentState8;
using IDirectMusicSegment = IDirectMusicSegment8;
