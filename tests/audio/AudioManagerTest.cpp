#include <AL/al.h>

#include "audio/VolumeRule.h"
#include "tests/audio/AudioFixture.h"

namespace {

struct VolumeCase {
    float volume;
    int category;
    int master;
    LONG millibels;
};

TEST(VolumeRule, ScalesByMasterAndCategoryAndTruncatesTowardZero)
{
    const VolumeCase cases[] = {
        {100, 100, 100, 0}, {0, 100, 100, -4000}, {50, 100, 100, -2000},
        {100, 50, 50, -3000}, {33.3f, 100, 100, -2668}, {100, 0, 100, -4000},
    };
    for (const VolumeCase& c : cases) {
        GameSettings[SLOT_EFFECTS] = c.category;
        GameSettings[SLOT_MASTER] = c.master;
        EXPECT_EQ(MillibelsOfVolume(c.volume, SLOT_EFFECTS), c.millibels) << c.volume;
    }
}

TEST_F(AudioTest, SoundsFollowEffectsAndMusicFollowsMusicThroughApplyVolumes)
{
    CSound* sound = audioManager.CreateSound("Data/Audio/Imp01.wav", CSound::KIND_PLAIN, 0, 0);
    audioManager.PlayMusic(2, "Data/Audio/TrI01.wav", 0, 1, 100);
    ASSERT_TRUE(sound && audioManager.musicSegment);
    EXPECT_EQ(VolumeOf(sound), 0);

    GameSettings[SLOT_EFFECTS] = 50;
    GameSettings[SLOT_MUSIC] = 25;
    audioManager.ApplyVolumes();
    EXPECT_EQ(VolumeOf(sound), -2000);
    EXPECT_EQ(VolumeOf(audioManager.musicSegment), -3000);

    audioManager.SetMasterVolume(50);
    EXPECT_EQ(GameSettings[SLOT_MASTER], 50);
    EXPECT_EQ(VolumeOf(sound), -3000);
    EXPECT_EQ(VolumeOf(audioManager.musicSegment), -3500);
}

TEST_F(AudioTest, TableHoldsAtMost512SoundsAndDuplicatesShareOneBuffer)
{
    CSound* first = audioManager.CreateSound("Data/Audio/Imp01.wav", CSound::KIND_3D, 10, 100);
    CSound* other = audioManager.CreateSound("Data/Audio/Imp02.wav", CSound::KIND_3D, 10, 100);
    ASSERT_TRUE(first && other);
    for (unsigned i = 2; i < CAudioManager::MAX_SOUNDS; ++i)
        ASSERT_NE(audioManager.CreateSound("Data/Audio/Imp01.wav", CSound::KIND_3D, 10, 100), nullptr) << i;
    EXPECT_EQ(audioManager.soundCount, 512u);
    EXPECT_EQ(audioManager.CreateSound("Data/Audio/Imp03.wav", CSound::KIND_3D, 10, 100), nullptr);

    CSound* duplicate = audioManager.sounds[2];
    EXPECT_EQ(duplicate->buffer->Samples(), first->buffer->Samples());
    EXPECT_NE(other->buffer->Samples(), first->buffer->Samples());
    EXPECT_EQ(duplicate->baseFrequency, 22050u);
    EXPECT_STREQ(duplicate->name, "Data/Audio/Imp01.wav");
}

TEST_F(AudioTest, ReleaseSoundKeepsTheOrderAndIgnoresStrangers)
{
    CSound* a = audioManager.CreateSound("Data/Audio/Imp01.wav", CSound::KIND_PLAIN, 0, 0);
    CSound* b = audioManager.CreateSound("Data/Audio/Imp02.wav", CSound::KIND_PLAIN, 0, 0);
    CSound* c = audioManager.CreateSound("Data/Audio/Imp03.wav", CSound::KIND_PLAIN, 0, 0);
    audioManager.ReleaseSound(&b);
    EXPECT_EQ(b, nullptr);
    ASSERT_EQ(audioManager.soundCount, 2u);
    EXPECT_EQ(audioManager.sounds[0], a);
    EXPECT_EQ(audioManager.sounds[1], c);

    CSound stranger;
    stranger.Init();
    CSound* pointer = &stranger;
    audioManager.ReleaseSound(&pointer);
    EXPECT_EQ(pointer, nullptr);
    EXPECT_EQ(audioManager.soundCount, 2u);
}

TEST_F(AudioTest, MissingSoundIsNullAndLogged)
{
    EXPECT_EQ(audioManager.CreateSound("Data/Audio/Nothing.wav", CSound::KIND_PLAIN, 0, 0), nullptr);
    std::ifstream log("debug.txt");
    std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Couldn't load sound: Data/Audio/Nothing.wav"), std::string::npos);
}

TEST_F(AudioTest, ImpactRoundRobinDropsWhileTheEntryStillPlays)
{
    audioManager.LoadBanks();
    ASSERT_EQ(audioManager.impactCount, 18u);
    SoundOwner owner {};
    owner.cameraDistance = 10;
    gameTimer.gameTime = 12345;

    audioManager.PlayImpact(100, &owner);
    CSound* played = audioManager.impactBank[0].sound;
    EXPECT_TRUE(played->IsPlaying());
    EXPECT_EQ(audioManager.nextImpact, 1u);
    EXPECT_EQ(audioManager.impactBank[0].owner, &owner);
    EXPECT_EQ(owner.lastImpactTime, 12345u);
    DWORD frequency = 0;
    played->buffer->GetFrequency(&frequency);
    EXPECT_GE(frequency, 11025u);
    EXPECT_LE(frequency, 33075u);

    audioManager.nextImpact = 0;
    SoundOwner second {};
    audioManager.PlayImpact(100, &second);
    EXPECT_EQ(audioManager.nextImpact, 0u);
    EXPECT_EQ(audioManager.impactBank[0].owner, &owner);

    audioManager.nextImpact = 17;
    owner.cameraDistance = 100;
    audioManager.PlayImpact(100, &owner);
    EXPECT_EQ(audioManager.nextImpact, 17u);
    owner.cameraDistance = 99;
    audioManager.PlayImpact(100, &owner);
    EXPECT_EQ(audioManager.nextImpact, 0u);
}

TEST_F(AudioTest, ImpactEntryWithoutSoundIsPassedOver)
{
    std::filesystem::remove("Data/Audio/Imp02.wav");
    audioManager.LoadBanks();
    ASSERT_EQ(audioManager.impactBank[1].sound, nullptr);
    SoundOwner owner {};
    audioManager.nextImpact = 1;
    audioManager.PlayImpact(100, &owner);
    EXPECT_EQ(audioManager.nextImpact, 2u);
}

TEST_F(AudioTest, NearerOwnerTakesOverAnEngineAndFarOwnersLoseTheirs)
{
    audioManager.LoadBanks();
    EngineSoundOwner owners[12] {};
    for (int i = 0; i < 10; ++i) {
        owners[i].cameraDistance = 50;
        owners[i].engineFrequency = 22050;
        owners[i].engineVolume = 100;
        owners[i].engineSound = audioManager.AttachEngine(0, &owners[i]);
        ASSERT_EQ(owners[i].engineSound, audioManager.engineBank[i].sound);
    }
    owners[10].cameraDistance = 20;
    owners[10].engineSound = audioManager.AttachEngine(0, &owners[10]);
    EXPECT_EQ(owners[10].engineSound, audioManager.engineBank[0].sound);
    EXPECT_EQ(owners[0].engineSound, nullptr);
    EXPECT_EQ(audioManager.engineBank[0].owner, &owners[10]);
    owners[11].cameraDistance = 60;
    EXPECT_EQ(audioManager.AttachEngine(0, &owners[11]), nullptr);

    audioManager.Update();
    EXPECT_TRUE(audioManager.engineBank[1].sound->IsPlaying());
    owners[1].cameraDistance = 100.5f;
    gameTimer.gameStep = 0;
    audioManager.Update();
    EXPECT_EQ(audioManager.engineBank[1].owner, &owners[1]) << "a paused clock follows nothing";
    gameTimer.gameStep = 0.02f;
    audioManager.Update();
    EXPECT_EQ(audioManager.engineBank[1].owner, nullptr);
    EXPECT_EQ(owners[1].engineSound, nullptr);
    EXPECT_FALSE(audioManager.engineBank[1].sound->IsPlaying());
}

TEST_F(AudioTest, ResumeAllResumesSoundsButNotMusic)
{
    CSound* playing = audioManager.CreateSound("Data/Audio/EngB01.wav", CSound::KIND_PLAIN, 0, 0);
    CSound* idle = audioManager.CreateSound("Data/Audio/Imp01.wav", CSound::KIND_PLAIN, 0, 0);
    playing->Play(DSBPLAY_LOOPING);
    audioManager.PlayMusic(2, "Data/Audio/TrI01.wav", 0, 1, 100);
    ASSERT_TRUE(audioManager.musicSegment);

    audioManager.PauseAll();
    EXPECT_FALSE(playing->IsPlaying());
    EXPECT_EQ(audioManager.musicSegment, nullptr);
    EXPECT_EQ(audioManager.paused, 1);
    audioManager.PlayMusic(2, "Data/Audio/TrI01.wav", 0, 1, 100);
    EXPECT_EQ(audioManager.musicSegment, nullptr) << "no music while paused";

    audioManager.ResumeAll();
    EXPECT_TRUE(playing->IsPlaying());
    EXPECT_FALSE(idle->IsPlaying());
    EXPECT_EQ(audioManager.musicSegment, nullptr);
    audioManager.menuActive = 1;
    audioManager.Update();
    EXPECT_NE(audioManager.musicSegment, nullptr);
}

TEST_F(AudioTest, ListenerSettingsWaitForTheNextUpdate)
{
    audioManager.SetListenerPosition(D3DXVECTOR3(1, 2, 3));
    audioManager.SetListenerOrientation(D3DXVECTOR3(1, 0, 0), D3DXVECTOR3(0, 1, 0));
    ALfloat position[3];
    alGetListenerfv(AL_POSITION, position);
    EXPECT_NE(position[0], 1.0f);
    audioManager.Update();
    alGetListenerfv(AL_POSITION, position);
    EXPECT_EQ(position[0], 1.0f);
    EXPECT_EQ(position[1], 2.0f);
    EXPECT_EQ(position[2], -3.0f);
    ALfloat orientation[6];
    alGetListenerfv(AL_ORIENTATION, orientation);
    EXPECT_EQ(orientation[0], 1.0f);
    EXPECT_EQ(orientation[2], 0.0f);

    audioManager.PauseAll();
    audioManager.SetListenerPosition(D3DXVECTOR3(7, 7, 7));
    EXPECT_EQ(audioManager.listenerPosition, D3DXVECTOR3(1, 2, 3));
}

TEST_F(AudioTest, SoundSwitchOffMakesEverythingANoOp)
{
    audioManager.Release();
    GameSettings[SLOT_AUDIO] = 0;
    EXPECT_EQ(audioManager.Init(nullptr), 0);
    EXPECT_EQ(audioManager.CreateSound("Data/Audio/Imp01.wav", CSound::KIND_PLAIN, 0, 0), nullptr);
    audioManager.LoadBanks();
    EXPECT_EQ(audioManager.impactCount, 0u);
    audioManager.PlayMusic(2, "Data/Audio/TrI01.wav", 0, 1, 100);
    EXPECT_EQ(audioManager.musicSegment, nullptr);
}

} // namespace
