#pragma once
// A DirectSound-8-style buffer on OpenAL. A secondary buffer is one source playing shared sample
// data (SoundSamples); a duplicate is another source on the same data. The primary buffer has no
// source: its format is the device's, its volume the listener's gain, and it hands out the 3D
// listener.
#include <AL/al.h>

#include <memory>

#include "platform/sound/ComRefCount.h"
#include "platform/sound/SoundTypes.h"

class IDirectSound8;
class IDirectSound3DBuffer;
class SoundSamples;

class IDirectSoundBuffer8 : public ComRefCount<IDirectSoundBuffer8> {
public:
    // The primary buffer of a device.
    IDirectSoundBuffer8(IDirectSound8& device, DWORD flags);
    // A secondary buffer on samples, with a source that the caller generated.
    IDirectSoundBuffer8(IDirectSound8& device, DWORD flags, std::shared_ptr<SoundSamples> samples, ALuint source);
    ~IDirectSoundBuffer8();

    HRESULT QueryInterface(REFIID iid, void** object);
    HRESULT GetStatus(DWORD* status);
    HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor);
    HRESULT SetCurrentPosition(DWORD position);
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags);
    // Stops and keeps the position: Play continues from it.
    HRESULT Stop();
    HRESULT Lock(DWORD offset, DWORD byteCount, LPVOID* audio1, DWORD* bytes1, LPVOID* audio2, DWORD* bytes2,
                 DWORD flags);
    HRESULT Unlock(LPVOID audio1, DWORD bytes1, LPVOID audio2, DWORD bytes2);
    HRESULT Restore();
    HRESULT SetVolume(LONG millibels);
    HRESULT GetVolume(LONG* millibels);
    HRESULT SetFrequency(DWORD hertz);
    HRESULT GetFrequency(DWORD* hertz);
    HRESULT SetPan(LONG pan);
    HRESULT GetPan(LONG* pan);
    HRESULT SetFormat(const WAVEFORMATEX* format);
    HRESULT GetFormat(WAVEFORMATEX* format, DWORD size, DWORD* written);

    // Layer-internal. A 3D buffer beyond its muting distance keeps its volume but is silent.
    void SetAudible(bool audible);
    // For the music layer: plays other samples on this buffer's source, repeats + 1 times
    // (0xFFFFFFFF: endlessly), from the start.
    HRESULT PlaySamples(std::shared_ptr<SoundSamples> samples, DWORD repeats);
    // Whether the buffer plays these samples now.
    bool IsPlayingSamples(const SoundSamples* samples);
    IDirectSound8& Device() { return device; }
    DWORD Flags() const { return flags; }
    const std::shared_ptr<SoundSamples>& Samples() const { return samples; }

private:
    bool IsSecondary() const { return source != 0; }
    bool IsPlaying() const;
    void ApplyGain();
    void ApplyPan();
    void AttachSamples(std::shared_ptr<SoundSamples> newSamples);

    IDirectSound8& device;
    DWORD flags;
    std::shared_ptr<SoundSamples> samples;
    ALuint source = 0;
    LONG volume = DSBVOLUME_MAX;
    LONG pan = DSBPAN_CENTER;
    DWORD frequency = 0;
    bool audible = true;
    WAVEFORMATEX primaryFormat {};
    std::unique_ptr<IDirectSound3DBuffer> spatial;
};
using IDirectSoundBuffer = IDirectSoundBuffer8;
