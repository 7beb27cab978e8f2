#include <cstring>

#include "audio/WaveFile.h"
#include "platform/music/WaveImage.h"
#include "tests/audio/AudioFixture.h"

namespace {

std::vector<std::uint8_t> GoodWav()
{
    return MakeWav(Tone(0.05, 440), 1, 22050);
}

void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value)
{
    std::memcpy(bytes.data() + at, &value, 2);
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    std::memcpy(bytes.data() + at, &value, 4);
}

struct BadWave {
    const char* what;
    std::vector<std::uint8_t> bytes;
};

std::vector<BadWave> BadWaves()
{
    std::vector<BadWave> cases;
    cases.push_back({"short", {'R', 'I', 'F', 'F', 4, 0}});
    auto form = GoodWav();
    std::memcpy(form.data() + 8, "AVI ", 4);
    cases.push_back({"not WAVE", form});
    auto shortFormat = GoodWav();
    Put32(shortFormat, 16, 14);
    cases.push_back({"fmt shorter than 16", shortFormat});
    auto noChannels = GoodWav();
    Put16(noChannels, 22, 0);
    cases.push_back({"0 channels", noChannels});
    auto noRate = GoodWav();
    Put32(noRate, 24, 0);
    cases.push_back({"0 rate", noRate});
    auto noAlign = GoodWav();
    Put16(noAlign, 32, 0);
    cases.push_back({"block align 0", noAlign});
    auto noData = GoodWav();
    std::memcpy(noData.data() + 36, "junk", 4);
    cases.push_back({"no data chunk", noData});
    return cases;
}

TEST_F(AudioTest, MalformedWaveFilesFailToLoadAndAreLogged)
{
    for (const BadWave& bad : BadWaves()) {
        const std::string name = std::string("Data/Audio/Bad ") + bad.what + ".wav";
        WriteBytes(name, bad.bytes);
        EXPECT_EQ(audioManager.CreateSound(name.c_str(), CSound::KIND_3D, 10, 100), nullptr) << bad.what;
        std::ifstream log("debug.txt");
        std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
        EXPECT_NE(text.find("Couldn't load sound: " + name), std::string::npos) << bad.what;
    }
    EXPECT_EQ(audioManager.soundCount, 0u);
}

TEST_F(AudioTest, FormatKeepsExtraBytesOfNonPcmAndNoneOfPcm)
{
    WriteBytes("pcm.wav", GoodWav());
    CWaveFile pcm;
    pcm.Reset();
    ASSERT_EQ(pcm.Open("pcm.wav"), 0);
    EXPECT_EQ(pcm.format->cbSize, 0);
    EXPECT_EQ(pcm.dataChunk.cksize, 2204u);
    pcm.Close();

    // A format chunk of 20 bytes: tag 2, extra size 2, extra bytes AB CD.
    auto bytes = GoodWav();
    Put32(bytes, 16, 20);
    Put16(bytes, 20, 2);
    const std::uint8_t extra[4] = {2, 0, 0xAB, 0xCD};
    bytes.insert(bytes.begin() + 36, extra, extra + 4);
    Put32(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8));
    WriteBytes("adpcm.wav", bytes);
    CWaveFile other;
    other.Reset();
    ASSERT_EQ(other.Open("adpcm.wav"), 0);
    ASSERT_EQ(other.format->cbSize, 2);
    const auto* kept = reinterpret_cast<const std::uint8_t*>(other.format + 1);
    EXPECT_EQ(kept[0], 0xAB);
    EXPECT_EQ(kept[1], 0xCD);
    other.Close();
}

TEST_F(AudioTest, WaveDataReadStopsAtTheChunkAndTheImage)
{
    WriteBytes("pcm.wav", GoodWav());
    CWaveFile wave;
    wave.Reset();
    ASSERT_EQ(wave.Open("pcm.wav"), 0);
    std::vector<BYTE> buffer(4096);
    EXPECT_EQ(wave.ReadWaveData(4096, buffer.data()), 2204);
    EXPECT_EQ(wave.ReadWaveData(16, buffer.data()), 0);
    ASSERT_EQ(wave.ResetFile(), 0);
    EXPECT_EQ(wave.ReadWaveData(4, buffer.data()), 4);
    wave.Close();
}

// Sound buffers and music read the data chunk alike: a size past the end of the file is cut to
// the bytes present, and fewer than 4 bytes (the smallest sound buffer) are refused.
TEST_F(AudioTest, SoundAndMusicReadersAgreeOnTheDataChunk)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        DWORD dataBytes; // 0: refused
    };
    std::vector<Case> cases;
    auto piped = GoodWav();
    Put32(piped, 4, 0xFFFFFFFF);
    Put32(piped, 40, 0xFFFFFFFF);
    cases.push_back({"sizes of a file written to a pipe", piped, 2204});
    auto cut = GoodWav();
    cut.resize(cut.size() / 2);
    cases.push_back({"cut short", cut, static_cast<DWORD>(cut.size() - 44)});
    cases.push_back({"4 bytes", MakeWav({100, 200}, 1, 22050), 4});
    cases.push_back({"2 bytes", MakeWav({100}, 1, 22050), 0});
    cases.push_back({"no bytes", MakeWav({}, 1, 22050), 0});

    for (const Case& c : cases) {
        WriteBytes("case.wav", c.bytes);
        CWaveFile wave;
        wave.Reset();
        const HRESULT opened = wave.Open("case.wav");
        const auto music = DecodeWaveImage(c.bytes.data(), c.bytes.size());
        if (c.dataBytes == 0) {
            EXPECT_NE(opened, 0) << c.what;
            EXPECT_FALSE(music) << c.what;
        } else {
            ASSERT_EQ(opened, 0) << c.what;
            EXPECT_EQ(wave.dataChunk.cksize, c.dataBytes) << c.what;
            ASSERT_TRUE(music) << c.what;
            EXPECT_EQ(music->samples.size(), c.dataBytes) << c.what;
            EXPECT_NE(audioManager.CreateSound("case.wav", CSound::KIND_3D, 10, 100), nullptr) << c.what;
        }
        wave.Close();
    }
}

// WAVE_FORMAT_EXTENSIBLE: 40-byte "fmt " chunk with 22 extra bytes, then the samples.
std::vector<std::uint8_t> ExtensibleWav(WORD channels, WORD bits, const GUID& subFormat)
{
    const WORD align = static_cast<WORD>(channels * bits / 8);
    WAVEFORMATEXTENSIBLE format {};
    format.Format = {WAVE_FORMAT_EXTENSIBLE, channels, 22050, 22050u * align, align, bits, 22};
    format.wValidBitsPerSample = bits;
    format.dwChannelMask = channels == 1 ? 0x4 : 0x3;
    format.SubFormat = subFormat;
    const std::vector<std::uint8_t> samples(align * 400, bits == 8 ? 0x80 : 0);

    std::vector<std::uint8_t> bytes(12 + 8 + sizeof format + 8);
    std::memcpy(bytes.data(), "RIFF", 4);
    Put32(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8 + samples.size()));
    std::memcpy(bytes.data() + 8, "WAVEfmt ", 8);
    Put32(bytes, 16, sizeof format);
    std::memcpy(bytes.data() + 20, &format, sizeof format);
    std::memcpy(bytes.data() + 20 + sizeof format, "data", 4);
    Put32(bytes, 24 + sizeof format, static_cast<std::uint32_t>(samples.size()));
    bytes.insert(bytes.end(), samples.begin(), samples.end());
    return bytes;
}

TEST_F(AudioTest, ExtensiblePcmPlaysAsSoundAndMusic)
{
    constexpr GUID FLOAT_SUBFORMAT {0x00000003, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    const struct {
        WORD channels, bits;
        GUID subFormat;
        bool plays;
    } cases[] = {
        {1, 8, KSDATAFORMAT_SUBTYPE_PCM, true},  {1, 16, KSDATAFORMAT_SUBTYPE_PCM, true},
        {2, 8, KSDATAFORMAT_SUBTYPE_PCM, true},  {2, 16, KSDATAFORMAT_SUBTYPE_PCM, true},
        {1, 32, FLOAT_SUBFORMAT, false},         {1, 16, FLOAT_SUBFORMAT, false},
    };
    int number = 0;
    for (const auto& c : cases) {
        const std::string name = "ext" + std::to_string(++number) + ".wav"; // sounds are shared by name
        const auto bytes = ExtensibleWav(c.channels, c.bits, c.subFormat);
        WriteBytes(name, bytes);
        const int kind = c.channels == 1 ? CSound::KIND_3D : CSound::KIND_PLAIN;
        EXPECT_EQ(audioManager.CreateSound(name.c_str(), kind, 10, 100) != nullptr, c.plays) << name;
        const auto music = DecodeWaveImage(bytes.data(), bytes.size());
        ASSERT_EQ(music.has_value(), c.plays) << name;
        if (music) {
            EXPECT_EQ(music->format.wFormatTag, WAVE_FORMAT_PCM) << name;
            EXPECT_EQ(music->format.wBitsPerSample, c.bits) << name;
            EXPECT_EQ(music->samples.size(), 400u * c.channels * c.bits / 8) << name;
        }
    }
}

} // namespace
