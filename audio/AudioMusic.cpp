// Music tracks and voice messages: one music and one voice segment at a time, the random race
// track, the music's fade-in and its ducking while a voice speaks.
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "audio/AudioManager.h"
#include "engine/files/FileSystem.h"
#include "engine/shell/GameTimer.h"
#include "platform/win/WinText.h"
#include "platform/win/WinTime.h"

namespace {

constexpr float FULL_VOLUME = 100.0f;
constexpr float DUCKED_VOLUME = 80.0f;
constexpr float VOICE_FADE_SECONDS = 1.0f;
constexpr const char* MENU_MUSIC = "Data/Audio/TrI01.wav";
constexpr float MENU_MUSIC_FADE_SECONDS = 3.0f;
constexpr int VOICE_VARIANTS = 5;

enum MusicMode { MUSIC_RANDOM_TRACK = 1, MUSIC_NAMED = 2 };
enum VoiceMode { VOICE_NAMED = 2, VOICE_CHEER = 3, VOICE_EXCLAMATION = 4 };
enum FadeState { FADE_STEADY = 0, FADE_IN = 2 };

} // namespace

void CAudioManager::PlayMusic(int mode, const char* name, float fadeInSeconds, int loop, float volume)
{
    DropSegment(musicSegment);
    if (!SoundOn() || paused)
        return;
    const char* trackName = "";
    if (mode == MUSIC_RANDOM_TRACK) {
        std::srand(timeGetTime());
        if (trackCount > 0)
            trackName = trackNames[std::rand() % trackCount];
    } else if (mode == MUSIC_NAMED && name) {
        trackName = name;
    }
    musicTargetVolume = voiceSegment ? DUCKED_VOLUME : volume;
    if (fadeInSeconds == 0) {
        musicVolume = musicTargetVolume;
        musicFadeState = FADE_STEADY;
    } else {
        musicVolume = 0;
        musicFadeTime = fadeInSeconds;
        musicFadeState = FADE_IN;
    }
    musicSegment = LoadSegment(trackName);
    if (musicSegment) {
        musicSegment->SetVolume(musicVolume);
        musicSegment->Play(loop);
    }
}

void CAudioManager::UpdateMusic()
{
    if (!SoundOn() || paused)
        return;
    // A fade time of 0 swings at once.
    const float step = musicFadeTime > 0 ? gameTimer.gameStep / musicFadeTime * 100.0f : FULL_VOLUME;
    if (musicFadeState == FADE_IN) {
        musicVolume += step;
        if (musicVolume >= musicTargetVolume) {
            musicVolume = musicTargetVolume;
            musicFadeState = FADE_STEADY;
        }
    } else if (musicVolume < musicTargetVolume) {
        musicVolume = std::min(musicVolume + step, musicTargetVolume);
    } else if (musicVolume > musicTargetVolume) {
        musicVolume = std::max(musicVolume - step, musicTargetVolume);
    }
    if (musicSegment) {
        if (musicSegment->IsPlaying())
            musicSegment->SetVolume(musicVolume);
        else
            StopMusic();
    }
    if (!musicSegment) {
        if (menuActive)
            PlayMusic(MUSIC_NAMED, MENU_MUSIC, MENU_MUSIC_FADE_SECONDS, 1, FULL_VOLUME);
        else
            PlayMusic(MUSIC_RANDOM_TRACK, nullptr, 0, 0, FULL_VOLUME);
    }
}

void CAudioManager::StopMusic()
{
    if (SoundOn())
        DropSegment(musicSegment);
}

void CAudioManager::PlayVoice(int mode, const char* name)
{
    if (!SoundOn())
        return;
    DropSegment(voiceSegment);
    musicTargetVolume = FULL_VOLUME;
    musicFadeTime = VOICE_FADE_SECONDS;
    if (paused)
        return;
    char voiceName[64] = "";
    const char* chosen = voiceName;
    if (mode == VOICE_NAMED && name)
        chosen = name;
    else if (mode == VOICE_CHEER)
        std::snprintf(voiceName, sizeof voiceName, "Data/Audio/Add/Yea%02d.wav", std::rand() % VOICE_VARIANTS + 1);
    else if (mode == VOICE_EXCLAMATION)
        std::snprintf(voiceName, sizeof voiceName, "Data/Audio/Add/Foo%02d.wav", std::rand() % VOICE_VARIANTS + 1);
    voiceSegment = LoadSegment(chosen);
    if (voiceSegment) {
        voiceSegment->SetVolume(FULL_VOLUME);
        voiceSegment->Play(0);
    }
    musicTargetVolume = DUCKED_VOLUME;
    musicFadeTime = VOICE_FADE_SECONDS;
}

void CAudioManager::UpdateVoice()
{
    if (SoundOn() && !paused && voiceSegment && !voiceSegment->IsPlaying())
        StopVoice();
}

void CAudioManager::StopVoice()
{
    if (!SoundOn())
        return;
    DropSegment(voiceSegment);
    musicTargetVolume = FULL_VOLUME;
    musicFadeTime = VOICE_FADE_SECONDS;
}

// A loose file is loaded by name; a pack entry from a memory image, which the loader decodes
// before GetObject returns, so the image is freed right after.
CMusicSegment* CAudioManager::LoadSegment(const char* name)
{
    if (!SoundOn() || !loader || !name)
        return nullptr;
    IDirectMusicSegment8* segment = nullptr;
    HRESULT result = E_FAIL;
    int size = 0;
    int handle = fileSystem.Open(name, FILE_MODE_BINARY, &size);
    if (handle != -1) {
        WCHAR wideName[MAX_PATH];
        if (MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, MAX_PATH) > 0)
            result = loader->LoadObjectFromFile(CLSID_DirectMusicSegment, IID_IDirectMusicSegment8, wideName,
                                                reinterpret_cast<void**>(&segment));
    } else {
        handle = fileSystem.Open(name, FILE_MODE_SD, &size);
        if (handle == -1)
            return nullptr;
        std::vector<BYTE> image(size > 0 ? static_cast<std::size_t>(size) : 0);
        if (size > 0 && fileSystem.Read(image.data(), 1, size, handle) == size) {
            DMUS_OBJECTDESC description {};
            description.dwSize = sizeof description;
            description.dwValidData = DMUS_OBJ_CLASS | DMUS_OBJ_MEMORY;
            description.guidClass = CLSID_DirectMusicSegment;
            description.llMemLength = size;
            description.pbMemData = image.data();
            result = loader->GetObject(&description, IID_IDirectMusicSegment8, reinterpret_cast<void**>(&segment));
        }
    }
    fileSystem.Close(handle);
    if ((result != S_OK && result != DMUS_S_PARTIALLOAD) || !segment)
        return nullptr;
    return new CMusicSegment(segment);
}
