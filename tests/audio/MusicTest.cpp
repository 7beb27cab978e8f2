#include <chrono>
#include <set>
#include <thread>

#include "tests/audio/AudioFixture.h"

namespace {

void Step(float seconds)
{
    gameTimer.gameStep = seconds;
    audioManager.UpdateMusic();
}

std::wstring FileNameOf(CMusicSegment* segment)
{
    DMUS_OBJECTDESC description {};
    segment->segment->GetDescriptor(&description);
    return description.wszFileName;
}

TEST_F(AudioTest, MusicFadesInOverItsFadeTimeOfGameSeconds)
{
    audioManager.PlayMusic(2, "Data/Audio/TrI01.wav", 2.0f, 1, 100);
    ASSERT_TRUE(audioManager.musicSegment);
    EXPECT_EQ(audioManager.musicVolume, 0);
    EXPECT_EQ(VolumeOf(audioManager.musicSegment), -4000);
    Step(0);
    EXPECT_EQ(audioManager.musicVolume, 0) << "a paused clock does not fade";
    Step(0.5f);
    EXPECT_FLOAT_EQ(audioManager.musicVolume, 25);
    for (int i = 0; i < 3; ++i)
        Step(0.5f);
    EXPECT_FLOAT_EQ(audioManager.musicVolume, 100);
    EXPECT_EQ(audioManager.musicFadeState, 0);
    EXPECT_EQ(VolumeOf(audioManager.musicSegment), 0);

    audioManager.PlayMusic(2, "Data/Audio/TrI01.wav", 0, 1, 60);
    EXPECT_FLOAT_EQ(audioManager.musicVolume, 60);
}

TEST_F(AudioTest, VoiceDucksTheMusicToEightyPercentUntilItEnds)
{
    audioManager.PlayMusic(2, "Data/Audio/TrI01.wav", 0, 1, 100);
    audioManager.PlayVoice(2, "Data/Audio/Add/Strt.wav");
    ASSERT_TRUE(audioManager.voiceSegment);
    EXPECT_EQ(audioManager.musicTargetVolume, 80);
    Step(0.1f);
    EXPECT_FLOAT_EQ(audioManager.musicVolume, 90);
    Step(0.25f);
    EXPECT_FLOAT_EQ(audioManager.musicVolume, 80);

    audioManager.PlayMusic(2, "Data/Audio/TrI01.wav", 0, 1, 100);
    EXPECT_EQ(audioManager.musicTargetVolume, 80) << "music started under a voice";

    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    audioManager.UpdateVoice();
    EXPECT_TRUE(audioManager.voiceSegment) << "still within its first 0.25 s of real time";
    gameTimer.realTime += 250;
    // The mixer plays the 0.1 s voice in real time; a loaded machine may take longer over it.
    for (int wait = 0; wait < 100 && audioManager.voiceSegment; ++wait) {
        audioManager.UpdateVoice();
        if (audioManager.voiceSegment)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(audioManager.voiceSegment, nullptr);
    EXPECT_EQ(audioManager.musicTargetVolume, 100);
    Step(0.1f);
    EXPECT_FLOAT_EQ(audioManager.musicVolume, 90);
}

TEST_F(AudioTest, UnloadableVoiceStillDucksTheMusic)
{
    audioManager.PlayVoice(3, nullptr);
    EXPECT_EQ(audioManager.voiceSegment, nullptr);
    EXPECT_EQ(audioManager.musicTargetVolume, 80);
}

TEST_F(AudioTest, MenuMusicLoopsWithAThreeSecondFadeWhenNothingPlays)
{
    audioManager.menuActive = 1;
    Step(0.02f);
    ASSERT_TRUE(audioManager.musicSegment);
    EXPECT_EQ(FileNameOf(audioManager.musicSegment), L"Data/Audio/TrI01.wav");
    EXPECT_EQ(audioManager.musicSegment->repeats, -1);
    EXPECT_EQ(audioManager.musicFadeTime, 3.0f);
    EXPECT_EQ(audioManager.musicFadeState, 2);
}

TEST_F(AudioTest, WithoutRaceTracksARandomTrackPlaysNothing)
{
    EXPECT_EQ(audioManager.trackCount, 0);
    audioManager.PlayMusic(1, nullptr, 0, 0, 100);
    EXPECT_EQ(audioManager.musicSegment, nullptr);
}

TEST_F(AudioTest, RandomRaceTrackIsOneOfThoseFound)
{
    audioManager.Release();
    fileSystem.Release();
    for (int n = 1; n <= 4; ++n)
        WriteTone(Name("Data/Audio/TrR%02d.wav", n), 0.05);
    StartAudio(true);
    ASSERT_EQ(audioManager.trackCount, 4);
    EXPECT_STREQ(audioManager.trackNames[3], "Data/Audio/TrR04.wav");

    std::set<std::wstring> played;
    for (int i = 0; i < 24; ++i) {
        audioManager.PlayMusic(1, nullptr, 0, 0, 100);
        ASSERT_TRUE(audioManager.musicSegment);
        EXPECT_EQ(audioManager.musicSegment->repeats, 0);
        played.insert(FileNameOf(audioManager.musicSegment));
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    EXPECT_GT(played.size(), 1u);
    for (const std::wstring& name : played)
        EXPECT_EQ(name.substr(0, 14), L"Data/Audio/TrR");
}

TEST_F(AudioTest, SegmentCountsAsPlayingForItsFirstQuarterSecond)
{
    WriteTone("Data/Audio/Add/Blip.wav", 0.01);
    CMusicSegment* segment = audioManager.LoadSegment("Data/Audio/Add/Blip.wav");
    ASSERT_TRUE(segment);
    segment->Play(0);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_TRUE(segment->IsPlaying());
    gameTimer.realTime += 250;
    EXPECT_FALSE(segment->IsPlaying());
    segment->Release();
    delete segment;
}

} // namespace
