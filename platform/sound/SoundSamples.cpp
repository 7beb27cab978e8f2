#include "platform/sound/SoundSamples.h"

#include <algorithm>
#include <cstring>

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

// Extensible PCM plays as plain PCM of its container size; valid bits below it are the high
// bits of each sample, as DirectSound plays them.
bool IsExtensiblePcm(const WAVEFORMATEX& format)
{
    if (format.wFormatTag != WAVE_FORMAT_EXTENSIBLE || format.cbSize < sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX))
        return false;
    WAVEFORMATEXTENSIBLE extensible;
    std::memcpy(&extensible, &format, sizeof extensible);
    return extensible.SubFormat == KSDATAFORMAT_SUBTYPE_PCM && extensible.wValidBitsPerSample > 0 &&
           extensible.wValidBitsPerSample <= format.wBitsPerSample;
}

} // namespace

std::optional<WAVEFORMATEX> SoundSamples::PlainPcmFormat(const WAVEFORMATEX& format)
{
    WAVEFORMATEX plain = format;
    plain.cbSize = 0;
    if (IsExtensiblePcm(format))
        plain.wFormatTag = WAVE_FORMAT_PCM;
    if (AlFormatOf(plain) == AL_NONE || plain.nSamplesPerSec < DSBFREQUENCY_MIN ||
        plain.nSamplesPerSec > DSBFREQUENCY_MAX || plain.nBlockAlign != plain.nChannels * plain.wBitsPerSample / 8)
        return std::nullopt;
    return plain;
}

std::shared_ptr<SoundSamples> SoundSamples::Create(const WAVEFORMATEX& format, DWORD byteCount)
{
    const auto plain = PlainPcmFormat(format);
    if (!plain)
        return nullptr;
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR)
        return nullptr;
    return std::shared_ptr<SoundSamples>(new SoundSamples(*plain, buffer, byteCount));
}

SoundSamples::SoundSamples(const WAVEFORMATEX& format_, ALuint buffer_, DWORD byteCount)
    : format(format_), buffer(buffer_), bytes(byteCount, format_.wBitsPerSample == 8 ? 0x80 : 0)
{
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
