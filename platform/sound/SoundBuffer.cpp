#include "platform/sound/SoundBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/sound/Sound3DBuffer.h"
#include "platform/sound/SoundDevice.h"
#include "platform/sound/SoundGain.h"
#include "platform/sound/SoundSamples.h"

namespace {

constexpr DWORD REPEAT_ENDLESSLY = 0xFFFFFFFF;
// Finite repeats beyond this many plays are queued as this many.
constexpr DWORD MAX_QUEUED_PLAYS = 1024;

} // namespace

IDirectSoundBuffer8::IDirectSoundBuffer8(IDirectSound8& device_, DWORD flags_) : device(device_), flags(flags_)
{
    device.AddRef();
    primaryFormat = {WAVE_FORMAT_PCM, 2, IDirectSound8::MIXING_RATE, IDirectSound8::MIXING_RATE * 2, 2, 8, 0};
}

IDirectSoundBuffer8::IDirectSoundBuffer8(IDirectSound8& device_, DWORD flags_, std::shared_ptr<SoundSamples> samples_,
                                         ALuint source_)
    : device(device_), flags(flags_), source(source_)
{
    device.AddRef();
    AttachSamples(std::move(samples_));
    if (flags & DSBCAPS_CTRL3D) {
        spatial = std::make_unique<IDirectSound3DBuffer>(*this, device.Listener(), source,
                                                          (flags & DSBCAPS_MUTE3DATMAXDISTANCE) != 0);
    } else {
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
        ApplyPan();
    }
    ApplyGain();
}

IDirectSoundBuffer8::~IDirectSoundBuffer8()
{
    if (IsSecondary()) {
        spatial.reset();
        alSourceStop(source);
        alSourcei(source, AL_BUFFER, 0);
        samples->RemoveUser(source);
        samples.reset();
        alDeleteSources(1, &source);
    }
    device.Release();
}

void IDirectSoundBuffer8::AttachSamples(std::shared_ptr<SoundSamples> newSamples)
{
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
    if (samples)
        samples->RemoveUser(source);
    samples = std::move(newSamples);
    samples->AddUser(source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(samples->Buffer()));
    frequency = samples->Format().nSamplesPerSec;
    alSourcef(source, AL_PITCH, 1.0f);
}

HRESULT IDirectSoundBuffer8::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid == IID_IDirectSoundBuffer || iid == IID_IDirectSoundBuffer8) {
        AddRef();
        *object = this;
    } else if (iid == IID_IDirectSound3DBuffer && spatial) {
        spatial->AddRef();
        *object = spatial.get();
    } else if (iid == IID_IDirectSound3DListener && !IsSecondary() && (flags & DSBCAPS_CTRL3D)) {
        device.Listener().AddRef();
        *object = &device.Listener();
    } else {
        return E_NOINTERFACE;
    }
    return DS_OK;
}

bool IDirectSoundBuffer8::IsPlaying() const
{
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

HRESULT IDirectSoundBuffer8::GetStatus(DWORD* status)
{
    if (!status)
        return DSERR_INVALIDPARAM;
    *status = 0;
    if (IsSecondary() && IsPlaying()) {
        ALint looping = AL_FALSE;
        alGetSourcei(source, AL_LOOPING, &looping);
        *status = DSBSTATUS_PLAYING | (looping ? DSBSTATUS_LOOPING : 0);
    }
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor)
{
    if (!IsSecondary())
        return DSERR_INVALIDCALL;
    ALint offset = 0;
    alGetSourcei(source, AL_BYTE_OFFSET, &offset);
    if (playCursor)
        *playCursor = static_cast<DWORD>(offset);
    if (writeCursor)
        *writeCursor = static_cast<DWORD>(offset);
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::SetCurrentPosition(DWORD position)
{
    if (!IsSecondary())
        return DSERR_INVALIDCALL;
    if (position >= samples->Bytes().size())
        return DSERR_INVALIDPARAM;
    position -= position % samples->Format().nBlockAlign;
    alSourcei(source, AL_BYTE_OFFSET, static_cast<ALint>(position));
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::Play(DWORD, DWORD, DWORD playFlags)
{
    if (!IsSecondary())
        return DS_OK;
    alSourcei(source, AL_LOOPING, (playFlags & DSBPLAY_LOOPING) ? AL_TRUE : AL_FALSE);
    if (!IsPlaying())
        alSourcePlay(source);
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::Stop()
{
    if (IsSecondary() && IsPlaying())
        alSourcePause(source);
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::Lock(DWORD offset, DWORD byteCount, LPVOID* audio1, DWORD* bytes1, LPVOID* audio2,
                                  DWORD* bytes2, DWORD lockFlags)
{
    if (!IsSecondary())
        return DSERR_INVALIDCALL;
    if (!audio1 || !bytes1)
        return DSERR_INVALIDPARAM;
    std::vector<BYTE>& bytes = samples->Bytes();
    const auto size = static_cast<DWORD>(bytes.size());
    if (lockFlags & DSBLOCK_FROMWRITECURSOR)
        GetCurrentPosition(nullptr, &offset);
    if (lockFlags & DSBLOCK_ENTIREBUFFER)
        byteCount = size;
    if (offset >= size || byteCount == 0 || byteCount > size)
        return DSERR_INVALIDPARAM;
    *audio1 = bytes.data() + offset;
    *bytes1 = std::min(byteCount, size - offset);
    const DWORD wrapped = byteCount - *bytes1;
    if (audio2)
        *audio2 = wrapped ? bytes.data() : nullptr;
    if (bytes2)
        *bytes2 = audio2 ? wrapped : 0;
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::Unlock(LPVOID, DWORD, LPVOID, DWORD)
{
    if (!IsSecondary())
        return DSERR_INVALIDCALL;
    samples->Upload();
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::Restore()
{
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::SetVolume(LONG millibels)
{
    if (!(flags & DSBCAPS_CTRLVOLUME))
        return DSERR_CONTROLUNAVAIL;
    if (millibels < DSBVOLUME_MIN || millibels > DSBVOLUME_MAX)
        return DSERR_INVALIDPARAM;
    volume = millibels;
    ApplyGain();
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::GetVolume(LONG* millibels)
{
    if (!(flags & DSBCAPS_CTRLVOLUME))
        return DSERR_CONTROLUNAVAIL;
    if (!millibels)
        return DSERR_INVALIDPARAM;
    *millibels = volume;
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::SetFrequency(DWORD hertz)
{
    if (!IsSecondary() || !(flags & DSBCAPS_CTRLFREQUENCY))
        return DSERR_CONTROLUNAVAIL;
    const DWORD ownRate = samples->Format().nSamplesPerSec;
    if (hertz == DSBFREQUENCY_ORIGINAL)
        hertz = ownRate;
    if (hertz < DSBFREQUENCY_MIN || hertz > DSBFREQUENCY_MAX)
        return DSERR_INVALIDPARAM;
    frequency = hertz;
    alSourcef(source, AL_PITCH, static_cast<float>(hertz) / static_cast<float>(ownRate));
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::GetFrequency(DWORD* hertz)
{
    if (!IsSecondary() || !(flags & DSBCAPS_CTRLFREQUENCY))
        return DSERR_CONTROLUNAVAIL;
    if (!hertz)
        return DSERR_INVALIDPARAM;
    *hertz = frequency;
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::SetPan(LONG newPan)
{
    if (!(flags & DSBCAPS_CTRLPAN))
        return DSERR_CONTROLUNAVAIL;
    if (newPan < DSBPAN_LEFT || newPan > DSBPAN_RIGHT)
        return DSERR_INVALIDPARAM;
    pan = newPan;
    ApplyPan();
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::GetPan(LONG* currentPan)
{
    if (!(flags & DSBCAPS_CTRLPAN))
        return DSERR_CONTROLUNAVAIL;
    if (!currentPan)
        return DSERR_INVALIDPARAM;
    *currentPan = pan;
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::SetFormat(const WAVEFORMATEX* format)
{
    if (IsSecondary())
        return DSERR_INVALIDCALL;
    if (device.CooperativeLevel() < DSSCL_PRIORITY)
        return DSERR_PRIOLEVELNEEDED;
    if (!format)
        return DSERR_INVALIDPARAM;
    const auto plain = SoundSamples::PlainPcmFormat(*format);
    if (!plain)
        return DSERR_BADFORMAT;
    // The mixer keeps its own rate; the format is what the device reports.
    primaryFormat = *plain;
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::GetFormat(WAVEFORMATEX* format, DWORD size, DWORD* written)
{
    const WAVEFORMATEX& own = IsSecondary() ? samples->Format() : primaryFormat;
    const DWORD copied = std::min<DWORD>(size, sizeof(WAVEFORMATEX));
    if (format)
        std::memcpy(format, &own, copied);
    if (written)
        *written = format ? copied : static_cast<DWORD>(sizeof(WAVEFORMATEX));
    return DS_OK;
}

void IDirectSoundBuffer8::SetAudible(bool nowAudible)
{
    if (audible == nowAudible)
        return;
    audible = nowAudible;
    ApplyGain();
}

void IDirectSoundBuffer8::ApplyGain()
{
    const float gain = GainOfMillibels(volume);
    if (IsSecondary())
        alSourcef(source, AL_GAIN, audible ? gain : 0.0f);
    else if (flags & DSBCAPS_CTRLVOLUME)
        alListenerf(AL_GAIN, gain);
}

// A plain buffer sits on a unit circle around the listener: centre ahead, full pan at the side,
// the angle growing with the attenuation of the far channel.
void IDirectSoundBuffer8::ApplyPan()
{
    const float side = 1.0f - GainOfMillibels(-std::abs(pan));
    const float angle = (pan < 0 ? -side : side) * std::numbers::pi_v<float> * 0.5f;
    alSource3f(source, AL_POSITION, std::sin(angle), 0.0f, -std::cos(angle));
}

HRESULT IDirectSoundBuffer8::PlaySamples(std::shared_ptr<SoundSamples> newSamples, DWORD repeats)
{
    if (!IsSecondary() || !newSamples)
        return DSERR_INVALIDCALL;
    AttachSamples(std::move(newSamples));
    if (repeats == REPEAT_ENDLESSLY) {
        alSourcei(source, AL_LOOPING, AL_TRUE);
    } else {
        alSourcei(source, AL_LOOPING, AL_FALSE);
        alSourcei(source, AL_BUFFER, 0);
        const ALuint buffer = samples->Buffer();
        for (DWORD play = 0; play <= std::min(repeats, MAX_QUEUED_PLAYS - 1); ++play)
            alSourceQueueBuffers(source, 1, &buffer);
    }
    alSourcePlay(source);
    return DS_OK;
}

bool IDirectSoundBuffer8::IsPlayingSamples(const SoundSamples* playing)
{
    return IsSecondary() && samples.get() == playing && IsPlaying();
}
