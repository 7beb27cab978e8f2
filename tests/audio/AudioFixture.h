#pragma once
// An audio manager brought up on OpenAL Soft's null device over short generated WAV files in
// the test's working folder, with the game clock under the test's control.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "audio/AudioManager.h"
#include "engine/files/FileSystem.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "tests/support/ScratchFolder.h"
#include "tools/makedata/WavWriter.h"

inline std::vector<std::int16_t> Tone(double seconds, double hertz, unsigned rate = 22050)
{
    std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(8000 * std::sin(6.283185307 * hertz * i / rate));
    return samples;
}

inline void WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    const auto folder = std::filesystem::path(name).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder);
    std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

inline void WriteTone(const std::string& name, double seconds, unsigned rate = 22050)
{
    WriteBytes(name, MakeWav(Tone(seconds, 440, rate), 1, rate));
}

class AudioTest : public ::testing::Test {
protected:
    // packsOff: the SD pack's mode reads loose files, so the race tracks are found.
    void StartAudio(bool packsOff = false)
    {
        GameSettings[SLOT_AUDIO] = 1;
        GameSettings[SLOT_MASTER] = 100;
        GameSettings[SLOT_MUSIC] = 100;
        GameSettings[SLOT_EFFECTS] = 100;
        GameSettings[SLOT_DEBUG_LOG] = 1;
        FileManager = packsOff ? 0 : 1;
        fileSystem.Init();
        gameTimer.Init();
        gameTimer.gameStep = 0.02f;
        audioManager.menuActive = 0;
        ASSERT_EQ(audioManager.Init(nullptr), 0);
    }

    // Each test works in a folder of its own: ctest runs the tests side by side.
    void SetUp() override
    {
        scratch = std::make_unique<ScratchFolder>();
        for (int n = 1; n <= 18; ++n)
            WriteTone(Name("Data/Audio/Imp%02d.wav", n), 0.5);
        for (int n = 1; n <= 4; ++n)
            WriteTone(Name("Data/Audio/EngB%02d.wav", n), 1.0);
        WriteTone("Data/Audio/TrI01.wav", 2.0);
        WriteTone("Data/Audio/Add/Strt.wav", 0.1);
        StartAudio();
    }

    void TearDown() override
    {
        audioManager.Release();
        fileSystem.Release();
        scratch.reset();
    }

    std::unique_ptr<ScratchFolder> scratch;

    static std::string Name(const char* format, int n)
    {
        char name[64];
        std::snprintf(name, sizeof name, format, n);
        return name;
    }

    static LONG VolumeOf(CSound* sound)
    {
        LONG millibels = 1;
        sound->buffer->GetVolume(&millibels);
        return millibels;
    }

    static LONG VolumeOf(CMusicSegment* segment)
    {
        LONG millibels = 1;
        segment->pathBuffer->GetVolume(&millibels);
        return millibels;
    }
};
