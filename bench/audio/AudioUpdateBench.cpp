// One audio Update with all 58 bank sounds (18 impacts, 40 engines) following moving owners.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "audio/AudioManager.h"
#include "engine/files/FileSystem.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"

namespace {

// The runnable tree's data set: the game's own bank sounds.
bool EnterTree()
{
    std::error_code error;
    std::filesystem::current_path(VESTRUNE_TREE_FOLDER, error);
    return !error;
}

void BM_AudioUpdateWithFullBanks(benchmark::State& state)
{
    setenv("ALSOFT_DRIVERS", "null", 0);
    if (!EnterTree()) {
        state.SkipWithError("no runnable tree");
        return;
    }
    GameSettings[SLOT_AUDIO] = 1;
    GameSettings[SLOT_MASTER] = GameSettings[SLOT_MUSIC] = GameSettings[SLOT_EFFECTS] = 100;
    FileManager = 1;
    fileSystem.Init();
    gameTimer.Init();
    gameTimer.gameStep = 0.016f;
    if (audioManager.Init(nullptr) < 0) {
        state.SkipWithError("no sound device");
        return;
    }
    audioManager.LoadBanks();

    std::vector<SoundOwner> impactOwners(CAudioManager::IMPACT_SOUNDS);
    std::vector<EngineSoundOwner> engineOwners(CAudioManager::ENGINE_SETS * CAudioManager::ENGINE_SET_SIZE);
    for (std::size_t i = 0; i < engineOwners.size(); ++i) {
        EngineSoundOwner& owner = engineOwners[i];
        owner = {};
        owner.cameraDistance = 20.0f + static_cast<float>(i);
        owner.engineVolume = 80;
        owner.engineFrequency = 22050;
        owner.engineSound = audioManager.AttachEngine(static_cast<int>(i / CAudioManager::ENGINE_SET_SIZE), &owner);
    }
    for (SoundOwner& owner : impactOwners) {
        owner = {};
        owner.cameraDistance = 30;
        audioManager.PlayImpact(100, &owner);
    }
    audioManager.Update();

    float t = 0;
    for (auto _ : state) {
        t += 0.016f;
        for (std::size_t i = 0; i < engineOwners.size(); ++i) {
            EngineSoundOwner& owner = engineOwners[i];
            owner.position = D3DXVECTOR3(std::sin(t + i) * 40, 1, std::cos(t + i) * 40);
            owner.velocity = D3DXVECTOR3(std::cos(t + i) * 40, 0, -std::sin(t + i) * 40);
            owner.engineFrequency = 18000 + 8000 * std::sin(t * 3 + i);
        }
        for (SoundOwner& owner : impactOwners)
            owner.position = D3DXVECTOR3(std::cos(t), 0, std::sin(t)) * 20;
        audioManager.SetListenerPosition(D3DXVECTOR3(std::sin(t), 2, 0));
        audioManager.Update();
    }
    state.counters["sounds"] = audioManager.soundCount;
    audioManager.Release();
    fileSystem.Release();
}
BENCHMARK(BM_AudioUpdateWithFullBanks)->Unit(benchmark::kMicrosecond);

} // namespace
