#include "platform/sound/SoundDevice.h"

#include <AL/al.h>
#include <AL/alext.h>

#include "platform/sound/SoundSamples.h"

namespace {

// OpenAL Soft keeps 256 sources unless asked for more; the game may hold 512 sounds.
constexpr ALCint MONO_SOURCES = 1024;
constexpr ALCint STEREO_SOURCES = 64;

} // namespace

HRESULT DirectSoundCreate8(const GUID*, IDirectSound8** device, void*)
{
    if (!device)
        return DSERR_INVALIDPARAM;
    *device = nullptr;
    ALCdevice* alDevice = alcOpenDevice(nullptr);
    if (!alDevice)
        return DSERR_NODRIVER;
    const ALCint attributes[] = {ALC_FREQUENCY, IDirectSound8::MIXING_RATE, ALC_MONO_SOURCES, MONO_SOURCES,
                                 ALC_STEREO_SOURCES, STEREO_SOURCES, 0};
    ALCcontext* alContext = alcCreateContext(alDevice, attributes);
    if (!alContext || !alcMakeContextCurrent(alContext)) {
        if (alContext)
            alcDestroyContext(alContext);
        alcCloseDevice(alDevice);
        return DSERR_NODRIVER;
    }
    *device = new IDirectSound8(alDevice, alContext);
    return DS_OK;
}

IDirectSound8::IDirectSound8(ALCdevice* device, ALCcontext* context)
    : alDevice(device), alContext(context), listener(*this)
{
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    if (alIsExtensionPresent("AL_SOFT_deferred_updates")) {
        deferUpdates = reinterpret_cast<LPALDEFERUPDATESSOFT>(alGetProcAddress("alDeferUpdatesSOFT"));
        processUpdates = reinterpret_cast<LPALPROCESSUPDATESSOFT>(alGetProcAddress("alProcessUpdatesSOFT"));
        if (!deferUpdates || !processUpdates)
            deferUpdates = processUpdates = nullptr;
    }
}

IDirectSound8::~IDirectSound8()
{
    if (alcGetCurrentContext() == alContext)
        alcMakeContextCurrent(nullptr);
    alcDestroyContext(alContext);
    alcCloseDevice(alDevice);
}

void IDirectSound8::BeginBatch()
{
    if (deferUpdates)
        deferUpdates();
}

void IDirectSound8::EndBatch()
{
    if (processUpdates)
        processUpdates();
}

HRESULT IDirectSound8::SetCooperativeLevel(HWND, DWORD level)
{
    if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY)
        return DSERR_INVALIDPARAM;
    cooperativeLevel = level;
    return DS_OK;
}

HRESULT IDirectSound8::Compact()
{
    return cooperativeLevel >= DSSCL_PRIORITY ? DS_OK : DSERR_PRIOLEVELNEEDED;
}

HRESULT IDirectSound8::CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer, void*)
{
    if (!description || !buffer || description->dwSize < sizeof(DSBUFFERDESC))
        return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    if (cooperativeLevel == 0)
        return DSERR_PRIOLEVELNEEDED;
    if (description->dwFlags & DSBCAPS_PRIMARYBUFFER)
        return CreatePrimaryBuffer(*description, buffer);
    return CreateSecondaryBuffer(*description, buffer);
}

HRESULT IDirectSound8::CreatePrimaryBuffer(const DSBUFFERDESC& description, IDirectSoundBuffer** buffer)
{
    if (description.dwBufferBytes != 0 || description.lpwfxFormat ||
        (description.dwFlags & (DSBCAPS_CTRLFREQUENCY | DSBCAPS_MUTE3DATMAXDISTANCE)))
        return DSERR_INVALIDPARAM;
    *buffer = new IDirectSoundBuffer8(*this, description.dwFlags);
    return DS_OK;
}

HRESULT IDirectSound8::CreateSecondaryBuffer(const DSBUFFERDESC& description, IDirectSoundBuffer** buffer)
{
    const WAVEFORMATEX* format = description.lpwfxFormat;
    if (!format || description.dwBufferBytes < DSBSIZE_MIN || description.dwBufferBytes > DSBSIZE_MAX)
        return DSERR_INVALIDPARAM;
    if (!SoundSamples::IsSupported(*format))
        return DSERR_BADFORMAT;
    // 3D buffers are mono: OpenAL places only mono sources.
    if ((description.dwFlags & DSBCAPS_CTRL3D) && format->nChannels != 1)
        return DSERR_INVALIDPARAM;
    auto samples = SoundSamples::Create(*format, description.dwBufferBytes);
    if (!samples)
        return DSERR_OUTOFMEMORY;
    return NewSecondary(description.dwFlags, std::move(samples), buffer);
}

HRESULT IDirectSound8::DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate)
{
    if (!original || !duplicate)
        return DSERR_INVALIDPARAM;
    *duplicate = nullptr;
    if (!original->Samples())
        return DSERR_INVALIDCALL;
    return NewSecondary(original->Flags(), original->Samples(), duplicate);
}

HRESULT IDirectSound8::NewSecondary(DWORD flags, std::shared_ptr<SoundSamples> samples, IDirectSoundBuffer** buffer)
{
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR || source == 0)
        return DSERR_OUTOFMEMORY;
    *buffer = new IDirectSoundBuffer8(*this, flags, std::move(samples), source);
    return DS_OK;
}
