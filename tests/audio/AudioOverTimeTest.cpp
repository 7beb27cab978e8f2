// What the audio manager does frame after frame, seen on the OpenAL sources it drives: the
// engine sound following its scooter, and the music from a race's first track to the menu's.
#include <AL/al.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "tests/audio/AudioFixture.h"

namespace {

// The gain of a sound or segment of the given volume, by the volume rule and the settings.
float ExpectedGain(float volume, int category)
{
    const float scaled = volume * 0.0001f * GameSettings[category] * GameSettings[SLOT_MASTER];
    const long millibels = static_cast<long>((100.0f - scaled) * -40.0f);
    return std::pow(10.0f, static_cast<float>(millibels) / 2000.0f);
}

std::vector<ALuint> PlayingSources()
{
    std::vector<ALuint> playing;
    for (ALuint source = 1; source < 4096; ++source) {
        ALint state = 0;
        if (alIsSource(source) && (alGetSourcei(source, AL_SOURCE_STATE, &state), state == AL_PLAYING))
            playing.push_back(source);
    }
    return playing;
}

ALuint OnlyPlayingSource()
{
    const std::vector<ALuint> playing = PlayingSources();
    EXPECT_EQ(playing.size(), 1u);
    return playing.empty() ? 0 : playing.front();
}

float SourceFloat(ALuint source, ALenum parameter)
{
    ALfloat value = -1;
    alGetSourcef(source, parameter, &value);
    return value;
}

D3DXVECTOR3 SourceVector(ALuint source, ALenum parameter)
{
    ALfloat value[3] = {};
    alGetSourcefv(source, parameter, value);
    return {value[0], value[1], value[2]};
}

// One engine owner of set 1, moving, getting louder and higher frame by frame: after each update
// its sound has the owner's pitch, and the position and velocity of the frame before (3D
// settings are committed at the next update), within the banks' hearing distances; from the
// frame its first position is committed, the owner's gain too.
TEST_F(AudioTest, EngineSoundFollowsItsScooterFrameAfterFrame)
{
    GameSettings[SLOT_EFFECTS] = 80;
    GameSettings[SLOT_MASTER] = 90;
    audioManager.LoadBanks();
    audioManager.SetListenerPosition(D3DXVECTOR3(0, 0, 0));
    EngineSoundOwner scooter {};
    scooter.cameraDistance = 30;
    scooter.engineVolume = 20;
    scooter.engineFrequency = 11025;
    scooter.engineSound = audioManager.AttachEngine(1, &scooter);
    ASSERT_EQ(scooter.engineSound, audioManager.engineBank[10].sound);

    D3DXVECTOR3 previousPosition, previousVelocity;
    for (int frame = 0; frame < 5; ++frame) {
        scooter.position = D3DXVECTOR3(2.0f * frame, 1.0f, 5.0f + frame);
        scooter.velocity = D3DXVECTOR3(1.0f * frame, 0.5f, -2.0f * frame);
        scooter.engineVolume = 20.0f + 15.0f * frame;
        scooter.engineFrequency = 11025.0f + 2000.0f * frame + 0.75f;
        audioManager.Update();
        const ALuint source = OnlyPlayingSource();
        ASSERT_NE(source, 0u) << "frame " << frame;
        EXPECT_NEAR(SourceFloat(source, AL_GAIN), frame > 0 ? ExpectedGain(scooter.engineVolume, SLOT_EFFECTS) : 0.0f,
                    1e-5f)
            << "frame " << frame;
        EXPECT_FLOAT_EQ(SourceFloat(source, AL_PITCH), std::floor(scooter.engineFrequency) / 22050.0f)
            << "frame " << frame;
        EXPECT_FLOAT_EQ(SourceFloat(source, AL_REFERENCE_DISTANCE), 10.0f);
        EXPECT_FLOAT_EQ(SourceFloat(source, AL_MAX_DISTANCE), 100.0f);
        if (frame > 0) {
            const D3DXVECTOR3 flipped(previousPosition.x, previousPosition.y, -previousPosition.z);
            EXPECT_EQ(SourceVector(source, AL_POSITION), flipped) << "frame " << frame;
            const D3DXVECTOR3 velocity(previousVelocity.x, previousVelocity.y, -previousVelocity.z);
            EXPECT_EQ(SourceVector(source, AL_VELOCITY), velocity) << "frame " << frame;
        }
        previousPosition = scooter.position;
        previousVelocity = scooter.velocity;
    }

    scooter.cameraDistance = 100.5f;
    audioManager.Update();
    EXPECT_TRUE(PlayingSources().empty()) << "out of hearing, the engine falls silent";
    EXPECT_EQ(scooter.engineSound, nullptr);
}

// A race starts its track once at 80; when it ends another race track follows at 100; once the
// menu is back, the track's end brings the menu music, fading in over 3 s of game time.
TEST_F(AudioTest, RaceMusicIsFollowedByAnotherTrackThenByTheMenuMusicFadingIn)
{
    audioManager.Release();
    fileSystem.Release();
    for (int n = 1; n <= 2; ++n)
        WriteTone(Name("Data/Audio/TrR%02d.wav", n), 0.05);
    StartAudio(true);
    GameSettings[SLOT_MUSIC] = 90;
    gameTimer.gameStep = 0.3f;

    // Frames of 20 ms of real time until another segment started (a new one may take the old
    // one's memory, so its start time tells).
    const auto nextSegment = [] {
        const auto started = [] { return audioManager.musicSegment ? audioManager.musicSegment->startTime : 0u; };
        const unsigned playing = started();
        for (int frame = 0; frame < 100 && started() == playing; ++frame) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            gameTimer.realTime += 20;
            audioManager.Update();
        }
        return started() != playing;
    };
    const auto isTrack = [](const wchar_t* prefix) {
        DMUS_OBJECTDESC description {};
        audioManager.musicSegment->segment->GetDescriptor(&description);
        return std::wstring(description.wszFileName).rfind(prefix, 0) == 0;
    };

    audioManager.PlayMusic(1, nullptr, 0, 0, 80);
    ASSERT_TRUE(audioManager.musicSegment);
    EXPECT_TRUE(isTrack(L"Data/Audio/TrR"));
    EXPECT_EQ(audioManager.musicSegment->repeats, 0);
    EXPECT_NEAR(SourceFloat(OnlyPlayingSource(), AL_GAIN), ExpectedGain(80, SLOT_MUSIC), 1e-5f);

    ASSERT_TRUE(nextSegment()) << "the race track ends";
    ASSERT_TRUE(audioManager.musicSegment);
    EXPECT_TRUE(isTrack(L"Data/Audio/TrR"));
    EXPECT_EQ(audioManager.musicSegment->repeats, 0);
    EXPECT_NEAR(SourceFloat(OnlyPlayingSource(), AL_GAIN), ExpectedGain(100, SLOT_MUSIC), 1e-5f);

    audioManager.menuActive = 1;
    ASSERT_TRUE(nextSegment()) << "the second track ends";
    ASSERT_TRUE(audioManager.musicSegment);
    EXPECT_TRUE(isTrack(L"Data/Audio/TrI01.wav"));
    EXPECT_EQ(audioManager.musicSegment->repeats, -1);
    // 0.3 s of game time per frame: 10 percent of the 3 s fade.
    for (int frame = 1; frame <= 4; ++frame) {
        gameTimer.realTime += 20;
        audioManager.Update();
        EXPECT_NEAR(SourceFloat(OnlyPlayingSource(), AL_GAIN), ExpectedGain(10.0f * frame, SLOT_MUSIC), 1e-4f)
            << "frame " << frame << " of the fade";
    }
}

// Losing the window pauses the bank sounds with the others and drops the voice; getting it back
// resumes them. Clearing the world silences the banks for good: their owners are let go.
TEST_F(AudioTest, PauseResumeAndStopReachTheBankSoundsAndTheVoice)
{
    audioManager.LoadBanks();
    audioManager.SetListenerPosition(D3DXVECTOR3(0, 0, 0));
    EngineSoundOwner scooter {};
    scooter.cameraDistance = 30;
    scooter.engineVolume = 100;
    scooter.engineFrequency = 22050;
    scooter.engineSound = audioManager.AttachEngine(0, &scooter);
    audioManager.Update();
    const ALuint engine = OnlyPlayingSource();
    ASSERT_NE(engine, 0u);

    audioManager.PlayVoice(2, "Data/Audio/Add/Strt.wav");
    ASSERT_TRUE(audioManager.voiceSegment);
    audioManager.PauseAll();
    EXPECT_TRUE(PlayingSources().empty());
    EXPECT_EQ(audioManager.voiceSegment, nullptr);
    EXPECT_EQ(audioManager.musicTargetVolume, 100) << "no voice left to duck the music";
    audioManager.ResumeAll();
    EXPECT_EQ(PlayingSources(), std::vector<ALuint> {engine});

    audioManager.PlayVoice(2, "Data/Audio/Add/Strt.wav");
    audioManager.StopAll();
    EXPECT_TRUE(PlayingSources().empty());
    EXPECT_EQ(audioManager.voiceSegment, nullptr);
    EXPECT_EQ(audioManager.musicTargetVolume, 100);
    audioManager.Update();
    EXPECT_TRUE(PlayingSources().empty()) << "the bank follows no owner after the world is cleared";
}

// A new music volume reaches the voice message that is playing.
TEST_F(AudioTest, ApplyVolumesReachesThePlayingVoice)
{
    audioManager.PlayVoice(2, "Data/Audio/Add/Strt.wav");
    ASSERT_TRUE(audioManager.voiceSegment);
    GameSettings[SLOT_MUSIC] = 40;
    audioManager.ApplyVolumes();
    EXPECT_NEAR(SourceFloat(OnlyPlayingSource(), AL_GAIN), ExpectedGain(audioManager.voiceSegment->volume, SLOT_MUSIC),
                1e-5f);
}

} // namespace
