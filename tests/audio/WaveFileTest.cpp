#include <cstring>

#include "audio/WaveFile.h"
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
    auto overrun = GoodWav();
    Put32(overrun, 40, 0x7FFFFFF0);
    cases.push_back({"data past the end", overrun});
    auto cut = GoodWav();
    cut.resize(cut.size() / 2);
    cases.push_back({"cut short", cut});
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

} // namespace
