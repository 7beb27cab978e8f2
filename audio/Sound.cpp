#include "audio/Sound.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "audio/AudioManager.h"
#include "audio/VolumeRule.h"
#include "audio/WaveFile.h"
#include "engine/shell/DebugLog.h"
#include "engine/shell/ErrorBox.h"
#include "engine/shell/GameSettings.h"
#include "platform/win/WinTime.h"

namespace {

constexpr const char* SOUND_ERROR = "Sound error!";
constexpr DWORD FLAGS_3D = DSBCAPS_CTRL3D | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLVOLUME | DSBCAPS_MUTE3DATMAXDISTANCE;
constexpr float PARKED = -1000000.0f;
// Restore is tried this often, 10 ms apart, while the buffer stays lost.
constexpr int RESTORE_TRIES = 100;

void ShowSoundError(const char* text)
{
    ShowMessage(text, SOUND_ERROR, MB_OK | MB_ICONWARNING);
}

DWORD BufferFlagsOfKind(int kind)
{
    if (kind == CSound::KIND_3D)
        return FLAGS_3D;
    if (kind == CSound::KIND_PLAIN)
        return DSBCAPS_CTRLVOLUME;
    return 0;
}

void CopyName(char (&target)[256], const char* source)
{
    std::snprintf(target, sizeof target, "%s", source ? source : "");
}

} // namespace

void CSound::Init()
{
    waveFile = nullptr;
    kind = 0;
    playFlags = 0;
    paused = 0;
    name[0] = 0;
    buffer = nullptr;
    buffer3D = nullptr;
    bufferSize = 0;
    volume = 100.0f;
    baseFrequency = 0;
}

HRESULT CSound::Load(const char* soundName, int soundKind)
{
    kind = soundKind;
    CopyName(name, soundName);
    if (FAILED(CreateBuffer(audioManager.device))) {
        DebugOutStr("Couldn't load sound: %s", name);
        return E_FAIL;
    }
    SetVolume(100.0f);
    return S_OK;
}

void CSound::FreeBuffers()
{
    if (waveFile) {
        waveFile->Close();
        delete waveFile;
        waveFile = nullptr;
    }
    if (buffer3D) {
        buffer3D->Release();
        buffer3D = nullptr;
    }
    if (buffer) {
        buffer->Release();
        buffer = nullptr;
    }
    bufferSize = 0;
}

HRESULT CSound::QuerySpatialBuffer()
{
    if (FAILED(buffer->QueryInterface(IID_IDirectSound3DBuffer, reinterpret_cast<void**>(&buffer3D)))) {
        ShowSoundError("QueryInterface (IID_IDirectSound3DBuffer) failed!");
        return E_FAIL;
    }
    buffer3D->SetPosition(PARKED, PARKED, PARKED, DS3D_DEFERRED);
    buffer3D->SetVelocity(0, 0, 0, DS3D_DEFERRED);
    return S_OK;
}

// The base frequency comes from the buffer; its own volume starts full.
void CSound::FinishBuffer()
{
    DWORD frequency = 0;
    if (SUCCEEDED(buffer->GetFrequency(&frequency)))
        baseFrequency = frequency;
    buffer->SetVolume(DSBVOLUME_MAX);
}

HRESULT CSound::Duplicate(IDirectSound8* device, CSound* source, int soundKind)
{
    FreeBuffers();
    CopyName(name, source->name);
    IDirectSoundBuffer* duplicate = nullptr;
    if (!device || !source->buffer || FAILED(device->DuplicateSoundBuffer(source->buffer, &duplicate)) ||
        FAILED(duplicate->QueryInterface(IID_IDirectSoundBuffer8, reinterpret_cast<void**>(&buffer)))) {
        if (duplicate)
            duplicate->Release();
        ShowSoundError("DuplicateSoundBuffer(...) failed!");
        return E_FAIL;
    }
    duplicate->Release();
    bufferSize = source->bufferSize;
    kind = soundKind;
    if (kind == KIND_3D && FAILED(QuerySpatialBuffer())) {
        FreeBuffers();
        return E_FAIL;
    }
    FinishBuffer();
    return S_OK;
}

HRESULT CSound::CreateBuffer(IDirectSound8* device)
{
    FreeBuffers();
    waveFile = new CWaveFile;
    waveFile->Reset();
    if (!device || FAILED(waveFile->Open(name))) {
        FreeBuffers();
        return E_FAIL;
    }
    waveFile->CloseMmio();
    bufferSize = waveFile->dataChunk.cksize;

    DSBUFFERDESC description {};
    description.dwSize = sizeof description;
    description.dwFlags = BufferFlagsOfKind(kind);
    description.dwBufferBytes = bufferSize;
    description.lpwfxFormat = waveFile->format;
    description.guid3DAlgorithm = DS3DALG_DEFAULT;
    IDirectSoundBuffer* created = nullptr;
    const HRESULT result = device->CreateSoundBuffer(&description, &created, nullptr);
    if ((result != DS_OK && result != DS_NO_VIRTUALIZATION) ||
        FAILED(created->QueryInterface(IID_IDirectSoundBuffer8, reinterpret_cast<void**>(&buffer)))) {
        if (created)
            created->Release();
        ShowSoundError("CreateSoundBuffer(...) failed!");
        FreeBuffers();
        return E_FAIL;
    }
    created->Release();
    if ((kind == KIND_3D && FAILED(QuerySpatialBuffer())) || FAILED(Fill())) {
        FreeBuffers();
        return E_FAIL;
    }
    FinishBuffer();
    return S_OK;
}

HRESULT CSound::Fill()
{
    if (!buffer || !waveFile || FAILED(waveFile->Open(name)))
        return E_FAIL;
    std::vector<BYTE> samples(waveFile->dataChunk.cksize);
    const int read = waveFile->ReadWaveData(static_cast<unsigned>(samples.size()), samples.data());
    if (read != static_cast<int>(samples.size()) || FAILED(waveFile->ResetFile()))
        return E_FAIL;
    void* locked = nullptr;
    DWORD lockedBytes = 0;
    if (FAILED(buffer->Lock(0, bufferSize, &locked, &lockedBytes, nullptr, nullptr, 0)))
        return E_FAIL;
    std::memcpy(locked, samples.data(), std::min<std::size_t>(lockedBytes, samples.size()));
    buffer->Unlock(locked, lockedBytes, nullptr, 0);
    waveFile->CloseMmio();
    waveFile->FreeImage();
    return S_OK;
}

void CSound::RestoreIfLost()
{
    DWORD status = 0;
    if (!buffer || FAILED(buffer->GetStatus(&status)) || !(status & DSBSTATUS_BUFFERLOST))
        return;
    for (int tries = 0; tries < RESTORE_TRIES; ++tries) {
        const HRESULT result = buffer->Restore();
        if (result != DSERR_BUFFERLOST)
            break;
        Sleep(10);
    }
    Fill();
}

void CSound::Play(int flags)
{
    if (!buffer)
        return;
    buffer->Stop();
    buffer->SetCurrentPosition(0);
    playFlags = flags;
    RestoreIfLost();
    buffer->Play(0, 0, static_cast<DWORD>(flags));
}

void CSound::Stop()
{
    if (!buffer)
        return;
    buffer->Stop();
    buffer->SetCurrentPosition(0);
}

void CSound::Pause()
{
    if (!IsPlaying())
        return;
    buffer->Stop();
    paused = 1;
}

void CSound::Resume()
{
    if (!buffer || !paused)
        return;
    RestoreIfLost();
    buffer->Play(0, 0, static_cast<DWORD>(playFlags));
    paused = 0;
}

int CSound::IsPlaying()
{
    DWORD status = 0;
    if (!buffer || FAILED(buffer->GetStatus(&status)))
        return 0;
    return (status & DSBSTATUS_PLAYING) ? 1 : 0;
}

void CSound::SetPosition(const D3DXVECTOR3& position)
{
    if (buffer3D)
        buffer3D->SetPosition(position.x, position.y, position.z, DS3D_DEFERRED);
}

void CSound::SetVelocity(const D3DXVECTOR3& velocity)
{
    if (buffer3D)
        buffer3D->SetVelocity(velocity.x, velocity.y, velocity.z, DS3D_DEFERRED);
}

void CSound::SetDistances(float minDistance, float maxDistance)
{
    if (!buffer3D)
        return;
    buffer3D->SetMinDistance(minDistance, DS3D_DEFERRED);
    buffer3D->SetMaxDistance(maxDistance, DS3D_DEFERRED);
}

void CSound::SetFrequency(int hertz)
{
    if (buffer)
        buffer->SetFrequency(static_cast<DWORD>(hertz));
}

void CSound::SetPan(int pan)
{
    if (buffer)
        buffer->SetPan(pan);
}

void CSound::SetVolume(float percent)
{
    volume = percent;
    ApplyVolume();
}

void CSound::ApplyVolume()
{
    if (buffer)
        buffer->SetVolume(MillibelsOfVolume(volume, SLOT_EFFECTS));
}

void CSound::Release()
{
    if (!GameSettings[SLOT_AUDIO])
        return;
    Stop();
    FreeBuffers();
}
