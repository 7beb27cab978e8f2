#pragma once
// Sample data in one PCM format with the OpenAL buffer that holds its uploaded copy. Secondary
// buffers and their duplicates share one SoundSamples; each plays it on a source of its own.
#include <AL/al.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/sound/SoundTypes.h"

class SoundSamples {
public:
    // Null when the format is not supported, or OpenAL has no buffer to give.
    static std::shared_ptr<SoundSamples> Create(const WAVEFORMATEX& format, DWORD byteCount);
    ~SoundSamples();
    SoundSamples(const SoundSamples&) = delete;
    SoundSamples& operator=(const SoundSamples&) = delete;

    // The plain PCM format (extra size 0) of 8- or 16-bit samples with one or two channels at a
    // rate DirectSound accepts, given as WAVE_FORMAT_PCM or as WAVE_FORMAT_EXTENSIBLE with the PCM
    // subformat (whose 22 extra bytes follow the format); nothing for any other format.
    static std::optional<WAVEFORMATEX> PlainPcmFormat(const WAVEFORMATEX& format);
    static bool IsSupported(const WAVEFORMATEX& format) { return PlainPcmFormat(format).has_value(); }

    const WAVEFORMATEX& Format() const { return format; }
    std::vector<BYTE>& Bytes() { return bytes; }
    ALuint Buffer() const { return buffer; }

    // Copies the bytes into the OpenAL buffer. Sources that use it are stopped and attached again.
    void Upload();
    void AddUser(ALuint source);
    void RemoveUser(ALuint source);

private:
    SoundSamples(const WAVEFORMATEX& format, ALuint buffer, DWORD byteCount);

    WAVEFORMATEX format;
    ALuint buffer;
    std::vector<BYTE> bytes;
    std::vector<ALuint> users;
};
