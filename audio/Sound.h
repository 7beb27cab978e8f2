#pragma once
// One sound buffer filled with the samples of one WAV file: kind 1 a 3D sound (position,
// velocity, distances, frequency), kind 0 a plain sound with volume control, any other kind a
// buffer without controls. Only CAudioManager creates and frees sounds.
#include "platform/gfxx/D3DXMath.h"
#include "platform/sound/DirectSound.h"

class CWaveFile;

class CSound {
public:
    static constexpr int KIND_PLAIN = 0;
    static constexpr int KIND_3D = 1;

    void Init();
    // 0 or E_FAIL; a failure is logged as "Couldn't load sound: <name>".
    HRESULT Load(const char* name, int kind);
    // Shares the source's sample data in a buffer of its own.
    HRESULT Duplicate(IDirectSound8* device, CSound* source, int kind);
    HRESULT CreateBuffer(IDirectSound8* device);
    HRESULT Fill();
    void RestoreIfLost();
    // flags: DSBPLAY_LOOPING or 0. Starts from the beginning.
    void Play(int flags);
    void Stop();
    void Pause();
    void Resume();
    int IsPlaying();
    void SetPosition(const D3DXVECTOR3& position);
    void SetVelocity(const D3DXVECTOR3& velocity);
    void SetDistances(float minDistance, float maxDistance);
    void SetFrequency(int hertz);
    void SetPan(int pan);
    void SetVolume(float percent);
    void ApplyVolume();
    void Release();

    CWaveFile* waveFile;
    int kind;
    int playFlags;
    int paused;
    char name[256];
    IDirectSoundBuffer8* buffer;
    IDirectSound3DBuffer* buffer3D;
    unsigned int bufferSize;
    float volume;
    unsigned int baseFrequency;

private:
    void FreeBuffers();
    HRESULT QuerySpatialBuffer();
    void FinishBuffer();
};
