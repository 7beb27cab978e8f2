#pragma once
// The one owner of everything audible: the sound device and its 3D listener, the table of loaded
// sounds, the banks of impact and engine sounds that follow moving owners, and the music and
// voice segments. Every public operation but ReleaseSound, PauseBanks and ResumeBanks does
// nothing while the setting [Audio] "Audio" is 0.
#include "audio/MusicSegment.h"
#include "audio/Sound.h"
#include "audio/SoundOwner.h"
#include "platform/gfxx/D3DXMath.h"
#include "platform/music/DirectMusic.h"
#include "platform/sound/DirectSound.h"

class CAudioManager {
public:
    static constexpr unsigned MAX_SOUNDS = 512;
    static constexpr unsigned IMPACT_SOUNDS = 18;
    static constexpr unsigned ENGINE_SETS = 4;
    static constexpr unsigned ENGINE_SET_SIZE = 10;
    static constexpr int MAX_TRACKS = 32;
    static constexpr int TRACK_NAME_LENGTH = 255;
    // Owners farther than this from the camera are not heard.
    static constexpr float HEARING_DISTANCE = 100.0f;

    struct ImpactEntry {
        CSound* sound;
        SoundOwner* owner;
    };
    struct EngineEntry {
        CSound* sound;
        EngineSoundOwner* owner;
    };

    CAudioManager();

    // 0, or negative on failure.
    HRESULT Init(HWND window);
    void Release();
    void StopAll();
    void Update();
    void SetMasterVolume(float percent);
    void SetListenerPosition(const D3DXVECTOR3& position);
    void SetListenerVelocity(const D3DXVECTOR3& velocity);
    void SetListenerOrientation(const D3DXVECTOR3& front, const D3DXVECTOR3& top);
    // kind: CSound::KIND_3D or KIND_PLAIN. Null when it cannot be loaded or the table is full.
    CSound* CreateSound(const char* name, int kind, float minDistance, float maxDistance);
    void ReleaseSound(CSound** sound);
    void PauseAll();
    void ResumeAll();
    void Compact();
    void ApplyVolumes();

    void LoadBanks();
    void ReleaseBanks();
    void PauseBanks();
    void ResumeBanks();
    void PlayImpact(float volume, SoundOwner* owner);
    CSound* AttachEngine(int set, EngineSoundOwner* owner);
    void DetachEngine(int set, EngineSoundOwner* owner);

    // mode 1: a random race track (name ignored), 2: the named file. loop 1 repeats endlessly.
    void PlayMusic(int mode, const char* name, float fadeInSeconds, int loop, float volume);
    void UpdateMusic();
    void StopMusic();
    // mode 2: the named file, 3: a random cheer, 4: a random exclamation.
    void PlayVoice(int mode, const char* name);
    void UpdateVoice();
    void StopVoice();
    CMusicSegment* LoadSegment(const char* name);

    IDirectSound8* device;
    IDirectSound3DListener* listener;
    D3DXVECTOR3 listenerPosition;
    CMusicSegment* musicSegment;
    CMusicSegment* voiceSegment;
    // 0 steady, 2 fading in.
    int musicFadeState;
    // Seconds for a full 0-100 swing.
    float musicFadeTime;
    float musicVolume;
    float musicTargetVolume;
    int trackCount;
    char trackNames[MAX_TRACKS][TRACK_NAME_LENGTH];
    CSound* sounds[MAX_SOUNDS];
    unsigned int soundCount;
    ImpactEntry impactBank[IMPACT_SOUNDS];
    EngineEntry engineBank[ENGINE_SETS * ENGINE_SET_SIZE];
    unsigned int impactCount;
    unsigned int nextImpact;
    unsigned int engineSetCount;
    IDirectMusicLoader8* loader;
    IDirectMusicPerformance8* performance;
    IDirectMusicAudioPath* defaultPath;
    int paused;
    // Not 0 while the game menu is up: music that ends is followed by the menu music, not a race
    // track. Written by the menu.
    int menuActive;

private:
    static bool SoundOn();
    HRESULT FailInit(const char* message);
    void DropSegment(CMusicSegment*& segment);
    void ClearBanks();
    void FollowImpactOwners();
    void FollowEngineOwners();
};

extern CAudioManager audioManager;
