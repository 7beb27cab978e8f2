#include "audio/AudioManager.h"

#include <cstdio>
#include <cstring>

#include "engine/files/FileSystem.h"
#include "engine/helpers/StringHelpers.h"
#include "engine/shell/DebugLog.h"
#include "engine/shell/ErrorBox.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "platform/win/WinFiles.h"
#include "platform/win/WinText.h"

namespace {

constexpr DWORD PRIMARY_FLAGS = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRL3D | DSBCAPS_CTRLVOLUME;
constexpr float FAR_AWAY = 1000000.0f;
constexpr DWORD PERFORMANCE_CHANNELS = 64;

bool CreatePrimaryBuffer(IDirectSound8* device, DWORD flags, IDirectSoundBuffer** primary)
{
    DSBUFFERDESC description {};
    description.dwSize = sizeof description;
    description.dwFlags = flags;
    return SUCCEEDED(device->CreateSoundBuffer(&description, primary, nullptr));
}

} // namespace

CAudioManager::CAudioManager()
    : device(nullptr),
      listener(nullptr),
      musicSegment(nullptr),
      voiceSegment(nullptr),
      musicFadeState(0),
      musicFadeTime(0),
      musicVolume(100.0f),
      musicTargetVolume(100.0f),
      trackCount(0),
      trackNames {},
      sounds {},
      soundCount(0),
      impactBank {},
      engineBank {},
      impactCount(0),
      nextImpact(0),
      engineSetCount(0),
      loader(nullptr),
      performance(nullptr),
      defaultPath(nullptr),
      paused(0),
      menuActive(0)
{
}

bool CAudioManager::SoundOn()
{
    return GameSettings[SLOT_AUDIO] != 0;
}

HRESULT CAudioManager::FailInit(const char* message)
{
    ShowMessage(message, "Sound error!", MB_OK | MB_ICONWARNING);
    GameSettings[SLOT_AUDIO] = 0;
    return E_FAIL;
}

HRESULT CAudioManager::Init(HWND window)
{
    if (!SoundOn())
        return 0;
    if (FAILED(CoInitialize(nullptr)))
        return FailInit("COM initialize failed!");
    if (FAILED(DirectSoundCreate8(nullptr, &device, nullptr)))
        return FailInit("DirectSoundCreate8() failed!");
    if (FAILED(device->SetCooperativeLevel(window, DSSCL_PRIORITY)))
        return FailInit("SetCooperativeLevel() failed!");

    IDirectSoundBuffer* primary = nullptr;
    if (!CreatePrimaryBuffer(device, PRIMARY_FLAGS | DSBCAPS_LOCDEFER, &primary) &&
        !CreatePrimaryBuffer(device, PRIMARY_FLAGS, &primary))
        return FailInit("Creating primary buffer failed!");
    WAVEFORMATEX format {WAVE_FORMAT_PCM, 2, 22050, 88200, 4, 16, 0};
    if (FAILED(primary->SetFormat(&format))) {
        primary->Release();
        return FailInit("Setting primary buffer format failed!");
    }
    primary->QueryInterface(IID_IDirectSound3DListener, reinterpret_cast<void**>(&listener));
    primary->Release();
    if (!listener)
        return FailInit("Init direct sound listener failed!");
    listener->SetPosition(FAR_AWAY, FAR_AWAY, FAR_AWAY, DS3D_DEFERRED);
    listener->SetVelocity(0, 0, 0, DS3D_DEFERRED);
    listener->SetDopplerFactor(1.0f, DS3D_DEFERRED);

    std::memset(sounds, 0, sizeof sounds);
    soundCount = 0;

    CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC, IID_IDirectMusicLoader8,
                     reinterpret_cast<void**>(&loader));
    CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC, IID_IDirectMusicPerformance8,
                     reinterpret_cast<void**>(&performance));
    if (!loader || !performance)
        return E_FAIL;

    char folder[MAX_PATH];
    WCHAR wideFolder[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        folder[0] = 0;
    MultiByteToWideChar(CP_ACP, 0, folder, -1, wideFolder, MAX_PATH);
    loader->SetSearchDirectory(GUID_DirectMusicAllTypes, wideFolder, FALSE);

    DMUS_AUDIOPARAMS parameters {};
    parameters.dwSize = sizeof parameters;
    parameters.fInitNow = TRUE;
    parameters.dwValidData = DMUS_AUDIOPARAMS_FEATURES | DMUS_AUDIOPARAMS_VOICES | DMUS_AUDIOPARAMS_SAMPLERATE;
    parameters.dwFeatures = DMUS_AUDIOF_3D | DMUS_AUDIOF_STREAMING | DMUS_AUDIOF_BUFFERS;
    parameters.dwVoices = 64;
    parameters.dwSampleRate = 22050;
    if (FAILED(performance->InitAudio(nullptr, &device, window, DMUS_APATH_DYNAMIC_STEREO, PERFORMANCE_CHANNELS,
                                      DMUS_AUDIOF_ALL, &parameters)) ||
        FAILED(performance->GetDefaultAudioPath(&defaultPath)))
        return E_FAIL;

    trackCount = 0;
    for (int n = 1; n <= MAX_TRACKS; ++n) {
        char* name = trackNames[trackCount];
        std::snprintf(name, TRACK_NAME_LENGTH, "Data/Audio/TrR%02d.wav", n);
        const int handle = fileSystem.Open(name, FILE_MODE_SD, nullptr);
        if (handle == -1)
            break;
        fileSystem.Close(handle);
        ++trackCount;
    }
    paused = 0;
    return 0;
}

void CAudioManager::Release()
{
    if (!SoundOn())
        return;
    DebugOut("\nCAudioManager::Release() start...");
    StopAll();
    ReleaseBanks();
    while (soundCount > 0) {
        DebugOutStr("\tSound lost! (Name: %s", sounds[0]->name);
        CSound* lost = sounds[0];
        ReleaseSound(&lost);
    }
    soundCount = 0;
    if (loader)
        loader->ClearCache(GUID_DirectMusicAllTypes);
    if (performance)
        performance->Stop(nullptr, nullptr, 0, 0);
    if (listener)
        listener->Release();
    if (device)
        device->Release();
    if (defaultPath)
        defaultPath->Release();
    if (performance)
        performance->CloseDown();
    if (loader)
        loader->Release();
    if (performance)
        performance->Release();
    listener = nullptr;
    device = nullptr;
    defaultPath = nullptr;
    loader = nullptr;
    performance = nullptr;
    CoUninitialize();
    DebugOut("CAudioManager::Release() done!\n");
}

void CAudioManager::Update()
{
    if (!SoundOn() || paused || gameTimer.gameStep == 0)
        return;
    if (listener)
        listener->CommitDeferredSettings();
    UpdateMusic();
    UpdateVoice();
    FollowImpactOwners();
    FollowEngineOwners();
}

void CAudioManager::SetMasterVolume(float percent)
{
    if (!SoundOn())
        return;
    GameSettings[SLOT_MASTER] = static_cast<int>(percent);
    ApplyVolumes();
}

void CAudioManager::SetListenerPosition(const D3DXVECTOR3& position)
{
    if (!SoundOn() || paused || !listener)
        return;
    listener->SetPosition(position.x, position.y, position.z, DS3D_DEFERRED);
    listenerPosition = position;
}

void CAudioManager::SetListenerVelocity(const D3DXVECTOR3& velocity)
{
    if (!SoundOn() || paused || !listener)
        return;
    listener->SetVelocity(velocity.x, velocity.y, velocity.z, DS3D_DEFERRED);
}

void CAudioManager::SetListenerOrientation(const D3DXVECTOR3& front, const D3DXVECTOR3& top)
{
    if (!SoundOn() || paused || !listener)
        return;
    listener->SetOrientation(front.x, front.y, front.z, top.x, top.y, top.z, DS3D_DEFERRED);
}

CSound* CAudioManager::CreateSound(const char* name, int kind, float minDistance, float maxDistance)
{
    if (!SoundOn() || soundCount >= MAX_SOUNDS || !name)
        return nullptr;
    auto* sound = new CSound;
    sound->Init();
    CSound* original = nullptr;
    for (unsigned i = 0; i < soundCount && !original; ++i)
        if (StrEqual(sounds[i]->name, name))
            original = sounds[i];
    const HRESULT result = original ? sound->Duplicate(device, original, kind) : sound->Load(name, kind);
    if (FAILED(result)) {
        delete sound;
        return nullptr;
    }
    // A duplicate starts at full buffer volume; its stored volume goes through the settings too.
    if (original)
        sound->ApplyVolume();
    sounds[soundCount++] = sound;
    if (kind == CSound::KIND_3D)
        sound->SetDistances(minDistance, maxDistance);
    return sound;
}

void CAudioManager::ReleaseSound(CSound** sound)
{
    if (!sound || !*sound)
        return;
    unsigned index = 0;
    while (index < soundCount && sounds[index] != *sound)
        ++index;
    if (index < soundCount) {
        sounds[index]->Release();
        delete sounds[index];
        for (unsigned i = index + 1; i < soundCount; ++i)
            sounds[i - 1] = sounds[i];
        sounds[--soundCount] = nullptr;
    }
    *sound = nullptr;
}

void CAudioManager::PauseAll()
{
    if (!SoundOn())
        return;
    DropSegment(musicSegment);
    DropSegment(voiceSegment);
    musicTargetVolume = 100.0f;
    musicFadeTime = 1.0f;
    for (unsigned i = 0; i < soundCount; ++i)
        sounds[i]->Pause();
    PauseBanks();
    paused = 1;
}

void CAudioManager::ResumeAll()
{
    if (!SoundOn())
        return;
    for (unsigned i = 0; i < soundCount; ++i)
        sounds[i]->Resume();
    ResumeBanks();
    paused = 0;
}

void CAudioManager::Compact()
{
    if (SoundOn() && device)
        device->Compact();
}

void CAudioManager::ApplyVolumes()
{
    if (!SoundOn())
        return;
    for (unsigned i = 0; i < soundCount; ++i)
        sounds[i]->ApplyVolume();
    if (musicSegment)
        musicSegment->ApplyVolume();
    if (voiceSegment)
        voiceSegment->ApplyVolume();
}

void CAudioManager::DropSegment(CMusicSegment*& segment)
{
    if (!segment)
        return;
    segment->Release();
    delete segment;
    segment = nullptr;
}

void CAudioManager::StopAll()
{
    if (!SoundOn())
        return;
    for (ImpactEntry& entry : impactBank) {
        if (entry.sound)
            entry.sound->Stop();
        entry.owner = nullptr;
    }
    for (EngineEntry& entry : engineBank) {
        if (entry.sound)
            entry.sound->Stop();
        entry.owner = nullptr;
    }
    DropSegment(musicSegment);
    DropSegment(voiceSegment);
    musicTargetVolume = 100.0f;
    musicFadeTime = 1.0f;
}
