// The impact and engine banks: 3D sounds handed to moving owners near the camera.
#include <cstdio>
#include <cstdlib>

#include "audio/AudioManager.h"
#include "engine/shell/GameTimer.h"

namespace {

constexpr float BANK_MIN_DISTANCE = 10.0f;
constexpr float BANK_MAX_DISTANCE = 100.0f;

} // namespace

void CAudioManager::ClearBanks()
{
    for (ImpactEntry& entry : impactBank)
        entry = {};
    for (EngineEntry& entry : engineBank)
        entry = {};
    impactCount = 0;
    nextImpact = 0;
    engineSetCount = 0;
}

void CAudioManager::LoadBanks()
{
    ClearBanks();
    if (!SoundOn())
        return;
    char name[64];
    for (unsigned n = 1; n <= IMPACT_SOUNDS; ++n) {
        std::snprintf(name, sizeof name, "Data/Audio/Imp%02u.wav", n);
        impactBank[n - 1].sound = CreateSound(name, CSound::KIND_3D, BANK_MIN_DISTANCE, BANK_MAX_DISTANCE);
        ++impactCount;
    }
    for (unsigned set = 0; set < ENGINE_SETS; ++set) {
        std::snprintf(name, sizeof name, "Data/Audio/EngB%02u.wav", set + 1);
        for (unsigned i = 0; i < ENGINE_SET_SIZE; ++i)
            engineBank[set * ENGINE_SET_SIZE + i].sound =
                CreateSound(name, CSound::KIND_3D, BANK_MIN_DISTANCE, BANK_MAX_DISTANCE);
        ++engineSetCount;
    }
}

void CAudioManager::ReleaseBanks()
{
    if (!SoundOn())
        return;
    for (ImpactEntry& entry : impactBank) {
        ReleaseSound(&entry.sound);
        entry.owner = nullptr;
    }
    for (EngineEntry& entry : engineBank) {
        ReleaseSound(&entry.sound);
        entry.owner = nullptr;
    }
}

void CAudioManager::PauseBanks()
{
    for (ImpactEntry& entry : impactBank)
        if (entry.sound)
            entry.sound->Pause();
    for (EngineEntry& entry : engineBank)
        if (entry.sound)
            entry.sound->Pause();
}

void CAudioManager::ResumeBanks()
{
    for (ImpactEntry& entry : impactBank)
        if (entry.sound)
            entry.sound->Resume();
    for (EngineEntry& entry : engineBank)
        if (entry.sound)
            entry.sound->Resume();
}

void CAudioManager::PlayImpact(float volume, SoundOwner* owner)
{
    if (!SoundOn() || impactCount == 0 || !owner)
        return;
    ImpactEntry& entry = impactBank[nextImpact];
    const unsigned following = nextImpact + 1 < impactCount ? nextImpact + 1 : 0;
    // An entry whose file did not load is passed over, so that one missing file does not
    // silence every impact.
    if (!entry.sound) {
        nextImpact = following;
        return;
    }
    if (entry.sound->IsPlaying() || owner->cameraDistance >= HEARING_DISTANCE)
        return;
    entry.owner = owner;
    owner->lastImpactTime = gameTimer.gameTime;
    const double pitch = std::rand() % 101 * 0.01 + 0.5;
    entry.sound->SetFrequency(static_cast<int>(pitch * entry.sound->baseFrequency));
    entry.sound->SetPosition(owner->position);
    entry.sound->SetVelocity(owner->velocity);
    entry.sound->SetVolume(volume);
    entry.sound->Play(0);
    nextImpact = following;
}

CSound* CAudioManager::AttachEngine(int set, EngineSoundOwner* owner)
{
    if (!SoundOn() || engineSetCount == 0 || !owner || owner->cameraDistance > HEARING_DISTANCE || set < 0 ||
        set >= static_cast<int>(engineSetCount))
        return nullptr;
    EngineEntry* entries = engineBank + set * ENGINE_SET_SIZE;
    for (unsigned i = 0; i < ENGINE_SET_SIZE; ++i) {
        if (!entries[i].owner) {
            entries[i].owner = owner;
            return entries[i].sound;
        }
    }
    for (unsigned i = 0; i < ENGINE_SET_SIZE; ++i) {
        if (entries[i].owner->cameraDistance > owner->cameraDistance) {
            DetachEngine(set, entries[i].owner);
            entries[i].owner = owner;
            return entries[i].sound;
        }
    }
    return nullptr;
}

void CAudioManager::DetachEngine(int set, EngineSoundOwner* owner)
{
    if (!SoundOn() || set < 0 || set >= static_cast<int>(ENGINE_SETS))
        return;
    EngineEntry* entries = engineBank + set * ENGINE_SET_SIZE;
    for (unsigned i = 0; i < ENGINE_SET_SIZE; ++i) {
        if (entries[i].owner == owner) {
            entries[i].owner = nullptr;
            if (entries[i].sound)
                entries[i].sound->Stop();
            owner->engineSound = nullptr;
            return;
        }
    }
}

void CAudioManager::FollowImpactOwners()
{
    for (unsigned i = 0; i < impactCount; ++i) {
        ImpactEntry& entry = impactBank[i];
        if (!entry.owner)
            continue;
        if (entry.owner->cameraDistance > HEARING_DISTANCE || !entry.sound->IsPlaying()) {
            entry.owner = nullptr;
            entry.sound->Stop();
            continue;
        }
        entry.sound->SetPosition(entry.owner->position);
        entry.sound->SetVelocity(entry.owner->velocity);
    }
}

void CAudioManager::FollowEngineOwners()
{
    for (unsigned i = 0; i < engineSetCount * ENGINE_SET_SIZE; ++i) {
        EngineEntry& entry = engineBank[i];
        if (!entry.owner)
            continue;
        if (entry.owner->cameraDistance > HEARING_DISTANCE) {
            entry.owner->engineSound = nullptr;
            entry.owner = nullptr;
            if (entry.sound)
                entry.sound->Stop();
            continue;
        }
        if (!entry.sound)
            continue;
        entry.sound->SetPosition(entry.owner->position);
        entry.sound->SetVelocity(entry.owner->velocity);
        entry.sound->SetVolume(entry.owner->engineVolume);
        entry.sound->SetFrequency(static_cast<int>(entry.owner->engineFrequency));
        if (!entry.sound->IsPlaying())
            entry.sound->Play(DSBPLAY_LOOPING);
    }
}
