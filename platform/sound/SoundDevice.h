#pragma once
// The DirectSound-8-style device: one OpenAL Soft device with a 22050 Hz context. Only one
// device is expected to exist at a time: its context is the current one.
#include <AL/alc.h>

#include "platform/sound/ComRefCount.h"
#include "platform/sound/SoundBuffer.h"
#include "platform/sound/SoundListener.h"
#include "platform/sound/SoundTypes.h"

class IDirectSound8 : public ComRefCount<IDirectSound8> {
public:
    static constexpr ALCint MIXING_RATE = 22050;

    IDirectSound8(ALCdevice* device, ALCcontext* context);
    ~IDirectSound8();

    HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer, void* outer);
    HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate);
    HRESULT SetCooperativeLevel(HWND window, DWORD level);
    HRESULT Compact();

    IDirectSound3DListener& Listener() { return listener; }
    DWORD CooperativeLevel() const { return cooperativeLevel; }
    // Brackets a batch of OpenAL changes that the mixer takes up together.
    void BeginBatch();
    void EndBatch();

private:
    HRESULT CreatePrimaryBuffer(const DSBUFFERDESC& description, IDirectSoundBuffer** buffer);
    HRESULT CreateSecondaryBuffer(const DSBUFFERDESC& description, IDirectSoundBuffer** buffer);
    HRESULT NewSecondary(DWORD flags, std::shared_ptr<SoundSamples> samples, IDirectSoundBuffer** buffer);

    ALCdevice* alDevice;
    ALCcontext* alContext;
    DWORD cooperativeLevel = 0;
    IDirectSound3DListener listener;
    void (*deferUpdates)() = nullptr;
    void (*processUpdates)() = nullptr;
};

// guid: null for the default device. Fails with DSERR_NODRIVER when OpenAL opens no device.
HRESULT DirectSoundCreate8(const GUID* deviceGuid, IDirectSound8** device, void* outer);
