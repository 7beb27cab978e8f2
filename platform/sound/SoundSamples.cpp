#include "platform/sound/SoundSamples.h"

#include <algorithm>

namespace {

ALenum AlFormatOf(const WAVEFORMATEX& format)
{
    if (format.wFormatTag != WAVE_FORMAT_PCM)
        return AL_NONE;
    if (format.nChannels == 1 && format.wBitsPerSample == 8)
        return AL_FORMAT_MONO8;
    if (format.nChannels == 1 && format.wBitsPerSample == 16)
        return AL_FORMAT_MONO16;
    if (format.nChannels == 2 && format.wBitsPerSample == 8)
        return AL_FORMAT_STEREO8;
    if (format.nChannels == 2 && format.wBitsPerSample == 16)
        return AL_FORMAT_STEREO16;
    return AL_NONE;
}

} // namespace

bool SoundSamples::IsSupported(const WAVEFORMATEX& format)
{
    return AlFormatOf(format) != AL_NONE && format.nSamplesPerSec >= DSBFREQUENCY_MIN &&
           format.nSamplesPerSec <= DSBFREQUENCY_MAX &&
           format.nBlockAlign == format.nChannels * format.wBitsPerSample / 8;
}

std::shared_ptr<SoundSamples> SoundSamples::Create(const WAVEFORMATEX& format, DWORD byteCount)
{
    if (!IsSupported(format))
        return nullptr;
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR)
        return nullptr;
    return std::shared_ptr<SoundSamples>(new SoundSamples(format, buffer, byteCount));
}

SoundSamples::SoundSamples(const WAVEFORMATEX& format_, ALuint buffer_, DWORD byteCount)
    : format(format_), buffer(buffer_), bytes(byteCount, format_.wBitsPerSample == 8 ? 0x80 : 0)
{
    format.cbSize = 0;
    Upload();
}

SoundSamples::~SoundSamples()
{
    alDeleteBuffers(1, &buffer);
}

void SoundSamples::Upload()
{
    for (ALuint source : users) {
        alSourceStop(source);
        alSourcei(source, AL_BUFFER, 0);
    }
    // OpenAL takes whole sample frames only.
    const auto size = static_cast<ALsizei>(bytes.size() - bytes.size() % format.nBlockAlign);
    alBufferData(buffer, AlFormatOf(format), bytes.data(), size, static_cast<ALsizei>(format.nSamplesPerSec));
    for (ALuint source : users)
        alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
}

void SoundSamples::AddUser(ALuint source)
{
    users.push_back(source);
}

void SoundSamples::RemoveUser(ALuint source)
{
    users.erase(std::remove(users.begin(), users.end(), source), users.end());
}
