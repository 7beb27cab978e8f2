// The sound of a race as the player hears it, recorded through OpenAL Soft's wave writer with
// the master, music and effects volumes at 100 %: the full grid starts on a course with the race
// music, the start message, the engines and the impacts, the camera behind the player's scooter.
// The mix keeps headroom below full scale, and the engines sit under the music. Each recording
// plays in real time and stays in the build folder to be listened to.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "audio/AudioManager.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "frontend/GameMenu.h"
#include "tests/race/RaceDataFixture.h"
#include "tests/support/GeneratedData.h"
#include "world/World.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Track.h"

namespace {

constexpr unsigned OUTPUT_RATE = 22050;
constexpr float FRAME = 1.0f / 60.0f;
constexpr int RACERS = 9;
constexpr float RACE_SECONDS = 24.0f;
constexpr float EFFECTS_SECONDS = 12.0f;
constexpr double MIX_PEAK_LIMIT_DB = -1.0;
constexpr const char* RACE_TRACK = "Data/Audio/TrR01.wav";

struct Level {
    double peakDb;
    double rmsDb;
    int secondsAtFullScale;
};

double Decibels(double fraction)
{
    return 20.0 * std::log10(std::max(fraction, 1e-9));
}

// Peak and RMS of 16-bit samples, from the first sound on (the device opens before anything plays).
Level LevelOf(const std::vector<std::int16_t>& samples, unsigned channels)
{
    std::size_t first = 0;
    while (first < samples.size() && samples[first] == 0)
        ++first;
    double peak = 0, squares = 0;
    std::vector<bool> fullSecond(samples.size() / (OUTPUT_RATE * channels) + 1, false);
    for (std::size_t i = first; i < samples.size(); ++i) {
        const double value = std::abs(static_cast<double>(samples[i])) / 32768.0;
        peak = std::max(peak, value);
        squares += value * value;
        if (samples[i] >= 32767 || samples[i] <= -32767)
            fullSecond[i / (OUTPUT_RATE * channels)] = true;
    }
    const std::size_t count = samples.size() - first;
    int fullSeconds = 0;
    for (bool full : fullSecond)
        fullSeconds += full;
    return {Decibels(peak), Decibels(count ? std::sqrt(squares / double(count)) : 0.0), fullSeconds};
}

// The 16-bit samples of a WAV file and its channel count.
std::vector<std::int16_t> SamplesOf(const std::string& path, unsigned& channels)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::string text(bytes.begin(), bytes.end());
    const std::size_t format = text.find("fmt ");
    const std::size_t data = text.find("data");
    std::vector<std::int16_t> samples;
    if (format == std::string::npos || data == std::string::npos)
        return samples;
    channels = static_cast<unsigned char>(bytes[format + 10]);
    samples.resize((bytes.size() - data - 8) / 2);
    std::memcpy(samples.data(), bytes.data() + data + 8, samples.size() * 2);
    return samples;
}

Level LevelOfFile(const std::string& path)
{
    unsigned channels = 1;
    const std::vector<std::int16_t> samples = SamplesOf(path, channels);
    return LevelOf(samples, channels);
}

std::ostream& operator<<(std::ostream& out, const Level& level)
{
    return out << "peak " << level.peakDb << " dBFS, RMS " << level.rmsDb << " dBFS, " << level.secondsAtFullScale
               << " s at full scale";
}

class MixHeadroomTest : public RaceDataTest {
protected:
    static void SetUpTestSuite()
    {
        RaceDataTest::SetUpTestSuite();
        WriteGeneratedData({"sounds", "music"});
        // OpenAL Soft reads its configuration at its first call in the process.
        const std::string config = (std::filesystem::current_path() / "alsoft.conf").string();
        std::ofstream(config) << "[general]\ndrivers = wave\nfrequency = " << OUTPUT_RATE
                              << "\nchannels = stereo\nsample-type = int16\ndither = false\n[wave]\nfile = "
                              << Recording() << "\n";
        setenv("ALSOFT_CONF", config.c_str(), 1);
        setenv("ALSOFT_DRIVERS", "wave", 1);
    }

    static std::string Recording() { return (std::filesystem::current_path() / "race.wav").string(); }

    // Plays seconds of a race start with the given volume settings, keeps the recording in the
    // build folder under the given name and returns its level.
    static Level RecordRace(const char* name, float seconds, int music, int effects)
    {
        GameSettings[SLOT_AUDIO] = 1;
        GameSettings[SLOT_MASTER] = 100;
        GameSettings[SLOT_MUSIC] = music;
        GameSettings[SLOT_EFFECTS] = effects;
        audioManager.menuActive = 0;
        EXPECT_EQ(audioManager.Init(nullptr), 0);
        audioManager.LoadBanks();
        EXPECT_EQ(track.BuildTrack(3, 1, 1), 1);
        track.PlaceOnGrid(RACERS, 0);
        vehicleManager.EnableRacers(RACE_STATE_RACING);
        playerVehicle->SetDriver(DRIVER_COMPUTER);
        track.raceStartTime = gameTimer.gameTime;
        RaceMode = RACE_MODE_QUICK;
        audioManager.PlayMusic(2, RACE_TRACK, 0.0f, 0, 80.0f);
        audioManager.PlayVoice(2, "Data/Audio/Add/Strt.wav");

        const auto start = std::chrono::steady_clock::now();
        for (int frame = 0; frame < int(seconds / FRAME); ++frame) {
            RaceFrame();
            std::this_thread::sleep_until(start + std::chrono::microseconds(int64_t((frame + 1) * FRAME * 1e6)));
        }
        audioManager.StopAll();
        vehicleManager.Clear();
        audioManager.ReleaseBanks();
        audioManager.Release();
        GameSettings[SLOT_AUDIO] = 0;
        const std::string kept = std::string(RECORDING_FOLDER) + "/" + name;
        std::filesystem::copy_file(Recording(), kept, std::filesystem::copy_options::overwrite_existing);
        return LevelOfFile(kept);
    }

    // One frame of the race as the world runs it, heard from a camera behind the player's scooter.
    static void RaceFrame()
    {
        Step(FRAME);
        const D3DXVECTOR3 front(playerVehicle->world._31, playerVehicle->world._32, playerVehicle->world._33);
        world.eye = playerVehicle->position + D3DXVECTOR3(0, 4, 0) - 6.0f * front;
        audioManager.SetListenerPosition(world.eye);
        audioManager.SetListenerOrientation(front, D3DXVECTOR3(0, 1, 0));
        world.StepPhysics();
        playerVehicle->Update();
        vehicleManager.Update();
        race.Update();
        audioManager.Update();
    }
};

TEST_F(MixHeadroomTest, RaceMixStaysBelowFullScaleAndTheEngineUnderTheMusic)
{
    const Level mix = RecordRace("race_mix.wav", RACE_SECONDS, 100, 100);
    // The music volume at 0: the engines of the grid, with the odd impact.
    const Level effects = RecordRace("race_effects.wav", EFFECTS_SECONDS, 0, 100);
    const Level music = LevelOfFile(RACE_TRACK);
    std::cout << "race mix: " << mix << "\neffects alone: " << effects << "\nrace music file: " << music << "\n";
    EXPECT_LT(mix.peakDb, MIX_PEAK_LIMIT_DB);
    EXPECT_LT(effects.rmsDb, music.rmsDb) << "the engines sit under the music";
}

} // namespace
