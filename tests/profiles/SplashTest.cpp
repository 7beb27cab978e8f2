#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "audio/AudioManager.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/InputState.h"
#include "engine/shell/WindowProcedure.h"
#include "frontend/GameMenu.h"
#include "frontend/SplashSequence.h"
#include "tests/profiles/ScreensFixture.h"
#include "tools/makedata/WavWriter.h"

namespace {

// Milliseconds for t = 1.
constexpr std::uint32_t UNIT = 1667;

TEST(SplashSequence, PictureWaitsFadesInHoldsFadesOutThenTheLogo)
{
    CSplashSequence splash;
    splash.Start(true, true, 0);
    EXPECT_FALSE(splash.Tick(UNIT - 10)) << "the first unit is held";
    ASSERT_TRUE(splash.Tick(UNIT));
    splash.BeginFrame(UNIT);
    EXPECT_EQ(splash.stage, SPLASH_PICTURE_IN);
    ASSERT_TRUE(splash.Tick(UNIT + UNIT / 2));
    EXPECT_NEAR(splash.Alpha(), 127, 1);
    ASSERT_TRUE(splash.Tick(2 * UNIT));
    splash.EndFrame();
    EXPECT_EQ(splash.stage, SPLASH_PICTURE_OUT);
    EXPECT_FALSE(splash.Tick(3 * UNIT - 10)) << "the full picture is held until t = 2";
    ASSERT_TRUE(splash.Tick(3 * UNIT));
    EXPECT_EQ(splash.Alpha(), 254);
    ASSERT_TRUE(splash.Tick(4 * UNIT));
    splash.EndFrame();
    EXPECT_EQ(splash.stage, SPLASH_PICTURE_DONE);
    splash.BeginFrame(4 * UNIT);
    EXPECT_EQ(splash.stage, SPLASH_LOGO_IN);
    ASSERT_TRUE(splash.Tick(4 * UNIT));
    EXPECT_EQ(splash.Alpha(), 0) << "the logo fades in from a fresh clock";
}

TEST(SplashSequence, SkipsJumpFromThePictureToTheLogoAndFromTheLogoToTheEnd)
{
    struct Case {
        bool picture, logo;
        int stage;
        int expected;
    } const cases[] = {
        {true, true, SPLASH_PICTURE_IN, SPLASH_LOGO_IN}, {true, true, SPLASH_PICTURE_OUT, SPLASH_LOGO_IN},
        {true, true, SPLASH_PICTURE_DONE, SPLASH_LOGO_IN}, {true, false, SPLASH_PICTURE_IN, SPLASH_END},
        {true, true, SPLASH_LOGO_IN, SPLASH_END},         {true, true, SPLASH_LOGO_OUT, SPLASH_END},
    };
    for (const Case& c : cases) {
        CSplashSequence splash;
        splash.Start(c.picture, c.logo, 0);
        splash.stage = c.stage;
        splash.Skip(5000);
        EXPECT_EQ(splash.stage, c.expected) << c.stage;
        EXPECT_EQ(splash.hold, 0.0f);
        EXPECT_TRUE(splash.Tick(5000)) << "the skip restarts the clock without a hold";
    }
}

TEST(SplashSequence, MissingPictureGoesToTheLogoAndMissingBothEnds)
{
    CSplashSequence splash;
    splash.Start(false, true, 0);
    splash.BeginFrame(UNIT);
    EXPECT_EQ(splash.stage, SPLASH_LOGO_IN);
    splash.Start(false, false, 0);
    splash.BeginFrame(UNIT);
    EXPECT_TRUE(splash.Ended());
}

// The splash's own message loop on a clock the test drives: the messages reach the window
// procedure, which sets the skip inputs.
class SplashLoopTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        static HWND window = [] {
            WNDCLASSA windowClass {};
            windowClass.lpfnWndProc = WndProc;
            windowClass.lpszClassName = "SplashTest";
            RegisterClassA(&windowClass);
            return CreateWindowExA(0, "SplashTest", "SplashTest", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, nullptr,
                                   nullptr);
        }();
        splashWindow = window;
        ASSERT_NE(splashWindow, nullptr);
        inputState = {};
        GameSettings[SLOT_QUIT] = 0;
        now = 0;
        pending = {};
        current = this;
        samples.clear();
        d3dRender.SetDefaultStates();
        d3dRender.textureId = -1;
    }

    struct Input {
        std::uint32_t at;
        UINT message;
        WPARAM key;
    };
    // Each reading advances 20 ms and posts the inputs that are due.
    static std::uint32_t Clock()
    {
        now += 20;
        for (Input& input : pending)
            if (input.message && now >= input.at) {
                PostMessageA(splashWindow, input.message, input.key, 0);
                input.message = 0;
            }
        return now;
    }

    // The frame last presented at each clock reading: grey levels at the centre, where the logo
    // is drawn, and near a corner, where only the picture is.
    struct Sample {
        std::uint32_t at;
        int centre, corner;
    };
    static std::uint32_t SampledClock()
    {
        const std::uint32_t at = Clock();
        samples.push_back({at, int(current->PixelAt(WIDTH / 2, HEIGHT / 2) & 0xFF),
                           int(current->PixelAt(WIDTH / 8, HEIGHT / 8) & 0xFF)});
        return at;
    }

    static inline HWND splashWindow = nullptr;
    static inline std::uint32_t now = 0;
    static inline std::array<Input, 2> pending {};
    static inline SplashLoopTest* current = nullptr;
    static inline std::vector<Sample> samples;
};

TEST_F(SplashLoopTest, EachSkipInputEndsThePictureThenTheLogo)
{
    struct Case {
        UINT message;
        WPARAM key;
    } const cases[] = {{WM_KEYDOWN, VK_RETURN}, {WM_KEYDOWN, VK_ESCAPE}, {WM_KEYDOWN, VK_SPACE}, {WM_LBUTTONDOWN, 0}};
    for (const Case& c : cases) {
        now = 0;
        pending = {Input {2000, c.message, c.key}, Input {2600, c.message, c.key}};
        RunSplashScreens(0, 1, Clock);
        // Without skips the splash takes seven units, near 11.7 s.
        EXPECT_LT(now, 3000u) << c.message << " " << c.key;
        EXPECT_GE(now, 2600u);
        EXPECT_EQ(inputState.enter + inputState.escape + inputState.space + inputState.leftButton, 0)
            << "the skip inputs are taken";
        inputState = {};
    }
}

// What the screen shows from a Return during the picture to the splash's end, read back from the
// back buffer (the presented frame) at every clock reading: the maker's logo fading in, held and
// fading out at the centre, a unit each, with the picture gone from the first frame on.
TEST_F(SplashLoopTest, AfterReturnOnThePictureTheLogoShowsUntilTheEnd)
{
    constexpr std::uint32_t RETURN_AT = UNIT + UNIT / 2;
    pending = {Input {RETURN_AT, WM_KEYDOWN, VK_RETURN}};
    RunSplashScreens(0, 1, SampledClock);
    const std::uint32_t end = samples.back().at;
    EXPECT_NEAR(double(end - RETURN_AT), 3.0 * UNIT, 100.0) << "the logo's fade-in, hold and fade-out";
    int brightestBefore = 0;
    for (const Sample& sample : samples) {
        if (sample.at < RETURN_AT) {
            brightestBefore = std::max(brightestBefore, sample.corner);
            continue;
        }
        if (sample.at <= RETURN_AT + 60)
            continue; // the key is dispatched a pass later, and the picture's frame stays until the next one
        const double t = double(sample.at - RETURN_AT) / UNIT;
        EXPECT_LE(sample.corner, 2) << "the picture is gone at " << t;
        if (t > 0.3 && t < 2.7)
            EXPECT_GE(sample.centre, 50) << "the logo shows at " << t;
        if (t > 1.05 && t < 1.95)
            EXPECT_GE(sample.centre, 250) << "the logo is held at full strength at " << t;
    }
    EXPECT_GE(brightestBefore, 50) << "the picture showed before the Return";
}

TEST_F(SplashLoopTest, RunsItsFullLengthWithoutInputAndEndsAtOnceWithoutPictures)
{
    RunSplashScreens(0, 1, Clock);
    EXPECT_GT(now, 11000u);
    EXPECT_LT(now, 12500u);
    now = 0;
    RunSplashScreens(-1, -1, Clock);
    EXPECT_LT(now, 2000u);
}

// The start jingle plays, once, while the picture shows and only when no music plays yet; the
// splash screens end with the music stopped.
TEST_F(SplashLoopTest, StartJingleOnlyWithoutMusicAndStoppedWhenTheSplashEnds)
{
    for (const char* name : {"Data/Audio/Start logo.wav", "Data/Audio/TrI01.wav"})
        folder.WriteBytes(name, MakeWav(std::vector<std::int16_t>(22050, 3000), 1, 22050));
    GameSettings[SLOT_AUDIO] = 1;
    GameSettings[SLOT_MASTER] = GameSettings[SLOT_MUSIC] = GameSettings[SLOT_EFFECTS] = 100;
    ASSERT_EQ(audioManager.Init(nullptr), 0);
    const auto music = []() -> std::wstring {
        if (!audioManager.musicSegment)
            return L"";
        DMUS_OBJECTDESC description {};
        audioManager.musicSegment->segment->GetDescriptor(&description);
        return description.wszFileName;
    };
    const auto runSkipped = [](int picture) {
        now = 0;
        pending = {Input {2000, WM_KEYDOWN, VK_RETURN}, Input {2600, WM_KEYDOWN, VK_RETURN}};
        RunSplashScreens(picture, 1, Clock);
        inputState = {};
    };

    runSkipped(-1);
    EXPECT_EQ(music(), L"") << "no picture, no jingle";
    runSkipped(0);
    EXPECT_EQ(music(), L"Data/Audio/Start logo.wav");
    ASSERT_TRUE(audioManager.musicSegment);
    EXPECT_EQ(audioManager.musicSegment->repeats, 0);

    audioManager.PlayMusic(2, "Data/Audio/TrI01.wav", 0, 1, 100);
    const unsigned started = audioManager.musicSegment->startTime;
    runSkipped(0);
    EXPECT_EQ(music(), L"Data/Audio/TrI01.wav") << "music already playing goes on";
    EXPECT_EQ(audioManager.musicSegment->startTime, started);

    gameMenu.ShowSplash(); // no pictures here: it ends at once
    EXPECT_EQ(audioManager.musicSegment, nullptr);
    audioManager.Release();
}

} // namespace
