#include <AL/al.h>

#include <gtest/gtest.h>

#include <thread>

#include "platform/sound/DirectSound.h"
#include "platform/sound/SoundSamples.h"

namespace {

class SoundLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(DirectSoundCreate8(nullptr, &device, nullptr), DS_OK);
        ASSERT_EQ(device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
    }
    void TearDown() override { device->Release(); }

    IDirectSoundBuffer8* Secondary(DWORD flags, DWORD rate = 11025, DWORD bytes = 22050)
    {
        WAVEFORMATEX format {WAVE_FORMAT_PCM, 1, rate, rate * 2, 2, 16, 0};
        DSBUFFERDESC description {sizeof(DSBUFFERDESC), flags, bytes, 0, &format, DS3DALG_DEFAULT};
        IDirectSoundBuffer* buffer = nullptr;
        EXPECT_EQ(device->CreateSoundBuffer(&description, &buffer, nullptr), DS_OK);
        return buffer;
    }

    static ALuint SourceOf(IDirectSoundBuffer8* buffer)
    {
        // The source that plays the buffer's samples is the one using its AL buffer.
        ALint current = 0;
        for (ALuint source = 1; source < 4096; ++source) {
            if (!alIsSource(source))
                continue;
            alGetSourcei(source, AL_BUFFER, &current);
            if (static_cast<ALuint>(current) == buffer->Samples()->Buffer())
                return source;
        }
        return 0;
    }

    IDirectSound8* device = nullptr;
};

TEST_F(SoundLayer, FrequencyIsPitchAgainstTheBuffersOwnRateAndVolumeIsGain)
{
    IDirectSoundBuffer8* buffer = Secondary(DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLVOLUME);
    const ALuint source = SourceOf(buffer);
    ASSERT_NE(source, 0u);
    EXPECT_EQ(buffer->SetFrequency(22050), DS_OK);
    ALfloat value = 0;
    alGetSourcef(source, AL_PITCH, &value);
    EXPECT_FLOAT_EQ(value, 2.0f);
    EXPECT_EQ(buffer->SetFrequency(50), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetVolume(-2000), DS_OK);
    alGetSourcef(source, AL_GAIN, &value);
    EXPECT_NEAR(value, 0.1f, 1e-5);
    EXPECT_EQ(buffer->SetPan(0), DSERR_CONTROLUNAVAIL);
    buffer->Release();
}

TEST_F(SoundLayer, ThreeDPositionsFlipZAndDeferredOnesWaitForTheCommit)
{
    IDirectSoundBuffer8* buffer = Secondary(DSBCAPS_CTRL3D | DSBCAPS_CTRLVOLUME);
    IDirectSound3DBuffer* spatial = nullptr;
    ASSERT_EQ(buffer->QueryInterface(IID_IDirectSound3DBuffer, reinterpret_cast<void**>(&spatial)), DS_OK);
    const ALuint source = SourceOf(buffer);
    ALfloat position[3];
    spatial->SetPosition(1, 2, 3, DS3D_IMMEDIATE);
    alGetSourcefv(source, AL_POSITION, position);
    EXPECT_EQ(position[2], -3.0f);
    spatial->SetPosition(4, 5, 6, DS3D_DEFERRED);
    alGetSourcefv(source, AL_POSITION, position);
    EXPECT_EQ(position[0], 1.0f);
    device->Listener().CommitDeferredSettings();
    alGetSourcefv(source, AL_POSITION, position);
    EXPECT_EQ(position[0], 4.0f);
    EXPECT_EQ(position[2], -6.0f);
    spatial->Release();
    buffer->Release();
}

TEST_F(SoundLayer, MuteAtMaxDistanceSilencesOnlyBeyondIt)
{
    IDirectSoundBuffer8* buffer =
        Secondary(DSBCAPS_CTRL3D | DSBCAPS_CTRLVOLUME | DSBCAPS_MUTE3DATMAXDISTANCE);
    IDirectSound3DBuffer* spatial = nullptr;
    buffer->QueryInterface(IID_IDirectSound3DBuffer, reinterpret_cast<void**>(&spatial));
    const ALuint source = SourceOf(buffer);
    spatial->SetMaxDistance(100, DS3D_IMMEDIATE);
    spatial->SetPosition(0, 0, 150, DS3D_DEFERRED);
    device->Listener().CommitDeferredSettings();
    ALfloat gain = 1;
    alGetSourcef(source, AL_GAIN, &gain);
    EXPECT_EQ(gain, 0.0f);
    device->Listener().SetPosition(0, 0, 60, DS3D_IMMEDIATE);
    alGetSourcef(source, AL_GAIN, &gain);
    EXPECT_EQ(gain, 1.0f);
    spatial->Release();
    buffer->Release();
}

TEST_F(SoundLayer, StopKeepsThePositionAndADuplicateSharesTheSamples)
{
    IDirectSoundBuffer8* buffer = Secondary(DSBCAPS_CTRLVOLUME, 22050, 44100);
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    DWORD status = 0;
    buffer->GetStatus(&status);
    EXPECT_EQ(status, DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    buffer->Stop();
    DWORD stopped = 0;
    buffer->GetCurrentPosition(&stopped, nullptr);
    EXPECT_GT(stopped, 0u);
    buffer->GetStatus(&status);
    EXPECT_EQ(status, 0u);
    buffer->Play(0, 0, 0);
    DWORD resumed = 0;
    buffer->GetCurrentPosition(&resumed, nullptr);
    EXPECT_GE(resumed, stopped);

    IDirectSoundBuffer* duplicate = nullptr;
    ASSERT_EQ(device->DuplicateSoundBuffer(buffer, &duplicate), DS_OK);
    EXPECT_EQ(duplicate->Samples(), buffer->Samples());
    duplicate->GetStatus(&status);
    EXPECT_EQ(status, 0u);
    duplicate->Release();
    buffer->Release();
}

TEST_F(SoundLayer, BadBufferDescriptionsAreRefused)
{
    WAVEFORMATEX stereo {WAVE_FORMAT_PCM, 2, 22050, 88200, 4, 16, 0};
    DSBUFFERDESC description {sizeof(DSBUFFERDESC), DSBCAPS_CTRL3D, 4096, 0, &stereo, DS3DALG_DEFAULT};
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_EQ(device->CreateSoundBuffer(&description, &buffer, nullptr), DSERR_INVALIDPARAM);
    WAVEFORMATEX odd {WAVE_FORMAT_PCM, 1, 22050, 66150, 3, 24, 0};
    description = {sizeof(DSBUFFERDESC), 0, 4096, 0, &odd, DS3DALG_DEFAULT};
    EXPECT_EQ(device->CreateSoundBuffer(&description, &buffer, nullptr), DSERR_BADFORMAT);
    description = {sizeof(DSBUFFERDESC), 0, 2, 0, &stereo, DS3DALG_DEFAULT};
    EXPECT_EQ(device->CreateSoundBuffer(&description, &buffer, nullptr), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer, nullptr);
}

} // namespace
