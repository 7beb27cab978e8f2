// A played sound reaches the output: OpenAL Soft's wave writer records what the mixer makes.
#include <cstdlib>
#include <thread>

#include "tests/audio/AudioFixture.h"

namespace {

constexpr unsigned OUTPUT_RATE = 22050;

// The recording's 16-bit stereo frames, as absolute peaks per 10 ms window.
std::vector<int> PeaksOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<int> peaks;
    const std::string text(bytes.begin(), bytes.end());
    const std::size_t data = text.find("data");
    if (data == std::string::npos)
        return peaks;
    const std::size_t window = OUTPUT_RATE / 100 * 2;
    for (std::size_t at = data + 8, n = 0; at + 1 < bytes.size(); at += 2, ++n) {
        if (n % window == 0)
            peaks.push_back(0);
        const auto sample = static_cast<std::int16_t>(bytes[at] | (bytes[at + 1] << 8));
        peaks.back() = std::max(peaks.back(), std::abs(static_cast<int>(sample)));
    }
    return peaks;
}

// OpenAL Soft reads its configuration once, at its first call in the process: this one.
class WaveOutput : public AudioTest {
protected:
    void SetUp() override
    {
        const auto scratch = std::filesystem::temp_directory_path() / "vestrune-audio-wave-output";
        std::filesystem::create_directories(scratch);
        output = (scratch / "out.wav").string();
        const std::string config = (scratch / "alsoft.conf").string();
        std::ofstream(config) << "[general]\ndrivers = wave\nfrequency = " << OUTPUT_RATE
                              << "\nchannels = stereo\nsample-type = int16\ndither = false\n[wave]\nfile = " << output << "\n";
        setenv("ALSOFT_CONF", config.c_str(), 1);
        setenv("ALSOFT_DRIVERS", "wave", 1);
        AudioTest::SetUp();
    }

    std::string output;
};

TEST_F(WaveOutput, PlayedSoundIsHeardAndSilenceIsSilent)
{
    WriteTone("Data/Audio/Bt/Bt_Pr.wav", 0.3);
    CSound* sound = audioManager.CreateSound("Data/Audio/Bt/Bt_Pr.wav", CSound::KIND_PLAIN, 0, 0);
    ASSERT_TRUE(sound);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    sound->Play(0);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    audioManager.Release();

    const std::vector<int> peaks = PeaksOf(output);
    ASSERT_GT(peaks.size(), 80u);
    int loudBefore = 0;
    for (std::size_t i = 0; i < 30; ++i)
        loudBefore = std::max(loudBefore, peaks[i]);
    EXPECT_EQ(loudBefore, 0) << "nothing plays in the first 0.3 s";
    int loudest = 0;
    std::size_t loudWindows = 0;
    for (std::size_t i = 30; i < peaks.size(); ++i) {
        loudest = std::max(loudest, peaks[i]);
        loudWindows += peaks[i] > 1000;
    }
    EXPECT_GT(loudest, 4000);
    EXPECT_GE(loudWindows, 20u) << "about 0.3 s of tone";
    EXPECT_EQ(peaks.back(), 0) << "silent again after the sound";
}

} // namespace
